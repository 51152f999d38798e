#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The mail that carries one invoice file to the SdI: a line of text and
// the file attached, as the SdI's PEC channel takes it.
namespace pecmessage {

struct Message
{
    QByteArray bytes;
    QString messageId; // without its angle brackets
};

Message compose(const QString &from, const QString &to, const QString &fileName, const QByteArray &file, const QDateTime &when);

}
