#pragma once

#include "filters.h"

#include <QGroupBox>

class Connection;
class DateField;
class DropDown;
class Messages;
class QLineEdit;
class QPushButton;
class TickBox;

// The statistics filters (Frame2): one client, reason or operator, the
// billing state, a period, "Tutti" and "Data odierna". Choosing a name
// clears the filters it competes with and looks up its code; the code of
// each kind is kept apart and goes with its list's text.
class FilterPanel : public QGroupBox
{
    Q_OBJECT

public:
    FilterPanel(Connection &connection, Messages &messages, QWidget *parent = nullptr);

    QPushButton *print() const { return m_print; } // Cmd2
    FilterValues values() const;
    void apply(FilterAction action);
    // Every filter emptied and the lists read again from the services.
    void reset();
    void fillOperators();

private:
    void build();
    void fillLists();
    void allClicked(bool ticked);
    // A name chosen: the competing filters cleared in order, then the code
    // of the first service (lowest ID) that bears exactly the list's name
    // and has a link of that kind; shown in T1 when found.
    void lookUp(const DropDown &list, const QList<FilterAction> &clearedFirst, const char *codeColumn, const char *nameColumn,
                QString &code);
    void emptyClient();
    void emptyReason();
    void emptyOperator();
    void emptyDates();
    void invalidDate(DateField *field);

    Connection &m_connection;
    Messages &m_messages;
    DropDown *m_client = nullptr; // Cbo10
    DropDown *m_reason = nullptr; // Cbo11
    DropDown *m_state = nullptr; // Cbo12
    DropDown *m_operator = nullptr; // Cbo13
    DateField *m_from = nullptr; // D3
    DateField *m_to = nullptr; // D4
    TickBox *m_all = nullptr; // C10
    TickBox *m_today = nullptr; // C11
    QLineEdit *m_code = nullptr; // T1
    QPushButton *m_print = nullptr; // Cmd2
    QString m_clientCode;
    QString m_reasonCode;
    QString m_operatorCode;
};
