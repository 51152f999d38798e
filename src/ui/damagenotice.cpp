#include "damagenotice.h"

#include "messages.h"
#include "store/storeerror.h"

namespace {

const QString Title = QStringLiteral("Velmora - ARCHIVIO DANNEGGIATO");

QString damageText(const StoreError &error)
{
    return QStringLiteral("L'archivio dei dati è danneggiato.\n\nCausa: %1.\n\n"
                          "Da questo momento il programma non scrive più nel file, per non peggiorare il danno.")
        .arg(error.message());
}

}

void tellDamage(Messages &messages, QWidget *parent, const StoreError &error)
{
    messages.inform(parent, Title,
                    damageText(error)
                        + QStringLiteral(" Uscire dal programma e ripristinare una copia di sicurezza dell'archivio."),
                    Messages::Icon::Critical);
}

bool offerRestore(Messages &messages, QWidget *parent, const StoreError &error)
{
    return messages.ask(parent, Title,
                        damageText(error) + QStringLiteral("\n\nAprire le copie di sicurezza per rimetterne al suo posto una ?"));
}
