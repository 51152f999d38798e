// The services report laid out from 10,000 and 100,000 services, and
// exported to PDF from 10,000; the statistics window's report of every
// client over a year; the cumulative report of a year.
#include "benchmain.h"
#include "generatedstore.h"
#include "reports/layouts.h"
#include "reports/paginator.h"
#include "reports/reportdata.h"
#include "reports/reportpainter.h"
#include "reports/shaping.h"
#include "statistics/reportqueries.h"
#include "store/recordset.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

std::shared_ptr<const ResultTable> services(int count)
{
    return Recordset(
               GeneratedStore::standard().connection(),
               QStringLiteral("SELECT DATAR ,CLIENTE ,CAUSALE ,IMPORTO  ,OPERATORE , PARC FROM PRESTAZIONI  WHERE  ID <= %1 "
                              "ORDER BY CLIENTE,DATAR,OPERATORE;")
                   .arg(count))
        .rows();
}

void PaginateReport(benchmark::State &state)
{
    const ReportLayout layout = layouts::report();
    const ReportData data(services(int(state.range(0))));
    int pages = 0;
    for (auto _ : state)
        pages = int(paginate(layout, data, QDate(2026, 12, 7)).pages.size());
    state.counters["pages"] = pages;
}

// The cumulative report for "Tutti" over one year: every client of the
// register is a parent, the year's services the children.
void GroupedReportOfAYear(benchmark::State &state)
{
    ReportLayout layout = layouts::drtTest();
    layout.setDataField(QStringLiteral("Section6"), QStringLiteral("Text1"), QStringLiteral("CLIENTE"));
    layout.setDataField(QStringLiteral("Section1"), QStringLiteral("Text4"), QStringLiteral("IMPORTO"));
    const QString command = QStringLiteral(
        "SHAPE {SELECT DISTINCT CLIENTE FROM PRESTAZIONI ORDER BY CLIENTE} APPEND ({SELECT * FROM PRESTAZIONI  WHERE "
        "(DATAR >= #01/01/2025# AND DATAR <= #12/31/2025#)  } AS Level2 RELATE CLIENTE to cliente )");
    int groups = 0;
    int pages = 0;
    for (auto _ : state) {
        const ReportData data = shaping::open(GeneratedStore::standard().connection(), command);
        groups = data.rows().rowCount();
        if (state.range(0))
            pages = int(paginate(layout, data, QDate(2026, 12, 7)).pages.size());
    }
    state.counters["groups"] = groups;
    state.counters["pages"] = pages;
}

// "Tutti", a year, state "TUTTI": the SQL as the window joins it.
const QString &aYearOfServices()
{
    static const QString sql = [] {
        FilterValues filters;
        filters.all = true;
        filters.state = QStringLiteral("TUTTI");
        filters.from = QStringLiteral("01/01/2025");
        filters.to = QStringLiteral("31/12/2025");
        return *reportqueries::sql(reportqueries::query(12), filters);
    }();
    return sql;
}

// The statistics window's report of a year: its rows and, with the
// argument 1, the report laid out.
void StatisticsReportOfAYear(benchmark::State &state)
{
    const ReportLayout layout = layouts::reportParcellati();
    int rows = 0;
    int pages = 0;
    for (auto _ : state) {
        const auto services = Recordset(GeneratedStore::standard().connection(), aYearOfServices()).rows();
        rows = services->rowCount();
        if (state.range(0))
            pages = int(paginate(layout, ReportData(services), QDate(2026, 12, 7)).pages.size());
    }
    state.counters["rows"] = rows;
    state.counters["pages"] = pages;
}

// The same year's report laid out, on registers of 10,000, 100,000 and
// 1,000,000 services (a year holds about a sixth of them).
void LayOutAYear(benchmark::State &state)
{
    const auto services = Recordset(GeneratedStore::sized(int(state.range(0))).connection(), aYearOfServices()).rows();
    const ReportLayout layout = layouts::reportParcellati();
    int pages = 0;
    for (auto _ : state)
        pages = int(paginate(layout, ReportData(services), QDate(2026, 12, 7)).pages.size());
    state.counters["rows"] = services->rowCount();
    state.counters["pages"] = pages;
}

void ExportReportPdf(benchmark::State &state)
{
    const ReportData data(services(10000));
    const PageModel model = paginate(layouts::report(), data, QDate(2026, 12, 7));
    QTemporaryDir dir;
    for (auto _ : state)
        reportpainter::exportPdf(model, dir.filePath(QStringLiteral("report.pdf")));
    state.counters["pages"] = double(model.pages.size());
}

}

BENCHMARK(PaginateReport)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(GroupedReportOfAYear)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(StatisticsReportOfAYear)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportReportPdf)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, [] {
        // Registered by hand: the name the results go by is also the layout class's.
        benchmark::RegisterBenchmark("ReportLayout", LayOutAYear)
            ->Arg(10000)
            ->Arg(100000)
            ->Arg(1000000)
            ->Unit(benchmark::kMillisecond);
    });
}
