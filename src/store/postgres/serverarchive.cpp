#include "serverarchive.h"

#include "postgresengine.h"
#include "store/comuni.h"
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
    run(connection, QStringLiteral("DO $$ BEGIN CREATE ROLE %1 NOLOGIN; EXCEPTION WHEN duplicate_object THEN NULL; END $$")
                        .arg(group));
    // Only the office's people reach the archive, and none of them may
    // change its shape.
    run(connection, QStringLiteral("REVOKE ALL ON DATABASE %1 FROM PUBLIC").arg(database));
    run(connection, QStringLiteral("REVOKE CREATE ON SCHEMA %1 FROM PUBLIC").arg(place));
    run(connection, QStringLiteral("GRANT CONNECT, TEMPORARY ON DATABASE %1 TO %2").arg(database, group));
    run(connection, QStringLiteral("GRANT USAGE ON SCHEMA %1 TO %2").arg(place, group));
    run(connection, QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA %1 TO %2").arg(place, group));
    run(connection, QStringLiteral("GRANT USAGE, SELECT ON ALL SEQUENCES IN SCHEMA %1 TO %2").arg(place, group));
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
        schema::install(connection);
        schema::ensureBillingRuns(connection);
        schema::ensureInvoiceTables(connection);
        grantDesks(connection);
        transaction.commit();
    }
    if (comuni::addMissing(connection) == 0)
        throw StoreError(QStringLiteral("l'elenco dei comuni non è nel programma"));
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
    char *verifier = PQencryptPasswordConn(server.handle(), password.constData(), name.toUtf8().constData(),
                                           "scram-sha-256");
    if (!verifier)
        throw StoreError(QStringLiteral("la password non può essere cifrata (%1)")
                             .arg(QString::fromUtf8(PQerrorMessage(server.handle())).trimmed()));
    const QString secret = quotedText(QString::fromUtf8(verifier));
    PQfreemem(verifier);
    const QString login = quotedIdentifier(name);
    const bool exists = !server.firstColumn(("SELECT 1 FROM pg_roles WHERE rolname = " + quotedText(name)).toUtf8()).isEmpty();
    Transaction transaction(connection);
    run(connection, QStringLiteral("%1 ROLE %2 LOGIN PASSWORD %3").arg(exists ? QStringLiteral("ALTER") : QStringLiteral("CREATE"), login, secret));
    run(connection, QStringLiteral("GRANT %1 TO %2").arg(quotedIdentifier(desksGroup(connection)), login));
    transaction.commit();
}
