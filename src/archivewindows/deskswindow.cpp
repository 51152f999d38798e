#include "deskswindow.h"

#include "store/connecteddesks.h"
#include "ui/gridlist.h"
#include "ui/storeguard.h"
#include "ui/textrows.h"

DesksWindow::DesksWindow(Connection &connection, Messages &messages, QWidget *parent)
    : ListDialog({"FrmPostazioni", "ListPostazioni", "CmdAggiorna"}, QStringLiteral("Velmora - POSTAZIONI COLLEGATE"),
                 QStringLiteral("&Aggiorna"), parent),
      m_connection(connection), m_messages(messages)
{
    resize(760, 320);
    act();
}

void DesksWindow::act()
{
    list()->setColumns({{QStringLiteral("Utente"), 1800},
                        {QStringLiteral("Postazione"), 2200},
                        {QStringLiteral("Indirizzo"), 1800},
                        {QStringLiteral("Collegata dal"), 2200},
                        {QString(), 1800}});
    QList<QStringList> rows;
    guarded(m_messages, this, [&] {
        for (const connecteddesks::Desk &desk : connecteddesks::of(m_connection))
            rows << QStringList{desk.user, desk.machine,
                                desk.address.isEmpty() ? QStringLiteral("questo computer") : desk.address,
                                desk.since.toString(QStringLiteral("dd/MM/yyyy HH:mm")),
                                desk.own ? QStringLiteral("questa postazione") : QString()};
    });
    list()->setRows(std::make_shared<TextRows>(rows));
}
