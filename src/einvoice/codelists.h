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

// The enumeration of a simple type of the schema ("RegimeFiscaleType"),
// without the codes the SdI no longer admits because detailed ones
// replaced them.
const QList<Code> &of(const QString &simpleType);
// The detailed codes that replaced a generic one ("N2": N2.1, N2.2);
// none for a code still admitted.
QList<Code> refinementsOf(const QString &simpleType, const QString &code);

QStringList regime();
QStringList cassa();
QStringList natura();

}
