#include "archive/billingruns.h"
#include "massbilling/bulkbilling.h"
#include "records/anomalies.h"
#include "register/servicelists.h"
#include "scriptedmessages.h"
#include "startup/startup.h"
#include "statistics/reportqueries.h"
#include "store/postgres/serverarchive.h"
#include "store/recordset.h"
#include "store/schema.h"
#include "store/statement.h"
#include "store/storeerror.h"
#include "store/tablecopy.h"
#include "store/transaction.h"
#include "clirun.h"
#include "testenvironment.h"
#include "testserver.h"
#include "teststore.h"
#include "ui/gridlist.h"

#include <QLabel>
#include <QProcess>
#include <QStatusBar>
#include <QSysInfo>

#include <thread>

namespace {

// A database of the test server, gone with the case.
struct Database
{
    Database() : address(testserver::emptyDatabase(&name)) {}
    ~Database() { testserver::drop(name); }
    QString name;
    QString address;
};

// A prepared archive of the test server, gone with the case.
struct Archive
{
    Archive() : address(testserver::freshArchive(&name)) {}
    ~Archive() { testserver::drop(name); }
    QString name;
    QString address;
};

// An office's store: names that differ only by case or accent, a quote, and
// every service on a day of its own, so every list has one order.
void seed(TestStore &store)
{
    const QStringList names{"ROSSI", "Rossi", "Èrcole", "EVA", "d'Angelo", "DE LUCA", "cantù", "CANTU"};
    for (int i = 0; i < names.size(); ++i)
        store.add("SOGGETTI",
                  {{"Stato", i % 3 ? "S" : "N"}, {"Soggetto", names.at(i)}, {"Attivita", i % 2 ? "AVVOCATO" : "medico"}});
    store.add("CAUSALE", {{"CAUSALE", "VISITA"}, {"IMPORTO", "30"}});
    store.add("CAUSALE", {{"CAUSALE", "Consulenza"}, {"IMPORTO", "45,50"}});
    store.add("OPERATORE", {{"OPERATORE", "NERI"}});
    for (int i = 0; i < 60; ++i) {
        const QDate day = QDate(2025, 11, 1).addDays(i * 3);
        store.add("PRESTAZIONI",
                  {{"ANNO", day.year()},
                   {"MESE", day.month()},
                   {"ID_CL", i % 9 == 8 ? QVariant() : QVariant(i % 8 + 1)},
                   {"ID_CAUS", i % 2 + 1},
                   {"ID_OPER", 1},
                   {"DATAR", day.toString("dd/MM/yyyy")},
                   {"CLIENTE", names.at(i % 8)},
                   {"CAUSALE", i % 2 ? "Consulenza" : "VISITA"},
                   {"QTA", i % 4 ? "1" : "2,5"},
                   {"IMPORTO", QString::number(10 + i) + ",25"},
                   {"OPERATORE", "NERI"},
                   {"PARC", i % 3 ? "N" : "S"},
                   {"NR", i % 3 ? "" : QString::number(i)},
                   {"DATAP", i % 3 ? QVariant() : QVariant(day.addDays(1).toString("dd/MM/yyyy"))}});
    }
}

QStringList rowsOf(Connection &connection, const QString &sql)
{
    QStringList rows;
    for (Recordset rs(connection, sql); !rs.eof(); rs.moveNext()) {
        QStringList cells;
        for (int c = 0; c < rs.fieldCount(); ++c)
            cells << rs.fields(c).text();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList listed(Connection &connection, ServiceFill fill, const QString &client)
{
    GridList list;
    fillServiceList(list, connection, fill, client);
    QStringList rows;
    for (int r = 0; r < list.count(); ++r)
        rows << list.cells(r).join(QLatin1Char('|'));
    return rows;
}

}

// The archive on a PostgreSQL server, as an office sets it up with
// velmora-cli and works on it: the same rows as the store file, imports
// and restores that are checked before they count, and desks that may
// write rows but never change the tables.
class ServerTest : public QObject
{
    Q_OBJECT

private slots:
    void theWindowsStatementsGiveTheSameRowsOnBothEngines();
    void anImportIsCheckedAndOnlyOntoAnEmptyArchive();
    void desksWriteRowsButNeverChangeTables();
    void aRestoreWaitsForTheOtherDesks();
    void theProgramAsksWhoOpensTheArchive();
    void aConnectionLostIsToldAndTheNextActionReconnects();
    void twoDesksBillingTogetherBillEachServiceOnce();
    void desksAtWorkTogetherLoseNothing();
    void anArchiveOfThePreviousVersionIsUpgraded();
    void anArchiveOfVersionFiveGetsTheHistoryOfEachStatement();

private:
    void prepareWithDesk(Database &database);
};

void ServerTest::theWindowsStatementsGiveTheSameRowsOnBothEngines()
{
    TestStore file;
    seed(file);
    Database database;
    const CliRun imported = runCli({"server", "importa", "--archivio", file.path(), database.address});
    QVERIFY2(imported.status == 0, qPrintable(imported.err));
    Connection server;
    server.openServer(database.address);

    QStringList statements{
        anomalies::statement(),
        "SELECT * FROM SOGGETTI WHERE STATO LIKE 'S' ORDER BY Soggetto",
        "Select DISTINCT ATTIVITA From SOGGETTI ORDER BY ATTIVITA",
        "Select * From SOGGETTI WHERE [Soggetto] like '%ANT%' ORDER BY ID",
        "SELECT CODICE,PIVA FROM Soggetti WHERE SOGGETTO = 'rossi' ORDER BY ID",
        "Select * From DATI WHERE [COMUNE] = 'cantù'",
        "SELECT count(*), total(IMPORTO), sum(QTA) FROM PRESTAZIONI WHERE PARC = 'N'",
        "SELECT NR, min(DATAP) FROM PRESTAZIONI WHERE PARC = 'S' GROUP BY NR ORDER BY min(DATAP), CAST(NR AS INTEGER), NR"};
    FilterValues filters{"ROSSI", "VISITA", "TUTTI", "NERI", "01/12/2025", "30/06/2026", false, "1", "1", "1"};
    for (int rule = 1; rule <= 18; ++rule)
        if (const auto sql = reportqueries::sql(reportqueries::query(rule), filters))
            statements << *sql;
    for (const QString &sql : statements) {
        const QStringList expected = rowsOf(file.connection(), sql);
        QCOMPARE(rowsOf(server, sql), expected);
    }
    for (int fill = int(ServiceFill::NewestFirst); fill <= int(ServiceFill::BillingClientUnbilled); ++fill)
        QCOMPARE(listed(server, ServiceFill(fill), "1"), listed(file.connection(), ServiceFill(fill), "1"));
}

void ServerTest::anImportIsCheckedAndOnlyOntoAnEmptyArchive()
{
    TestStore file;
    seed(file);
    schema::ensureInvoiceTables(file.connection());
    file.connection().execute("INSERT INTO STUDIO (DENOMINAZIONE) VALUES ('STUDIO ROSSI')");
    Database database;
    const CliRun imported = runCli({"server", "importa", "--archivio", file.path(), database.address});
    QCOMPARE(imported.status, 0);
    for (const char *table : {"PRESTAZIONI ", "SOGGETTI ", "STUDIO ", "DATI "})
        QVERIFY2(imported.out.contains(
                     QRegularExpression(QString("^%1.*: uguale sul server$").arg(table), QRegularExpression::MultilineOption)),
                 qPrintable(imported.out));
    QVERIFY(imported.out.contains("PRESTAZIONI          60 righe, importi € 2.385,00, ID 1-60"));

    Connection server;
    server.openServer(database.address);
    const QStringList tables = file.connection().tableNames();
    QCOMPARE(tablecopy::figuresOf(server, tables), tablecopy::figuresOf(file.connection(), tables));
    // New rows come after the IDs brought over.
    server.execute("INSERT INTO PRESTAZIONI (CLIENTE) VALUES ('NUOVO')");
    QCOMPARE(server.lastInsertId(), 61);

    // A second import is refused whole: the archive is no longer empty.
    const CliRun again = runCli({"server", "importa", "--archivio", file.path(), database.address, "--forza"});
    QCOMPARE(again.status, 1);
    QVERIFY2(again.err.contains("contiene già dei dati"), qPrintable(again.err));
    QCOMPARE(Recordset(server, "SELECT count(*) FROM PRESTAZIONI").fields(0).toInteger(), 61);
}

void ServerTest::prepareWithDesk(Database &database)
{
    const CliRun prepared = runCli({"server", "prepara", database.address});
    QVERIFY2(prepared.status == 0, qPrintable(prepared.err));
    QVERIFY(prepared.out.contains(database.name + "_postazioni"));
    const CliRun desk = runCli({"server", "utente", "mrossi", database.address}, "segreta123\n");
    QVERIFY2(desk.status == 0, qPrintable(desk.err));
}

void ServerTest::desksWriteRowsButNeverChangeTables()
{
    Database database;
    prepareWithDesk(database);
    QVERIFY_THROWS_EXCEPTION(StoreError, Connection().openServer(database.address + " user=mrossi", "mrossi", "sbagliata"));
    // An archive of another version is told, not worked on.
    Connection owner;
    owner.openServer(database.address);
    owner.execute("UPDATE velmora_stato SET versione_schema = versione_schema + 1");
    try {
        Connection().openServer(database.address);
        QFAIL("an archive of a later version was opened");
    } catch (const StoreError &error) {
        QVERIFY2(error.message().contains("versione più recente"), qPrintable(error.message()));
    }
    owner.execute("UPDATE velmora_stato SET versione_schema = versione_schema - 1");
    Connection desk;
    desk.openServer(database.address + " user=mrossi", "mrossi", "segreta123");
    QCOMPARE(Recordset(desk, "SELECT count(*) FROM DATI").fields(0).toInteger(), 7901);
    desk.execute("INSERT INTO CAUSALE (CAUSALE, IMPORTO) VALUES ('VISITA', 3000)");
    QCOMPARE(desk.lastInsertId(), 1);
    // The history names the desk's login, and the desk cannot rewrite it.
    QCOMPARE(rowsOf(desk, "SELECT CHI & ' ' & AZIONE & ' ' & TABELLA FROM STORIA"), QStringList{"mrossi INSERIMENTO CAUSALE"});
    // A change keeps the columns it changed; one that writes what was there is none.
    desk.execute("UPDATE CAUSALE SET IMPORTO = 3000, CAUSALE = 'VISITA'");
    desk.execute("UPDATE CAUSALE SET IMPORTO = 3500");
    QCOMPARE(rowsOf(desk, "SELECT PRIMA & ' ' & DOPO FROM STORIA WHERE AZIONE = 'MODIFICA'"),
             QStringList{R"({"importo": 3000} {"importo": 3500})"});
    for (const char *change :
         {"CREATE TABLE ALTRA (X TEXT)", "DROP TABLE PRESTAZIONI", "TRUNCATE CAUSALE", "ALTER TABLE CAUSALE ADD COLUMN X TEXT",
          "UPDATE STORIA SET CHI = 'nessuno'", "DELETE FROM STORIA", "ALTER TABLE CAUSALE DISABLE TRIGGER storia",
          "ALTER TABLE CAUSALE DISABLE TRIGGER storia_modifiche"}) {
        try {
            desk.execute(change);
            QFAIL(change);
        } catch (const StoreError &error) {
            QVERIFY2(error.code() == "42501", qPrintable(error.message()));
        }
    }
    QCOMPARE(Recordset(desk, "SELECT count(*) FROM CAUSALE").fields(0).toInteger(), 1);
}

void ServerTest::aRestoreWaitsForTheOtherDesks()
{
    TestStore copy;
    seed(copy);
    Database database;
    prepareWithDesk(database);
    Connection desk;
    desk.openServer(database.address + " user=mrossi", "mrossi", "segreta123");
    desk.execute("INSERT INTO OPERATORE (OPERATORE) VALUES ('DI OGGI')");

    const CliRun refused = runCli({"server", "ripristina", copy.path(), database.address});
    QCOMPARE(refused.status, 1);
    QVERIFY2(refused.err.contains("mrossi (" + QSysInfo::machineHostName() + ")"), qPrintable(refused.err));
    QCOMPARE(Recordset(desk, "SELECT OPERATORE FROM OPERATORE").fields(0).text(), QString("DI OGGI"));

    // Another job holding the archive refuses it, forced or not; its lock
    // goes with its session.
    {
        Connection job;
        job.openServer(database.address);
        serverarchive::ExclusiveJob held(job, serverarchive::ExclusiveJob::Others::Allowed);
        const CliRun busy = runCli({"server", "ripristina", copy.path(), database.address, "--forza"});
        QCOMPARE(busy.status, 1);
        QVERIFY2(busy.err.contains("un altro ripristino o importazione"), qPrintable(busy.err));
    }
    const CliRun forced = runCli({"server", "ripristina", copy.path(), database.address, "--forza"});
    QVERIFY2(forced.status == 0, qPrintable(forced.err));
    QCOMPARE(rowsOf(desk, "SELECT OPERATORE FROM OPERATORE"), QStringList{"NERI"});
    QCOMPARE(Recordset(desk, "SELECT count(*) FROM PRESTAZIONI").fields(0).toInteger(), 60);
}

void ServerTest::theProgramAsksWhoOpensTheArchive()
{
    Database database;
    prepareWithDesk(database);
    ScriptedMessages messages;
    messages.logIn({"mrossi", "sbagliata"});
    messages.logIn({"mrossi", "segreta123"});
    const QString archive = database.address + " user=mrossi";
    Startup startup(messages, archive);
    QVERIFY(startup.begin());
    QCOMPARE(messages.shown().size(), 2);
    QCOMPARE(messages.shown().first().title, QString("Velmora - ACCESSO ALL'ARCHIVIO"));
    QVERIFY(messages.shown().last().text.endsWith("Utente o password non corretti."));
    QCOMPARE(startup.mainWindow().statusBar()->findChild<QLabel *>("Archivio")->text(), "Archivio sul server: " + archive);
    startup.connection().execute("INSERT INTO OPERATORE (OPERATORE) VALUES ('BIANCHI')");
}

void ServerTest::aConnectionLostIsToldAndTheNextActionReconnects()
{
    QString name;
    Connection archive;
    archive.openServer(testserver::freshArchive(&name));
    const auto cut = [&] {
        Connection admin;
        admin.openServer(testserver::address() + " dbname=postgres", {}, {}, Connection::Prepared::NotYet);
        admin.execute(QString("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '%1'").arg(name));
    };
    archive.execute("INSERT INTO OPERATORE (OPERATORE) VALUES ('PRIMA')");
    cut();
    try {
        archive.execute("INSERT INTO OPERATORE (OPERATORE) VALUES ('PERSA')");
        QFAIL("a statement on a lost connection was taken");
    } catch (const StoreError &error) {
        QVERIFY2(error.message().contains("si è interrotta") && error.message().contains("si ricollega"),
                 qPrintable(error.message()));
    }
    archive.execute("INSERT INTO OPERATORE (OPERATORE) VALUES ('DOPO')");

    // The line falls before the commit: the program asks the server and
    // says the change was not saved.
    {
        Transaction transaction(archive);
        archive.execute("INSERT INTO OPERATORE (OPERATORE) VALUES ('NELLA TRANSAZIONE')");
        cut();
        try {
            transaction.commit();
            QFAIL("a commit on a lost connection was reported as done");
        } catch (const StoreError &error) {
            QVERIFY2(error.message().contains("la modifica non è stata salvata"), qPrintable(error.message()));
        }
    }
    QCOMPARE(rowsOf(archive, "SELECT OPERATORE FROM OPERATORE ORDER BY ID"), QStringList({"PRIMA", "DOPO"}));
    archive.close();
    testserver::drop(name);
}

VELMORA_TEST_MAIN(ServerTest)
void ServerTest::twoDesksBillingTogetherBillEachServiceOnce()
{
    Archive archive;
    Connection first, second, watcher;
    for (Connection *desk : {&first, &second, &watcher})
        desk->openServer(archive.address);
    for (int i = 0; i < 10; ++i)
        first.execute("INSERT INTO PRESTAZIONI (ANNO, MESE, DATAR, CLIENTE, IMPORTO, PARC) VALUES (2026, 3, ?, 'ROSSI', ?, 'N')",
                      {QDate(2026, 3, 1 + i), 1000});
    const std::vector<qint64> keys = first.keysOf("SELECT ID FROM PRESTAZIONI ORDER BY ID");
    const QList<qint64> ids(keys.begin(), keys.end());

    // The first desk bills four of them, and has not committed yet when the
    // second bills all ten: the second waits for it.
    Transaction firstBilling(first);
    first.execute("UPDATE PRESTAZIONI SET PARC = 'S', DATAP = ? WHERE ID <= ?", {QDate(2026, 3, 31), ids.at(3)});
    BulkBilled billed;
    QString failed;
    std::thread secondDesk([&] {
        try {
            billed = billServices(second, ids, QDate(2026, 4, 1));
        } catch (const StoreError &error) {
            failed = error.message();
        }
    });
    QTRY_COMPARE(rowsOf(watcher,
                        "SELECT count(*) FROM pg_stat_activity WHERE wait_event_type = 'Lock' "
                        "AND datname = current_database()"),
                 QStringList{"1"});
    firstBilling.commit();
    secondDesk.join();
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    QCOMPARE(billed.billedElsewhere, 4);
    QCOMPARE(billed.run.services, 6);
    QCOMPARE(billed.run.totalCents, 6000);
    QCOMPARE(rowsOf(first, "SELECT DATAP, count(*) FROM PRESTAZIONI GROUP BY DATAP ORDER BY DATAP"),
             QStringList({"31/03/2026|4", "01/04/2026|6"}));
    // Undoing the second desk's run leaves the first desk's billing.
    QCOMPARE(billingruns::undo(second, billed.run.id).restored, 6);
    QCOMPARE(rowsOf(first, "SELECT PARC, count(*) FROM PRESTAZIONI GROUP BY PARC ORDER BY PARC"), QStringList({"N|6", "S|4"}));
}

// The load test, short: three desks colliding on the same rows.
void ServerTest::desksAtWorkTogetherLoseNothing()
{
    Archive archive;
    QProcess load;
    load.start(QStringLiteral(BENCH_DESKS),
               {"--postazioni", "3", "--operazioni", "150", "--prestazioni", "600", "--archivio", archive.address});
    QVERIFY(load.waitForFinished(120000));
    const QString out = QString::fromUtf8(load.readAllStandardOutput());
    QVERIFY2(load.exitCode() == 0, qPrintable(out + load.readAllStandardError()));
    QVERIFY2(out.contains("rifiuti_non_detti=0 accettate_mancanti=0 storia_mancante=0"), qPrintable(out));
    QVERIFY2(out.contains("aggiornamenti_persi=0 doppie_parcellazioni=0 progressivi_doppi=0 progressivi_mancanti=0"),
             qPrintable(out));
}

void ServerTest::anArchiveOfThePreviousVersionIsUpgraded()
{
    Archive archive;
    {
        // As the first version prepared it: no history, no clients' country.
        Connection owner;
        owner.openServer(archive.address);
        for (const char *step :
             {"DROP TABLE storia", "DROP FUNCTION velmora_storia() CASCADE", "DROP FUNCTION velmora_avviso() CASCADE",
              "DROP FUNCTION velmora_cambi(jsonb, jsonb)", "ALTER TABLE fe_clienti DROP COLUMN nazione",
              "DROP INDEX prestazioni_id_caus", "DROP TABLE importazioni_righe", "DROP TABLE importazioni",
              "UPDATE velmora_stato SET versione_schema = 1"})
            Statement(owner, QByteArray(step)).run();
    }
    try {
        Connection().openServer(archive.address);
        QFAIL("an archive of the previous version was opened");
    } catch (const StoreError &error) {
        QVERIFY2(error.message().contains("velmora-cli server aggiorna"), qPrintable(error.message()));
    }
    CliRun upgraded = runCli({"server", "aggiorna", archive.address});
    QVERIFY2(upgraded.status == 0, qPrintable(upgraded.err));
    QCOMPARE(upgraded.out, QString("archivio aggiornato dalla versione 1 alla 6\n"));
    Connection desk;
    desk.openServer(archive.address);
    desk.execute("INSERT INTO OPERATORE (OPERATORE) VALUES ('NERI')");
    QCOMPARE(rowsOf(desk, "SELECT AZIONE & ' ' & TABELLA FROM STORIA"), QStringList{"INSERIMENTO OPERATORE"});
    desk.execute("INSERT INTO FE_CLIENTI (ID_CL, NAZIONE) VALUES (1, 'DE')");
    QVERIFY(desk.engine().tablesAndIndexes().contains("PRESTAZIONI_ID_CAUS", Qt::CaseInsensitive));
    desk.execute("INSERT INTO IMPORTAZIONI (TABELLA) VALUES ('clienti')");
    // Again: nothing to do, and other desks at work refuse it unless forced.
    upgraded = runCli({"server", "aggiorna", archive.address});
    QCOMPARE(upgraded.status, 1);
    QVERIFY2(upgraded.err.contains("altre postazioni sono collegate"), qPrintable(upgraded.err));
    upgraded = runCli({"server", "aggiorna", archive.address, "--forza"});
    QCOMPARE(upgraded.out, QString("l'archivio è già alla versione 6\n"));
}

// Version 5 wrote the history of a change from a row trigger, indexed by
// table and row: after the upgrade a change is written once, by the
// statement's trigger, and the old index is gone.
void ServerTest::anArchiveOfVersionFiveGetsTheHistoryOfEachStatement()
{
    Archive archive;
    {
        Connection owner;
        owner.openServer(archive.address);
        for (const char *step : {"DROP INDEX storia_id_riga", "CREATE INDEX storia_riga ON storia (tabella, id_riga)",
                                 "UPDATE velmora_stato SET versione_schema = 5"})
            Statement(owner, QByteArray(step)).run();
        for (const QString &table : schema::historyKept()) {
            Statement(owner, ("DROP TRIGGER storia_modifiche ON " + table.toLower()).toUtf8()).run();
            Statement(owner,
                      ("CREATE OR REPLACE TRIGGER storia AFTER INSERT OR UPDATE OR DELETE ON " + table.toLower()
                       + " FOR EACH ROW EXECUTE FUNCTION velmora_storia()")
                          .toUtf8())
                .run();
        }
    }
    CliRun upgraded = runCli({"server", "aggiorna", archive.address});
    QVERIFY2(upgraded.status == 0, qPrintable(upgraded.err));
    QCOMPARE(upgraded.out, QString("archivio aggiornato dalla versione 5 alla 6\n"));
    Connection desk;
    desk.openServer(archive.address);
    const QStringList indexes = desk.engine().tablesAndIndexes();
    QVERIFY(indexes.contains("STORIA_ID_RIGA", Qt::CaseInsensitive) && !indexes.contains("STORIA_RIGA", Qt::CaseInsensitive));
    desk.execute("INSERT INTO OPERATORE (OPERATORE) VALUES ('NERI')");
    desk.execute("UPDATE OPERATORE SET OPERATORE = 'BIANCHI'");
    QCOMPARE(rowsOf(desk, "SELECT AZIONE & ' ' & DOPO FROM STORIA ORDER BY ID"),
             QStringList({R"(INSERIMENTO {"id": 1, "operatore": "NERI"})", R"(MODIFICA {"operatore": "BIANCHI"})"}));
}

#include "tst_server.moc"
