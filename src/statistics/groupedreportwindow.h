#pragma once

#include "reports/layoutslot.h"
#include "ui/programwindow.h"

class Connection;
struct GroupedChoice;
class DateField;
class DropDown;
class Messages;
class TickBox;

// The cumulative report (Form4): the services of a period grouped by
// client with a total per client, of the unbilled, the billed or all
// services. Its previews stay open beside it.
class GroupedReportWindow : public ProgramWindow
{
    Q_OBJECT

public:
    GroupedReportWindow(Connection &connection, Messages &messages, QWidget *parent = nullptr);

signals:
    // "&Chiudi": the statistics window is usable again.
    void closed();

private:
    void print();
    void showReport(const GroupedChoice &choice);

    Connection &m_connection;
    Messages &m_messages;
    DropDown *m_choice; // Cbo1
    DateField *m_from; // D3
    DateField *m_to; // D4
    TickBox *m_today; // C11
    LayoutSlot m_layout;
};
