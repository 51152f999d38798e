#pragma once

#include "dialect.h"
#include "schema.h"
#include "storedvalue.h"
#include "tablechanges.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

// One value of the current row as the engine holds it; a text stays valid
// until the statement steps again.
struct EngineCell
{
    StoredValue::Kind kind = StoredValue::Kind::Null;
    qint64 integer = 0;
    double real = 0;
    const char *text = nullptr;
    int length = 0;
};

// One prepared statement of an engine, in the engine's own SQL.
class EngineStatement
{
public:
    virtual ~EngineStatement() = default;

    virtual void bind(int position, const StoredValue &value) = 0;
    // Steps once; true while a row is there.
    virtual bool step() = 0;
    // The rows the statement changed, once stepped to the end.
    virtual int changes() const = 0;
    // Ready to run again with new values.
    virtual void reset() = 0;

    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    // What the column holds, when it is a column of a table.
    virtual ColumnType columnType(int column) const = 0;
    virtual EngineCell cell(int column) const = 0;
};

// Where the store's rows live: the embedded encrypted file or the office's
// server. The connection, the recordsets and the schema speak to it only
// through this.
class Engine
{
public:
    virtual ~Engine() = default;

    virtual const dialect::Spelling &spelling() const = 0;
    // The file or the server, as the user is told of it.
    virtual QString location() const = 0;
    virtual std::unique_ptr<EngineStatement> prepare(const QByteArray &sql) = 0;
    virtual qint64 lastInsertId() = 0;

    // A write takes the store at once, so two programs never find out at
    // the commit that they both wrote; a read sees one state throughout.
    enum class Intent { Read, Write };
    virtual void begin(Intent intent) = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;

    // Every table the store holds, by name; and its tables and indexes.
    virtual QStringList tables() = 0;
    virtual QStringList tablesAndIndexes() = 0;
    // The columns of a table in their order; empty when there is none.
    virtual QList<ColumnDefinition> columnsOf(const QString &table) = 0;
    // The statement that makes the table.
    virtual QString definitionOf(const TableDefinition &table) const = 0;
    // How a column of that type is declared, for one added to a table.
    virtual QString declarationOf(ColumnType type, bool collated) const = 0;
    // What a new store needs before its tables: on a server its collation
    // and the functions the windows' SQL is spelled with.
    virtual void installFoundations() = 0;

    // Damage found in this run: from then on nothing is written.
    virtual bool isDamaged() = 0;
    virtual void markDamaged() = 0;
    // What the engine's own check finds wrong with the stored rows and
    // indexes; empty when sound. Full also reads every index against its
    // table.
    virtual QStringList structureProblems(bool full) = 0;

    // Rows with their IDs were copied into the table: new rows must get IDs
    // past them.
    virtual void keysCopied(const QString &table) = 0;

    // Whether the changes of that table are told by takeChanges: every
    // table's on the file, on a server those its commits announce.
    virtual bool tellsChangesOf(const QString &table) const = 0;
    // What changed since the last call, by this session or another (a
    // desk, a program). The rows added are told by the file, for this
    // session's own writes.
    virtual SeenChanges takeChanges() = 0;

    // The date of the municipalities' list the store was brought up to.
    virtual int listVersion() = 0;
    virtual void setListVersion(int version) = 0;
};
