#pragma once

#include <QString>

// User text put between single quotes in the windows' SQL: every "'" doubled,
// so the text can never end its literal or add to the statement.
inline QString doubledQuotes(const QString &text)
{
    // A NUL would end the statement's text inside the literal.
    return QString(text).remove(QChar(0)).replace(QLatin1Char('\''), QLatin1String("''"));
}

// A stored name put between the quotes of "LIKE '...'" to be found exactly:
// quotes doubled, and the wildcards and brackets of the name made literal
// with Jet's escapes ("IVA_2024" becomes "IVA[_]2024"), so it finds that
// name alone and not "IVAX2024".
inline QString likeLiteral(const QString &name)
{
    QString escaped;
    escaped.reserve(name.size());
    for (const QChar c : name) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('['))
            escaped += QLatin1Char('[') + c + QLatin1Char(']');
        else
            escaped += c;
    }
    return doubledQuotes(escaped);
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
