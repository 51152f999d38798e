#include "billingpanel.h"

#include "records/servicerecords.h"

#include "archive/billingruns.h"
#include "noservice.h"
#include "store/transaction.h"
#include "servicecheck.h"
#include "serviceclients.h"
#include "servicelists.h"
#include "store/connection.h"
#include "ui/actionticks.h"
#include "ui/datefield.h"
#include "ui/dropdown.h"
#include "ui/gridlist.h"
#include "ui/messages.h"
#include "ui/named.h"
#include "ui/storeguard.h"
#include "ui/tickbox.h"
#include "ui/historywindow.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {

const QString All = QStringLiteral("Tutti");
const QString Unbilled = QStringLiteral("Non Parcellati");
const QString Billed = QStringLiteral("Parcellati");
const QString Insert = QStringLiteral("Inserisci");
const QString Modify = QStringLiteral("Modifica");
const QString Delete = QStringLiteral("Elimina");

QString modeCaption(const QString &filter)
{
    if (filter == Unbilled)
        return QStringLiteral("Gestione Non Parcellati");
    if (filter == Billed)
        return QStringLiteral("Gestione Parcellati");
    return QStringLiteral("Gestione Tutti i Clienti");
}

}

BillingPanel::BillingPanel(Connection &connection, Messages &messages, QWidget *parent)
    : PanelFrame(QStringLiteral("Frame7"), QStringLiteral("Gestione Parcellazione"), QStringLiteral("Picture6"), parent),
      m_connection(connection), m_messages(messages), m_filter(named(new DropDown(DropDown::Typing::PickOnly, this), "Cbo6")),
      m_clientSearch(named(new TickBox(QStringLiteral("Ricerca per Cliente "), this), "C12")),
      m_clients(named(new DropDown(DropDown::Typing::PickOnly, this), "Cbo7")), m_clientId(named(new QLabel(this), "L6")),
      m_serviceId(named(new QLineEdit(this), "T20")), m_client(named(new QLineEdit(this), "T18")),
      m_date(named(new DateField(this), "D4")), m_billNumber(named(new QLineEdit(this), "T19")),
      m_mode(named(new QLabel(this), "L5")),
      m_ticks(new ActionTicks({ActionTicks::Box{"C10", Modify}, ActionTicks::Box{"C11", QStringLiteral("Elimina ")}}, this)),
      m_action(named(new QPushButton(this), "Cmd10")), m_list(named(new GridList(this), "ListView5"))
{
    HistoryWindow::offerOn(m_list, m_connection, m_messages, QStringLiteral("PRESTAZIONI"));
    m_filter->setMinimumContentsLength(16);
    m_clients->setMinimumContentsLength(30);
    m_clientId->hide();
    m_serviceId->hide();
    auto *top = new QHBoxLayout;
    top->addWidget(m_filter);
    top->addWidget(m_clientSearch);
    top->addWidget(m_clients);
    top->addStretch(1);
    content()->addLayout(top);
    content()->addWidget(buildSelection());
    auto *hints = new QHBoxLayout;
    hints->addWidget(new QLabel(QStringLiteral("Seleziona"), this));
    hints->addStretch(1);
    hints->addWidget(new QLabel(QStringLiteral("Cliccare sulla riga per la selezione"), this));
    content()->addLayout(hints);
    content()->addWidget(m_list, 1);

    connect(m_filter, &DropDown::picked, this, &BillingPanel::filterChosen);
    connect(m_clientSearch, &TickBox::ticked, this, &BillingPanel::clientSearchTicked);
    connect(m_clients, &DropDown::picked, this, &BillingPanel::clientChosen);
    connect(m_list, &GridList::rowClicked, this, &BillingPanel::rowClicked);
    connect(m_ticks, &ActionTicks::ticked, this, &BillingPanel::actionTicked);
    connect(m_ticks, &ActionTicks::unticked, this, &BillingPanel::actionUnticked);
    connect(m_action, &QPushButton::clicked, this, &BillingPanel::act);
}

