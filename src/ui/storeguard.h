#pragma once

#include "messages.h"
#include "store/storeerror.h"

// Runs the work of one window event; a store failure ends it with a message
// and leaves the data as it was (the store writes all or nothing).
template<typename Work>
bool guarded(Messages &messages, QWidget *parent, Work &&work)
{
    try {
        work();
        return true;
    } catch (const StoreError &error) {
        messages.inform(parent, QStringLiteral("Velmora - ERRORE"),
                        QStringLiteral("Operazione non eseguita: %1.\nI dati non sono stati modificati.")
                            .arg(error.message()),
                        Messages::Icon::Critical);
        return false;
    }
}
