#include "periodstatements.h"

#include "filters.h"
#include "periodfields.h"
#include "reports/statementrun.h"
#include "store/valueconversion.h"
#include "ui/messages.h"
#include "ui/storeguard.h"

#include <QDir>
#include <QProgressDialog>

namespace periodstatements {

void print(QWidget *window, Connection &connection, Messages &messages, const FilterValues &filters)
{
    const QString title = QStringLiteral("Velmora - ESTRATTI DEL PERIODO");
    const auto from = parseDayFirstDate(filters.from);
    const auto to = parseDayFirstDate(filters.to);
    if (!from || !to) {
        periodfields::showInvalidDate(messages, window);
        return;
    }
    if (*to < *from) {
        messages.inform(window, title, QStringLiteral("La data finale precede quella iniziale."));
        return;
    }
    const QString folder = messages.chooseTarget(window, QStringLiteral("Cartella degli estratti"), QDir::homePath(),
                                                 Messages::Target::Folder);
    if (folder.isEmpty())
        return;
    guarded(messages, window, [&] {
        QProgressDialog progress(QStringLiteral("Stampa degli estratti conto..."), QStringLiteral("Interrompi"), 0, 1, window);
        progress.setWindowTitle(title);
        progress.setWindowModality(Qt::WindowModal);
        const statementrun::Outcome outcome = statementrun::write(connection, *from, *to, folder, [&](int written, int total) {
            progress.setMaximum(total);
            progress.setValue(written);
            return !progress.wasCanceled();
        });
        progress.reset();
        QString text = outcome.failure.isEmpty() ? QStringLiteral("Estratti scritti: %1 nella cartella %2.")
                                                       .arg(outcome.files.size())
                                                       .arg(QDir::toNativeSeparators(folder))
                                                 : QStringLiteral("Impossibile scrivere %1. Estratti scritti prima: %2.")
                                                       .arg(outcome.failure)
                                                       .arg(outcome.files.size());
        if (outcome.stopped)
            text = QStringLiteral("Stampa interrotta: ") + text;
        if (outcome.files.isEmpty() && outcome.failure.isEmpty() && !outcome.stopped)
            text = QStringLiteral("Nessuna prestazione nel periodo: nessun estratto.");
        if (outcome.unlinked > 0)
            text += QStringLiteral("\n%1 prestazioni del periodo senza cliente non sono negli estratti.").arg(outcome.unlinked);
        messages.inform(window, title, text);
    });
}

}
