#include "sdirules.h"

#include "figures.h"
#include "xmldocument.h"

#include <libxml/tree.h>

#include <QRegularExpression>

#include <algorithm>
#include <memory>

namespace sdirules {

namespace {

QList<xmlNodePtr> children(xmlNodePtr node, const char *name)
{
    QList<xmlNodePtr> found;
    for (xmlNodePtr child = node ? node->children : nullptr; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE && xmlStrcmp(child->name, reinterpret_cast<const xmlChar *>(name)) == 0)
            found << child;
    return found;
}

xmlNodePtr child(xmlNodePtr node, const char *path)
{
    for (const QByteArray &step : QByteArray(path).split('/')) {
        const auto found = children(node, step.constData());
        node = found.isEmpty() ? nullptr : found.first();
    }
    return node;
}

QString text(xmlNodePtr node, const char *path)
{
    node = child(node, path);
    if (!node)
        return QString();
    std::unique_ptr<xmlChar, void (*)(void *)> content(xmlNodeGetContent(node), xmlFree);
    return QString::fromUtf8(reinterpret_cast<const char *>(content.get())).trimmed();
}

// A decimal of the file in units of 10^-decimals.
qint64 scaled(const QString &value, int decimals)
{
    const bool negative = value.startsWith(QLatin1Char('-'));
    const auto magnitude = figures::quantityFromText(negative ? value.mid(1) : value);
    qint64 result = magnitude.value_or(0);
    for (int i = decimals; i < 8; ++i)
        result /= 10;
    return negative ? -result : result;
}

qint64 cents(xmlNodePtr node, const char *path)
{
    return scaled(text(node, path), 2);
}

struct Vat
{
    QString rate, natura;
    bool operator==(const Vat &) const = default;
};

Vat vatOf(xmlNodePtr node)
{
    return {text(node, "AliquotaIVA"), text(node, "Natura")};
}

void natureRule(QStringList &faults, const Vat &vat, const QString &where, const char *missing, const char *extra)
{
    const bool zero = scaled(vat.rate, 2) == 0;
    if (zero && vat.natura.isEmpty())
        faults << QStringLiteral("%1: %2 con aliquota 0.00 senza Natura").arg(QLatin1String(missing), where);
    if (!zero && !vat.natura.isEmpty())
        faults << QStringLiteral("%1: %2 con aliquota %3 e Natura").arg(QLatin1String(extra), where, vat.rate);
}

void lineRules(QStringList &faults, xmlNodePtr body, QList<QPair<Vat, qint64>> &byVat, bool &withheld)
{
    for (xmlNodePtr line : children(child(body, "DatiBeniServizi"), "DettaglioLinee")) {
        const QString where = QStringLiteral("linea %1").arg(text(line, "NumeroLinea"));
        const Vat vat = vatOf(line);
        natureRule(faults, vat, where, "00400", "00401");
        const qint64 total = cents(line, "PrezzoTotale");
        const QString quantity = text(line, "Quantita");
        const qint64 expected = figures::lineTotal(scaled(text(line, "PrezzoUnitario"), 8),
                                                   quantity.isEmpty() ? figures::EightDecimals : scaled(quantity, 8));
        if (expected != total)
            faults << QStringLiteral("00423: %1, PrezzoTotale %2 diverso da PrezzoUnitario per Quantita (%3)")
                          .arg(where, figures::amountText(total), figures::amountText(expected));
        withheld = withheld || text(line, "Ritenuta") == QLatin1String("SI");
        byVat << qMakePair(vat, total);
    }
}

void fundRules(QStringList &faults, xmlNodePtr document, QList<QPair<Vat, qint64>> &byVat, bool &withheld)
{
    for (xmlNodePtr fund : children(document, "DatiCassaPrevidenziale")) {
        const Vat vat = vatOf(fund);
        natureRule(faults, vat, QStringLiteral("cassa previdenziale"), "00413", "00414");
        withheld = withheld || text(fund, "Ritenuta") == QLatin1String("SI");
        byVat << qMakePair(vat, cents(fund, "ImportoContributoCassa"));
    }
}

void summaryRules(QStringList &faults, xmlNodePtr body, const QList<QPair<Vat, qint64>> &byVat)
{
    const auto summaries = children(child(body, "DatiBeniServizi"), "DatiRiepilogo");
    QList<Vat> used;
    for (const auto &[vat, amount] : byVat)
        if (!used.contains(vat))
            used << vat;
    for (const Vat &vat : used) {
        const auto summary = std::find_if(summaries.begin(), summaries.end(), [&](xmlNodePtr s) { return vatOf(s) == vat; });
        if (summary == summaries.end()) {
            faults << QStringLiteral("%1: manca il riepilogo dell'aliquota %2 %3")
                          .arg(vat.natura.isEmpty() ? QStringLiteral("00419") : QStringLiteral("00444"), vat.rate, vat.natura)
                          .trimmed();
            continue;
        }
        qint64 sum = 0;
        for (const auto &[lineVat, amount] : byVat)
            if (lineVat == vat)
                sum += amount;
        const qint64 taxable = cents(*summary, "ImponibileImporto") - cents(*summary, "Arrotondamento");
        if (qAbs(taxable - sum) > 100)
            faults << QStringLiteral("00422: ImponibileImporto %1 dell'aliquota %2 diverso dalla somma delle righe (%3)")
                          .arg(figures::amountText(taxable), vat.rate, figures::amountText(sum));
    }
    for (xmlNodePtr summary : summaries) {
        const qint64 expected = figures::percentOf(cents(summary, "ImponibileImporto"),
                                                   int(scaled(text(summary, "AliquotaIVA"), 2)));
        if (qAbs(cents(summary, "Imposta") - expected) > 1)
            faults << QStringLiteral("00421: Imposta %1 dell'aliquota %2 diversa da imponibile per aliquota (%3)")
                          .arg(text(summary, "Imposta"), text(summary, "AliquotaIVA"), figures::amountText(expected));
    }
}

void partyRules(QStringList &faults, xmlNodePtr header, xmlNodePtr document, const QString &formato)
{
    const QString code = text(header, "DatiTrasmissione/CodiceDestinatario");
    if ((formato == QLatin1String("FPR12") && code.size() != 7) || (formato == QLatin1String("FPA12") && code.size() != 6))
        faults << QStringLiteral("00427: CodiceDestinatario %1 non adatto al formato %2").arg(code, formato);
    xmlNodePtr client = child(header, "CessionarioCommittente/DatiAnagrafici");
    if (!child(client, "IdFiscaleIVA") && !child(client, "CodiceFiscale"))
        faults << QStringLiteral("00417: il cessionario non ha né IdFiscaleIVA né CodiceFiscale");
    static const QRegularExpression digit(QStringLiteral("[0-9]"));
    if (!text(document, "Numero").contains(digit))
        faults << QStringLiteral("00425: il Numero %1 non contiene cifre").arg(text(document, "Numero"));
}

}

QStringList faults(const QByteArray &xml)
{
    const XmlDocument file = readXml(xml);
    if (!file)
        return {notWellFormed()};
    xmlNodePtr root = xmlDocGetRootElement(file.get());
    xmlNodePtr header = child(root, "FatturaElettronicaHeader");
    QStringList faults;
    for (xmlNodePtr body : children(root, "FatturaElettronicaBody")) {
        xmlNodePtr document = child(body, "DatiGenerali/DatiGeneraliDocumento");
        QList<QPair<Vat, qint64>> byVat;
        bool linesWithheld = false;
        bool fundWithheld = false;
        lineRules(faults, body, byVat, linesWithheld);
        fundRules(faults, document, byVat, fundWithheld);
        summaryRules(faults, body, byVat);
        const bool withholding = !children(document, "DatiRitenuta").isEmpty();
        if (withholding && !linesWithheld && !fundWithheld)
            faults << QStringLiteral("DatiRitenuta presente ma nessuna riga né la cassa con Ritenuta SI");
        if (linesWithheld && !withholding)
            faults << QStringLiteral("00411: righe con Ritenuta SI ma DatiRitenuta assente");
        if (fundWithheld && !withholding)
            faults << QStringLiteral("00415: cassa previdenziale con Ritenuta SI ma DatiRitenuta assente");
        partyRules(faults, header, document, text(root, "FatturaElettronicaHeader/DatiTrasmissione/FormatoTrasmissione"));
    }
    return faults;
}

}
