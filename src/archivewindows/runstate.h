#pragma once

#include <QDateTime>
#include <QString>

// The "Stato" of a billing or import run in the lists that undo them.
inline QString runState(const QDateTime &undone)
{
    return undone.isValid() ? QStringLiteral("annullata il ") + undone.toString(QStringLiteral("dd/MM/yyyy HH:mm"))
                            : QStringLiteral("in vigore");
}
