#include "figures.h"

#include <QRegularExpression>

namespace figures {

namespace {

// Divided and rounded half away from zero, in 128 bits: a price of eight
// decimals times a quantity of eight would not fit in 64.
qint64 divideRounded(__int128 numerator, __int128 denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const __int128 half = denominator / 2;
    return qint64(numerator >= 0 ? (numerator + half) / denominator : (numerator - half) / denominator);
}

// Digits with a comma or dot before at most `decimals` of them, scaled.
std::optional<qint64> scaled(const QString &text, int decimals)
{
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d{1,12})(?:[.,](\\d*))?\\s*$"));
    const auto match = number.match(text);
    if (!match.hasMatch() || match.captured(2).size() > decimals)
        return std::nullopt;
    qint64 value = match.captured(1).toLongLong();
    const QString fraction = match.captured(2).leftJustified(decimals, QLatin1Char('0'));
    for (int i = 0; i < decimals; ++i)
        value = value * 10 + fraction.at(i).digitValue();
    return value;
}

QString fixed(qint64 value, int decimals, int shown)
{
    qint64 unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    const qint64 whole = (value < 0 ? -value : value) / unit;
    QString fraction = QString::number((value < 0 ? -value : value) % unit).rightJustified(decimals, QLatin1Char('0'));
    while (fraction.size() > shown && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return (value < 0 ? QStringLiteral("-") : QString()) + QString::number(whole) + QLatin1Char('.') + fraction;
}

}

std::optional<int> percentFromText(const QString &text)
{
    const auto value = scaled(text, 2);
    if (!value || *value > 10000)
        return std::nullopt;
    return int(*value);
}

QString rateText(int hundredths)
{
    return fixed(hundredths, 2, 2);
}

QString amountText(qint64 cents)
{
    return fixed(cents, 2, 2);
}

QString eightDecimalText(qint64 value)
{
    return fixed(value, 8, 2);
}

std::optional<qint64> quantityFromText(const QString &text)
{
    return scaled(text, 8);
}

qint64 percentOf(qint64 cents, int hundredths)
{
    return divideRounded(__int128(cents) * hundredths, 10000);
}

qint64 unitPrice(qint64 cents, qint64 quantity)
{
    return divideRounded(__int128(cents) * 1000000 * EightDecimals, quantity);
}

qint64 lineTotal(qint64 unitPrice, qint64 quantity)
{
    return divideRounded(__int128(unitPrice) * quantity, __int128(1000000) * EightDecimals);
}

}
