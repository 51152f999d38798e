// The store layer beside the same statements run on the raw SQLite API in the
// same process, on a generated store of 100,000 services and 10,000 clients.
#include "generatedstore.h"
#include "ratioreporter.h"
#include "store/dialect.h"
#include "store/recordset.h"
#include "store/postgres/postgresengine.h"
#include "store/sqlite/sqliteengine.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <libpq-fe.h>
#include <sqlite3.h>

namespace {

GeneratedStore &store()
{
    return GeneratedStore::standard();
}

const QString listFill = QStringLiteral("SELECT * FROM PRESTAZIONI ORDER BY DATAR DESC");
const QString lookupName = GeneratedStore::clientName(5003);

QString lookup()
{
    QString name = lookupName;
    return QStringLiteral("Select ID,SOGGetto From SOGGETTI WHERE SOGGETTO like '%1'").arg(name.replace("'", "''"));
}

// The raw baseline: prepare, step and read every column by its type.
int rawQuery(const QByteArray &sql)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(sqliteEngineOf(store().connection())->handle(), sql.constData(), -1, &stmt, nullptr);
    int rows = 0;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER:
                benchmark::DoNotOptimize(sqlite3_column_int64(stmt, c));
                break;
            case SQLITE_FLOAT:
                benchmark::DoNotOptimize(sqlite3_column_double(stmt, c));
                break;
            case SQLITE_TEXT:
                benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
                benchmark::DoNotOptimize(sqlite3_column_bytes(stmt, c));
                break;
            default:
                break;
            }
        }
        ++rows;
    }
    sqlite3_finalize(stmt);
    return rows;
}

void rawExecute(const char *sql, std::initializer_list<QByteArray> texts, qint64 id)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(sqliteEngineOf(store().connection())->handle(), sql, -1, &stmt, nullptr);
    int position = 1;
    for (const QByteArray &text : texts)
        sqlite3_bind_text(stmt, position++, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    if (id)
        sqlite3_bind_int64(stmt, position, id);
    sqlite3_step(stmt);
    sqlite3_finalize(stmt);
}

// The server's raw baseline: the whole result at once, every column read
// by its type as the layer reads it.
int rawServerQuery(PGconn *server, const QByteArray &sql)
{
    PGresult *result = PQexec(server, sql.constData());
    const int rows = PQntuples(result);
    const int columns = PQnfields(result);
    std::vector<char> wholeColumn(static_cast<size_t>(columns), 0);
    for (int c = 0; c < columns; ++c)
        wholeColumn[size_t(c)] = PQftype(result, c) == 20; // int8
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            if (PQgetisnull(result, r, c))
                continue;
            const char *text = PQgetvalue(result, r, c);
            if (wholeColumn[size_t(c)])
                benchmark::DoNotOptimize(std::strtoll(text, nullptr, 10));
            else
                benchmark::DoNotOptimize(PQgetlength(result, r, c));
        }
    PQclear(result);
    return rows;
}

// The full read: 0 the file, 1 the server.
GeneratedStore &storeOn(benchmark::State &state)
{
    return GeneratedStore::sized(100000, 0, state.range(0) == 1 ? GeneratedStore::Engine::Server : GeneratedStore::Engine::File);
}

void ListFill_Layer(benchmark::State &state)
{
    Connection &connection = storeOn(state).connection();
    for (auto _ : state) {
        Recordset rs(connection, listFill);
        benchmark::DoNotOptimize(rs.recordCount());
    }
}

void ListFill_Raw(benchmark::State &state)
{
    Connection &connection = storeOn(state).connection();
    const QByteArray sql = connection.translated(listFill);
    PostgresEngine *server = postgresEngineOf(connection);
    for (auto _ : state)
        benchmark::DoNotOptimize(server ? rawServerQuery(server->handle(), sql) : rawQuery(sql));
}

void LookupByName_Layer(benchmark::State &state)
{
    const QString sql = lookup();
    for (auto _ : state) {
        Recordset rs(store().connection(), sql);
        if (rs.recordCount() != 0)
            benchmark::DoNotOptimize(rs.fields(QStringLiteral("ID")).text());
    }
}

