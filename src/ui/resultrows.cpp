#include "resultrows.h"

ResultRows::ResultRows(std::shared_ptr<const ResultTable> table, QHash<int, Format> formats)
    : m_table(std::move(table)), m_formats(std::move(formats))
{}

int ResultRows::rowCount() const
{
    return m_table->rowCount();
}

QString ResultRows::text(int row, int column) const
{
    if (column >= m_table->columnCount())
        return QString();
    const Field field = m_table->field(row, column);
    const auto format = m_formats.constFind(column);
    if (format == m_formats.constEnd() || field.isNull())
        return field.text();
    return (*format)(field);
}
