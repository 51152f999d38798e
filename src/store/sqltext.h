#pragma once

#include <QString>

// User text put between single quotes in the windows' SQL: every "'" doubled,
// so the text can never end its literal or add to the statement.
inline QString doubledQuotes(const QString &text)
{
    return QString(text).replace(QLatin1Char('\''), QLatin1String("''"));
}

// The same as a whole literal: 'text'.
inline QString quotedText(const QString &text)
{
    return QLatin1Char('\'') + doubledQuotes(text) + QLatin1Char('\'');
}

// A table or column name as SQLite reads it whatever it holds: "name".
inline QString quotedIdentifier(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}
