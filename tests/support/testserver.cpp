#include "testserver.h"

#include "store/connection.h"
#include "store/postgres/postgresengine.h"
#include "store/storeerror.h"

#include <QCoreApplication>
#include <QtTest>

bool testserver::inUse()
{
    return qgetenv("VELMORA_TEST_ENGINE") == "server";
}

QString testserver::address()
{
    const QString given = qEnvironmentVariable("VELMORA_TEST_SERVER");
    return given.isEmpty() ? QStringLiteral("host=" VELMORA_TEST_SERVER_DIR " port=5432 user=velmora") : given;
}

namespace {

void administer(const QByteArray &sql)
{
    PostgresEngine server(testserver::address() + QStringLiteral(" dbname=postgres"));
    server.firstColumn(sql);
}

QString newDatabase(QString *name, const QString &from)
{
    static int made = 0;
    const QString database = QStringLiteral("velmora_prova_%1_%2").arg(QCoreApplication::applicationPid()).arg(++made);
    administer(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2 STRATEGY FILE_COPY").arg(database, from).toUtf8());
    if (name)
        *name = database;
    return testserver::address() + QStringLiteral(" dbname=") + database;
}

}

QString testserver::freshArchive(QString *name)
{
    return newDatabase(name, QStringLiteral("velmora_modello"));
}

QString testserver::emptyDatabase(QString *name)
{
    return newDatabase(name, QStringLiteral("template0"));
}

void testserver::drop(const QString &name)
{
    // Called from destructors: a database left behind goes with the server.
    try {
        administer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name).toUtf8());
    } catch (const StoreError &error) {
        qWarning("database %s not dropped: %s", qPrintable(name), error.what());
    }
}
