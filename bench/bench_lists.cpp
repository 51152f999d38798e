// Filling a grid list with the 100,000 services of a generated store, as the
// search list does: the query, the rows handed to the list, the first paint.
#include "generatedstore.h"
#include "store/recordset.h"
#include "ui/gridlist.h"
#include "ui/resultrows.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

GeneratedStore &store()
{
    return GeneratedStore::standard();
}

void SearchListFill(benchmark::State &state)
{
    GridList list;
    list.resize(1200, 700);
    list.show();
    QList<GridColumn> columns;
    for (int i = 0; i < 20; ++i)
        columns.append({QStringLiteral("C%1").arg(i), 800});
    const QHash<int, ResultRows::Format> amount{{13, [](const Field &f) { return f.toMoney().plainText(); }}};
    for (auto _ : state) {
        Recordset rs(store().connection(), QStringLiteral("SELECT * FROM PRESTAZIONI  ORDER BY DATAR DESC  ;"));
        list.setColumns(columns);
        list.setRows(std::make_shared<ResultRows>(rs.rows(), amount));
        list.setBoldColumns({13});
        rs.close();
        list.repaint();
        benchmark::DoNotOptimize(list.count());
    }
}

}

BENCHMARK(SearchListFill)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    store();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
