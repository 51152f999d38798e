#include "historywindow.h"

#include "gridlist.h"
#include "storeguard.h"
#include "textrows.h"
#include "windowplacement.h"
#include "store/rowhistory.h"

#include <QAction>
#include <QPushButton>
#include <QVBoxLayout>

HistoryWindow::HistoryWindow(Connection &connection, const QString &table, qint64 id, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmStoria"));
    setWindowTitle(QStringLiteral("Velmora - STORIA DELLE MODIFICHE (%1 n. %2)").arg(table).arg(id));
    resize(1000, 440);
    windowplacement::follow(this);
    auto *list = new GridList(this);
    list->setObjectName(QStringLiteral("ListStoria"));
    list->setColumns({{QStringLiteral("Quando"), 2300},
                      {QStringLiteral("Utente"), 1100},
                      {QStringLiteral("Postazione"), 1300},
                      {QStringLiteral("Operazione"), 1500},
                      {QStringLiteral("Campo"), 1300},
                      {QStringLiteral("Prima"), 2500},
                      {QStringLiteral("Dopo"), 2500}});
    // One line a changed field; the entry's own columns only on its first.
    QList<QStringList> lines;
    for (const rowhistory::Entry &entry : rowhistory::of(connection, table, id)) {
        QStringList head{entry.when, entry.who, entry.desk, entry.action};
        if (entry.changes.isEmpty())
            lines << head;
        for (const rowhistory::Change &change : entry.changes) {
            lines << (head + QStringList{change.column, change.before, change.after});
            head = QStringList(4, QString());
        }
    }
    list->setRows(std::make_shared<TextRows>(lines));
    auto *close = new QPushButton(QStringLiteral("&Chiudi"), this);
    close->setObjectName(QStringLiteral("CmdChiudi"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addLayout(buttons);
}

void HistoryWindow::offerOn(GridList *list, Connection &connection, Messages &messages, const QString &table)
{
    auto *action = new QAction(QStringLiteral("Storia delle modifiche"), list);
    action->setObjectName(QStringLiteral("StoriaModifiche"));
    QObject::connect(action, &QAction::triggered, list, [list, &connection, &messages, table] {
        const int row = list->selectedRow();
        if (row < 0)
            return;
        const qint64 id = list->rowText(row).toLongLong();
        guarded(messages, list->window(), [&] {
            auto *window = new HistoryWindow(connection, table, id, list->window());
            window->setAttribute(Qt::WA_DeleteOnClose);
            window->open();
        });
    });
    list->addAction(action);
}
