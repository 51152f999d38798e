#include "vatnumber.h"

#include "foreignvat.h"

#include <QRegularExpression>

namespace vatnumber {

QString canonical(const QString &number)
{
    const QString text = normalizedCode(number);
    return text.startsWith(QLatin1String("IT")) ? text.mid(2) : text;
}

CodeCheck check(const QString &number)
{
    const QString digits = canonical(number);
    static const QRegularExpression foreign(QStringLiteral("^[A-Z]{2}[0-9A-Z]+$"));
    if (foreign.match(digits).hasMatch())
        return foreignvat::check(digits.left(2), digits.mid(2));
    if (digits.size() != 11)
        return CodeCheck::invalid(QStringLiteral("servono 11 cifre, ce ne sono %1").arg(digits.size()));
    for (const QChar c : digits)
        if (!c.isDigit())
            return CodeCheck::invalid(QStringLiteral("carattere non ammesso: %1").arg(c));
    const int office = digits.mid(7, 3).toInt();
    if (!((office >= 1 && office <= 100) || office == 120 || office == 121 || office == 888 || office == 999))
        return CodeCheck::invalid(QStringLiteral("codice dell'ufficio inesistente: %1").arg(digits.mid(7, 3)));
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        int d = digits.at(i).digitValue();
        if (i % 2 == 1) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
    }
    const int expected = (10 - sum % 10) % 10;
    if (digits.at(10).digitValue() != expected)
        return CodeCheck::invalid(QStringLiteral("cifra di controllo errata: attesa %1").arg(expected));
    return CodeCheck::valid();
}

}
