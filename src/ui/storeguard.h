#pragma once

#include "damagenotice.h"
#include "messages.h"
#include "store/storeerror.h"

#include <QCursor>
#include <QGuiApplication>

#include <optional>

// Runs the work of one window event; a store failure ends it with a message
// and leaves the data as it was (the store writes all or nothing).
template<typename Work>
bool guarded(Messages &messages, QWidget *parent, Work &&work)
{
    try {
        work();
        return true;
    } catch (const StoreError &error) {
        if (error.isDamage()) {
            tellDamage(messages, parent, error);
            return false;
        }
        if (error.isInvalidValue()) {
            messages.inform(parent, QStringLiteral("Velmora................ERRORE - CAMPO NON VALIDO"),
                            error.message() + QLatin1Char('.'));
            return false;
        }
        messages.inform(parent, QStringLiteral("Velmora - ERRORE"),
                        QStringLiteral("Operazione non eseguita: %1.\nI dati non sono stati modificati.").arg(error.message()),
                        Messages::Icon::Critical);
        return false;
    }
}

// The same for work the user may see take a while (an import, a batch of
// files), under the wait cursor.
template<typename Work>
bool guardedBusy(Messages &messages, QWidget *parent, Work &&work)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool done = guarded(messages, parent, std::forward<Work>(work));
    QGuiApplication::restoreOverrideCursor();
    return done;
}

// The change or deletion of the record whose id a read-only field holds:
// the rows it touched, or none when the field holds no id or the store
// failed (with a message).
template<typename Write>
std::optional<int> guardedById(Messages &messages, QWidget *parent, const QString &idText, Write &&write)
{
    bool read = false;
    const qint64 id = idText.toLongLong(&read);
    int rows = 0;
    if (!read || !guarded(messages, parent, [&] { rows = write(id); }))
        return std::nullopt;
    return rows;
}
