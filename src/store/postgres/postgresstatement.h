#pragma once

#include "store/engine.h"

#include <vector>

typedef struct pg_result PGresult;

class PostgresEngine;

// One statement on the server: its values gathered until the first step,
// then sent out of line with the prepared text; the rows arrive at once and
// are read in place.
class PostgresStatement final : public EngineStatement
{
public:
    PostgresStatement(PostgresEngine &engine, const QByteArray &sql);
    ~PostgresStatement() override;

    void bind(int position, const StoredValue &value) override;
    bool step() override;
    int changes() const override { return m_changes; }
    void reset() override;
    int columnCount() const override;
    QString columnName(int column) const override;
    ColumnType columnType(int column) const override;
    EngineCell cell(int column) const override;

private:
    // Sends the statement once, at the first step or the first look at its
    // columns.
    void execute() const;

    // How a column's text is read: the server's type, or ours for a
    // column of a table.
    enum class Reading { Integer, Number, Boolean, Text };

    PostgresEngine &m_engine;
    QByteArray m_sql;
    // An insert into a keyed table answers with the new ID.
    bool m_returnsId = false;
    mutable bool m_executed = false;
    std::vector<StoredValue> m_values;
    mutable PGresult *m_result = nullptr;
    mutable std::vector<Reading> m_readings;
    mutable std::vector<const ColumnDefinition *> m_columns;
    int m_row = -1;
    mutable int m_rows = 0;
    mutable int m_changes = 0;
};
