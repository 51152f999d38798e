// Mass billing on registers of 10,000, 100,000 and 1,000,000 services, two
// in three unbilled: the window's list fill, and "Registra" with 10,000 of
// them ticked (all of them on the smallest).
#include "benchmain.h"
#include "generatedstore.h"
#include "quietmessages.h"
#include "massbilling/bulkbilling.h"
#include "massbilling/massbillingwindow.h"
#include "ratioreporter.h"
#include "store/recordset.h"
#include "store/schema.h"
#include "store/sqlite/sqlfunctions.h"
#include "store/storefile.h"
#include "ui/datefield.h"
#include "ui/dropdown.h"
#include "ui/gridlist.h"

#include <QApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

struct Window
{
    explicit Window(Connection &connection) : store(connection)
    {
        window.show();
        // The window resets itself once it is on screen.
        while (month->count() == 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }

    Connection &store;
    QuietMessages messages;
    MassBillingWindow window{store, messages};
    GridList *list = window.findChild<GridList *>(QStringLiteral("ListView1"));
    DropDown *month = window.findChild<DropDown *>(QStringLiteral("Cbo2"));

    void chooseAll()
    {
        month->setCurrentIndex(1);
        emit month->activated(1);
    }
};

Connection &sized(const benchmark::State &state)
{
    return GeneratedStore::sized(int(state.range(0))).connection();
}

void MassBillingFill(benchmark::State &state)
{
    Window w(sized(state));
    for (auto _ : state) {
        w.chooseAll();
        w.list->repaint();
        benchmark::DoNotOptimize(w.list->count());
    }
    state.counters["rows"] = w.list->count();
}

// Ticks the 10,000 oldest of the list, which the previous round billed and
// this one takes back first.
// The services a round billed, unbilled again: the store is shared by every
// run of the benchmark, and the smallest has fewer than 10,000 to bill.
void putBack(Window &w, const QList<qint64> &billed)
{
    if (billed.isEmpty())
        return;
    QStringList ids;
    for (qint64 id : billed)
        ids << QString::number(id);
    w.store.execute(
        QStringLiteral("UPDATE PRESTAZIONI SET PARC = 'N', DATAP = NULL WHERE ID IN (%1)").arg(ids.join(QLatin1Char(','))));
}

QList<qint64> tickTenThousand(Window &w, const QList<qint64> &previous)
{
    putBack(w, previous);
    w.chooseAll();
    QList<qint64> ticked;
    for (int row = std::max(0, w.list->count() - 10000); row < w.list->count(); ++row) {
        w.list->setChecked(row, true);
        ticked << w.list->rowText(row).toLongLong();
    }
    return ticked;
}

// The button as the user presses it: the billing, then the window's reset
// with its list refilled from the 40,000 services left unbilled.
void MassBillingRegister(benchmark::State &state)
{
    Window w(GeneratedStore::of(state).connection());
    QList<qint64> ticked;
    auto *date = w.window.findChild<DateField *>(QStringLiteral("D1"));
    auto *registerButton = w.window.findChild<QPushButton *>(QStringLiteral("Cmd2"));
    for (auto _ : state) {
        state.PauseTiming();
        ticked = tickTenThousand(w, ticked);
        w.window.findChild<QPushButton *>(QStringLiteral("Cmd1"))->click();
        date->setText(QStringLiteral("07/12/2026"));
        state.ResumeTiming();
        registerButton->click();
    }
    putBack(w, ticked);
}

// The billing alone, without the refill, on a copy of 100,000 services of
// its own, as the raw side has: the history the other benchmarks wrote
// into the shared store would weigh on one side only.
void BillTenThousand_Layer(benchmark::State &state)
{
    const auto copy = GeneratedStore::copy(100000, 10000);
    Window w(copy->connection());
    QList<qint64> ticked;
    for (auto _ : state) {
        state.PauseTiming();
        ticked = tickTenThousand(w, ticked);
        state.ResumeTiming();
        const int billed = billServices(w.store, ticked, QDate(2026, 12, 7)).run.services;
        state.counters["billed"] = billed;
    }
    putBack(w, ticked);
}

void rawRun(sqlite3 *raw, const QByteArray &sql)
{
    if (sqlite3_exec(raw, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("%s: %s", sql.constData(), sqlite3_errmsg(raw));
}

// The same UPDATE on the raw SQLCipher API, as the store writes it, with
// the store's own functions and settings, on a copy of the same store: one
// transaction, the same batches of the same 10,000 services; no billing
// run kept and no history written.
void BillTenThousand_Raw(benchmark::State &state)
{
    Window w(GeneratedStore::standard().connection());
    const auto copy = GeneratedStore::copy(100000, 10000);
    copy->connection().close();
    sqlite3 *raw = nullptr;
    sqlite3_open_v2(copy->path().toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    rawRun(raw, QByteArray("PRAGMA key = '") + storefile::password + "'");
    rawRun(raw, "PRAGMA cipher_page_size = 4096; PRAGMA cache_size = -65536; PRAGMA synchronous = EXTRA");
    sqlfunctions::install(raw);
    QList<qint64> ticked;
    for (auto _ : state) {
        state.PauseTiming();
        ticked = tickTenThousand(w, ticked);
        QStringList ids;
        for (qint64 id : ticked)
            ids << QString::number(id);
        rawRun(raw,
               "UPDATE PRESTAZIONI SET PARC = 'N', DATAP = NULL WHERE ID IN (" + ids.join(QLatin1Char(',')).toLatin1() + ")");
        state.ResumeTiming();
        rawRun(raw, "BEGIN IMMEDIATE");
        for (qsizetype from = 0; from < ids.size(); from += 500)
            rawRun(raw,
                   "UPDATE PRESTAZIONI NOT INDEXED SET DATAP = '2026-12-07', PARC = 'S' WHERE PARC = 'N' COLLATE "
                       + QByteArray(schema::textCollation) + " AND ID IN (" + ids.mid(from, 500).join(QLatin1Char(',')).toLatin1()
                       + ")");
        rawRun(raw, "COMMIT");
    }
    sqlite3_close_v2(raw);
    putBack(w, ticked);
}

}

BENCHMARK(MassBillingFill)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(MassBillingRegister)->Apply(GeneratedStore::onBothEngines)->Unit(benchmark::kMillisecond);
BENCHMARK(BillTenThousand_Layer)->Unit(benchmark::kMillisecond);
BENCHMARK(BillTenThousand_Raw)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    RatioReporter reporter;
    return runBenchmarks(
        argc, argv, [] {}, &reporter);
}
