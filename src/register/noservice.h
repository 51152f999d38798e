#pragma once

#include "ui/messages.h"

// The notice for a change or deletion asked with no service picked.
inline void tellNoServiceSelected(Messages &messages, QWidget *parent)
{
    messages.inform(parent, QStringLiteral("Velmora............"),
                    QStringLiteral("ERRORE - Occorre selezionare una Prestazione !"));
}
