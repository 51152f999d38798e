#include "testserver.h"

#include "store/connection.h"
#include "store/postgres/postgresengine.h"

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

}

QString testserver::freshArchive(QString *name)
{
    static int made = 0;
    const QString database = QStringLiteral("velmora_prova_%1_%2").arg(QCoreApplication::applicationPid()).arg(++made);
    administer(QStringLiteral("CREATE DATABASE %1 TEMPLATE velmora_modello STRATEGY FILE_COPY").arg(database).toUtf8());
    if (name)
        *name = database;
    return address() + QStringLiteral(" dbname=") + database;
}

void testserver::drop(const QString &name)
{
    administer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name).toUtf8());
}
