#pragma once

#include "store/rowversion.h"
#include "ui/panelframe.h"

class ActionTicks;
class Connection;
class DateField;
class DropDown;
class GridList;
class Messages;
class QLabel;
class QLineEdit;
class QPushButton;
class TickBox;

// The single billing panel (Frame7): services listed by billing state, or
// one client's; a row clicked comes into the selection area (Frame8),
// where it is billed with a date and a bill number, its billing changed or
// taken off. Only DATAP, PARC and NR of that one row are ever written.
class BillingPanel : public PanelFrame
{
    Q_OBJECT

public:
    BillingPanel(Connection &connection, Messages &messages, QWidget *parent = nullptr);

    void open();
    DropDown *clientList() const { return m_clients; }
    // The other list of service clients, filled whenever this one is.
    void shareClientNames(DropDown *other);

private:
    enum ActionBox { ModifyBox, DeleteBox };

    QWidget *buildSelection();
    void filterChosen(const QString &filter);
    void showFilter(const QString &filter);
    void clientSearchTicked(bool ticked);
    void clientChosen(const QString &name);
    void rowClicked(int row);
    void actionTicked(int box);
    void actionUnticked();
    void act();
    void bill();
    void unbill();
    // Writes the billing columns of the selected row after the question.
    void write(const QString &title, const QString &question, const QString &sql, const QList<QVariant> &values,
               const QString &doneTitle, const QString &done);
    bool serviceSelected();

    void untickActions();
    void clearSelection();
    // Both boxes unticked, the selection cleared, no action.
    void dropAction();
    void lockClients(bool locked);

    Connection &m_connection;
    Messages &m_messages;
    DropDown *m_filter; // Cbo6
    TickBox *m_clientSearch; // C12
    DropDown *m_clients; // Cbo7
    DropDown *m_otherClients = nullptr;
    QLabel *m_clientId; // L6
    QLineEdit *m_serviceId; // T20
    // The picked service as the list showed it: billed or unbilled only
    // while it is still so.
    RowVersion m_picked;
    QLineEdit *m_client; // T18
    DateField *m_date; // D4
    QLineEdit *m_billNumber; // T19
    QLabel *m_mode; // L5
    ActionTicks *m_ticks; // C10, C11
    QPushButton *m_action; // Cmd10
    GridList *m_list; // ListView5
};
