#include "italianvalues.h"
#include "rowdraft.h"
#include "store/connection.h"
#include "store/recordset.h"
#include "taxcodes/taxcode.h"
#include "taxcodes/vatnumber.h"

#include <QHash>
#include <QRegularExpression>

namespace importrows {

namespace {

struct Place
{
    QString name, province, postalCode;
};

// What the registry and the municipalities hold, read once for the file.
struct Known
{
    QHash<QString, QString> codes; // tax code or VAT number: the client's name
    QHash<QString, QString> names; // by name in capitals
    QHash<QString, Place> places; // DATI by name in capitals

    explicit Known(Connection &connection)
    {
        for (Recordset rows(connection, QStringLiteral("SELECT Soggetto, Codice, PIVA FROM SOGGETTI")); !rows.eof();
             rows.moveNext()) {
            const QString name = rows.fields(0).text();
            const QString code = normalizedCode(rows.fields(1).text());
            const QString vat = vatnumber::canonical(rows.fields(2).text());
            if (!code.isEmpty())
                codes.insert(code, name);
            if (!vat.isEmpty())
                codes.insert(vat, name);
            names.insert(name.toUpper(), name);
        }
        for (Recordset rows(connection, QStringLiteral("SELECT COMUNE, PR, CAP FROM DATI")); !rows.eof(); rows.moveNext())
            places.insert(rows.fields(0).text().toUpper(), {rows.fields(0).text(), rows.fields(1).text(), rows.fields(2).text()});
    }
};

const QStringList Columns{"Stato", "Soggetto", "DataN", "ComuneN", "PrN",      "Indirizzo", "ComuneR", "PrR",
                          "CAP",   "Codice",   "PIVA",  "IBAN",    "Attivita", "Tipo",      "Ndoc",    "Scad",
                          "Pag",   "Tel",      "Cell",  "Fax",     "Email",    "Note",      "Agg"};
// Written as typed, not in capitals.
const QStringList Digits{"Tel", "Cell", "Fax", "PIVA"};

// A number as the phone fields take it: digits alone, "+39" as "0039".
QString phoneDigits(QString text)
{
    if (text.startsWith(QLatin1Char('+')))
        text.replace(0, 1, QStringLiteral("00"));
    static const QRegularExpression separators(QStringLiteral("[\\s./()-]"));
    return text.remove(separators);
}

// Numbers a spreadsheet kept as numbers lose their leading zeros.
QString withZeros(RowDraft &draft, const QString &text, int length, const QString &what)
{
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    if (text.size() >= length || text.size() < length - 2 || !digits.match(text).hasMatch())
        return text;
    const QString padded = text.rightJustified(length, QLatin1Char('0'));
    draft.note(QStringLiteral("%1 completato con gli zeri iniziali: %2").arg(what, padded));
    return padded;
}

// Province and postal code from DATI where the file leaves them out; a
// disagreement is pointed out, never corrected.
void placeOf(RowDraft &draft, const Known &known, const QString &municipality, const QString &province,
             const QString &postalCode = QString(), const QString &givenCode = QString())
{
    const QString name = draft.cell(municipality).toUpper();
    if (name.isEmpty())
        return;
    const auto found = known.places.constFind(name);
    if (found == known.places.constEnd())
        return draft.note(QStringLiteral("comune %1 non trovato nell'elenco dei comuni").arg(name));
    QString told = QStringLiteral("comune trovato: %1 (%2)").arg(found->name, found->province);
    const QString givenProvince = draft.cell(province).toUpper();
    if (givenProvince.isEmpty())
        draft.setText(province, found->province);
    else if (givenProvince != found->province.toUpper())
        told += QStringLiteral(", ma la riga indica la provincia %1").arg(givenProvince);
    if (!postalCode.isEmpty()) {
        if (givenCode.isEmpty())
            draft.setText(postalCode, found->postalCode);
        else if (givenCode != found->postalCode && !territory::postalCodesOf(found->name).contains(givenCode))
            told += QStringLiteral(", CAP %1 diverso da %2").arg(givenCode, found->postalCode);
    }
    draft.note(told);
}

// A valid person's tax code fills the birth the row leaves empty, as the
// client window does.
void fillBirth(RowDraft &draft, const taxcode::Birth &birth)
{
    QStringList filled;
    if (!draft.has(QStringLiteral("DataN"))) {
        draft.setDay(QStringLiteral("DataN"), birth.date);
        filled << birth.date.toString(QStringLiteral("dd/MM/yyyy"));
    }
    if (!draft.has(QStringLiteral("ComuneN")) && birth.place) {
        draft.setText(QStringLiteral("ComuneN"), birth.place->name.toUpper());
        if (!draft.has(QStringLiteral("PrN")))
            draft.setText(QStringLiteral("PrN"), birth.place->abroad ? QStringLiteral("EE") : birth.place->province);
        filled << birth.place->name.toUpper();
    }
    if (!filled.isEmpty())
        draft.note(QStringLiteral("nascita dal codice fiscale: %1").arg(filled.join(QStringLiteral(", "))));
}

void checkCodes(RowDraft &draft, const QString &code, const QString &vat)
{
    if (!code.isEmpty()) {
        std::optional<taxcode::Birth> birth;
        draft.note(QStringLiteral("Codice fiscale ") + taxcode::check(code, &birth).text());
        if (birth)
            fillBirth(draft, *birth);
    }
    if (!vat.isEmpty())
        draft.note(QStringLiteral("Partita IVA ") + vatnumber::check(vat).text(true));
}

// The same client twice: in the registry, or earlier in the file, by tax
// code or VAT number written otherwise, or by name when it has neither.
// Left out unless the office wants such clients all the same.
void tellDuplicates(RowDraft &draft, const Known &known, QHash<QString, int> &seen, const QStringList &keys, const QString &name,
                    bool allowed)
{
    const auto tell = [&](const QString &why) { allowed ? draft.note(QStringLiteral("doppione: ") + why) : draft.fail(why); };
    const QStringList byName{QStringLiteral("nome:") + name.toUpper()};
    for (const QString &key : keys.isEmpty() ? byName : keys) {
        const bool named = key.startsWith(QLatin1String("nome:"));
        const QString what = named ? QStringLiteral("stesso nome") : QStringLiteral("stesso codice %1").arg(key);
        const auto stored = named ? known.names.constFind(name.toUpper()) : known.codes.constFind(key);
        if (stored != (named ? known.names.constEnd() : known.codes.constEnd()))
            tell(QStringLiteral("già in anagrafica (%1): %2").arg(what, *stored));
        else if (seen.contains(key))
            tell(QStringLiteral("%1 della riga %2").arg(what, QString::number(seen.value(key))));
        else
            seen.insert(key, draft.row().number);
    }
}

}

void clients(Connection &connection, const Sheet &sheet, const importfields::Mapping &mapping, importpreview::Preview &preview)
{
    setColumns(preview, Columns);
    const Known known(connection);
    const QDate today = QDate::currentDate();
    QHash<QString, int> seen;
    for (const SheetRow &sheetRow : sheet.rows) {
        RowDraft draft(preview, sheetRow, mapping);
        for (const QString &column : Columns)
            if (draft.has(column))
                draft.setText(column, Digits.contains(column) ? draft.cell(column) : draft.cell(column).toUpper());
        const QString name = draft.has(QStringLiteral("Soggetto"))
            ? draft.cell(QStringLiteral("Soggetto")).toUpper()
            : (draft.cell(QStringLiteral("Cognome")) + QLatin1Char(' ') + draft.cell(QStringLiteral("Nome")))
                  .simplified()
                  .toUpper();
        if (name.isEmpty())
            draft.fail(QStringLiteral("manca il nome del cliente"));
        draft.setText(QStringLiteral("Soggetto"), name);
        for (const char *phone : {"Tel", "Cell", "Fax"})
            if (draft.has(QLatin1String(phone)))
                draft.setText(QLatin1String(phone), phoneDigits(draft.cell(QLatin1String(phone))));
        const QString postalCode = withZeros(draft, draft.cell(QStringLiteral("CAP")), 5, QStringLiteral("CAP"));
        draft.setText(QStringLiteral("CAP"), postalCode);
        const QString code = normalizedCode(draft.cell(QStringLiteral("Codice")));
        QString vat = draft.cell(QStringLiteral("PIVA"));
        if (!vat.isEmpty())
            vat = withZeros(draft, vatnumber::canonical(vat), 11, QStringLiteral("Partita IVA"));
        draft.setText(QStringLiteral("Codice"), code);
        draft.setText(QStringLiteral("PIVA"), vat);
        checkCodes(draft, code, vat);
        draft.setDate(QStringLiteral("DataN"), QStringLiteral("data di nascita"));
        draft.setDate(QStringLiteral("Scad"), QStringLiteral("scadenza del documento"));
        const auto active = draft.has(QStringLiteral("Stato")) ? italianvalues::flag(draft.cell(QStringLiteral("Stato")))
                                                               : std::optional(true);
        if (!active)
            draft.fail(QStringLiteral("cliente attivo o no? \"%1\" non è né sì né no").arg(draft.cell(QStringLiteral("Stato"))));
        draft.setText(QStringLiteral("Stato"), active.value_or(true) ? QStringLiteral("S") : QStringLiteral("N"));
        placeOf(draft, known, QStringLiteral("ComuneR"), QStringLiteral("PrR"), QStringLiteral("CAP"), postalCode);
        placeOf(draft, known, QStringLiteral("ComuneN"), QStringLiteral("PrN"));
        QStringList keys;
        for (const QString &key : {code, vatnumber::canonical(vat)})
            if (!key.isEmpty() && !keys.contains(key))
                keys << key;
        tellDuplicates(draft, known, seen, keys, name, preview.duplicatesAllowed);
        draft.setDay(QStringLiteral("Agg"), today);
        preview.rows << draft.finish();
    }
}

}
