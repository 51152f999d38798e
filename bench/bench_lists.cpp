// The service lists and the editor's save on generated stores, as the user
// meets them: the query, the rows handed to the list, the first paint; a
// service checked, asked for and written. The benchmarks named with a
// number of services run at 10,000, 100,000 and 1,000,000.
#include "clients/clienteditor.h"
#include "clients/clientfields.h"
#include "clients/clientlistpanel.h"
#include "benchmain.h"
#include "generatedstore.h"
#include "quietmessages.h"
#include "records/anomalies.h"
#include "register/serviceeditor.h"
#include "register/servicefields.h"
#include "register/servicelists.h"
#include "records/servicerecords.h"
#include "ui/datefield.h"
#include "ui/dropdown.h"
#include "ui/gridlist.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

GeneratedStore &store()
{
    return GeneratedStore::standard();
}

// Every question answered Yes, every notice taken.
GeneratedStore &sized(benchmark::State &state)
{
    return GeneratedStore::of(state);
}

void fill(benchmark::State &state, ServiceFill which)
{
    GridList list;
    list.resize(1200, 700);
    list.show();
    Connection &connection = sized(state).connection();
    for (auto _ : state) {
        // Read whole, as the first fill is: a fill again of an unchanged
        // list takes the keys it has.
        state.PauseTiming();
        list.clear();
        state.ResumeTiming();
        fillServiceList(list, connection, which);
        list.repaint();
        benchmark::DoNotOptimize(list.count());
    }
    state.counters["rows"] = list.count();
}

void SearchListFill(benchmark::State &state)
{
    fill(state, ServiceFill::SearchAll);
}

void ShortListFill(benchmark::State &state)
{
    fill(state, ServiceFill::NewestFirst);
}

// The search list "Tutti" sorted by a header's click, to its first paint:
// by client (an indexed column) and by amount (none).
void SearchListSort(benchmark::State &state)
{
    GridList list;
    list.resize(1200, 700);
    list.show();
    fillServiceList(list, sized(state).connection(), ServiceFill::SearchAll);
    const int column = state.range(2) == 0 ? 7 : 13;
    for (auto _ : state) {
        list.sortBy(column);
        list.repaint();
        benchmark::DoNotOptimize(list.count());
    }
}

// The search list "Tutti" kept to a client's name typed in its "Cerca",
// to the first paint of what it found.
void SearchListFind(benchmark::State &state)
{
    GridList list;
    list.resize(1200, 700);
    list.show();
    fillServiceList(list, sized(state).connection(), ServiceFill::SearchAll);
    const QString name = GeneratedStore::clientName(17);
    int round = 0;
    for (auto _ : state) {
        list.findRows(++round % 2 ? name : name.left(name.size() - 1));
        list.repaint();
        benchmark::DoNotOptimize(list.count());
    }
    state.counters["rows"] = list.count();
}

ServiceEntry typicalService()
{
    ServiceEntry entry;
    entry.date = QStringLiteral("07/12/2026");
    entry.client = GeneratedStore::clientName(17);
    entry.clientId = QStringLiteral("18");
    entry.reason = QStringLiteral("CONSULENZA");
    entry.reasonId = QStringLiteral("1");
    entry.cost = QStringLiteral("€ 45,00");
    entry.operatorName = QStringLiteral("ROSSI");
    entry.operatorId = QStringLiteral("1");
    entry.quantity = QStringLiteral("2");
    entry.amount = QStringLiteral("90,00");
    entry.notes = QStringLiteral("PRATICA ANNUALE");
    return entry;
}

// The write alone: one row added in its own transaction.
void ServiceInsert(benchmark::State &state)
{
    const ServiceEntry entry = typicalService();
    for (auto _ : state)
        servicerecords::insert(store().connection(), entry);
}

// "Inserisci" in the editor: checks, total, question, write, success; then
// the editor is cleared and its list refilled with every service.
void EditorInsert(benchmark::State &state)
{
    QuietMessages messages(true);
    ServiceEditor editor(sized(state).connection(), messages);
    // Opened as "Inserisci" opens it: its lists are there before the first
    // insert.
    editor.show();
    editor.clear();
    editor.fillPickLists();
    editor.setAction(QStringLiteral("Inserisci"));
    editor.fillNewestFirst();
    ServiceFields *f = editor.fields();
    const ServiceEntry entry = typicalService();
    for (auto _ : state) {
        state.PauseTiming();
        f->date()->setText(entry.date);
        f->client()->setText(entry.client);
        f->clientId()->setText(entry.clientId);
        f->reason()->setText(entry.reason);
        f->reasonId()->setText(entry.reasonId);
        f->cost()->setText(entry.cost);
        f->operatorList()->setText(entry.operatorName);
        f->operatorId()->setText(entry.operatorId);
        f->amount()->setText(QStringLiteral("45,00"));
        f->quantity()->setText(entry.quantity);
        state.ResumeTiming();
        editor.findChild<QPushButton *>(QStringLiteral("Cmd1"))->click();
    }
}

// The client window's list of all active clients (9,000 of the 10,000).
// The check at every activation of the main window, with none or with the
// given number of services that lost their operator link.
void AnomalyCheck(benchmark::State &state)
{
    Connection &connection = store().connection();
    const auto setLinks = [&](const QString &value) {
        connection.execute(QStringLiteral("UPDATE PRESTAZIONI SET ID_OPER = %1 WHERE ID % %2 = 0")
                               .arg(value)
                               .arg(100000 / std::max<qint64>(state.range(0), 1)));
    };
    if (state.range(0) > 0)
        setLinks(QStringLiteral("NULL"));
    for (auto _ : state)
        benchmark::DoNotOptimize(anomalies::exist(connection));
    if (state.range(0) > 0)
        setLinks(QStringLiteral("1"));
}

void ActiveClientsList(benchmark::State &state)
{
    ClientListPanel panel(store().connection());
    panel.resize(1100, 600);
    panel.show();
    for (auto _ : state) {
        panel.listActiveClients();
        panel.repaint();
    }
    state.counters["rows"] = panel.list()->count();
}

// Picking a residence municipality: province and postal code looked up.
void MunicipalityLookup(benchmark::State &state)
{
    QuietMessages messages(true);
    ClientEditor editor(store().connection(), messages);
    editor.loadComuni();
    DropDown *residence = editor.fields()->residence();
    const int index = residence->findText(QStringLiteral("L'AQUILA"));
    for (auto _ : state) {
        residence->setCurrentIndex(index);
        emit residence->activated(index);
    }
    if (editor.fields()->postalCode()->text() != QLatin1String("67100"))
        state.SkipWithError("lookup found nothing");
}

}

BENCHMARK(AnomalyCheck)->Arg(0)->Arg(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(ActiveClientsList)->Unit(benchmark::kMillisecond);
BENCHMARK(MunicipalityLookup)->Unit(benchmark::kMicrosecond);
BENCHMARK(SearchListFill)->Apply(GeneratedStore::onBothEngines)->Unit(benchmark::kMillisecond);
BENCHMARK(ShortListFill)->Apply(GeneratedStore::onBothEngines)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchListSort)
    ->ArgsProduct({{100000, 1000000}, {0}, {0, 1}})
    ->ArgNames({"servizi", "server", "importo"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SearchListFind)->ArgsProduct({{100000, 1000000}, {0}})->ArgNames({"servizi", "server"})->Unit(benchmark::kMillisecond);
BENCHMARK(ServiceInsert)->Unit(benchmark::kMillisecond);
BENCHMARK(EditorInsert)->Apply(GeneratedStore::onBothEngines)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, [] {});
}
