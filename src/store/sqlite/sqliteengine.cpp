#include "sqliteengine.h"

#include "sqliteerror.h"
#include "sqlfunctions.h"
#include "sqlitestatement.h"
#include "sqlitetypes.h"
#include "store/connection.h"
#include "store/sqltext.h"

#include <QFileInfo>
#include <sqlite3.h>

SqliteEngine::SqliteEngine(const QString &path, const QByteArray &key, Mode mode, int pageSize)
{
    if (mode == Mode::Create && QFileInfo::exists(path))
        throw StoreError(QStringLiteral("il file esiste già"));
    // Each connection is used by one thread only (the store check opens its
    // own): no mutex taken at every call into the engine.
    const int flags = (mode == Mode::Create ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READWRITE)
        | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(QFileInfo(path).absoluteFilePath().toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const StoreError error = sqlite::errorOf(rc, m_db ? sqlite3_errmsg(m_db) : nullptr);
        sqlite3_close(m_db);
        throw error;
    }
    sqlite3_busy_timeout(m_db, 3000);
    try {
        run("PRAGMA key = " + quotedText(QString::fromUtf8(key)).toUtf8());
        run("PRAGMA cipher_page_size = " + QByteArray::number(pageSize));
        m_pageSize = pageSize;
        // Every page read is decrypted: keep up to 64 MiB of them, so a list of
        // 100,000 services refills from memory.
        run("PRAGMA cache_size = -65536");
        // A commit that returned must survive a power cut: the journal's
        // deletion is synced too, or the next open would roll it back.
        run("PRAGMA synchronous = EXTRA");
        sqlfunctions::install(m_db);
        sqlite3_update_hook(m_db, &SqliteEngine::rowChanged, this);
        // SQLCipher takes any key until the first read: read now, so a wrong
        // key or a foreign file is refused here and not at the first list.
        run("SELECT count(*) FROM sqlite_master");
    } catch (...) {
        sqlite3_close_v2(m_db);
        throw;
    }
}

SqliteEngine::~SqliteEngine()
{
    sqlite3_close_v2(m_db);
}

void SqliteEngine::rowChanged(void *engine, int operation, const char *, const char *table, long long key)
{
    auto *self = static_cast<SqliteEngine *>(engine);
    if (operation == SQLITE_INSERT)
        self->noteAdded(table, key);
    else
        self->noteChanged(table);
}

// Told of every row written: lists of the few tables seen, no hash.
void SqliteEngine::noteChanged(const char *table)
{
    for (const QByteArray &seen : m_changed)
        if (qstrcmp(seen, table) == 0)
            return;
    m_changed << QByteArray(table);
}

void SqliteEngine::noteAdded(const char *table, qint64 key)
{
    for (const QByteArray &seen : m_changed)
        if (qstrcmp(seen, table) == 0)
            return;
    auto added = std::find_if(m_added.begin(), m_added.end(), [table](const auto &kept) { return kept.first == table; });
    if (added == m_added.end())
        added = m_added.insert(m_added.end(), {QByteArray(table), {}});
    // A table filled in bulk is told as changed, not row by row.
    if (added->second.size() == TableChanges::KeptAdditions) {
        m_added.erase(added);
        m_changed << QByteArray(table);
        return;
    }
    added->second.push_back(key);
}

SeenChanges SqliteEngine::takeChanges()
{
    SeenChanges seen;
    for (const QByteArray &table : std::exchange(m_changed, {}))
        seen.tables << QString::fromUtf8(table);
    for (auto &[table, keys] : std::exchange(m_added, {}))
        seen.added.insert(QString::fromUtf8(table), std::move(keys));
    // Another program's commit to the file (a command run beside the
    // window) moves the file's data version, and names no table.
    SqliteStatement dataVersion(*this, "PRAGMA data_version");
    const qint64 version = dataVersion.step() ? dataVersion.cell(0).integer : 0;
    if (version != m_dataVersion && m_dataVersion != 0)
        seen.tables << QStringLiteral("*");
    m_dataVersion = version;
    return seen;
}

bool SqliteEngine::isReadOnly() const
{
    return sqlite3_db_readonly(m_db, "main") == 1;
}

void SqliteEngine::run(const QByteArray &sql)
{
    SqliteStatement statement(*this, sql);
    while (statement.step()) {}
}

