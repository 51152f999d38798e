#include "textlength.h"

#include "messages.h"

#include <QLineEdit>

bool textlength::fits(Messages &messages, QLineEdit *field, const QString &caption, int limit)
{
    const qsizetype length = field->text().size();
    if (length <= limit)
        return true;
    messages.inform(field, QStringLiteral("Velmora ERRORE - CAMPO TROPPO LUNGO"),
                    QStringLiteral("Il campo %1 è lungo %2 caratteri: al massimo ne prende %3.\nAccorciarlo prima di salvare.")
                        .arg(caption)
                        .arg(length)
                        .arg(limit));
    field->setFocus();
    return false;
}
