#pragma once

#include <QString>

// A count with its noun as Italian agrees them: "1 riga", "3 righe".
inline QString counted(qsizetype count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QString::fromUtf8(count == 1 ? one : many));
}
