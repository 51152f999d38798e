#include "teststore.h"

#include "store/recordset.h"
#include "store/storefile.h"
#include "testserver.h"

#include <QFile>

namespace {

QString templatePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = storefile::pathIn(dir.path());
        Connection connection;
        storefile::openOrCreate(connection, p);
        return p;
    }();
    return path;
}

}

TestStore::TestStore()
{
    if (testserver::inUse()) {
        m_archive = testserver::freshArchive(&m_database);
        m_connection.openServer(m_archive);
        return;
    }
    QFile::copy(templatePath(), path());
    storefile::openOrCreate(m_connection, path());
}

TestStore::~TestStore()
{
    m_connection.close();
    if (!m_database.isEmpty())
        testserver::drop(m_database);
}

QString TestStore::path() const
{
    return m_archive.isEmpty() ? storefile::pathIn(m_dir.path()) : m_archive;
}

qint64 TestStore::add(const QString &table, const QList<QPair<QString, QVariant>> &values)
{
    Recordset rs(m_connection, table);
    rs.addNew();
    for (const auto &v : values)
        rs.setField(v.first, v.second);
    rs.update();
    return m_connection.lastInsertId();
}

QString TestStore::text(const QString &sql)
{
    Recordset rs(m_connection, sql);
    return rs.eof() ? QStringLiteral("<eof>") : rs.fields(0).text();
}

int TestStore::count(const QString &sql)
{
    return Recordset(m_connection, sql).recordCount();
}

QStringList TestStore::row(const QString &table, qint64 id)
{
    Recordset rs(m_connection, QStringLiteral("SELECT * FROM %1 WHERE ID = ?").arg(table), {id});
    QStringList values;
    for (int i = 0; !rs.eof() && i < rs.fieldCount(); ++i)
        values << rs.fields(i).text();
    return values;
}
