#pragma once

#include "rowversion.h"
#include "schema.h"
#include "tablechanges.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

class Engine;
class ResultTable;

// The one shared connection to the store, opened at start-up and closed by
// the confirmed exit. Accepts the Jet-style SQL the windows write (see
// Dialect) and raises StoreError on any failure.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // The size of the encrypted pages of new stores. Stores made before
    // it (1 KiB pages) open and work as they are.
    static constexpr int NewPageSize = 4096;

    // Opens an existing store file, whatever the size of its pages; a wrong
    // key or a file that is not a store is refused and the file left as it is.
    void open(const QString &path, const QByteArray &key);
    // Makes a new, empty, keyed file; refuses a path that exists. A copy of
    // a store is made with the store's page size.
    void create(const QString &path, const QByteArray &key, int pageSize = NewPageSize);
    // Connects to the office's archive on a server: a libpq connection
    // string, "postgresql://..." or "service=..."; user and password when
    // typed at the start. An archive the server lacks or that is not
    // prepared is refused. Unprepared, only connects (to prepare it).
    enum class Prepared { Required, NotYet };
    void openServer(const QString &server, const QString &user = {}, const QByteArray &password = {},
                    Prepared prepared = Prepared::Required);
    bool isServer() const;
    // From now on this session's changes go to the store's history, where
    // it has one: on the file by the session itself (an open does it; a
    // store made new, a copy being filled, does not), on a server by the
    // archive.
    void keepHistory();
    // Where the other desks' commits are told (a socket to watch), -1 on
    // the file; and the tables they changed since the last look, "*" when
    // the session was connected again and what was missed is not known.
    int noticeSocket() const;
    QStringList changedElsewhere();
    // A count that moves on whenever a table the query reads may have
    // changed, here or on another desk: a list read at the same count is
    // still what the query gives.
    quint64 changeCount(const QString &jetSql);
    // The same count for the whole store: it stays put while nothing at
    // all changes.
    quint64 lastChange();
    // The rows this session added to the table since a list of it was read
    // at that count, and the count they bring the list to; none when the
    // table changed otherwise, or on another desk, or that is not known.
    struct Additions
    {
        std::vector<qint64> keys;
        quint64 count;
    };
    std::optional<Additions> addedSince(const QString &table, quint64 count);
    void close();
    bool isOpen() const { return m_engine != nullptr; }
    // The store file open on this connection, or the archive on the server.
    QString path() const;
    // Whether damage was found in this run (no write is taken any more).
    bool isDamaged() const;
    // Damage found by a check: from now on no write is taken.
    void markDamaged();

    // Runs one statement that returns no rows; returns the rows changed.
    // Values for its "?" marks are bound, never pasted into the text.
    int execute(const QString &jetSql, const QList<QVariant> &values = {});
    // A change or deletion of one loaded row, "UPDATE <table> ... WHERE ID = ?"
    // or "DELETE * FROM <table> WHERE ID = ?": written only while the row is
    // still as loaded, otherwise refused with what happened to it.
    int executeOnLoaded(const QString &jetSql, const QList<QVariant> &values, const RowVersion &loaded);
    // Inside a write transaction: the rows of the table the condition
    // selects are this desk's until the commit. Another desk's write of
    // them is waited for, and the rows it changed so that they no longer
    // match are left out. The file is the writer's alone already.
    void lockRows(const QString &table, const QString &where, const QList<QVariant> &values = {});
    qint64 lastInsertId() const;
    // The whole numbers of a query's first column, stepped straight into
    // place: a million keys of a long list are 8 MB, not a table of cells.
    std::vector<qint64> keysOf(const QString &jetSql);

    // For the store's own classes.
    Engine &engine() const;
    // The windows' SQL in the engine's own.
    QByteArray translated(const QString &jetSql) const;
    const QList<ColumnDefinition> &columnsOf(const QString &table);
    // After a change of a table's shape.
    void forgetColumns(const QString &table);
    // Every table of the store: the register's five in their order, then
    // the others (billing runs, office profile, e-invoices) by name.
    QStringList tableNames();
    // Every row of a table, in the order of its keys; a table without an ID
    // (the rows of the billing runs) by its first two columns.
    std::shared_ptr<const ResultTable> tableRows(const QString &table);
    // The statement that reads them so.
    QString inKeyOrder(const QString &table);
    // Whether the store has every one of these tables and indexes.
    bool hasAll(const QStringList &names);

private:
    void verifyTables();

    std::unique_ptr<Engine> m_engine;
    QHash<QString, QList<ColumnDefinition>> m_columns;
    TableChanges m_changes;
};
