#include "damagenotice.h"

#include "messages.h"
#include "store/storeerror.h"

void tellDamage(Messages &messages, QWidget *parent, const StoreError &error)
{
    messages.inform(parent, QStringLiteral("Velmora - ARCHIVIO DANNEGGIATO"),
                    QStringLiteral("L'archivio dei dati è danneggiato.\n\nCausa: %1.\n\n"
                                   "Da questo momento il programma non scrive più nel file, per non peggiorare il "
                                   "danno: uscire dal programma e ripristinare una copia di sicurezza dell'archivio.")
                        .arg(error.message()),
                    Messages::Icon::Critical);
}
