#include "statement.h"

#include "connection.h"
#include "valueconversion.h"

Statement::Statement(Connection &connection, const QByteArray &sql) : m_statement(connection.engine().prepare(sql)) {}

void Statement::bindAll(const QList<QVariant> &values)
{
    int position = 1;
    for (const QVariant &value : values) {
        const bool whole = value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong;
        const bool date = value.typeId() == QMetaType::QDate;
        bind(position++,
             value.isNull() ? StoredValue::null()
                 : whole    ? StoredValue::ofInteger(value.toLongLong())
                 : date     ? StoredValue::ofText(isoDate(value.toDate()))
                            : StoredValue::ofText(value.toString().toUtf8()));
    }
}

QString Statement::text(int column) const
{
    const EngineCell cell = m_statement->cell(column);
    if (cell.kind == StoredValue::Kind::Integer)
        return QString::number(cell.integer);
    return QString::fromUtf8(cell.text, cell.length);
}

int Statement::run()
{
    while (step()) {}
    return m_statement->changes();
}