void LookupByName_Raw(benchmark::State &state)
{
    const QByteArray sql = dialect::translate(lookup(), sqlite::spelling());
    for (auto _ : state)
        benchmark::DoNotOptimize(rawQuery(sql));
}

// Searches the windows run on the whole register through the store's own
// text comparison: a contains-search (LIKE per row) and a sort by name.
void ContainsSearch_Layer(benchmark::State &state)
{
    for (auto _ : state) {
        Recordset rs(store().connection(), QStringLiteral("Select * From PRESTAZIONI WHERE [CLIENTE] like '%cantù 0%';"));
        benchmark::DoNotOptimize(rs.recordCount());
    }
}

void SortByName_Layer(benchmark::State &state)
{
    for (auto _ : state) {
        Recordset rs(store().connection(), QStringLiteral("Select DISTINCT CLIENTE From PRESTAZIONI ORDER BY CLIENTE "));
        benchmark::DoNotOptimize(rs.recordCount());
    }
}

void Insert_Layer(benchmark::State &state)
{
    for (auto _ : state) {
        Recordset rs(store().connection(), QStringLiteral("PRESTAZIONI"));
        rs.addNew();
        rs.setField(QStringLiteral("DATAR"), QStringLiteral("06/12/2026"));
        rs.setField(QStringLiteral("CLIENTE"), QStringLiteral("ROSSI 00001"));
        rs.setField(QStringLiteral("CAUSALE"), QStringLiteral("CONSULENZA 1"));
        rs.setField(QStringLiteral("QTA"), QStringLiteral("1"));
        rs.setField(QStringLiteral("IMPORTO"), QStringLiteral("1.234,50"));
        rs.setField(QStringLiteral("PARC"), QStringLiteral("N"));
        rs.update();
    }
}

void Insert_Raw(benchmark::State &state)
{
    for (auto _ : state)
        rawExecute("INSERT INTO PRESTAZIONI (DATAR, CLIENTE, CAUSALE, QTA, IMPORTO, PARC) VALUES (?, ?, ?, 1, 123450, ?)",
                   {"2026-12-06", "ROSSI 00001", "CONSULENZA 1", "N"}, 0);
}

void Update_Layer(benchmark::State &state)
{
    qint64 id = 1;
    for (auto _ : state) {
        Recordset rs(store().connection(), QStringLiteral("Select * from PRESTAZIONI where ID Like %1").arg(id++));
        if (rs.recordCount() != 0) {
            rs.setField(QStringLiteral("DATAP"), QStringLiteral("06/12/2026"));
            rs.setField(QStringLiteral("PARC"), QStringLiteral("S"));
            rs.setField(QStringLiteral("NR"), QStringLiteral("12"));
            rs.update();
        }
    }
}

void Update_Raw(benchmark::State &state)
{
    qint64 id = 50001;
    for (auto _ : state) {
        const QByteArray select = "SELECT * FROM PRESTAZIONI WHERE ID = " + QByteArray::number(id);
        if (rawQuery(select) != 0)
            rawExecute("UPDATE PRESTAZIONI SET DATAP = ?, PARC = ?, NR = ? WHERE ID = ?", {"2026-12-06", "S", "12"}, id);
        ++id;
    }
}

}

BENCHMARK(ListFill_Layer)->Arg(0)->Arg(1)->ArgName("server")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ListFill_Raw)->Arg(0)->Arg(1)->ArgName("server")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LookupByName_Layer)->Unit(benchmark::kMicrosecond);
BENCHMARK(LookupByName_Raw)->Unit(benchmark::kMicrosecond);
BENCHMARK(ContainsSearch_Layer)->Unit(benchmark::kMillisecond);
BENCHMARK(SortByName_Layer)->Unit(benchmark::kMillisecond);
BENCHMARK(Insert_Layer)->Unit(benchmark::kMicrosecond);
BENCHMARK(Insert_Raw)->Unit(benchmark::kMicrosecond);
BENCHMARK(Update_Layer)->Unit(benchmark::kMicrosecond);
BENCHMARK(Update_Raw)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    store();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