QWidget *BillingPanel::buildSelection()
{
    auto *selection = named(new QGroupBox(this), "Frame8");
    auto *layout = new QHBoxLayout(selection);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Cliente"), m_client);
    fields->addRow(QStringLiteral("Data"), m_date);
    fields->addRow(QStringLiteral("Nr.Parcella "), m_billNumber);
    m_client->setReadOnly(true);
    m_client->setMinimumWidth(280);
    m_date->setMaximumWidth(120);
    m_billNumber->setMaximumWidth(120);
    layout->addLayout(fields);
    auto *actions = new QVBoxLayout;
    actions->addWidget(m_mode);
    actions->addWidget(m_ticks->box(ModifyBox));
    actions->addWidget(m_ticks->box(DeleteBox));
    auto *buttons = new QHBoxLayout;
    m_action->setMinimumWidth(110);
    buttons->addWidget(m_action);
    auto *clear = named(new QToolButton(selection), "XPButton1");
    clear->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    clear->setToolTip(QStringLiteral("Annulla la selezione"));
    buttons->addWidget(clear);
    actions->addLayout(buttons);
    layout->addLayout(actions);
    layout->addStretch(1);
    connect(clear, &QToolButton::clicked, this, &BillingPanel::dropAction);
    return selection;
}

void BillingPanel::shareClientNames(DropDown *other)
{
    m_otherClients = other;
}

// The list keeps what it showed when the panel was last used.
void BillingPanel::open()
{
    show();
    m_filter->setEntries({QString(), All, Unbilled, Billed});
    m_clientSearch->setTicked(false);
    dropAction();
    m_clientSearch->setEnabled(false);
    lockClients(true);
}

void BillingPanel::filterChosen(const QString &filter)
{
    const bool oneState = filter == Billed || filter == Unbilled;
    if ((oneState && m_clientSearch->isTicked()) || (!oneState && filter != All))
        return;
    m_clientSearch->setEnabled(oneState);
    lockClients(!oneState);
    untickActions();
    clearSelection();
    showFilter(filter);
}

// The list of the filter's services; unbilled ones are there to be billed.
void BillingPanel::showFilter(const QString &filter)
{
    m_action->setText(filter == Unbilled ? Insert : QString());
    const ServiceFill fill = filter == Billed ? ServiceFill::BillingBilled
        : filter == Unbilled                  ? ServiceFill::BillingUnbilled
                                              : ServiceFill::BillingAll;
    fillServiceList(*m_list, m_connection, fill);
}

void BillingPanel::clientSearchTicked(bool ticked)
{
    dropAction();
    m_clientId->clear();
    if (ticked) {
        serviceclients::fillNames(m_connection, {m_clients, m_otherClients});
        lockClients(false);
        m_list->clear();
    } else {
        m_clientSearch->setEnabled(false);
        m_clients->clearEntries();
        lockClients(true);
    }
}

void BillingPanel::clientChosen(const QString &name)
{
    const QString filter = m_filter->text();
    if (!m_clientSearch->isTicked() || name.isEmpty() || (filter != Billed && filter != Unbilled))
        return;
    guarded(m_messages, this, [&] {
        serviceclients::showServicesOf(m_connection, name, *m_clientId, *m_list,
                                       filter == Billed ? ServiceFill::BillingClientBilled : ServiceFill::BillingClientUnbilled);
    });
}

void BillingPanel::rowClicked(int row)
{
    const QString filter = m_filter->text();
    if (filter != All && filter != Billed && filter != Unbilled)
        return;
    m_serviceId->setText(m_list->rowText(row));
    m_picked = m_list->rowVersion(row);
    m_client->setText(m_list->subItem(row, 1));
    m_date->setText(m_list->subItem(row, 4));
    m_billNumber->setText(m_list->subItem(row, 5));
    // With an action ticked, unticking it clears the selection just made:
    // the user picks the row again.
    untickActions();
    m_mode->setText(modeCaption(filter));
    m_date->setFocus();
}

void BillingPanel::actionTicked(int box)
{
    if (box == DeleteBox) {
        m_action->setText(Delete);
    } else if (m_client->text().isEmpty()) {
        tellNoServiceSelected(m_messages, this);
    } else {
        m_action->setText(Modify);
    }
}

void BillingPanel::actionUnticked()
{
    m_action->setText(QString());
    clearSelection();
}

void BillingPanel::act()
{
    const QString action = m_action->text();
    if (action == Insert || action == Modify)
        bill();
    else if (action == Delete)
        unbill();
}

