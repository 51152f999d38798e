#include "maintenancepanel.h"

#include "store/connection.h"
#include "store/recordset.h"
#include "ui/actionticks.h"
#include "ui/gridlist.h"
#include "ui/messages.h"
#include "ui/storeguard.h"
#include "ui/tickbox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

const QString Captions[] = {QStringLiteral("Inserisci"), QStringLiteral("Aggiorna"), QStringLiteral("Elimina")};

}

MaintenancePanel::MaintenancePanel(const Names &names, const QString &title, Connection &connection, Messages &messages,
                                   QWidget *parent)
    : PanelFrame(QLatin1String(names.frame), title, QLatin1String(names.closePicture), parent), m_connection(connection),
      m_messages(messages), m_list(new GridList(this)),
      m_ticks(
          new ActionTicks({{names.ticks[0], Captions[0]}, {names.ticks[1], Captions[1]}, {names.ticks[2], Captions[2]}}, this)),
      m_action(new QPushButton(this)), m_id(new QLabel(this)), m_hint(new QLabel(this))
{
    m_list->setObjectName(QLatin1String(names.list));
    m_action->setObjectName(QLatin1String(names.button));
    m_action->setMinimumWidth(110);
    m_id->setObjectName(QLatin1String(names.id));
    m_id->hide();
    m_hint->setObjectName(QLatin1String(names.hint));
    m_hint->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold"));

    connect(m_ticks, &ActionTicks::ticked, this, [this](int box) {
        m_action->setText(Captions[box]);
        m_id->clear();
        onTicked(Action(box));
    });
    connect(m_ticks, &ActionTicks::unticked, this, [this](int box) {
        m_action->setText(QString());
        onUnticked(Action(box));
    });
    connect(m_action, &QPushButton::clicked, this, &MaintenancePanel::act);
    connect(m_list, &GridList::rowClicked, this, &MaintenancePanel::rowClicked);
}

void MaintenancePanel::addFields(QLayout *fields)
{
    content()->addLayout(fields);
    auto *actions = new QHBoxLayout;
    for (int i = 0; i < m_ticks->count(); ++i)
        actions->addWidget(m_ticks->box(i));
    actions->addSpacing(16);
    actions->addWidget(m_action);
    actions->addWidget(m_hint);
    actions->addStretch(1);
    content()->addLayout(actions);
    content()->addWidget(m_list, 1);
}

void MaintenancePanel::act()
{
    const QString caption = m_action->text();
    if (caption == Captions[Insert])
        insert();
    else if (caption == Captions[Update])
        update();
    else if (caption == Captions[Delete])
        remove();
}

void MaintenancePanel::rowClicked(int row)
{
    const int ticked = m_ticks->tickedBox();
    if (ticked != Update && ticked != Delete)
        return;
    m_id->setText(m_list->rowText(row));
    m_picked = m_list->rowVersion(row);
    loadRow(row);
}

bool MaintenancePanel::insertRow(const QString &table, const QList<QPair<QString, QVariant>> &values)
{
    if (!m_messages.ask(this, QStringLiteral("Velmora - INSERIMENTO"), QStringLiteral("Vuoi Inserire questi dati ?")))
        return false;
    int written = 0;
    guarded(m_messages, this, [&] {
        Recordset record(m_connection, table);
        record.addNew();
        for (const auto &[column, value] : values)
            record.setField(column, value);
        written = record.update();
        record.close();
    });
    if (written != 1)
        return false;
    m_messages.inform(this, QStringLiteral("Velmora   - INSERIMENTO"),
                      QStringLiteral("L' inserimento è avvenuto con successo !"));
    return true;
}

bool MaintenancePanel::updateRow(const QString &sqlById, const QList<QPair<QString, QVariant>> &values)
{
    if (!m_messages.ask(this, QStringLiteral("Velmora - AGGIORNAMENTO"), QStringLiteral("Vuoi Aggiornare questi dati ?")))
        return false;
    const auto written = guardedById(m_messages, this, m_id->text(), [&](qint64 id) {
        Recordset record(m_connection, sqlById, {id});
        record.expect(m_picked.of(id));
        if (record.eof())
            return 0;
        for (const auto &[column, value] : values)
            record.setField(column, value);
        const int rows = record.update();
        record.close();
        return rows;
    });
    if (written != 1)
        return false;
    m_messages.inform(this, QStringLiteral("Velmora   - AGGIORNAMENTO"),
                      QStringLiteral("L' aggiornamento  è avvenuto con successo !"));
    return true;
}

bool MaintenancePanel::deleteRow(const QString &sqlById, const QString &question, const QString &done)
{
    if (!m_messages.ask(this, QStringLiteral("Velmora   - ELIMINAZIONE"), question))
        return false;
    const auto deleted = guardedById(m_messages, this, m_id->text(),
                                     [&](qint64 id) { return m_connection.executeOnLoaded(sqlById, {id}, m_picked.of(id)); });
    if (deleted != 1)
        return false;
    m_messages.inform(this, QStringLiteral("Velmora  - ELIMINAZIONE"), done);
    return true;
}

bool MaintenancePanel::rowPicked(const QString &what)
{
    if (!m_id->text().isEmpty())
        return true;
    m_messages.inform(this, QStringLiteral("Velmora............"), QStringLiteral("ERRORE - Occorre selezionare %1 !").arg(what));
    return false;
}

void MaintenancePanel::untick(Action action)
{
    m_ticks->box(action)->setTicked(false);
}

void MaintenancePanel::clearPicked()
{
    m_id->clear();
    m_hint->clear();
    m_picked = RowVersion();
}
