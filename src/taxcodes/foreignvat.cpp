#include "foreignvat.h"

#include <QHash>
#include <QRegularExpression>

namespace foreignvat {

namespace {

struct Form
{
    const char *pattern;
    const char *description;
};

const QHash<QString, Form> &forms()
{
    static const QHash<QString, Form> all = {
        {QStringLiteral("AT"), {"U[0-9]{8}", "U e 8 cifre"}},
        {QStringLiteral("BE"), {"[01][0-9]{9}", "10 cifre, la prima 0 o 1"}},
        {QStringLiteral("BG"), {"[0-9]{9,10}", "9 o 10 cifre"}},
        {QStringLiteral("CY"), {"[0-9]{8}[A-Z]", "8 cifre e una lettera"}},
        {QStringLiteral("CZ"), {"[0-9]{8,10}", "da 8 a 10 cifre"}},
        {QStringLiteral("DE"), {"[0-9]{9}", "9 cifre"}},
        {QStringLiteral("DK"), {"[0-9]{8}", "8 cifre"}},
        {QStringLiteral("EE"), {"[0-9]{9}", "9 cifre"}},
        {QStringLiteral("EL"), {"[0-9]{9}", "9 cifre"}},
        {QStringLiteral("ES"), {"[0-9A-Z][0-9]{7}[0-9A-Z]", "9 caratteri, 7 cifre fra due lettere o cifre"}},
        {QStringLiteral("FI"), {"[0-9]{8}", "8 cifre"}},
        {QStringLiteral("FR"), {"[0-9A-HJ-NP-Z]{2}[0-9]{9}", "2 lettere o cifre e 9 cifre"}},
        {QStringLiteral("HR"), {"[0-9]{11}", "11 cifre"}},
        {QStringLiteral("HU"), {"[0-9]{8}", "8 cifre"}},
        {QStringLiteral("IE"), {"[0-9][0-9A-Z+*][0-9]{5}[A-W][A-I]?", "8 o 9 caratteri, come 1234567T"}},
        {QStringLiteral("LT"), {"[0-9]{9}|[0-9]{12}", "9 o 12 cifre"}},
        {QStringLiteral("LU"), {"[0-9]{8}", "8 cifre"}},
        {QStringLiteral("LV"), {"[0-9]{11}", "11 cifre"}},
        {QStringLiteral("MT"), {"[0-9]{8}", "8 cifre"}},
        {QStringLiteral("NL"), {"[0-9]{9}B[0-9]{2}", "9 cifre, B e 2 cifre"}},
        {QStringLiteral("PL"), {"[0-9]{10}", "10 cifre"}},
        {QStringLiteral("PT"), {"[0-9]{9}", "9 cifre"}},
        {QStringLiteral("RO"), {"[1-9][0-9]{1,9}", "da 2 a 10 cifre"}},
        {QStringLiteral("SE"), {"[0-9]{10}01", "12 cifre, le ultime 01"}},
        {QStringLiteral("SI"), {"[0-9]{8}", "8 cifre"}},
        {QStringLiteral("SK"), {"[0-9]{10}", "10 cifre"}},
        {QStringLiteral("XI"), {"[0-9]{9}|[0-9]{12}", "9 o 12 cifre"}},
        {QStringLiteral("GB"), {"[0-9]{9}|[0-9]{12}|GD[0-4][0-9]{2}|HA[5-9][0-9]{2}", "9 o 12 cifre"}},
        {QStringLiteral("CH"), {"E[0-9]{9}(MWST|TVA|IVA)?", "E e 9 cifre"}},
        {QStringLiteral("SM"), {"[0-9]{5}", "5 cifre"}},
    };
    return all;
}

}

CodeCheck check(const QString &country, const QString &number)
{
    const auto form = forms().constFind(country);
    if (form == forms().constEnd())
        return CodeCheck::notCheckable(QStringLiteral("partita IVA estera (%1)").arg(country));
    const QRegularExpression pattern(QStringLiteral("^(?:%1)$").arg(QLatin1String(form->pattern)));
    if (!pattern.match(number).hasMatch())
        return CodeCheck::invalid(
            QStringLiteral("la partita IVA %1 ha %2 dopo %1").arg(country, QString::fromUtf8(form->description)));
    return CodeCheck::notCheckable(QStringLiteral("partita IVA estera (%1), nella forma giusta").arg(country));
}

}
