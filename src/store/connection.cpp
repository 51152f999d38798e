#include "connection.h"

#include "dialect.h"
#include "engine.h"
#include "recordset.h"
#include "postgres/postgresengine.h"
#include "sqlite/sqliteengine.h"
#include "statement.h"
#include "storeerror.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

Connection::Connection() = default;

Connection::~Connection()
{
    close();
}

Engine &Connection::engine() const
{
    if (!m_engine)
        throw StoreError(QStringLiteral("il database non è aperto"));
    return *m_engine;
}

void Connection::open(const QString &path, const QByteArray &key)
{
    if (!QFileInfo(path).isFile())
        throw StoreError(QStringLiteral("il file non esiste"));
    close();
    // The pages' size is not written in the file: the first read under the
    // wrong one finds no store.
    std::unique_ptr<SqliteEngine> file;
    try {
        file = std::make_unique<SqliteEngine>(path, key, SqliteEngine::Mode::Open, NewPageSize);
    } catch (const StoreError &) {
        file = std::make_unique<SqliteEngine>(path, key, SqliteEngine::Mode::Open, 1024);
    }
    // The office would find out at the first save, after typing the service.
    if (file->isReadOnly())
        throw StoreError(QStringLiteral("il file è di sola lettura"));
    m_engine = std::move(file);
    try {
        verifyTables();
        keepHistory();
    } catch (...) {
        close();
        throw;
    }
}

void Connection::create(const QString &path, const QByteArray &key, int pageSize)
{
    close();
    m_engine = std::make_unique<SqliteEngine>(path, key, SqliteEngine::Mode::Create, pageSize);
}

void Connection::openServer(const QString &server, const QString &user, const QByteArray &password, Prepared prepared)
{
    close();
    m_engine = std::make_unique<PostgresEngine>(server, user, password);
    if (prepared == Prepared::NotYet)
        return;
    try {
        static_cast<PostgresEngine &>(*m_engine).checkPrepared();
        verifyTables();
    } catch (const StoreError &error) {
        close();
        throw StoreError(QStringLiteral("l'archivio sul server non è pronto per Velmora (%1): prepararlo con "
                                        "«velmora-cli server prepara»")
                             .arg(error.message()),
                         StoreError::Kind::Failure, error.code());
    }
}

void Connection::keepHistory()
{
    // The open makes the session's triggers where the store has its history;
    // bringing an older store up to date, once it has one.
    auto *file = dynamic_cast<SqliteEngine *>(m_engine.get());
    if (file && !file->recordsHistory() && file->tables().contains(schema::historyTable().name))
        file->recordHistory();
}

int Connection::noticeSocket() const
{
    auto *server = dynamic_cast<PostgresEngine *>(m_engine.get());
    return server ? server->noticeSocket() : -1;
}

QStringList Connection::changedElsewhere()
{
    auto *server = dynamic_cast<PostgresEngine *>(m_engine.get());
    return server ? server->takeNotices() : QStringList();
}

bool Connection::isServer() const
{
    return dynamic_cast<PostgresEngine *>(m_engine.get()) != nullptr;
}

void Connection::verifyTables()
{
    QSet<QString> present;
    for (const QString &name : m_engine->tables())
        present << name.toUpper();
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
    m_engine.reset();
    m_columns.clear();
    m_changes.noteEverything();
}

quint64 Connection::changeCount(const QString &jetSql)
{
    if (!m_engine)
        return m_changes.fresh();
    // The program's own tables: asked at every fill of a kept list, the
    // store's catalogue would be read each time.
    const QStringList tables = TableChanges::readBy(jetSql, schema::tableNames());
    if (tables.isEmpty())
        return m_changes.fresh();
    for (const QString &table : tables)
        if (!m_engine->tellsChangesOf(table))
            return m_changes.fresh();
    m_changes.note(m_engine->takeChanges());
    return m_changes.countOf(tables);
}

