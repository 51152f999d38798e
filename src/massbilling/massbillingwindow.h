#pragma once

#include "ui/secondarywindow.h"

class Connection;
class DateField;
class DropDown;
class GridList;
class Messages;
class PanelFrame;
class QPushButton;
class QToolButton;
class TickBox;

// "Parcellazione Massiva": the unbilled services of a year or a month, each
// with a tick box; every ticked one is billed on one date at once.
class MassBillingWindow : public SecondaryWindow
{
    Q_OBJECT

public:
    MassBillingWindow(Connection &connection, Messages &messages, QWidget *parent = nullptr);

private:
    void buildFilters(QWidget *bar);
    void buildDatePanel();
    void reset();
    void fillUnbilled(const QString &condition = QString());
    void fillYears();
    void yearChosen(const QString &year);
    void monthChosen(const QString &month);
    void selectAll(bool ticked);
    void startBilling();
    void registerBilling();
    // Billed or cancelled: the date panel closes, back to the full list of
    // unbilled services.
    void endBilling();

    Connection &m_connection;
    Messages &m_messages;
    DropDown *m_year = nullptr; // Cbo1
    DropDown *m_month = nullptr; // Cbo2
    TickBox *m_selectAll = nullptr; // Check1
    QPushButton *m_start = nullptr; // Cmd1
    QToolButton *m_return = nullptr; // Picture1
    GridList *m_list = nullptr; // ListView1
    PanelFrame *m_datePanel = nullptr; // Frame1
    DateField *m_date = nullptr; // D1
    QPushButton *m_register = nullptr; // Cmd2
};
