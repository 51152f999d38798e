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
    // Codes are ASCII: the common case costs no more than a copy.
    QString text;
    text.reserve(code.size());
    for (const QChar c : code) {
        if (c.isSpace())
            continue;
        text += c >= u'a' && c <= u'z' ? QChar(c.unicode() - 32) : c.toUpper();
    }
    return text;
}