void BillingPanel::bill()
{
    if (!serviceSelected())
        return;
    if (m_date->text().trimmed().isEmpty()) {
        m_messages.inform(this, QStringLiteral("Velmora ERRORE - CAMPO   VUOTO"), QStringLiteral("Inserire il campo DATA "));
        m_date->setFocus();
        return;
    }
    if (!m_date->date().isValid()) {
        const auto problem = servicecheck::invalid(servicecheck::Field::BillingDate, QStringLiteral("DATA"));
        m_messages.inform(this, problem.title, problem.text);
        m_date->setFocus();
        return;
    }
    // One number, one bill a year: another client's is named, and the
    // office decides.
    QString taken;
    if (!guarded(m_messages, this, [&] {
            taken = servicerecords::billNumberTaken(m_connection, m_billNumber->text(), m_date->date(),
                                                    m_serviceId->text().toLongLong());
        }))
        return;
    const QString notice = taken.isEmpty() ? QString()
                                           : QStringLiteral("Il numero di parcella %1 del %2 è già stato dato al cliente %3.\n\n")
                                                 .arg(m_billNumber->text().trimmed())
                                                 .arg(m_date->date().year())
                                                 .arg(taken);
    write(QStringLiteral("Velmora - AGGIORNAMENTO"), notice + QStringLiteral("Vuoi Aggiornare questi dati ?"),
          QStringLiteral("UPDATE PRESTAZIONI SET DATAP = ?, PARC = 'S', NR = ? WHERE ID = ?"),
          {m_date->date(), m_billNumber->text()}, QStringLiteral("Velmora   - AGGIORNAMENTO"),
          QStringLiteral("L' aggiornamento  è avvenuto con successo !"));
}

// The billing comes off; the service stays.
void BillingPanel::unbill()
{
    if (!serviceSelected())
        return;
    write(QStringLiteral("Velmora   - ELIMINAZIONE"),
          QStringLiteral("Sei sicuro di voler eliminare la  REGISTRAZIONE selezionata ? "),
          QStringLiteral("UPDATE PRESTAZIONI SET DATAP = NULL, PARC = 'N', NR = '' WHERE ID = ?"), {},
          QStringLiteral("Velmora  - ELIMINAZIONE"),
          QStringLiteral("Eliminazione  dei dati  è stata effettuata con successo ! "));
}

void BillingPanel::write(const QString &title, const QString &question, const QString &sql, const QList<QVariant> &values,
                         const QString &doneTitle, const QString &done)
{
    if (!m_messages.ask(this, title, question))
        return;
    const auto written = guardedById(m_messages, this, m_serviceId->text(), [&](qint64 id) {
        // Kept as a run, so that the billing can be undone from the archive menu.
        Transaction transaction(m_connection);
        const qint64 run = billingruns::begin(m_connection, QString::fromLatin1(billingruns::singlePanel));
        billingruns::keep(m_connection, run, QStringLiteral("ID = ?"), {id});
        const int rows = m_connection.executeOnLoaded(sql, QList<QVariant>(values) << id, m_picked.of(id));
        billingruns::finish(m_connection, run);
        transaction.commit();
        return rows;
    });
    if (!written)
        return;
    if (*written == 1)
        m_messages.inform(this, doneTitle, done);
    untickActions();
    clearSelection();
    // The empty filter item has no list of its own: what is shown stays,
    // and no action is left on the button.
    if (const QString filter = m_filter->text(); filter == All || filter == Billed || filter == Unbilled)
        showFilter(filter);
    else
        m_action->setText(QString());
}

bool BillingPanel::serviceSelected()
{
    if (m_serviceId->text().isEmpty()) {
        tellNoServiceSelected(m_messages, this);
        return false;
    }
    return true;
}

void BillingPanel::untickActions()
{
    for (int box : {ModifyBox, DeleteBox})
        m_ticks->box(box)->setTicked(false);
}

void BillingPanel::dropAction()
{
    untickActions();
    clearSelection();
    m_action->setText(QString());
}

void BillingPanel::clearSelection()
{
    for (QLineEdit *field : {m_client, m_billNumber, m_serviceId})
        field->clear();
    m_date->reset();
    m_mode->clear();
}

void BillingPanel::lockClients(bool locked)
{
    m_clients->setEnabled(!locked);
}
