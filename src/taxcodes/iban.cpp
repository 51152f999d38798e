#include "iban.h"

#include <QRegularExpression>

namespace iban {

CodeCheck check(const QString &code)
{
    const QString text = normalizedCode(code);
    static const QRegularExpression shape(QStringLiteral("^[A-Z]{2}\\d{2}[A-Z0-9]{1,30}$"));
    if (!shape.match(text).hasMatch())
        return CodeCheck::invalid(QStringLiteral("forma errata: due lettere del paese, due cifre di controllo, il conto"));
    if (text.startsWith(QLatin1String("IT"))) {
        if (text.size() != 27)
            return CodeCheck::invalid(QStringLiteral("un IBAN italiano ha 27 caratteri, questo %1").arg(text.size()));
        if (!text.at(4).isLetter())
            return CodeCheck::invalid(QStringLiteral("manca il CIN, la lettera dopo le cifre di controllo"));
    }
    // Country and check digits moved to the end, letters as 10..35, modulo 97.
    const QString moved = text.mid(4) + text.left(4);
    int rest = 0;
    for (const QChar c : moved) {
        const int value = c.isDigit() ? c.digitValue() : c.unicode() - 'A' + 10;
        rest = (value > 9 ? rest * 100 + value : rest * 10 + value) % 97;
    }
    if (rest != 1)
        return CodeCheck::invalid(QStringLiteral("cifre di controllo errate"));
    return CodeCheck::valid();
}

}
