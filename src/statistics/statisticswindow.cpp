#include "statisticswindow.h"

#include "periodfields.h"
#include "periodstatements.h"
#include "filterpanel.h"
#include "groupedreportwindow.h"
#include "printrules.h"
#include "reportqueries.h"
#include "reports/layouts.h"
#include "reports/reportdata.h"
#include "reportwindows/reportshow.h"
#include "store/recordset.h"
#include "ui/messages.h"
#include "ui/statuspanels.h"
#include "ui/storeguard.h"

#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

StatisticsWindow::StatisticsWindow(Connection &connection, Messages &messages, QWidget *parent)
    : SecondaryWindow(QStringLiteral("Form3"), QStringLiteral("Ricerca/Visualizza/Stampa"), parent), m_connection(connection),
      m_messages(messages), m_filters(new FilterPanel(connection, messages, this)), m_estratto(layouts::estratto),
      m_parcellati(layouts::reportParcellati)
{
    QAction *grouped = menuBar()->addAction(QStringLiteral("&Stampa Cumulativa"));
    grouped->setObjectName(QStringLiteral("StampaCumulativa"));
    connect(grouped, &QAction::triggered, this, &StatisticsWindow::openGroupedReports);
    QAction *statements = menuBar()->addAction(QStringLiteral("&Estratti del periodo..."));
    statements->setObjectName(QStringLiteral("EstrattiPeriodo"));
    connect(statements, &QAction::triggered, this,
            [this] { periodstatements::print(this, m_connection, m_messages, m_filters->values()); });

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(m_filters);
    layout->addStretch(1);
    setCentralWidget(central);
    resize(560, 330);

    connect(m_filters->print(), &QPushButton::clicked, this, &StatisticsWindow::print);
    connect(this, &ProgramWindow::activated, this, [this] {
        status()->startClock();
        m_filters->show();
        m_filters->reset();
        m_filters->fillOperators();
    });
}

StatisticsWindow::~StatisticsWindow() = default;

void StatisticsWindow::print()
{
    for (const printrules::Rule &rule : printrules::all()) {
        if (printrules::matches(rule.when, m_filters->values())) {
            run(rule);
            return;
        }
    }
}

void StatisticsWindow::run(const printrules::Rule &rule)
{
    for (FilterAction action : rule.before)
        m_filters->apply(action);
    showQuery(rule.query, m_filters->values());
    for (FilterAction action : rule.after)
        m_filters->apply(action);
}

void StatisticsWindow::showQuery(int number, const FilterValues &values)
{
    const reportqueries::Query &query = reportqueries::query(number);
    const auto sql = reportqueries::sql(query, values);
    if (!sql) {
        periodfields::showInvalidDate(m_messages, this);
        return;
    }
    guarded(m_messages, this, [&] {
        Recordset services(m_connection, *sql);
        if (query.showsClientCode)
            m_messages.inform(this, QStringLiteral("Velmora"), reportqueries::clientNumber(values), Messages::Icon::None);
        LayoutSlot &slot = query.layout == reportqueries::Layout::Estratto ? m_estratto : m_parcellati;
        ReportLayout &layout = slot.forUse();
        for (const reportqueries::Caption &caption : query.captions)
            layout.setCaption(1, QLatin1String(caption.label), reportqueries::caption(caption, values));
        showReportModal(*this, m_messages, layout, ReportData(services.rows()));
        services.close();
    });
}

void StatisticsWindow::openGroupedReports()
{
    if (!m_groupedReports) {
        // A window of its own, not a child: disabling this one leaves it usable.
        m_groupedReports = std::make_unique<GroupedReportWindow>(m_connection, m_messages);
        connect(m_groupedReports.get(), &GroupedReportWindow::closed, this, [this] {
            setEnabled(true);
            raise();
            activateWindow();
            emit activated(); // back in this window: the filters start afresh
        });
    }
    m_groupedReports->show();
    m_groupedReports->raise();
    m_groupedReports->activateWindow();
    setEnabled(false);
}
