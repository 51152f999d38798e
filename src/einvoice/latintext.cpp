#include "latintext.h"

namespace {

QString plainForm(QChar c)
{
    switch (c.unicode()) {
    case 0x2018: case 0x2019: case 0x201A: case 0x2032:
        return QStringLiteral("'");
    case 0x201C: case 0x201D: case 0x201E: case 0x2033:
        return QStringLiteral("\"");
    case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: case 0x2212: case 0x2022:
        return QStringLiteral("-");
    case 0x2026:
        return QStringLiteral("...");
    case 0x20AC:
        return QStringLiteral("EUR");
    }
    if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
        return QStringLiteral(" ");
    if (c.unicode() <= 0xFF)
        return QString(c);
    const QString bare = QString(c).normalized(QString::NormalizationForm_D);
    if (!bare.isEmpty() && bare.at(0).unicode() < 0x80 && bare.at(0).isLetter())
        return bare.left(1);
    return QStringLiteral("?");
}

}

QString latinText(const QString &text, int maxLength)
{
    QString plain;
    plain.reserve(text.size());
    for (const QChar c : text)
        plain += plainForm(c);
    return plain.simplified().left(maxLength).trimmed();
}
