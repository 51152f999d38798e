#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The XML files attached to a saved mail message (.eml), also inside the
// messages it carries: a PEC delivery wraps the SdI's own message, with
// its notification, as "postacert.eml".
namespace mailattachments {

struct Attachment
{
    QString name;
    QByteArray content;
    QString sender; // the address of the message that carries it
};

QList<Attachment> xmlFiles(const QByteArray &message);

}
