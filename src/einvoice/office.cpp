#include "office.h"

#include "figures.h"
#include "invoicerefused.h"

#include "store/connection.h"
#include "store/recordset.h"

namespace {

int percent(Recordset &row, const char *column, const char *what)
{
    const QString text = row.fields(QLatin1String(column)).text().trimmed();
    if (text.isEmpty())
        return 0;
    const auto value = figures::percentFromText(text);
    if (!value)
        throw InvoiceRefused{
            QStringLiteral("Dati dello Studio: %1 «%2» non è una percentuale valida").arg(QString::fromUtf8(what), text)};
    return *value;
}

bool yes(Recordset &row, const char *column)
{
    return row.fields(QLatin1String(column)).text().trimmed().toUpper() == QLatin1String("S");
}

}

QString Office::name() const
{
    return isPerson() ? (nome.trimmed() + QLatin1Char(' ') + cognome.trimmed()).trimmed() : denominazione.trimmed();
}

std::optional<Office> Office::load(Connection &connection)
{
    Recordset row(connection, QStringLiteral("SELECT * FROM STUDIO ORDER BY ID"));
    if (row.eof())
        return std::nullopt;
    auto text = [&](const char *column) { return row.fields(QLatin1String(column)).text().trimmed(); };
    Office office;
    office.denominazione = text("DENOMINAZIONE");
    office.nome = text("NOME");
    office.cognome = text("COGNOME");
    office.piva = text("PIVA");
    office.codice = text("CODICE");
    office.regime = text("REGIME").toUpper();
    office.indirizzo = text("INDIRIZZO");
    office.cap = text("CAP");
    office.comune = text("COMUNE");
    office.pr = text("PR").toUpper();
    office.pec = text("PEC");
    office.email = text("EMAIL");
    office.tel = text("TEL");
    office.iban = text("IBAN");
    office.cassa = text("CASSA").toUpper();
    office.alCassa = percent(row, "ALCASSA", "l'aliquota della cassa");
    office.ritenuta = yes(row, "RITENUTA");
    office.alRitenuta = percent(row, "ALRITENUTA", "l'aliquota della ritenuta");
    office.tipoRitenuta = text("TIPORITENUTA").toUpper();
    office.causalePag = text("CAUSALEPAG").toUpper();
    office.aliquota = percent(row, "ALIQUOTA", "l'aliquota IVA");
    office.natura = text("NATURA").toUpper();
    office.bollo = yes(row, "BOLLO");
    office.progressivo = row.fields(QStringLiteral("PROGRESSIVO")).toInteger();
    office.pecServer = text("PECSERVER");
    office.pecUser = text("PECUTENTE");
    office.pecSdi = text("PECSDI");
    return office;
}
