#pragma once

#include "store/engine.h"

struct sqlite3;
struct sqlite3_stmt;

class SqliteEngine;

class SqliteStatement final : public EngineStatement
{
public:
    SqliteStatement(SqliteEngine &engine, const QByteArray &sql);
    ~SqliteStatement() override;

    void bind(int position, const StoredValue &value) override;
    bool step() override;
    int changes() const override;
    void reset() override;
    int columnCount() const override;
    QString columnName(int column) const override;
    ColumnType columnType(int column) const override;
    EngineCell cell(int column) const override;

private:
    [[noreturn]] void fail(int code) const;

    SqliteEngine &m_engine;
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};
