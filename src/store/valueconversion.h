#pragma once

#include "columntype.h"
#include "storedvalue.h"

#include <QDate>
#include <QVariant>
#include <optional>

// Turns what a window hands over (mostly text: "12,5", "1.234,50",
// "31/12/2026") into the store's form for the column. Empty text is Null;
// text that is not of the column's kind is a StoreError naming the column.
StoredValue toStoredValue(const QVariant &value, ColumnType type, const QString &column);

// Whether a column of that kind takes the value, without writing anything:
// for the windows' checks before they ask to save.
bool fitsColumn(const QVariant &value, ColumnType type);

// A date as the date fields and SQL hand it over: day first "dd/mm/yyyy"
// (four-digit year) or ISO "yyyy-mm-dd".
std::optional<QDate> parseDayFirstDate(const QString &text);
// The SQL literal form "mm/dd/yyyy", month first.
std::optional<QDate> parseMonthFirstDate(const QString &text);
QString monthFirstDate(const QDate &date);
QByteArray isoDate(const QDate &date);
