#include "undobillingwindow.h"

#include "archive/billingruns.h"
#include "store/money.h"
#include "runstate.h"
#include "ui/gridlist.h"
#include "ui/messages.h"
#include "ui/storeguard.h"
#include "ui/textrows.h"

namespace {

const QString Title = QStringLiteral("Velmora - ANNULLA PARCELLAZIONE");

}

UndoBillingWindow::UndoBillingWindow(Connection &connection, Messages &messages, QWidget *parent)
    : ListDialog({"FormAnnullaParcellazione", "ListaParcellazioni", "CmdAnnulla"},
                 QStringLiteral("Velmora - Annulla una parcellazione"), QStringLiteral("&Annulla la parcellazione"), parent),
      m_connection(connection), m_messages(messages)
{}

void UndoBillingWindow::refill()
{
    list()->setColumns({{QStringLiteral("N."), 700, Qt::AlignRight},
                        {QStringLiteral("Data e ora"), 2200},
                        {QStringLiteral("Pannello"), 2000},
                        {QStringLiteral("Prestazioni"), 1300, Qt::AlignRight},
                        {QStringLiteral("Totale"), 1600, Qt::AlignRight},
                        {QStringLiteral("Stato"), 2400}});
    QList<QStringList> rows;
    guarded(m_messages, this, [&] {
        for (const billingruns::Run &run : billingruns::recent(m_connection))
            rows << QStringList{QString::number(run.id),
                                run.made.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")),
                                run.panel,
                                QString::number(run.services),
                                Money::fromCents(run.totalCents).euroText(),
                                runState(run.undone)};
    });
    list()->setRows(std::make_shared<TextRows>(rows));
}

void UndoBillingWindow::act()
{
    const int row = list()->selectedRow();
    if (row < 0) {
        m_messages.inform(this, Title, QStringLiteral("Occorre selezionare una parcellazione !"));
        return;
    }
    const qint64 run = list()->rowText(row).toLongLong();
    if (!m_messages.ask(this, Title,
                        QStringLiteral("Annullare la parcellazione del %1 (%2 prestazioni, %3) ?")
                            .arg(list()->subItem(row, 1), list()->subItem(row, 3), list()->subItem(row, 4))))
        return;
    billingruns::Undone undone;
    const bool done = guardedBusy(m_messages, this, [&] { undone = billingruns::undo(m_connection, run); });
    if (!done)
        return;
    QString text = QStringLiteral("Parcellazione annullata: %1 prestazioni sono tornate com'erano prima.").arg(undone.restored);
    if (!undone.changedSince.isEmpty()) {
        QStringList ids;
        for (qint64 id : undone.changedSince)
            ids << QString::number(id);
        text += QStringLiteral("\n\nLasciate come sono, perché cambiate dopo la parcellazione: %1.")
                    .arg(ids.join(QStringLiteral(", ")));
    }
    m_messages.inform(this, Title, text);
    refill();
}
