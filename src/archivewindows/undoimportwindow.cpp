#include "undoimportwindow.h"

#include "imports/counted.h"
#include "imports/importruns.h"
#include "runstate.h"
#include "ui/gridlist.h"
#include "ui/messages.h"
#include "ui/storeguard.h"
#include "ui/textrows.h"

namespace {

const QString Title = QStringLiteral("Velmora - ANNULLA IMPORTAZIONE");

}

UndoImportWindow::UndoImportWindow(Connection &connection, Messages &messages, QWidget *parent)
    : ListDialog({"FormAnnullaImportazione", "ListaImportazioni", "CmdAnnulla"},
                 QStringLiteral("Velmora - Annulla un'importazione"), QStringLiteral("&Annulla l'importazione"), parent),
      m_connection(connection), m_messages(messages)
{}

void UndoImportWindow::refill()
{
    list()->setColumns({{QStringLiteral("N."), 700, Qt::AlignRight},
                        {QStringLiteral("Data e ora"), 2200},
                        {QStringLiteral("Tabella"), 1500},
                        {QStringLiteral("File"), 3000},
                        {QStringLiteral("Righe"), 1000, Qt::AlignRight},
                        {QStringLiteral("Stato"), 2400}});
    QList<QStringList> rows;
    guarded(m_messages, this, [&] {
        for (const importruns::Run &run : importruns::recent(m_connection))
            rows << QStringList{QString::number(run.id),
                                run.made.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")),
                                run.table,
                                run.file,
                                QString::number(run.rows),
                                runState(run.undone)};
    });
    list()->setRows(std::make_shared<TextRows>(rows));
}

void UndoImportWindow::act()
{
    const int row = list()->selectedRow();
    if (row < 0) {
        m_messages.inform(this, Title, QStringLiteral("Occorre selezionare un'importazione !"));
        return;
    }
    if (!m_messages.ask(
            this, Title,
            QStringLiteral("Annullare l'importazione del %1 (%2 %3 da %4) ?")
                .arg(list()->subItem(row, 1), list()->subItem(row, 4), list()->subItem(row, 2), list()->subItem(row, 3))))
        return;
    importruns::Undone undone;
    const bool done = guardedBusy(m_messages, this,
                                  [&] { undone = importruns::undo(m_connection, list()->rowText(row).toLongLong()); });
    if (!done)
        return;
    QString text = QStringLiteral("Importazione annullata: %1.").arg(counted(undone.removed, "riga tolta", "righe tolte"));
    if (!undone.leftAlone.isEmpty())
        text += QStringLiteral("\n\nLasciate come sono, perché cambiate o usate dopo l'importazione:\n%1")
                    .arg(undone.leftAlone.mid(0, 20).join(QLatin1Char('\n')))
            + (undone.leftAlone.size() > 20 ? QStringLiteral("\n... e altre %1.").arg(undone.leftAlone.size() - 20) : QString());
    m_messages.inform(this, Title, text);
    refill();
}
