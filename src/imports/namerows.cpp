#include "italianvalues.h"
#include "rowdraft.h"
#include "store/recordset.h"

#include <QHash>

namespace importrows {

// Reasons and operators: a name each (a reason with its price), refused
// when the store or an earlier row has it already, under the store's
// comparison. Operators are written in capitals, as their panel writes them.
void names(Connection &connection, const Sheet &sheet, const importfields::Mapping &mapping, importpreview::Preview &preview)
{
    const bool reasons = preview.table == importfields::Table::Reasons;
    const QString nameColumn = reasons ? QStringLiteral("CAUSALE") : QStringLiteral("OPERATORE");
    setColumns(preview, reasons ? QStringList{nameColumn, QStringLiteral("IMPORTO")} : QStringList{nameColumn});
    QHash<QString, QString> stored;
    for (Recordset rows(connection,
                        QStringLiteral("SELECT %1 FROM %2").arg(nameColumn, importfields::storeTableOf(preview.table)));
         !rows.eof(); rows.moveNext())
        stored.insert(rows.fields(0).text().toUpper(), rows.fields(0).text());
    QHash<QString, int> seen;
    for (const SheetRow &sheetRow : sheet.rows) {
        RowDraft draft(preview, sheetRow, mapping);
        const QString name = reasons ? draft.cell(nameColumn) : draft.cell(nameColumn).toUpper();
        if (name.isEmpty())
            draft.fail(reasons ? QStringLiteral("manca la causale") : QStringLiteral("manca il nome dell'operatore"));
        else if (stored.contains(name.toUpper()))
            draft.fail(QStringLiteral("già presente: %1").arg(stored.value(name.toUpper())));
        else if (seen.contains(name.toUpper()))
            draft.fail(QStringLiteral("stesso nome della riga %1").arg(seen.value(name.toUpper())));
        else
            seen.insert(name.toUpper(), sheetRow.number);
        draft.setText(nameColumn, name);
        if (reasons && draft.has(QStringLiteral("IMPORTO"))) {
            const auto price = italianvalues::amount(draft.cell(QStringLiteral("IMPORTO")));
            if (price)
                draft.set(QStringLiteral("IMPORTO"), QVariant::fromValue(*price), price->groupedText());
            else
                draft.fail(QStringLiteral("importo non leggibile: \"%1\"").arg(draft.cell(QStringLiteral("IMPORTO"))));
        }
        preview.rows << draft.finish();
    }
}

}
