#include "resulttable.h"

#include "statement.h"

#include <cstring>

std::shared_ptr<ResultTable> ResultTable::read(Statement &statement)
{
    auto table = std::make_shared<ResultTable>();
    const EngineStatement &rows = statement.rows();
    const int columns = rows.columnCount();
    for (int c = 0; c < columns; ++c) {
        table->m_names << rows.columnName(c);
        table->m_types.push_back(rows.columnType(c));
    }
    // A row's cells are filled in place, the texts one after the other in
    // chunks: no allocation per cell, nothing moved as the result grows.
    while (statement.step()) {
        Cell *cell = table->appendRow();
        for (int c = 0; c < columns; ++c, ++cell)
            table->fill(*cell, rows.cell(c));
    }
    return table;
}

std::shared_ptr<ResultTable> ResultTable::of(const QStringList &names, const std::vector<ColumnType> &types,
                                             const QList<QList<StoredValue>> &rows)
{
    auto table = std::make_shared<ResultTable>();
    table->m_names = names;
    table->m_types = types;
    for (const QList<StoredValue> &row : rows) {
        Cell *cell = table->appendRow();
        for (qsizetype c = 0; c < names.size(); ++c, ++cell) {
            const StoredValue value = row.value(c);
            table->fill(*cell, {value.kind, value.integer, value.real, value.text.constData(), int(value.text.size())});
        }
    }
    return table;
}

void ResultTable::fill(Cell &cell, const EngineCell &value)
{
    switch (value.kind) {
    case StoredValue::Kind::Integer:
        cell.kind = Cell::Integer;
        cell.integer = value.integer;
        break;
    case StoredValue::Kind::Real:
        cell.kind = Cell::Real;
        cell.real = value.real;
        break;
    case StoredValue::Kind::Null:
        cell.kind = Cell::Null;
        break;
    case StoredValue::Kind::Text:
        cell.kind = Cell::Text;
        cell.length = quint32(value.length);
        cell.text = keepText(value.text, cell.length);
        break;
    }
}

std::shared_ptr<const ResultTable> ResultTable::empty()
{
    static const auto none = std::make_shared<const ResultTable>();
    return none;
}

std::shared_ptr<ResultTable> ResultTable::subset(const std::vector<int> &rows, int kept) const
{
    auto table = std::make_shared<ResultTable>();
    const size_t width = m_names.size();
    const size_t columns = kept < 0 ? width : std::min(width, size_t(kept));
    table->m_names = m_names.mid(0, qsizetype(columns));
    table->m_types.assign(m_types.begin(), m_types.begin() + qsizetype(columns));
    for (int row : rows) {
        Cell *copied = table->appendRow();
        for (size_t c = 0; c < columns; ++c, ++copied) {
            *copied = cell(row, int(c));
            if (copied->kind == Cell::Text)
                copied->text = table->keepText(copied->text, copied->length);
        }
    }
    return table;
}

ResultTable::Cell *ResultTable::appendRow()
{
    const size_t columns = size_t(m_names.size());
    if (m_rowCount % ChunkRows == 0)
        m_chunks.push_back(std::make_unique_for_overwrite<Cell[]>(ChunkRows * columns));
    Cell *row = m_chunks.back().get() + size_t(m_rowCount % ChunkRows) * columns;
    ++m_rowCount;
    return row;
}

const char *ResultTable::keepText(const char *bytes, quint32 length)
{
    // A short result (a lookup, one bill) keeps its texts in a few
    // kilobytes; a long list's chunks double up to a megabyte.
    constexpr size_t FirstChunkBytes = 4096;
    constexpr size_t ChunkBytes = 1 << 20;
    if (length == 0)
        return "";
    if (m_texts.empty() || m_textUsed + length > m_textSize) {
        const size_t next = m_texts.empty() ? FirstChunkBytes : std::min(ChunkBytes, m_textSize * 2);
        m_textSize = std::max(next, size_t(length));
        m_texts.push_back(std::make_unique_for_overwrite<char[]>(m_textSize));
        m_textUsed = 0;
    }
    char *kept = m_texts.back().get() + m_textUsed;
    std::memcpy(kept, bytes, length);
    m_textUsed += length;
    return kept;
}

const ResultTable::Cell &ResultTable::cell(int row, int column) const
{
    return m_chunks[size_t(row / ChunkRows)][size_t(row % ChunkRows) * size_t(m_names.size()) + size_t(column)];
}

int ResultTable::columnIndex(const QString &name) const
{
    for (int c = 0; c < m_names.size(); ++c)
        if (m_names.at(c).compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

StoredValue ResultTable::stored(int row, int column) const
{
    const Cell &cell = this->cell(row, column);
    switch (cell.kind) {
    case Cell::Null:
        break;
    case Cell::Integer:
        return StoredValue::ofInteger(cell.integer);
    case Cell::Real:
        return StoredValue::ofReal(cell.real);
    case Cell::Text:
        return StoredValue::ofText(QByteArray(cell.text, cell.length));
    }
    return StoredValue::null();
}

RowVersion ResultTable::version(int row) const
{
    QList<QPair<QString, StoredValue>> values;
    for (int c = 0; c < columnCount(); ++c)
        values.append({m_names.at(c), stored(row, c)});
    return RowVersion(values);
}

Field ResultTable::field(int row, int column) const
{
    const Cell &cell = this->cell(row, column);
    const ColumnType type = m_types[column];
    switch (cell.kind) {
    case Cell::Null:
        return Field();
    case Cell::Integer:
        if (type == ColumnType::Money)
            return Field::ofMoney(cell.integer);
        return Field::ofInteger(cell.integer);
    case Cell::Real:
        return Field::ofReal(cell.real);
    case Cell::Text:
        break;
    }
    const QString text = QString::fromUtf8(cell.text, cell.length);
    if (type == ColumnType::Date) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (date.isValid())
            return Field::ofDate(date);
    }
    return Field::ofText(text);
}
