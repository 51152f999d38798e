#pragma once

#include "store/money.h"

#include <QDate>
#include <QString>

#include <optional>

// Dates, amounts, numbers and yes/no as Italian offices write them in their
// files, read into what the windows hand the store.
namespace italianvalues {

// "3/2/2026", "03-02-2026", "3.2.2026", "3/2/26", "2026-02-03" (a time after
// it is left out), "3 febbraio 2026", "3 feb 2026". A two-digit year is of this century unless that is
// still to come.
std::optional<QDate> date(const QString &text);
// "1.234,50", "1234,5", "1234.5", "1,234.50", "€ 12", "-3": a dot followed by
// three digits and no comma is a thousands separator, as in Italian.
std::optional<Money> amount(const QString &text);
// A number of days, hours, minutes or a quantity, in the editors' form
// ("1,5"); none when it is not a number.
std::optional<QString> number(const QString &text);
// "S", "Sì", "X", "1", "Vero", "Attivo" and their opposites; none for any
// other text.
std::optional<bool> flag(const QString &text);
// A formula a spreadsheet would work out when the text is opened again:
// "=...", "@...", "+" or "-" before anything but a number.
bool looksLikeFormula(const QString &text);

}
