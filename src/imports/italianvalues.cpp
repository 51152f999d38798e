#include "italianvalues.h"

#include <QRegularExpression>

namespace italianvalues {

namespace {

// The number with a decimal comma and no thousands, as Money and the
// number columns read it.
std::optional<QString> decimalComma(QString text)
{
    static const QRegularExpression currency(QStringLiteral("[\\s\\x{00A0}€]|EUR"));
    text.remove(currency);
    if (text.isEmpty())
        return std::nullopt;
    const qsizetype comma = text.lastIndexOf(QLatin1Char(','));
    const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
    if (dot > comma && comma >= 0) { // "1,234.50"
        text.remove(QLatin1Char(','));
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    } else if (comma < 0 && dot >= 0) {
        static const QRegularExpression thousands(QStringLiteral("^-?\\d{1,3}(\\.\\d{3})+$"));
        if (thousands.match(text).hasMatch())
            text.remove(QLatin1Char('.'));
        else if (text.count(QLatin1Char('.')) == 1)
            text.replace(QLatin1Char('.'), QLatin1Char(','));
    } else {
        text.remove(QLatin1Char('.'));
    }
    static const QRegularExpression shape(QStringLiteral("^-?\\d+(,\\d+)?$"));
    if (!shape.match(text).hasMatch())
        return std::nullopt;
    return text;
}

// "3 febbraio 2026", "3 feb 2026", as letters and some programs write it.
std::optional<QDate> spelledMonth(const QString &text)
{
    static const QRegularExpression spelled(QStringLiteral("^(\\d{1,2})\\s+([a-z]{3,9})\\.?\\s+(\\d{4})$"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QStringList months{"gen", "feb", "mar", "apr", "mag", "giu", "lug", "ago", "set", "ott", "nov", "dic"};
    static const QStringList names{"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                                   "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};
    const auto parts = spelled.match(text);
    if (!parts.hasMatch())
        return std::nullopt;
    const QString month = parts.captured(2).toLower();
    const qsizetype number = month.size() == 3 ? months.indexOf(month) : names.indexOf(month);
    const QDate found(parts.captured(3).toInt(), int(number) + 1, parts.captured(1).toInt());
    return number >= 0 && found.isValid() ? std::optional(found) : std::nullopt;
}

}

std::optional<QDate> date(const QString &text)
{
    static const QRegularExpression dayFirst(QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{2}|\\d{4})(?:[ T].*)?$"));
    static const QRegularExpression yearFirst(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})(?:[ T].*)?$"));
    const QString trimmed = text.trimmed();
    if (const auto iso = yearFirst.match(trimmed); iso.hasMatch()) {
        const QDate found(iso.captured(1).toInt(), iso.captured(2).toInt(), iso.captured(3).toInt());
        return found.isValid() ? std::optional(found) : std::nullopt;
    }
    if (const auto spelled = spelledMonth(trimmed))
        return spelled;
    const auto parts = dayFirst.match(trimmed);
    if (!parts.hasMatch())
        return std::nullopt;
    int year = parts.captured(3).toInt();
    if (parts.captured(3).size() == 2) {
        const int century = QDate::currentDate().year() / 100 * 100;
        year += year + century > QDate::currentDate().year() ? century - 100 : century;
    }
    const QDate found(year, parts.captured(2).toInt(), parts.captured(1).toInt());
    return found.isValid() ? std::optional(found) : std::nullopt;
}

std::optional<Money> amount(const QString &text)
{
    const auto plain = decimalComma(text);
    return plain ? Money::fromText(*plain) : std::nullopt;
}

std::optional<QString> number(const QString &text)
{
    return decimalComma(text);
}

std::optional<bool> flag(const QString &text)
{
    static const QStringList yes{"S", "SI", "SÌ", "SÍ", "Y", "YES", "X", "1", "VERO", "TRUE", "ATTIVO", "ATTIVA"};
    static const QStringList no{"N", "NO", "0", "FALSO", "FALSE", "INATTIVO", "INATTIVA", "NON ATTIVO"};
    const QString upper = text.trimmed().toUpper();
    if (yes.contains(upper))
        return true;
    if (no.contains(upper))
        return false;
    return std::nullopt;
}

bool looksLikeFormula(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.at(0);
    if (first == QLatin1Char('=') || first == QLatin1Char('@'))
        return true;
    if (first != QLatin1Char('+') && first != QLatin1Char('-'))
        return false;
    return text.size() > 1 && !text.at(1).isDigit() && text.at(1) != QLatin1Char(',') && text.at(1) != QLatin1Char('.')
        && !text.at(1).isSpace();
}

}
