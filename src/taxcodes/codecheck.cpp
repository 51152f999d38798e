#include "codecheck.h"

QString CodeCheck::text(bool feminine) const
{
    const QString valid = feminine ? QStringLiteral("valida") : QStringLiteral("valido");
    switch (state) {
    case State::Valid:
        return valid;
    case State::Invalid:
        return QStringLiteral("non ") + valid + QStringLiteral(": ") + reason;
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