std::optional<Connection::Additions> Connection::addedSince(const QString &table, quint64 count)
{
    if (!m_engine || !m_engine->tellsChangesOf(table))
        return std::nullopt;
    m_changes.note(m_engine->takeChanges());
    auto keys = m_changes.addedSince(table, count);
    if (!keys)
        return std::nullopt;
    return Additions{std::move(*keys), m_changes.countOf({table})};
}

quint64 Connection::lastChange()
{
    if (m_engine)
        m_changes.note(m_engine->takeChanges());
    return m_changes.latest();
}

int Connection::execute(const QString &jetSql, const QList<QVariant> &values)
{
    Statement statement(*this, translated(jetSql));
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
    // The check joins the statement's own condition, before its ";".
    QString statementText = jetSql.trimmed();
    while (statementText.endsWith(QLatin1Char(';')))
        statementText.chop(1);
    Statement statement(*this, translated(statementText + loaded.condition(columns)));
    statement.bindAll(values);
    loaded.bind(statement, int(values.size()) + 1, columns);
    const int changed = statement.run();
    if (changed == 0 && !loaded.isEmpty())
        loaded.refuse(*this, table);
    return changed;
}

void Connection::lockRows(const QString &table, const QString &where, const QList<QVariant> &values)
{
    if (!isServer())
        return;
    // In the order of the keys, so two desks taking overlapping rows never
    // wait for each other in a circle.
    Statement locked(*this,
                     translated(QStringLiteral("SELECT ID FROM [%1] WHERE %2 ORDER BY ID").arg(table, where)) + " FOR UPDATE");
    locked.bindAll(values);
    while (locked.step()) {}
}

QString Connection::path() const
{
    return m_engine ? m_engine->location() : QString();
}

bool Connection::isDamaged() const
{
    return m_engine && m_engine->isDamaged();
}

void Connection::markDamaged()
{
    if (m_engine)
        m_engine->markDamaged();
}

QByteArray Connection::translated(const QString &jetSql) const
{
    return dialect::translate(jetSql, engine().spelling());
}

std::vector<qint64> Connection::keysOf(const QString &jetSql)
{
    Statement keys(*this, translated(jetSql));
    std::vector<qint64> found;
    while (keys.step())
        found.push_back(keys.integer(0));
    return found;
}

qint64 Connection::lastInsertId() const
{
    return m_engine ? m_engine->lastInsertId() : 0;
}

const QList<ColumnDefinition> &Connection::columnsOf(const QString &table)
{
    const QString key = table.toUpper();
    auto found = m_columns.constFind(key);
    if (found != m_columns.constEnd())
        return *found;
    const QList<ColumnDefinition> columns = engine().columnsOf(table);
    if (columns.isEmpty())
        throw StoreError(QStringLiteral("la tabella %1 non esiste").arg(table));
    return *m_columns.insert(key, columns);
}

void Connection::forgetColumns(const QString &table)
{
    m_columns.remove(table.toUpper());
}

QStringList Connection::tableNames()
{
    QStringList names;
    for (const TableDefinition &table : schema::tables())
        names << table.name;
    for (const QString &name : engine().tables())
        if (!names.contains(name, Qt::CaseInsensitive))
            names << name;
    return names;
}

bool Connection::hasAll(const QStringList &names)
{
    const QStringList stored = engine().tablesAndIndexes();
    return std::all_of(names.begin(), names.end(), [&](const QString &name) { return stored.contains(name); });
}

std::shared_ptr<const ResultTable> Connection::tableRows(const QString &table)
{
    return Recordset(*this, inKeyOrder(table)).rows();
}

QString Connection::inKeyOrder(const QString &table)
{
    const bool keyed = columnsOf(table).first().name.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0;
    return QStringLiteral("SELECT * FROM [%1] ORDER BY %2").arg(table, keyed ? QStringLiteral("ID") : QStringLiteral("1, 2"));
}
