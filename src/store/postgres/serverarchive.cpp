#include "serverarchive.h"

#include "postgresengine.h"
#include "postgreshistory.h"
#include "store/comuni.h"
#include "store/connecteddesks.h"
#include "store/connection.h"
#include "store/schema.h"
#include "store/sqltext.h"
#include "store/statement.h"
#include "store/storeerror.h"
#include "store/transaction.h"

#include <QRegularExpression>
#include <libpq-fe.h>

namespace {

PostgresEngine &serverOf(Connection &connection)
{
    PostgresEngine *server = postgresEngineOf(connection);
    if (!server)
        throw StoreError(QStringLiteral("l'archivio indicato non è su un server"));
    return *server;
}

void run(Connection &connection, const QString &sql)
{
    Statement(connection, sql.toUtf8()).run();
}

QString firstValue(Connection &connection, const QString &sql)
{
    const QStringList values = serverOf(connection).firstColumn(sql.toUtf8());
    return values.isEmpty() ? QString() : values.first();
}

void grantDesks(Connection &connection)
{
    const QString group = quotedIdentifier(serverarchive::desksGroup(connection));
    const QString database = quotedIdentifier(firstValue(connection, QStringLiteral("SELECT current_database()")));
    const QString place = quotedIdentifier(firstValue(connection, QStringLiteral("SELECT current_schema()")));
    run(connection,
        QStringLiteral("DO $$ BEGIN CREATE ROLE %1 NOLOGIN; EXCEPTION WHEN duplicate_object THEN NULL; END $$").arg(group));
    // Only the office's people reach the archive, and none of them may
    // change its shape.
    run(connection, QStringLiteral("REVOKE ALL ON DATABASE %1 FROM PUBLIC").arg(database));
    run(connection, QStringLiteral("REVOKE CREATE ON SCHEMA %1 FROM PUBLIC").arg(place));
    run(connection, QStringLiteral("GRANT CONNECT, TEMPORARY ON DATABASE %1 TO %2").arg(database, group));
    run(connection, QStringLiteral("GRANT USAGE ON SCHEMA %1 TO %2").arg(place, group));
    run(connection, QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA %1 TO %2").arg(place, group));
    run(connection, QStringLiteral("GRANT USAGE, SELECT ON ALL SEQUENCES IN SCHEMA %1 TO %2").arg(place, group));
    // "Postazioni collegate" shows each desk the others' machines and times,
    // which the server tells only those who may read its statistics.
    run(connection, QStringLiteral("GRANT pg_read_all_stats TO %1").arg(group));
    // The history is added to, never rewritten.
    run(connection, QStringLiteral("REVOKE UPDATE, DELETE ON storia FROM %1").arg(group));
}

void makeArchive(Connection &connection)
{
    schema::install(connection);
    schema::ensureBillingRuns(connection);
    schema::ensureImportRuns(connection);
    schema::ensureInvoiceTables(connection);
    postgres::installHistory(connection);
    grantDesks(connection);
}

// The rows of the file in place of the server's, checked on both sides
// before the commit.
serverarchive::Moved putRows(Connection &file, Connection &server, Transaction &transaction, const tablecopy::Progress &progress)
{
    const QStringList onServer = server.tableNames();
    QStringList tables;
    for (const QString &table : file.tableNames()) {
        if (!onServer.contains(table, Qt::CaseInsensitive))
            throw StoreError(QStringLiteral("il server non ha la tabella %1 del file").arg(table));
        tables << table;
    }
    for (const QString &table : onServer)
        run(server, QStringLiteral("DELETE FROM %1").arg(table));
    postgres::pauseHistory(server, true);
    tablecopy::copyRows(file, server, tables, progress);
    postgres::pauseHistory(server, false);
    server.engine().setListVersion(file.engine().listVersion());
    serverarchive::Moved moved{tablecopy::figuresOf(file, tables), tablecopy::figuresOf(server, tables), false};
    if (tablecopy::differing(moved.file, moved.server).isEmpty()) {
        transaction.commit();
        moved.committed = true;
    }
    return moved;
}

}

serverarchive::Moved serverarchive::importStore(Connection &file, Connection &server, const tablecopy::Progress &progress)
{
    serverOf(server);
    Transaction transaction(server);
    if (server.engine().tables().isEmpty())
        makeArchive(server);
    // The municipalities come with the file, whatever the server was
    // prepared with.
    for (const QString &table : server.tableNames())
        if (table != QLatin1String("DATI")
            && firstValue(server, QStringLiteral("SELECT count(*) FROM %1").arg(table)) != QLatin1String("0"))
            throw StoreError(QStringLiteral("l'archivio sul server contiene già dei dati (tabella %1): si importa solo "
                                            "su un archivio vuoto")
                                 .arg(table));
    return putRows(file, server, transaction, progress);
}

serverarchive::Moved serverarchive::restoreCopy(Connection &copy, Connection &server, const tablecopy::Progress &progress)
{
    serverOf(server);
    Transaction transaction(server);
    return putRows(copy, server, transaction, progress);
}

namespace {

// The key of the archive's exclusive jobs among the database's advisory locks.
const char *const exclusiveKey = "hashtext('velmora esclusivo')";

void releaseExclusive(Connection &server)
{
    firstValue(server, QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(QLatin1String(exclusiveKey)));
}

}

serverarchive::ExclusiveJob::ExclusiveJob(Connection &server, Others others) : m_server(server)
{
    serverOf(server);
    if (firstValue(server,
                   QStringLiteral("SELECT CASE WHEN pg_try_advisory_lock(%1) THEN 1 ELSE 0 END").arg(QLatin1String(exclusiveKey)))
        != QLatin1String("1"))
        throw StoreError(QStringLiteral("un altro ripristino o importazione è in corso sull'archivio"));
    const QString working = connecteddesks::othersText(connecteddesks::of(server));
    if (others == Others::Refused && !working.isEmpty()) {
        releaseExclusive(server);
        throw StoreError(QStringLiteral("altre postazioni sono collegate all'archivio: %1; chiuderle e ripetere, o usare "
                                        "--forza")
                             .arg(working));
    }
}

serverarchive::ExclusiveJob::~ExclusiveJob()
{
    try {
        releaseExclusive(m_server);
    } catch (const StoreError &) {
        // A session that is gone holds no lock.
    }
}

QString serverarchive::desksGroup(Connection &connection)
{
    return firstValue(connection, QStringLiteral("SELECT current_database()")) + QStringLiteral("_postazioni");
}

void serverarchive::prepare(Connection &connection)
{
    serverOf(connection);
    const QStringList present = connection.engine().tables();
    if (!present.isEmpty())
        throw StoreError(QStringLiteral("il database contiene già delle tabelle (%1): l'archivio si prepara su un "
                                        "database vuoto")
                             .arg(present.join(QStringLiteral(", "))));
    {
        Transaction transaction(connection);
        makeArchive(connection);
        transaction.commit();
    }
    if (comuni::addMissing(connection) == 0)
        throw StoreError(QStringLiteral("l'elenco dei comuni non è nel programma"));
}

int serverarchive::upgrade(Connection &connection)
{
    serverOf(connection);
    const int found = firstValue(connection, QStringLiteral("SELECT versione_schema FROM velmora_stato")).toInt();
    if (found == PostgresEngine::SchemaVersion)
        return found;
    if (found < 1 || found >= PostgresEngine::SchemaVersion)
        throw StoreError(QStringLiteral("l'archivio è della versione %1, che questo programma non sa aggiornare").arg(found));
    Transaction transaction(connection);
    // Version 6: the history of a statement's changes written at once, and
    // its index by row ID alone.
    schema::ensureHistory(connection);
    postgres::installHistory(connection);
    // Version 3: the clients' country for the electronic invoices.
    schema::ensureInvoiceTables(connection);
    // Version 4: the links' indexes, for the links that point nowhere.
    schema::ensureIndexes(connection);
    // Version 5: the import runs, which the desks may fill but not create.
    schema::ensureImportRuns(connection);
    grantDesks(connection);
    run(connection, QStringLiteral("UPDATE velmora_stato SET versione_schema = %1").arg(PostgresEngine::SchemaVersion));
    transaction.commit();
    return found;
}

void serverarchive::addDesk(Connection &connection, const QString &name, const QByteArray &password)
{
    PostgresEngine &server = serverOf(connection);
    static const QRegularExpression loginName(QStringLiteral("^[a-z_][a-z0-9_.]{0,62}$"));
    if (!loginName.match(name).hasMatch())
        throw StoreError(QStringLiteral("«%1» non è un nome di accesso valido: lettere minuscole, cifre, «_» e «.», "
                                        "iniziando con una lettera")
                             .arg(name));
    if (password.size() < 8)
        throw StoreError(QStringLiteral("la password deve avere almeno 8 caratteri"));
    char *verifier = PQencryptPasswordConn(server.handle(), password.constData(), name.toUtf8().constData(), "scram-sha-256");
    if (!verifier)
        throw StoreError(QStringLiteral("la password non può essere cifrata (%1)")
                             .arg(QString::fromUtf8(PQerrorMessage(server.handle())).trimmed()));
    const QString secret = quotedText(QString::fromUtf8(verifier));
    PQfreemem(verifier);
    const QString login = quotedIdentifier(name);
    const bool exists = !server.firstColumn(("SELECT 1 FROM pg_roles WHERE rolname = " + quotedText(name)).toUtf8()).isEmpty();
    Transaction transaction(connection);
    run(connection,
        QStringLiteral("%1 ROLE %2 LOGIN PASSWORD %3")
            .arg(exists ? QStringLiteral("ALTER") : QStringLiteral("CREATE"), login, secret));
    run(connection, QStringLiteral("GRANT %1 TO %2").arg(quotedIdentifier(desksGroup(connection)), login));
    transaction.commit();
}
