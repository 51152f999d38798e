#include "mailattachments.h"

#include <QHash>
#include <QRegularExpression>

namespace mailattachments {

namespace {

struct Part
{
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;
};

Part split(const QByteArray &entity)
{
    Part part;
    qsizetype end = entity.indexOf("\r\n\r\n");
    qsizetype skip = 4;
    const qsizetype unixEnd = entity.indexOf("\n\n");
    if (end < 0 || (unixEnd >= 0 && unixEnd < end)) {
        end = unixEnd;
        skip = 2;
    }
    const QByteArray head = end < 0 ? entity : entity.left(end);
    part.body = end < 0 ? QByteArray() : entity.mid(end + skip);
    QByteArray name;
    for (QByteArray line : head.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if ((line.startsWith(' ') || line.startsWith('\t')) && !name.isEmpty()) {
            part.headers[name] += ' ' + line.trimmed(); // a folded header
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        name = line.left(colon).trimmed().toLower();
        part.headers[name] = line.mid(colon + 1).trimmed();
    }
    return part;
}

// A parameter of a header ("boundary", "filename"), quoted or not.
QByteArray parameter(const QByteArray &header, const char *name)
{
    const QRegularExpression pattern(QStringLiteral("(?:^|;)\\s*%1\\s*=\\s*(\"([^\"]*)\"|[^;\\s]+)").arg(QLatin1String(name)),
                                     QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch found = pattern.match(QString::fromLatin1(header));
    if (!found.hasMatch())
        return QByteArray();
    return (found.capturedLength(2) > 0 ? found.captured(2) : found.captured(1)).toLatin1();
}

QByteArray decoded(const Part &part)
{
    const QByteArray encoding = part.headers.value("content-transfer-encoding").toLower();
    if (encoding == "base64")
        return QByteArray::fromBase64(part.body, QByteArray::Base64Encoding);
    if (encoding != "quoted-printable")
        return part.body;
    QByteArray plain;
    for (qsizetype i = 0; i < part.body.size(); ++i) {
        const char c = part.body.at(i);
        if (c != '=') {
            plain += c;
            continue;
        }
        const QByteArray next = part.body.mid(i + 1, 2);
        if (next.startsWith("\r\n") || next.startsWith('\n')) { // a soft line break
            i += next.startsWith('\r') ? 2 : 1;
            continue;
        }
        bool hex = false;
        const int value = next.toInt(&hex, 16);
        plain += hex ? char(value) : c;
        i += hex ? 2 : 0;
    }
    return plain;
}

// "Sistema di Interscambio <sdi27@pec.fatturapa.it>" gives the address.
QString addressOf(const QByteArray &from)
{
    static const QRegularExpression address(QStringLiteral("([^<>\\s\"]+@[^<>\\s\"]+)"));
    return address.match(QString::fromUtf8(from)).captured(1).toLower();
}

void collect(const QByteArray &entity, QList<Attachment> &found, int depth, const QString &sender)
{
    // A message nests a handful of times; a deeper one is not a PEC's.
    if (depth > 8)
        return;
    const Part part = split(entity);
    const QString from = part.headers.contains("from") ? addressOf(part.headers.value("from")) : sender;
    const QByteArray type = part.headers.value("content-type");
    const QByteArray filename = parameter(part.headers.value("content-disposition"), "filename");
    const QString name = QString::fromLatin1(filename.isEmpty() ? parameter(type, "name") : filename);
    if (type.toLower().startsWith("multipart/")) {
        const QByteArray boundary = "--" + parameter(type, "boundary");
        if (boundary.size() <= 2)
            return;
        QList<QByteArray> pieces = part.body.split('\n');
        QByteArray current;
        bool inside = false;
        for (QByteArray line : pieces) {
            const QByteArray bare = line.endsWith('\r') ? line.left(line.size() - 1) : line;
            if (bare == boundary || bare == boundary + "--") {
                if (inside)
                    collect(current, found, depth + 1, from);
                current.clear();
                inside = bare == boundary;
                continue;
            }
            if (inside)
                current += line + '\n';
        }
    } else if (type.toLower().startsWith("message/rfc822") || name.endsWith(QLatin1String(".eml"), Qt::CaseInsensitive)) {
        collect(decoded(part), found, depth + 1, from);
    } else if (name.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive)) {
        found << Attachment{name, decoded(part), from};
    }
}

}

QList<Attachment> xmlFiles(const QByteArray &message)
{
    QList<Attachment> found;
    collect(message, found, 0, QString());
    return found;
}

}
