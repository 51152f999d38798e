#pragma once

#include <QString>

// User text put between single quotes in the windows' SQL: every "'" doubled,
// so the text can never end its literal or add to the statement.
inline QString doubledQuotes(const QString &text)
{
    return QString(text).replace(QLatin1Char('\''), QLatin1String("''"));
}
