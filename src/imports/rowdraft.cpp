#include "rowdraft.h"

#include "italianvalues.h"
#include "store/columnrules.h"
#include "store/schema.h"
#include "store/storeerror.h"
#include "store/valueconversion.h"

RowDraft::RowDraft(const importpreview::Preview &preview, const SheetRow &row, const importfields::Mapping &mapping)
    : m_preview(preview)
{
    m_row.number = row.number;
    m_row.source = row.cells;
    const QList<importfields::Field> &fields = importfields::fieldsOf(preview.table);
    for (int column = 0; column < mapping.size(); ++column) {
        if (mapping.at(column) < 0)
            continue;
        // Blanks in a row, as spreadsheets gather them, are one; notes keep their lines.
        const QString &key = fields.at(mapping.at(column)).key;
        const QString text = key.compare(QLatin1String("NOTE"), Qt::CaseInsensitive) == 0 ? row.cells.value(column).trimmed()
                                                                                          : row.cells.value(column).simplified();
        m_cells.insert(key, text);
        // Opened again in a spreadsheet, such a text would run.
        if (italianvalues::looksLikeFormula(text) && !italianvalues::amount(text))
            fail(QStringLiteral("la colonna \"%1\" contiene una formula (%2)").arg(preview.headers.value(column), text.left(40)));
    }
}

QString RowDraft::cell(const QString &key) const
{
    return m_cells.value(key);
}

void RowDraft::set(const QString &column, const QVariant &value, const QString &shown)
{
    m_set.insert(column, {value, shown});
}

void RowDraft::fail(const QString &why)
{
    if (m_row.error.isEmpty())
        m_row.error = why;
}

importpreview::Row RowDraft::finish()
{
    const QString table = importfields::storeTableOf(m_preview.table);
    const TableDefinition *definition = schema::definitionNamed(table);
    for (const QString &column : m_preview.columns) {
        const auto set = m_set.value(column);
        ColumnType type = ColumnType::Text;
        for (const ColumnDefinition &c : definition->columns)
            if (c.name == column)
                type = c.type;
        m_row.shown << set.second;
        try {
            const StoredValue stored = toStoredValue(set.first, type, column);
            columnrules::check(table, column, stored);
            m_row.values << stored;
        } catch (const StoreError &error) {
            fail(error.message());
            m_row.values << StoredValue::null();
        }
    }
    return m_row;
}
