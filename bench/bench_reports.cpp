// The services report laid out from 10,000 and 100,000 services, and
// exported to PDF from 10,000.
#include "benchmain.h"
#include "generatedstore.h"
#include "reports/layouts.h"
#include "reports/paginator.h"
#include "reports/reportdata.h"
#include "reports/reportpainter.h"
#include "store/recordset.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

std::shared_ptr<const ResultTable> services(int count)
{
    return Recordset(GeneratedStore::standard().connection(),
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

void ExportReportPdf(benchmark::State &state)
{
    const ReportData data(services(10000));
    const PageModel model = paginate(layouts::report(), data, QDate(2026, 12, 7));
    QTemporaryDir dir;
    for (auto _ : state)
        reportpainter::exportPdf(model, dir.filePath(QStringLiteral("report.pdf")));
    state.counters["pages"] = model.pages.size();
}

}

BENCHMARK(PaginateReport)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportReportPdf)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, [] { GeneratedStore::standard(); });
}
