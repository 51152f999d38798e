#include "latintext.h"

namespace {

QString plainForm(QChar c)
{
    switch (c.unicode()) {
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x2032:
        return QStringLiteral("'");
    case 0x201C:
    case 0x201D:
    case 0x201E:
    case 0x2033:
        return QStringLiteral("\"");
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2013:
    case 0x2014:
    case 0x2212:
    case 0x2022:
        return QStringLiteral("-");
    case 0x2026:
        return QStringLiteral("...");
    case 0x20AC:
        return QStringLiteral("EUR");
    // Letters with a stroke or a ligature, which have no decomposition.
    case 0x0141:
        return QStringLiteral("L"); // Ł
    case 0x0142:
        return QStringLiteral("l");
    case 0x0110:
        return QStringLiteral("D"); // Đ
    case 0x0111:
        return QStringLiteral("d");
    case 0x0126:
        return QStringLiteral("H"); // Ħ
    case 0x0127:
        return QStringLiteral("h");
    case 0x0131:
        return QStringLiteral("i"); // ı
    case 0x013F:
        return QStringLiteral("L"); // Ŀ
    case 0x0140:
        return QStringLiteral("l");
    case 0x0152:
        return QStringLiteral("OE");
    case 0x0153:
        return QStringLiteral("oe");
    case 0x0166:
        return QStringLiteral("T"); // Ŧ
    case 0x0167:
        return QStringLiteral("t");
    case 0x014A:
        return QStringLiteral("N"); // Ŋ
    case 0x014B:
        return QStringLiteral("n");
    case 0x017F:
        return QStringLiteral("s"); // ſ
    case 0x0180:
        return QStringLiteral("b");
    case 0x0197:
        return QStringLiteral("I");
    case 0x01B5:
        return QStringLiteral("Z");
    case 0x01B6:
        return QStringLiteral("z");
    case 0x0132:
        return QStringLiteral("IJ");
    case 0x0133:
        return QStringLiteral("ij");
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
