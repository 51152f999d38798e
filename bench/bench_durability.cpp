// What a durable commit costs: the same writes under the store's former
// setting (rollback journal, synchronous=FULL: the journal's deletion is not
// synced), the store's setting (synchronous=EXTRA) and the alternative
// considered (WAL with synchronous=FULL). Argument: 0, 1, 2 in that order.
#include "benchmain.h"
#include "generatedstore.h"
#include "store/recordset.h"
#include "store/transaction.h"

#include <map>
#include <memory>

namespace {

const char *const settings[][2] = {
    {"PRAGMA journal_mode = DELETE", "PRAGMA synchronous = FULL"},
    {"PRAGMA journal_mode = DELETE", "PRAGMA synchronous = EXTRA"},
    {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = FULL"},
};

// One store of 20,000 services per setting, made once.
Connection &storeUnder(int setting)
{
    static std::map<int, std::unique_ptr<GeneratedStore>> stores;
    auto &store = stores[setting];
    if (!store) {
        store = GeneratedStore::copy(20000, 1000);
        for (const char *pragma : settings[setting])
            Recordset(store->connection(), QString::fromLatin1(pragma));
    }
    return store->connection();
}

void DurableInsert(benchmark::State &state)
{
    Connection &connection = storeUnder(int(state.range(0)));
    for (auto _ : state) {
        Recordset rs(connection, QStringLiteral("PRESTAZIONI"));
        rs.addNew();
        rs.setField(QStringLiteral("DATAR"), QStringLiteral("06/12/2026"));
        rs.setField(QStringLiteral("CLIENTE"), QStringLiteral("ROSSI 00001"));
        rs.setField(QStringLiteral("IMPORTO"), QStringLiteral("1.234,50"));
        rs.setField(QStringLiteral("PARC"), QStringLiteral("N"));
        rs.update();
    }
}

void DurableUpdate(benchmark::State &state)
{
    Connection &connection = storeUnder(int(state.range(0)));
    qint64 id = 1;
    for (auto _ : state)
        connection.execute(QStringLiteral("UPDATE PRESTAZIONI SET DATAP = ?, PARC = 'S', NR = '12' WHERE ID = ?"),
                           {QDate(2026, 12, 6), id++ % 20000 + 1});
}

// A mass billing's commit: 10,000 rows in one transaction.
void DurableBilling(benchmark::State &state)
{
    Connection &connection = storeUnder(int(state.range(0)));
    int day = 1;
    for (auto _ : state) {
        const QDate date(2026, 1, day++ % 28 + 1);
        Transaction transaction(connection);
        for (qint64 id = 1; id <= 10000; ++id)
            connection.execute(QStringLiteral("UPDATE PRESTAZIONI SET DATAP = ?, PARC = 'S' WHERE ID = ?"), {date, id});
        transaction.commit();
    }
}

}

BENCHMARK(DurableInsert)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(DurableUpdate)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(DurableBilling)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, [] {});
}
