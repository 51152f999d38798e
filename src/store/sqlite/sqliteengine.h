#pragma once

#include "store/engine.h"

struct sqlite3;
class Connection;

// The embedded store: one file encrypted with SQLCipher, with the store's
// collation and the Jet functions registered on it.
class SqliteEngine final : public Engine
{
public:
    enum class Mode { Open, Create };
    // Opens the file, or makes it new where there is none, under the key and with that size of
    // its encrypted pages; a wrong key or a foreign file is refused here.
    SqliteEngine(const QString &path, const QByteArray &key, Mode mode, int pageSize);
    ~SqliteEngine() override;

    sqlite3 *handle() const { return m_db; }
    int pageSize() const { return m_pageSize; }
    // SQLite falls back to reading only a file it cannot write.
    bool isReadOnly() const;

    const dialect::Spelling &spelling() const override;
    QString location() const override;
    std::unique_ptr<EngineStatement> prepare(const QByteArray &sql) override;
    qint64 lastInsertId() override;
    void begin(Intent intent) override;
    void commit() override;
    void rollback() override;
    QStringList tables() override;
    QStringList tablesAndIndexes() override;
    QList<ColumnDefinition> columnsOf(const QString &table) override;
    QString definitionOf(const TableDefinition &table) const override;
    QString declarationOf(ColumnType type, bool collated) const override;
    // The file's functions are registered on each connection.
    void installFoundations() override {}
    // An ID written is counted by the file itself.
    void keysCopied(const QString &) override {}
    bool isDamaged() override;
    void markDamaged() override;
    QStringList structureProblems(bool full) override;
    bool tellsChangesOf(const QString &) const override { return true; }
    SeenChanges takeChanges() override;
    int listVersion() override;
    void setListVersion(int version) override;
    // This session writes each change of the kept tables to STORIA, under
    // the system user and this machine's name; the file itself holds no
    // trigger, so its copies and other programs write only their rows.
    void recordHistory();
    bool recordsHistory() const { return m_recordsHistory; }

private:
    static void rowChanged(void *engine, int operation, const char *, const char *table, long long key);
    void noteChanged(const char *table);
    void noteAdded(const char *table, qint64 key);
    void run(const QByteArray &sql);
    QStringList firstColumn(const QByteArray &sql);

    sqlite3 *m_db = nullptr;
    int m_pageSize = 0;
    bool m_recordsHistory = false;
    // The tables this session wrote since the last look, otherwise than by
    // adding rows, and the keys added to the others; and the file's count
    // of the commits other connections made to it.
    QList<QByteArray> m_changed;
    std::vector<std::pair<QByteArray, std::vector<qint64>>> m_added;
    qint64 m_dataVersion = 0;
};

namespace sqlite {

// The embedded store's SQL: LEFT and CDATE become the functions registered
// on each connection (LEFT is one of its keywords).
const dialect::Spelling &spelling();
inline constexpr const char *left = "JET_LEFT";
inline constexpr const char *cdate = "JET_CDATE";
// A row of the history as a JSON object: STORIA_RIGA(name, value, ...); and
// the columns a change changed: STORIA_CAMBI(side, name, before, after, ...).
inline constexpr const char *rowObject = "STORIA_RIGA";
inline constexpr const char *changesObject = "STORIA_CAMBI";

}

// The embedded engine under a connection, or null on a server.
SqliteEngine *sqliteEngineOf(Connection &connection);
