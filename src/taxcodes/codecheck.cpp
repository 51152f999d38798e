#include "codecheck.h"

QString CodeCheck::text() const
{
    switch (state) {
    case State::Valid:
        return QStringLiteral("valido");
    case State::Invalid:
        return QStringLiteral("non valido: ") + reason;
    case State::NotCheckable:
        break;
    }
    return QStringLiteral("non verificabile: ") + reason;
}

QString normalizedCode(const QString &code)
{
    QString text = code.toUpper();
    text.removeIf([](QChar c) { return c.isSpace(); });
    return text;
}
