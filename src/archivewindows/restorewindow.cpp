#include "restorewindow.h"

#include "archive/copysummary.h"
#include "archive/restore.h"
#include "store/connection.h"
#include "store/storeerror.h"
#include "ui/gridlist.h"
#include "ui/textrows.h"
#include "ui/messages.h"

#include <QLocale>

namespace {

QString number(const std::optional<qint64> &value)
{
    return value ? QString::number(*value) : QString();
}

QStringList cellsOf(const CopySummary &s)
{
    const QString made = s.copy.made.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    return {made + (s.copy.label.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(QString(s.copy.label).replace(u'-', u' '))),
            QLocale().formattedDataSize(s.bytes),
            number(s.clients),
            number(s.services),
            number(s.billed),
            s.latestService.toString(QStringLiteral("dd/MM/yyyy")),
            s.verified()                ? QStringLiteral("Sì")
                : s.clients.has_value() ? QStringLiteral("No: danneggiata")
                                        : QStringLiteral("No: non si apre")};
}

}

RestoreWindow::RestoreWindow(Connection &connection, Messages &messages, QWidget *parent)
    : ListDialog({"FormRipristino", "ListaCopie", "CmdRipristina"}, QStringLiteral("Velmora - Ripristina da una copia"),
                 QStringLiteral("&Ripristina"), parent),
      m_connection(connection), m_messages(messages)
{}

void RestoreWindow::refill()
{
    list()->setColumns({{QStringLiteral("Data e ora"), 3000},
                        {QStringLiteral("Dimensione"), 1300, Qt::AlignRight},
                        {QStringLiteral("Clienti"), 1000, Qt::AlignRight},
                        {QStringLiteral("Prestazioni"), 1200, Qt::AlignRight},
                        {QStringLiteral("Parcellate"), 1200, Qt::AlignRight},
                        {QStringLiteral("Ultima prestazione"), 1800},
                        {QStringLiteral("Verificata"), 1700}});
    QList<QStringList> rows;
    m_paths.clear();
    int newestSound = -1;
    for (const backup::Copy &copy : backup::list(backup::folderOf(m_connection.path()))) {
        const CopySummary summary = CopySummary::of(copy);
        if (newestSound < 0 && summary.verified())
            newestSound = int(rows.size());
        rows << cellsOf(summary);
        m_paths << copy.path;
    }
    list()->setRows(std::make_shared<TextRows>(rows));
    if (newestSound >= 0)
        list()->selectRow(newestSound);
}

void RestoreWindow::act()
{
    const int row = list()->selectedRow();
    if (row < 0) {
        m_messages.inform(this, QStringLiteral("Velmora - RIPRISTINO"), QStringLiteral("Occorre selezionare una copia !"));
        return;
    }
    if (!m_messages.ask(this, QStringLiteral("Velmora - RIPRISTINO"),
                        QStringLiteral("Rimettere l'archivio com'era il %1 ?\n\nL'archivio di adesso sarà conservato "
                                       "come copia «prima del ripristino».")
                            .arg(list()->rowText(row))))
        return;
    try {
        const QString kept = restore::fromCopy(m_connection, m_paths.at(row));
        m_messages.inform(this, QStringLiteral("Velmora - RIPRISTINO"),
                          QStringLiteral("Ripristino eseguito.\n\nL'archivio di prima è conservato in\n%1").arg(kept));
        emit restored();
        accept();
    } catch (const StoreError &error) {
        m_messages.inform(this, QStringLiteral("Velmora - RIPRISTINO"),
                          QStringLiteral("Ripristino non eseguito: %1.\nL'archivio è rimasto com'era.").arg(error.message()),
                          Messages::Icon::Critical);
    }
}
