#include "money.h"

#include <QRegularExpression>
#include <limits>

namespace {

QString digitsGrouped(qint64 units)
{
    QString digits = QString::number(units);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char('.'));
    return digits;
}

QString format(qint64 cents, bool grouped)
{
    const qint64 magnitude = cents < 0 ? -cents : cents;
    const qint64 units = magnitude / 100;
    const QString whole = grouped ? digitsGrouped(units) : QString::number(units);
    return QStringLiteral("%1%2,%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString(), whole)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

}

std::optional<Money> Money::fromText(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^([+-]?)(\\d{1,3}(?:\\.\\d{3})+|\\d*)(?:,(\\d+))?$"));
    const auto m = shape.match(text.trimmed());
    if (!m.hasMatch() || (m.capturedLength(2) == 0 && m.capturedLength(3) == 0))
        return std::nullopt;
    QString whole = m.captured(2);
    whole.remove(QLatin1Char('.'));
    const QString decimals = m.captured(3);
    if (whole.size() > 15)
        return std::nullopt;
    qint64 cents = whole.toLongLong() * 100;
    cents += QStringView(decimals).left(2).toString().leftJustified(2, QLatin1Char('0')).toLongLong();
    if (decimals.size() > 2 && decimals.at(2) >= QLatin1Char('5'))
        ++cents;
    return Money(m.captured(1) == QLatin1String("-") ? -cents : cents);
}

std::optional<Money> Money::times(const QString &quantity) const
{
    static const QRegularExpression shape(QStringLiteral("^([+-]?)(\\d{1,9})(?:,(\\d{1,6}))?$"));
    const auto m = shape.match(quantity.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QString decimals = m.captured(3);
    qint64 scale = 1;
    for (int i = 0; i < decimals.size(); ++i)
        scale *= 10;
    const qint64 mantissa = (m.captured(2) + decimals).toLongLong();
    const __int128 product = __int128(m_cents < 0 ? -m_cents : m_cents) * mantissa;
    const __int128 rounded = (product + scale / 2) / scale;
    if (rounded > std::numeric_limits<qint64>::max() / 100)
        return std::nullopt;
    const bool negative = (m_cents < 0) != (m.captured(1) == QLatin1String("-"));
    return Money(negative ? -qint64(rounded) : qint64(rounded));
}

QString Money::plainText() const
{
    return format(m_cents, false);
}

QString Money::groupedText() const
{
    return format(m_cents, true);
}

QString Money::euroText() const
{
    // The format "€" #.##0,00 puts a negative amount's sign before the euro.
    return m_cents < 0 ? QStringLiteral("-€ ") + format(-m_cents, true) : QStringLiteral("€ ") + groupedText();
}

QString Money::valueText() const
{
    QString text = plainText();
    while (text.endsWith(QLatin1Char('0')) && text.contains(QLatin1Char(',')))
        text.chop(1);
    if (text.endsWith(QLatin1Char(',')))
        text.chop(1);
    return text;
}
