#pragma once

#include "reports/layoutslot.h"
#include "ui/secondarywindow.h"

#include <memory>

class Connection;
class FilterPanel;
class GroupedReportWindow;
class Messages;
struct FilterValues;

namespace printrules {
struct Rule;
}

// "Ricerca/Visualizza/Stampa" (Form3): the services of one client, reason
// or operator, of a billing state and a period, previewed with their total.
// Its menu leads to the grouped reports, which keep it disabled while open.
class StatisticsWindow : public SecondaryWindow
{
    Q_OBJECT

public:
    StatisticsWindow(Connection &connection, Messages &messages, QWidget *parent = nullptr);
    ~StatisticsWindow() override;

    FilterPanel *filters() const { return m_filters; }

private:
    // The first rule that the filters meet, as they stand at its test, runs;
    // its preview's closing resets the filters, so no later rule can match.
    void print();
    void run(const printrules::Rule &rule);
    void showQuery(int number, const FilterValues &values);
    void openGroupedReports();

    Connection &m_connection;
    Messages &m_messages;
    FilterPanel *m_filters; // Frame2
    LayoutSlot m_estratto;
    LayoutSlot m_parcellati;
    std::unique_ptr<GroupedReportWindow> m_groupedReports; // Form4
};
