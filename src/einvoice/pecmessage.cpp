#include "pecmessage.h"

#include <QLocale>
#include <QUuid>

namespace pecmessage {

namespace {

// Base64 in lines of 76 characters, as mail wants it.
QByteArray folded(const QByteArray &base64)
{
    QByteArray lines;
    for (qsizetype at = 0; at < base64.size(); at += 76)
        lines += base64.mid(at, 76) + "\r\n";
    return lines;
}

}

Message compose(const QString &from, const QString &to, const QString &fileName, const QByteArray &file, const QDateTime &when)
{
    const QString unique = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QString domain = from.mid(from.indexOf(QLatin1Char('@')) + 1);
    Message message;
    message.messageId = QStringLiteral("velmora.%1@%2").arg(unique, domain.isEmpty() ? QStringLiteral("localhost") : domain);
    const QByteArray boundary = "velmora-" + unique.toLatin1();
    const QByteArray name = fileName.toUtf8();
    message.bytes = "From: <" + from.toUtf8()
        + ">\r\n"
          "To: <"
        + to.toUtf8()
        + ">\r\n"
          "Subject: Fattura elettronica "
        + name
        + "\r\n"
          "Date: "
        + QLocale::c().toString(when.toUTC(), QStringLiteral("ddd, dd MMM yyyy HH:mm:ss")).toLatin1()
        + " +0000\r\n"
          "Message-ID: <"
        + message.messageId.toUtf8()
        + ">\r\n"
          "MIME-Version: 1.0\r\n"
          "Content-Type: multipart/mixed; boundary=\""
        + boundary
        + "\"\r\n"
          "\r\n"
          "--"
        + boundary
        + "\r\n"
          "Content-Type: text/plain; charset=UTF-8\r\n"
          "Content-Transfer-Encoding: 8bit\r\n"
          "\r\n"
          "Invio al Sistema di Interscambio del file "
        + name
        + ".\r\n"
          "--"
        + boundary
        + "\r\n"
          "Content-Type: application/xml; name=\""
        + name
        + "\"\r\n"
          "Content-Transfer-Encoding: base64\r\n"
          "Content-Disposition: attachment; filename=\""
        + name
        + "\"\r\n"
          "\r\n"
        + folded(file.toBase64()) + "--" + boundary + "--\r\n";
    return message;
}

}
