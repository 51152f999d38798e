#include "textencoding.h"

#include <QStringDecoder>

#include <optional>

namespace textencoding {

namespace {

// What Windows-1252 puts where Latin-1 has control characters; the five
// unassigned bytes are kept as those controls.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString fromWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = byte >= 0x80 && byte < 0xA0 ? QChar(Windows1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

std::optional<QString> strictly(const QByteArray &bytes, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// Latin text in UTF-16 without its mark: one byte of each pair is nearly
// always zero, the high one (the second, little-endian) for Western letters.
std::optional<QStringConverter::Encoding> utf16Unmarked(const QByteArray &bytes)
{
    const qsizetype pairs = qMin<qsizetype>(bytes.size(), 1 << 16) / 2;
    if (pairs < 4)
        return std::nullopt;
    qsizetype zeroFirst = 0, zeroSecond = 0;
    for (qsizetype i = 0; i < pairs; ++i) {
        zeroFirst += bytes.at(2 * i) == 0;
        zeroSecond += bytes.at(2 * i + 1) == 0;
    }
    if (zeroSecond > pairs * 9 / 10 && zeroFirst == 0)
        return QStringConverter::Utf16LE;
    if (zeroFirst > pairs * 9 / 10 && zeroSecond == 0)
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

}

Decoded decode(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        if (auto text = strictly(bytes.mid(3), QStringConverter::Utf8))
            return {*text, QStringLiteral("UTF-8")};
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const auto encoding = bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
        if (auto text = strictly(bytes.mid(2), encoding))
            return {*text, QStringLiteral("UTF-16")};
    }
    if (const auto encoding = utf16Unmarked(bytes))
        if (auto text = strictly(bytes, *encoding))
            return {*text, QStringLiteral("UTF-16")};
    // Plain ASCII is UTF-8 too; anything else is read as Windows-1252, which
    // holds Latin-1 and adds the euro sign.
    if (auto text = strictly(bytes, QStringConverter::Utf8))
        return {*text, QStringLiteral("UTF-8")};
    return {fromWindows1252(bytes), QStringLiteral("Windows-1252")};
}

}