QStringList SqliteEngine::firstColumn(const QByteArray &sql)
{
    SqliteStatement statement(*this, sql);
    QStringList values;
    while (statement.step()) {
        const EngineCell cell = statement.cell(0);
        values << QString::fromUtf8(cell.text, cell.length);
    }
    return values;
}

QString SqliteEngine::location() const
{
    return QString::fromUtf8(sqlite3_db_filename(m_db, "main"));
}

std::unique_ptr<EngineStatement> SqliteEngine::prepare(const QByteArray &sql)
{
    return std::make_unique<SqliteStatement>(*this, sql);
}

qint64 SqliteEngine::lastInsertId()
{
    return sqlite3_last_insert_rowid(m_db);
}

void SqliteEngine::begin(Intent intent)
{
    run(intent == Intent::Write ? "BEGIN IMMEDIATE" : "BEGIN");
}

void SqliteEngine::commit()
{
    run("COMMIT");
}

void SqliteEngine::rollback()
{
    run("ROLLBACK");
    // A list read inside the transaction may show rows that are gone now.
    noteChanged("*");
}

QStringList SqliteEngine::tables()
{
    return firstColumn("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite!_%' ESCAPE '!' "
                       "ORDER BY name");
}

QStringList SqliteEngine::tablesAndIndexes()
{
    return firstColumn("SELECT name FROM sqlite_master");
}

QList<ColumnDefinition> SqliteEngine::columnsOf(const QString &table)
{
    SqliteStatement info(*this, ("PRAGMA table_info(" + quotedIdentifier(table) + ")").toUtf8());
    QList<ColumnDefinition> columns;
    while (info.step()) {
        const EngineCell name = info.cell(1);
        const EngineCell type = info.cell(2);
        columns.append({QString::fromUtf8(name.text, name.length), sqlite::typeOfDeclaration(type.text)});
    }
    return columns;
}

QString SqliteEngine::definitionOf(const TableDefinition &table) const
{
    return schema::createStatement(table, QStringLiteral("ID INTEGER PRIMARY KEY AUTOINCREMENT"), sqlite::declarationOf);
}

QString SqliteEngine::declarationOf(ColumnType type, bool collated) const
{
    return sqlite::declarationOf(type, collated);
}

bool SqliteEngine::isDamaged()
{
    sqlite3_stmt *stmt = nullptr;
    bool marked = false;
    if (sqlite3_prepare_v2(m_db, "PRAGMA query_only", -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        marked = sqlite3_column_int(stmt, 0) != 0;
    sqlite3_finalize(stmt);
    return marked;
}

void SqliteEngine::markDamaged()
{
    sqlite3_exec(m_db, "PRAGMA query_only = 1", nullptr, nullptr, nullptr);
}

QStringList SqliteEngine::structureProblems(bool full)
{
    // The engine's findings, one a line; its heading line is not one.
    QStringList problems;
    for (const QString &found : firstColumn(full ? "PRAGMA integrity_check" : "PRAGMA quick_check"))
        for (const QString &line : found.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            if (!line.startsWith(QLatin1String("***")))
                problems << line.trimmed();
    if (problems == QStringList{QStringLiteral("ok")})
        problems.clear();
    return problems;
}

int SqliteEngine::listVersion()
{
    SqliteStatement version(*this, "PRAGMA user_version");
    version.step();
    return int(version.cell(0).integer);
}

void SqliteEngine::setListVersion(int version)
{
    run("PRAGMA user_version = " + QByteArray::number(version));
}

const dialect::Spelling &sqlite::spelling()
{
    static const QByteArray exact = QByteArrayLiteral("COLLATE ") + schema::textCollation;
    static const dialect::Spelling spelling{left, cdate, exact.constData(), [](const QString &index) {
                                                return index == QLatin1String("0") ? QStringLiteral("NOT INDEXED")
                                                                                   : QStringLiteral("INDEXED BY ") + index;
                                            }};
    return spelling;
}

const dialect::Spelling &SqliteEngine::spelling() const
{
    return sqlite::spelling();
}

SqliteEngine *sqliteEngineOf(Connection &connection)
{
    return dynamic_cast<SqliteEngine *>(&connection.engine());
}
