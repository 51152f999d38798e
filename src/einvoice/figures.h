#pragma once

#include <QString>

#include <optional>

// The figures of an electronic invoice as the SdI reads them: amounts in
// whole cents written "119.60", rates in hundredths of a percent written
// "22.00", prices and quantities up to eight decimals.
namespace figures {

// A percentage as the office types or a script stores it ("22", "4,5",
// "20.00"), in hundredths: 2200, 450, 2000. None unless 0 to 100 with at
// most two decimals.
std::optional<int> percentFromText(const QString &text);
QString rateText(int hundredths);
QString amountText(qint64 cents);
// A value with eight decimals, written with two to eight of them.
QString eightDecimalText(qint64 value);
// A quantity as stored ("3", "1,5"), with eight decimals; none when it is
// empty, not a number or has more than eight decimals.
std::optional<qint64> quantityFromText(const QString &text);

// Rounded half away from zero, as each summary line is.
qint64 percentOf(qint64 cents, int hundredths);
// The amount divided by the quantity, with eight decimals.
qint64 unitPrice(qint64 cents, qint64 quantity);
// The price times the quantity, to the cent.
qint64 lineTotal(qint64 unitPrice, qint64 quantity);

inline constexpr qint64 EightDecimals = 100000000;

}
