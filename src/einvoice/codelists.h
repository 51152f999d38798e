#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The codes the official schema admits, with its own description of each:
// regimes, funds, natures, withholding types. Read from the schema the
// program carries, so the lists and the check never part.
namespace codelists {

struct Code
{
    QString code;
    QString description;
};

// The enumeration of a simple type of the schema ("RegimeFiscaleType").
const QList<Code> &of(const QString &simpleType);

QStringList regime();
QStringList cassa();
QStringList natura();

}
