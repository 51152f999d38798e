#pragma once

#include "store/engine.h"

#include <QHash>

typedef struct pg_conn PGconn;

class PostgresStatement;

// The office's archive on a PostgreSQL server, shared by its desks. Values
// travel out of line, each statement text is prepared once per session, and
// the session reads dates in ISO form whatever the server's own settings.
class PostgresEngine final : public Engine
{
public:
    // A libpq connection string, "postgresql://..." or "service=..."; user
    // and password, when given, as typed at the start (kept in memory only).
    PostgresEngine(const QString &server, const QString &user = {}, const QByteArray &password = {});
    ~PostgresEngine() override;

    PGconn *handle() const { return m_connection; }

    const dialect::Spelling &spelling() const override;
    QString location() const override;
    std::unique_ptr<EngineStatement> prepare(const QByteArray &sql) override;
    qint64 lastInsertId() override { return m_lastInsertId; }
    void begin(Intent intent) override;
    void commit() override;
    void rollback() override;
    QStringList tables() override;
    QStringList tablesAndIndexes() override;
    QList<ColumnDefinition> columnsOf(const QString &table) override;
    QString definitionOf(const TableDefinition &table) const override;
    QString declarationOf(ColumnType type, bool collated) const override;
    bool isDamaged() override { return m_damaged; }
    void markDamaged() override { m_damaged = true; }
    QStringList structureProblems(bool full) override;
    int listVersion() override;
    void setListVersion(int version) override;
    void installFoundations() override;
    void keysCopied(const QString &table) override;

    // A text prepared on the server: its name, and the type the server gave
    // each of its values.
    struct Prepared
    {
        QByteArray name;
        QList<unsigned> valueTypes;
    };
    // Where the other desks' commits are told: readable when one arrived.
    int noticeSocket() const;
    // The tables the other desks changed since the last call, each once;
    // after a new connection, "*": what was missed is not known.
    QStringList takeNotices();
    bool tellsChangesOf(const QString &table) const override;
    SeenChanges takeChanges() override;

    // The archive's tables are of this program's version; otherwise why not.
    void checkPrepared();
    static constexpr int SchemaVersion = 6;

    // For its statements: the text prepared, on first use.
    Prepared prepared(const QByteArray &sql);
    // A column of a result by its table and place: its name as the program
    // spells it and what it holds; null when it is no column of ours.
    const ColumnDefinition *columnOf(unsigned table, int place);
    void setLastInsertId(qint64 id) { m_lastInsertId = id; }
    // Runs a text of the engine's own SQL and returns the first column of
    // its rows.
    QStringList firstColumn(const QByteArray &sql);
    // After a failure: told in the store's words, the session given up when
    // the server is gone (the next action connects again).
    [[noreturn]] void fail(const struct pg_result *result);

private:
    void connect();
    void commitLost(const QByteArray &transaction);
    void readCatalog();
    void readNotices();
    // What this session reads may have changed, in no table it can name.
    void noteAnyChange();
    void run(const QByteArray &sql);

    QString m_server;
    QString m_user;
    QByteArray m_password;
    PGconn *m_connection = nullptr;
    QHash<QByteArray, Prepared> m_prepared;
    QHash<QString, QList<ColumnDefinition>> m_tables;
    QHash<quint64, ColumnDefinition> m_columns;
    bool m_catalogRead = false;
    bool m_damaged = false;
    qint64 m_lastInsertId = 0;
    // The write transaction open, by its number on the server.
    QByteArray m_writing;
    bool m_connectedBefore = false;
    // The tables the commits told of, since the last look: the other desks'
    // for the lists on screen, everyone's for the lists kept as read.
    QStringList m_elsewhere;
    QStringList m_changed;
};

namespace postgres {

const dialect::Spelling &spelling();
// The channel the archive's triggers name a changed table on.
inline constexpr const char *noticeChannel = "velmora";
// User and password typed at the start, for every later connection of
// this run to that archive (the check and the copies connect on their
// own); in memory only.
void rememberLogin(const QString &server, const QString &user, const QByteArray &password);

}

// The server engine under a connection, or null on the embedded file.
PostgresEngine *postgresEngineOf(class Connection &connection);
