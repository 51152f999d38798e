#include "resulttable.h"

#include "statement.h"

#include <sqlite3.h>

std::shared_ptr<ResultTable> ResultTable::read(Statement &statement)
{
    auto table = std::make_shared<ResultTable>();
    sqlite3_stmt *stmt = statement.handle();
    const int columns = sqlite3_column_count(stmt);
    for (int c = 0; c < columns; ++c) {
        const QString name = QString::fromUtf8(sqlite3_column_name(stmt, c));
        table->m_names << name;
        table->m_types.push_back(columnTypeFromDeclaration(sqlite3_column_decltype(stmt, c)));
    }
    while (statement.step()) {
        for (int c = 0; c < columns; ++c) {
            Cell cell;
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER:
                cell.kind = Cell::Integer;
                cell.integer = sqlite3_column_int64(stmt, c);
                break;
            case SQLITE_FLOAT:
                cell.kind = Cell::Real;
                cell.real = sqlite3_column_double(stmt, c);
                break;
            case SQLITE_NULL:
                break;
            default: {
                const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
                cell.kind = Cell::Text;
                cell.text.offset = quint32(table->m_texts.size());
                cell.text.length = quint32(sqlite3_column_bytes(stmt, c));
                table->m_texts.append(bytes, cell.text.length);
                break;
            }
            }
            table->m_cells.push_back(cell);
        }
        ++table->m_rowCount;
    }
    return table;
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
    table->m_cells.reserve(rows.size() * columns);
    for (int row : rows) {
        for (size_t c = 0; c < columns; ++c) {
            Cell cell = m_cells[size_t(row) * width + c];
            if (cell.kind == Cell::Text) {
                const quint32 offset = quint32(table->m_texts.size());
                table->m_texts.append(m_texts, cell.text.offset, cell.text.length);
                cell.text.offset = offset;
            }
            table->m_cells.push_back(cell);
        }
        ++table->m_rowCount;
    }
    return table;
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
    const Cell &cell = m_cells[size_t(row) * m_names.size() + column];
    switch (cell.kind) {
    case Cell::Null:
        break;
    case Cell::Integer:
        return StoredValue::ofInteger(cell.integer);
    case Cell::Real:
        return StoredValue::ofReal(cell.real);
    case Cell::Text:
        return StoredValue::ofText(QByteArray(m_texts.data() + cell.text.offset, cell.text.length));
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
    const Cell &cell = m_cells[size_t(row) * m_names.size() + column];
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
    const QString text = QString::fromUtf8(m_texts.data() + cell.text.offset, cell.text.length);
    if (type == ColumnType::Date) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (date.isValid())
            return Field::ofDate(date);
    }
    return Field::ofText(text);
}
