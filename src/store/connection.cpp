#include "connection.h"

#include "damage.h"
#include "dialect.h"
#include "recordset.h"
#include "sqlfunctions.h"
#include "sqltext.h"
#include "statement.h"
#include "storeerror.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <sqlite3.h>

Connection::~Connection()
{
    close();
}

void Connection::open(const QString &path, const QByteArray &key)
{
    if (!QFileInfo(path).isFile())
        throw StoreError(QStringLiteral("il file non esiste"));
    // The pages' size is not written in the file: the first read under the
    // wrong one finds no store.
    try {
        connect(path, key, SQLITE_OPEN_READWRITE, NewPageSize);
    } catch (const StoreError &) {
        connect(path, key, SQLITE_OPEN_READWRITE, 1024);
    }
    try {
        // SQLite falls back to reading only; the office would find out at the
        // first save, after typing the service.
        if (sqlite3_db_readonly(m_db, "main") == 1)
            throw StoreError(QStringLiteral("il file è di sola lettura"));
        verifyTables();
    } catch (...) {
        close();
        throw;
    }
}

void Connection::create(const QString &path, const QByteArray &key, int pageSize)
{
    if (QFileInfo::exists(path))
        throw StoreError(QStringLiteral("il file esiste già"));
    connect(path, key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, pageSize);
}

void Connection::connect(const QString &path, const QByteArray &key, int flags, int pageSize)
{
    close();
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(QFileInfo(path).absoluteFilePath().toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const StoreError error = StoreError::fromSqlite(rc, db ? sqlite3_errmsg(db) : nullptr);
        sqlite3_close(db);
        throw error;
    }
    m_db = db;
    sqlite3_busy_timeout(m_db, 3000);
    try {
        Statement(m_db, "PRAGMA key = " + quotedText(QString::fromUtf8(key)).toUtf8()).run();
        Statement(m_db, "PRAGMA cipher_page_size = " + QByteArray::number(pageSize)).run();
        m_pageSize = pageSize;
        // Every page read is decrypted: keep up to 64 MiB of them, so a list of
        // 100,000 services refills from memory.
        Statement(m_db, "PRAGMA cache_size = -65536").run();
        // A commit that returned must survive a power cut: the journal's
        // deletion is synced too, or the next open would roll it back.
        Statement(m_db, "PRAGMA synchronous = EXTRA").run();
        sqlfunctions::install(m_db);
        // SQLCipher takes any key until the first read: read now, so a wrong
        // key or a foreign file is refused here and not at the first list.
        Statement(m_db, "SELECT count(*) FROM sqlite_master").run();
    } catch (...) {
        close();
        throw;
    }
}

void Connection::verifyTables()
{
    Statement tables(m_db, "SELECT name FROM sqlite_master WHERE type = 'table'");
    QSet<QString> present;
    while (tables.step())
        present << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(tables.handle(), 0))).toUpper();
    for (const auto &table : schema::tables()) {
        if (!present.contains(table.name))
            throw StoreError(QStringLiteral("il file non contiene la tabella %1").arg(table.name));
        // A store missing a column would open and fail only at the first save.
        const auto &stored = columnsOf(table.name);
        for (const auto &column : table.columns) {
            const bool found = std::any_of(stored.begin(), stored.end(), [&](const ColumnDefinition &c) {
                return c.name.compare(column.name, Qt::CaseInsensitive) == 0;
            });
            if (!found)
                throw StoreError(QStringLiteral("nella tabella %1 manca la colonna %2").arg(table.name, column.name));
        }
    }
}

void Connection::close()
{
    if (!m_db)
        return;
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_columns.clear();
}

int Connection::execute(const QString &jetSql, const QList<QVariant> &values)
{
    Statement statement(m_db, dialect::translate(jetSql));
    statement.bindAll(values);
    return statement.run();
}

int Connection::executeOnLoaded(const QString &jetSql, const QList<QVariant> &values, const RowVersion &loaded)
{
    static const QRegularExpression written(QStringLiteral("^\\s*(?:update|delete\\s*\\*?\\s*from)\\s+\\[?(\\w+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString table = written.match(jetSql).captured(1);
    if (table.isEmpty())
        throw StoreError(QStringLiteral("istruzione non eseguibile su un record caricato"));
    const auto &columns = columnsOf(table);
    Statement statement(m_db, dialect::translate(jetSql) + loaded.condition(columns).toUtf8());
    statement.bindAll(values);
    loaded.bind(statement, int(values.size()) + 1, columns);
    const int changed = statement.run();
    if (changed == 0 && !loaded.isEmpty())
        loaded.refuse(*this, table);
    return changed;
}

QString Connection::path() const
{
    return m_db ? QString::fromUtf8(sqlite3_db_filename(m_db, "main")) : QString();
}

bool Connection::isDamaged() const
{
    return m_db && damage::isMarked(m_db);
}

void Connection::markDamaged()
{
    if (m_db)
        damage::markStore(m_db);
}

std::vector<qint64> Connection::keysOf(const QString &jetSql)
{
    Statement keys(m_db, dialect::translate(jetSql));
    std::vector<qint64> found;
    while (keys.step())
        found.push_back(keys.integer(0));
    return found;
}

qint64 Connection::lastInsertId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

const QList<ColumnDefinition> &Connection::columnsOf(const QString &table)
{
    const QString key = table.toUpper();
    auto found = m_columns.constFind(key);
    if (found != m_columns.constEnd())
        return *found;
    Statement info(m_db, ("PRAGMA table_info(" + quotedIdentifier(table) + ")").toUtf8());
    QList<ColumnDefinition> columns;
    while (info.step())
        columns.append({QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(info.handle(), 1))),
                        columnTypeFromDeclaration(reinterpret_cast<const char *>(sqlite3_column_text(info.handle(), 2)))});
    if (columns.isEmpty())
        throw StoreError(QStringLiteral("la tabella %1 non esiste").arg(table));
    return *m_columns.insert(key, columns);
}

namespace {

// The names the engine's catalogue lists for a query of it.
QStringList catalogueNames(sqlite3 *db, const char *sql)
{
    Statement all(db, sql);
    QStringList names;
    while (all.step())
        names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(all.handle(), 0)));
    return names;
}

}

QStringList Connection::tableNames()
{
    QStringList names;
    for (const TableDefinition &table : schema::tables())
        names << table.name;
    for (const QString &name : catalogueNames(m_db, "SELECT name FROM sqlite_master WHERE type = 'table' "
                                                    "AND name NOT LIKE 'sqlite!_%' ESCAPE '!' ORDER BY name"))
        if (!names.contains(name, Qt::CaseInsensitive))
            names << name;
    return names;
}

bool Connection::hasAll(const QStringList &names)
{
    const QStringList stored = catalogueNames(m_db, "SELECT name FROM sqlite_master");
    return std::all_of(names.begin(), names.end(), [&](const QString &name) { return stored.contains(name); });
}

std::shared_ptr<const ResultTable> Connection::tableRows(const QString &table)
{
    const bool keyed = columnsOf(table).first().name.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0;
    return Recordset(*this, QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(table, keyed ? QStringLiteral("ID") : QStringLiteral("1, 2")))
        .rows();
}
