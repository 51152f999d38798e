#pragma once

#include "columntype.h"
#include "field.h"
#include "rowversion.h"

#include <QStringList>
#include <memory>
#include <vector>

class Statement;
struct EngineCell;

// The rows of one query, read to the end at once so the record count is
// exact. Values are kept in the engine's compact form and turned into
// fields only when asked for, so a 100,000-row list fills at the speed of
// the engine itself. Shared by the recordset and the lists that show it.
class ResultTable
{
public:
    static std::shared_ptr<ResultTable> read(Statement &statement);
    // Rows the program made itself (a printed copy's lines), read as any
    // query's.
    static std::shared_ptr<ResultTable> of(const QStringList &names, const std::vector<ColumnType> &types,
                                           const QList<QList<StoredValue>> &rows);
    // No columns, no rows.
    static std::shared_ptr<const ResultTable> empty();
    // The given rows of this table, in the given order, as a table of their
    // own; with a column count, only the first so many columns.
    std::shared_ptr<ResultTable> subset(const std::vector<int> &rows, int columns = -1) const;

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return int(m_names.size()); }
    QString columnName(int column) const { return m_names.at(column); }
    ColumnType columnType(int column) const { return m_types.at(column); }
    // Position of a column by name without regard to case, or -1.
    int columnIndex(const QString &name) const;

    Field field(int row, int column) const;
    StoredValue stored(int row, int column) const;
    // The row's values as stored, for a change or deletion of that row.
    RowVersion version(int row) const;

private:
    struct Cell
    {
        enum : quint8 { Null, Integer, Real, Text } kind;
        quint32 length; // of a text
        union
        {
            qint64 integer;
            double real;
            const char *text; // in the table's own text chunks
        };
    };

    // The cells of a new row, left for the caller to fill.
    Cell *appendRow();
    void fill(Cell &cell, const EngineCell &value);
    // A copy of the bytes kept with the table, where it stays put.
    const char *keepText(const char *bytes, quint32 length);
    const Cell &cell(int row, int column) const;

    // Rows are kept in chunks of a fixed number: a long result grows
    // without moving what it has read.
    static constexpr int ChunkRows = 4096;

    QStringList m_names;
    std::vector<ColumnType> m_types;
    std::vector<std::unique_ptr<Cell[]>> m_chunks;
    std::vector<std::unique_ptr<char[]>> m_texts;
    size_t m_textSize = 0; // of the last text chunk
    size_t m_textUsed = 0; // of it
    int m_rowCount = 0;
};
