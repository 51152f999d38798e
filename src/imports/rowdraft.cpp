#include "rowdraft.h"

#include "italianvalues.h"
#include "store/columnrules.h"
#include "store/schema.h"
#include "store/storeerror.h"
#include "store/valueconversion.h"

RowDraft::RowDraft(const importpreview::Preview &preview, const SheetRow &row, const importfields::Mapping &mapping)
    : m_preview(preview), m_fields(importfields::fieldsOf(preview.table)), m_cells(m_fields.size()), m_set(preview.columns.size())
{
    m_row.number = row.number;
    m_row.source = row.cells;
    const QList<importfields::Field> &fields = m_fields;
    for (int column = 0; column < mapping.size(); ++column) {
        if (mapping.at(column) < 0)
            continue;
        // Blanks in a row, as spreadsheets gather them, are one; notes keep their lines.
        const QString &key = fields.at(mapping.at(column)).key;
        const QString text = key.compare(QLatin1String("NOTE"), Qt::CaseInsensitive) == 0 ? row.cells.value(column).trimmed()
                                                                                          : row.cells.value(column).simplified();
        m_cells[mapping.at(column)] = text;
        // Opened again in a spreadsheet, such a text would run.
        if (italianvalues::looksLikeFormula(text) && !italianvalues::amount(text))
            fail(QStringLiteral("la colonna \"%1\" contiene una formula (%2)").arg(preview.headers.value(column), text.left(40)));
    }
}

QString RowDraft::cell(const QString &key) const
{
    for (qsizetype field = 0; field < m_fields.size(); ++field)
        if (m_fields.at(field).key == key)
            return m_cells.at(field);
    return QString();
}

void RowDraft::set(const QString &column, const QVariant &value, const QString &shown)
{
    m_set[m_preview.columns.indexOf(column)] = {value, shown};
}

void RowDraft::setDay(const QString &column, const QDate &date)
{
    set(column, date, date.toString(QStringLiteral("dd/MM/yyyy")));
}

std::optional<QDate> RowDraft::setDate(const QString &column, const QString &what)
{
    const QString text = cell(column);
    if (text.isEmpty())
        return std::nullopt;
    const auto date = italianvalues::date(text);
    if (!date) {
        fail(QStringLiteral("%1 non leggibile: \"%2\"").arg(what, text));
        return std::nullopt;
    }
    setDay(column, *date);
    return date;
}

void RowDraft::fail(const QString &why)
{
    if (m_row.error.isEmpty())
        m_row.error = why;
}

importpreview::Row RowDraft::finish()
{
    const QString table = importfields::storeTableOf(m_preview.table);
    m_row.shown.reserve(m_set.size());
    m_row.values.reserve(m_set.size());
    for (qsizetype c = 0; c < m_set.size(); ++c) {
        const auto &[value, shown] = m_set.at(c);
        const QString &column = m_preview.columns.at(c);
        m_row.shown << shown;
        try {
            const StoredValue stored = toStoredValue(value, m_preview.types.at(c), column);
            columnrules::check(table, column, stored);
            m_row.values << stored;
        } catch (const StoreError &error) {
            fail(error.message());
            m_row.values << StoredValue::null();
        }
    }
    return m_row;
}

void importrows::setColumns(importpreview::Preview &preview, const QStringList &columns)
{
    preview.columns = columns;
    const TableDefinition *definition = schema::definitionNamed(importfields::storeTableOf(preview.table));
    for (const QString &column : columns) {
        ColumnType type = ColumnType::Text;
        for (const ColumnDefinition &c : definition->columns)
            if (c.name == column)
                type = c.type;
        preview.types << type;
    }
}
