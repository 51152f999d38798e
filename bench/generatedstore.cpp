#include "generatedstore.h"

#include "store/postgres/serverarchive.h"
#include "store/recordset.h"
#include "store/statement.h"
#include "store/storefile.h"
#include "store/transaction.h"
#include "store/valueconversion.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <map>
#include <memory>
#include <tuple>

namespace {

const char *surnames[] = {"ROSSI",  "BIANCHI", "D'ANGELO", "ESPOSITO", "CANTÙ", "ROMANO",  "COLOMBO", "RICCI",
                          "MARINO", "GRECO",   "BRUNO",    "GALLO",    "CONTI", "DE LUCA", "MANCINI", "COSTA"};

// The generator's version is in the cached file's name: a change to what
// it makes builds the stores again.
constexpr int Generation = 3;

QString cachedPath(int services, int clients)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/velmora-bench");
    QDir().mkpath(folder);
    return QStringLiteral("%1/servizi-%2-clienti-%3-v%4.db").arg(folder).arg(services).arg(clients).arg(Generation);
}

}

QString GeneratedStore::clientName(int i)
{
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(surnames[i % 16])).arg(i, 5, 10, QLatin1Char('0'));
}

GeneratedStore &GeneratedStore::sized(int services, int clients, Engine engine)
{
    if (clients == 0)
        clients = services >= 1000000 ? 50000 : 10000;
    static std::map<std::tuple<int, int, Engine>, std::unique_ptr<GeneratedStore>> stores;
    auto &store = stores[{services, clients, engine}];
    if (!store)
        store = copy(services, clients, engine);
    return *store;
}

GeneratedStore &GeneratedStore::of(benchmark::State &state)
{
    bool server = state.range(1) == 1;
    if (server && qEnvironmentVariableIsEmpty("VELMORA_BENCH_SERVER")) {
        state.SkipWithError("VELMORA_BENCH_SERVER is not set");
        server = false;
    }
    return sized(int(state.range(0)), 0, server ? Engine::Server : Engine::File);
}

void GeneratedStore::onBothEngines(benchmark::internal::Benchmark *benchmark)
{
    benchmark->ArgsProduct({{10000, 100000, 1000000}, {0, 1}})->ArgNames({"servizi", "server"});
}

std::unique_ptr<GeneratedStore> GeneratedStore::copy(int services, int clients, Engine engine)
{
    return std::unique_ptr<GeneratedStore>(new GeneratedStore(services, clients, engine));
}

GeneratedStore::GeneratedStore(int services, int clients, Engine engine) : m_clients(clients)
{
    const QString cached = cachedPath(services, clients);
    if (!QFile::exists(cached)) {
        const QString building = cached + QStringLiteral(".nuovo");
        QFile::remove(building);
        build(building, services, clients);
        QFile::rename(building, cached);
    }
    QFile::copy(cached, path());
    storefile::openOrCreate(m_connection, path());
    if (engine == Engine::File)
        return;
    const QString server = qEnvironmentVariable("VELMORA_BENCH_SERVER");
    if (server.isEmpty())
        qFatal("VELMORA_BENCH_SERVER is not set: the server's benchmarks need a server");
    m_database = QStringLiteral("velmora_bench_%1_%2_%3").arg(services).arg(clients).arg(QCoreApplication::applicationPid());
    Connection admin;
    admin.openServer(server + QStringLiteral(" dbname=postgres"), {}, {}, Connection::Prepared::NotYet);
    admin.execute(QStringLiteral("CREATE DATABASE %1").arg(m_database));
    Connection archive;
    archive.openServer(server + QStringLiteral(" dbname=") + m_database, {}, {}, Connection::Prepared::NotYet);
    if (!serverarchive::importStore(m_connection, archive).committed)
        qFatal("the generated store did not reach the server whole");
    archive.execute(QStringLiteral("ANALYZE"));
    m_connection.openServer(server + QStringLiteral(" dbname=") + m_database);
}

GeneratedStore::~GeneratedStore()
{
    m_connection.close();
    if (m_database.isEmpty())
        return;
    Connection admin;
    admin.openServer(qEnvironmentVariable("VELMORA_BENCH_SERVER") + QStringLiteral(" dbname=postgres"), {}, {},
                     Connection::Prepared::NotYet);
    admin.execute(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_database));
}

void GeneratedStore::build(const QString &path, int services, int clients)
{
    Connection connection;
    storefile::openOrCreate(connection, path);
    QRandomGenerator random(7315);
    Transaction transaction(connection);
    for (int i = 0; i < clients; ++i) {
        Recordset rs(connection, QStringLiteral("SOGGETTI"));
        rs.addNew();
        rs.setField(QStringLiteral("Stato"), i % 10 ? QStringLiteral("S") : QStringLiteral("N"));
        rs.setField(QStringLiteral("Soggetto"), clientName(i));
        rs.setField(QStringLiteral("ComuneR"), QStringLiteral("ROMA"));
        rs.setField(QStringLiteral("Codice"), QStringLiteral("RSSMRA80A01H501%1").arg(i % 10));
        rs.setField(QStringLiteral("Agg"), QDate(2026, 1, 1));
        rs.update();
    }
    for (int i = 0; i < 20; ++i)
        connection.execute(
            QStringLiteral("INSERT INTO CAUSALE (CAUSALE, IMPORTO) VALUES ('CONSULENZA %1', %2)").arg(i).arg(1000 + i * 250));
    for (int i = 0; i < 5; ++i)
        connection.execute(QStringLiteral("INSERT INTO OPERATORE (OPERATORE) VALUES ('OPERATORE %1')").arg(i));
    // The services go in through one prepared statement: a million rows
    // through the recordset would take minutes.
    Statement insert(connection,
                     "INSERT INTO PRESTAZIONI (DATAR, ANNO, MESE, ID_CL, ID_OPER, ID_CAUS, CLIENTE, CAUSALE, QTA, IMPORTO, "
                     "OPERATORE, PARC, NOTE, AGG) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const auto text = [](const QString &value) { return StoredValue::ofText(value.toUtf8()); };
    const QDate first(2021, 1, 1);
    for (int i = 0; i < services; ++i) {
        const QDate date = first.addDays(random.bounded(6 * 365));
        const int client = random.bounded(clients);
        const StoredValue day = StoredValue::ofText(isoDate(date));
        const StoredValue values[] = {
            day,
            StoredValue::ofInteger(date.year()),
            StoredValue::ofInteger(date.month()),
            StoredValue::ofInteger(client + 1),
            StoredValue::ofInteger(random.bounded(5) + 1),
            StoredValue::ofInteger(random.bounded(20) + 1),
            text(clientName(client)),
            text(QStringLiteral("CONSULENZA %1").arg(random.bounded(20))),
            StoredValue::ofInteger(1),
            StoredValue::ofInteger((random.bounded(900) + 10) * 100 + 50),
            text(QStringLiteral("OPERATORE %1").arg(random.bounded(5))),
            text(i % 3 ? QStringLiteral("N") : QStringLiteral("S")),
            text(QStringLiteral("PRESTAZIONE NUMERO %1").arg(i)),
            day,
        };
        for (int v = 0; v < int(std::size(values)); ++v)
            insert.bind(v + 1, values[v]);
        insert.run();
        insert.reset();
    }
    transaction.commit();
}

QString GeneratedStore::path() const
{
    return storefile::pathIn(m_dir.path());
}
