#include "italianvalues.h"
#include "rowdraft.h"
#include "store/recordset.h"

#include <QHash>
#include <QRegularExpression>

namespace importrows {

namespace {

struct Named
{
    qint64 id = 0;
    QString name;
    std::optional<Money> price;
    int count = 0; // rows of that name
};

// The rows of a table by name in capitals, as the store compares names.
QHash<QString, Named> byName(Connection &connection, const QString &sql, bool priced = false)
{
    QHash<QString, Named> found;
    for (Recordset rows(connection, sql); !rows.eof(); rows.moveNext()) {
        Named &named = found[rows.fields(1).text().toUpper()];
        if (named.count++ == 0) {
            named.id = rows.fields(0).toInteger();
            named.name = rows.fields(1).text();
            if (priced && !rows.fields(2).isNull())
                named.price = Money::fromCents(rows.fields(2).toInteger());
        }
    }
    return found;
}

const QStringList Columns{"ANNO", "MESE", "ID_CL",   "ID_OPER",   "ID_CAUS", "DATAR", "CLIENTE", "CAUSALE", "GG", "ORE",
                          "MIN",  "QTA",  "IMPORTO", "OPERATORE", "PARC",    "DATAP", "NR",      "NOTE",    "AGG"};

struct Links
{
    QHash<QString, Named> clients, reasons, operators;
    QHash<QString, QString> toMake[2]; // reasons and operators the store lacks, by name in capitals
};

void linkClient(RowDraft &draft, const Links &links)
{
    const QString name = draft.cell(QStringLiteral("CLIENTE"));
    const auto client = links.clients.constFind(name.toUpper());
    if (name.isEmpty())
        return draft.fail(QStringLiteral("manca il cliente"));
    if (client == links.clients.constEnd())
        return draft.fail(QStringLiteral("cliente non trovato in anagrafica: %1").arg(name));
    if (client->count > 1)
        return draft.fail(QStringLiteral("in anagrafica ci sono %1 clienti di nome %2").arg(client->count).arg(client->name));
    draft.set(QStringLiteral("ID_CL"), client->id, QString::number(client->id));
    draft.setText(QStringLiteral("CLIENTE"), client->name.toUpper());
}

// A reason or an operator by name; one the store lacks is made by the
// import, and the service linked to it then.
const Named *link(RowDraft &draft, Links &links, int which)
{
    const bool reason = which == 0;
    const QString column = reason ? QStringLiteral("CAUSALE") : QStringLiteral("OPERATORE");
    const QString idColumn = reason ? QStringLiteral("ID_CAUS") : QStringLiteral("ID_OPER");
    const QString name = reason ? draft.cell(column) : draft.cell(column).toUpper();
    if (name.isEmpty()) {
        draft.note(reason ? QStringLiteral("senza causale: sarà tra le anomalie")
                          : QStringLiteral("senza operatore: sarà tra le anomalie"));
        return nullptr;
    }
    const QHash<QString, Named> &known = reason ? links.reasons : links.operators;
    const auto found = known.constFind(name.toUpper());
    if (found == known.constEnd()) {
        const QString made = links.toMake[which].value(name.toUpper(), name);
        (reason ? draft.row().reasonToMake : draft.row().operatorToMake) = made;
        draft.setText(column, made);
        draft.note(reason ? QStringLiteral("causale nuova, sarà creata: %1").arg(made)
                          : QStringLiteral("operatore nuovo, sarà creato: %1").arg(made.toUpper()));
        return nullptr;
    }
    draft.set(idColumn, found->id, QString::number(found->id));
    draft.setText(column, reason ? found->name : found->name.toUpper());
    return &*found;
}

void setNumber(RowDraft &draft, const QString &column, const QString &otherwise = QString())
{
    const QString text = draft.cell(column);
    if (text.isEmpty()) {
        draft.setText(column, otherwise);
        return;
    }
    const auto number = italianvalues::number(text);
    if (!number)
        return draft.fail(QStringLiteral("%1 non è un numero: \"%2\"").arg(column, text));
    draft.setText(column, *number);
}

// The file's amount, or the reason's price times the quantity, as "Inserisci" works it out.
void setAmount(RowDraft &draft, const Named *reason, const QString &quantity)
{
    const QString text = draft.cell(QStringLiteral("IMPORTO"));
    std::optional<Money> amount;
    if (!text.isEmpty()) {
        amount = italianvalues::amount(text);
        if (!amount)
            return draft.fail(QStringLiteral("importo non leggibile: \"%1\"").arg(text));
    } else if (reason && reason->price) {
        amount = reason->price->times(quantity);
        draft.note(QStringLiteral("importo dal prezzo della causale per la quantità"));
    } else {
        amount = Money();
        draft.note(QStringLiteral("importo non indicato e causale senza prezzo: 0,00"));
    }
    draft.set(QStringLiteral("IMPORTO"), QVariant::fromValue(amount.value_or(Money())), amount.value_or(Money()).groupedText());
}

// Billed when the file says so, or gives a billing date; an unbilled
// service has neither billing date nor number.
void setBilling(RowDraft &draft)
{
    const QString flagText = draft.cell(QStringLiteral("PARC"));
    const auto flag = italianvalues::flag(flagText);
    if (!flagText.isEmpty() && !flag)
        return draft.fail(QStringLiteral("parcellata o no? \"%1\" non è né sì né no").arg(flagText));
    const bool billed = flag.value_or(draft.has(QStringLiteral("DATAP")));
    draft.setText(QStringLiteral("PARC"), billed ? QStringLiteral("S") : QStringLiteral("N"));
    if (!billed) {
        if (draft.has(QStringLiteral("DATAP")) || draft.has(QStringLiteral("NR")))
            draft.note(QStringLiteral("non parcellata: data e numero di parcella lasciati vuoti"));
        return;
    }
    if (draft.has(QStringLiteral("DATAP")) && !draft.setDate(QStringLiteral("DATAP"), QStringLiteral("data di parcella")))
        return;
    static const QRegularExpression number(QStringLiteral("^[0-9,-]*$"));
    const QString nr = draft.cell(QStringLiteral("NR"));
    if (!number.match(nr).hasMatch())
        return draft.fail(
            QStringLiteral("numero di parcella \"%1\" non valido: sono ammesse solo cifre, virgola e trattino").arg(nr));
    draft.setText(QStringLiteral("NR"), nr);
}

}

void services(Connection &connection, const Sheet &sheet, const importfields::Mapping &mapping, importpreview::Preview &preview)
{
    setColumns(preview, Columns);
    Links links;
    links.clients = byName(connection, QStringLiteral("SELECT ID, Soggetto FROM SOGGETTI ORDER BY ID"));
    links.reasons = byName(connection, QStringLiteral("SELECT ID, CAUSALE, IMPORTO FROM CAUSALE ORDER BY ID"), true);
    links.operators = byName(connection, QStringLiteral("SELECT ID, OPERATORE FROM OPERATORE ORDER BY ID"));
    const QDate today = QDate::currentDate();
    for (const SheetRow &sheetRow : sheet.rows) {
        RowDraft draft(preview, sheetRow, mapping);
        if (!draft.has(QStringLiteral("DATAR")))
            draft.fail(QStringLiteral("manca la data"));
        else if (const auto date = draft.setDate(QStringLiteral("DATAR"), QStringLiteral("data"))) {
            draft.set(QStringLiteral("ANNO"), date->year(), QString::number(date->year()));
            draft.set(QStringLiteral("MESE"), date->month(), QString::number(date->month()));
        }
        linkClient(draft, links);
        const Named *reason = link(draft, links, 0);
        link(draft, links, 1);
        for (const char *column : {"GG", "ORE", "MIN"})
            setNumber(draft, QLatin1String(column));
        setNumber(draft, QStringLiteral("QTA"), QStringLiteral("1"));
        setAmount(draft, reason, italianvalues::number(draft.cell(QStringLiteral("QTA"))).value_or(QStringLiteral("1")));
        setBilling(draft);
        draft.setText(QStringLiteral("NOTE"), draft.cell(QStringLiteral("NOTE")).toUpper());
        draft.setDay(QStringLiteral("AGG"), today);
        const importpreview::Row &row = preview.rows.emplace_back(draft.finish());
        // Only the services imported make their reason or operator.
        for (const auto &[which, name] : {std::pair{0, row.reasonToMake}, std::pair{1, row.operatorToMake}})
            if (row.error.isEmpty() && !name.isEmpty() && !links.toMake[which].contains(name.toUpper()))
                links.toMake[which].insert(name.toUpper(), name);
    }
    preview.reasonsToMake = links.toMake[0].values();
    preview.operatorsToMake = links.toMake[1].values();
    preview.reasonsToMake.sort(Qt::CaseInsensitive);
    preview.operatorsToMake.sort(Qt::CaseInsensitive);
}

}
