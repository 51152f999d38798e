#include "reasonspanel.h"

#include "amounttext.h"
#include "servicecheck.h"
#include "invoicewindows/invoicedatapanel.h"
#include "ui/actionticks.h"
#include "ui/enterfocus.h"
#include "ui/gridfill.h"
#include "ui/gridlist.h"
#include "ui/fieldrule.h"
#include "ui/messages.h"
#include "ui/textlength.h"
#include "ui/tickbox.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString EmptyTitle = QStringLiteral("Velmora ERRORE - CAMPO   VUOTO");

}

ReasonsPanel::ReasonsPanel(Connection &connection, Messages &messages, QWidget *parent)
    : MaintenancePanel({"Frame5", "Picture4", "ListView1", {"C7", "C8", "C9"}, "Cmd8", "L3", "L4"}, QString(), connection,
                       messages, parent),
      m_reason(new QLineEdit(this)), m_amount(new QLineEdit(this)),
      m_invoiceData(InvoiceDataPanel::forReasons(connection, messages, this))
{
    m_reason->setObjectName(QStringLiteral("T10"));
    m_amount->setObjectName(QStringLiteral("T11"));
    m_amount->setMaximumWidth(140);
    m_amount->setAlignment(Qt::AlignRight);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Causale"), m_reason);
    fields->addRow(QStringLiteral("Importo"), m_amount);
    addFields(fields);
    EnterFocus::install(m_reason, m_amount);
    FieldRule::acceptOnly(m_amount, QStringLiteral("-,0123456789"), FieldRule::Dot::AsComma);
    formatAmountOnLeave(m_amount);
    content()->addWidget(m_invoiceData);
    connect(m_list, &GridList::rowClicked, m_invoiceData,
            [this](int row) { m_invoiceData->showRow(m_list->rowText(row).toLongLong()); });
}

void ReasonsPanel::open()
{
    for (int i = 0; i < m_ticks->count(); ++i)
        m_ticks->box(i)->setTicked(false);
    emptyFields();
    m_reason->setEnabled(false);
    fillList();
    clearPicked();
    m_invoiceData->showRow(0);
}

void ReasonsPanel::fillList()
{
    fillGrid(*m_list, m_connection,
             {{"ID", 1000, Qt::AlignLeft}, {"CAUSALE", 8000, Qt::AlignLeft}, {"IMPORTO", 1800, Qt::AlignRight}},
             QStringLiteral("SELECT * FROM CAUSALE ORDER BY CAUSALE ;"), 2, AmountWeight::Plain);
}

void ReasonsPanel::onTicked(Action action)
{
    m_reason->setEnabled(true);
    emptyFields();
    clearPicked();
    if (action != Insert)
        m_hint->setText(QStringLiteral("Seleziona la Causale"));
    if (action != Update)
        m_reason->setFocus();
}

void ReasonsPanel::onUnticked(Action)
{
    m_reason->setEnabled(false);
    emptyFields();
    clearPicked();
}

void ReasonsPanel::loadRow(int row)
{
    m_reason->setText(m_list->subItem(row, 1));
    m_amount->setText(m_list->subItem(row, 2));
    m_reason->setEnabled(true);
}

bool ReasonsPanel::reasonTyped(const QString &missing)
{
    if (!m_reason->text().trimmed().isEmpty())
        return true;
    m_messages.inform(this, EmptyTitle, missing);
    m_reason->setFocus();
    return false;
}

bool ReasonsPanel::fieldsReady(const EmptyMessages &empty)
{
    if (!reasonTyped(empty.reason) || !textlength::fits(m_messages, m_reason, QStringLiteral("Causale")))
        return false;
    if (m_amount->text().trimmed().isEmpty()) {
        m_messages.inform(this, empty.amountTitle, empty.amount);
        m_amount->setFocus();
        return false;
    }
    if (!amountValue(m_amount->text())) {
        const auto problem = servicecheck::invalid(servicecheck::Field::Amount, QStringLiteral("IMPORTO"));
        m_messages.inform(this, problem.title, problem.text);
        m_amount->setFocus();
        return false;
    }
    return true;
}

QList<QPair<QString, QVariant>> ReasonsPanel::values(const QString &reasonColumn) const
{
    return {{reasonColumn, m_reason->text()}, {QStringLiteral("IMPORTO"), QVariant::fromValue(*amountValue(m_amount->text()))}};
}

void ReasonsPanel::insert()
{
    if (!fieldsReady({QStringLiteral("Inserire il campo CAUSALE"), QStringLiteral("ERRORE - CAMPO   VUOTO"),
                      QStringLiteral("Inserire il campo IMPORTO")})
        || !insertRow(QStringLiteral("CAUSALE"), values(QStringLiteral("CAUSALE"))))
        return;
    // "Inserisci" stays ticked, so the next reason can be typed at once.
    emptyFields();
    m_reason->setFocus();
    fillList();
    clearPicked();
}

void ReasonsPanel::update()
{
    if (!fieldsReady({QStringLiteral("Inserire il campo Causale"), EmptyTitle, QStringLiteral("Inserire il campo IMporto")})
        || !rowPicked(QStringLiteral("una Causale"))
        || !updateRow(QStringLiteral("Select * from CAUSALE where ID=?"), values(QStringLiteral("CausalE"))))
        return;
    emptyFields();
    m_reason->setFocus();
    clearPicked();
    fillList();
    untick(Update);
}

void ReasonsPanel::remove()
{
    if (!reasonTyped(QStringLiteral("Inserire il campo Causale")) || !rowPicked(QStringLiteral("una Causale")))
        return;
    const QString reason = m_reason->text();
    if (!deleteRow(QStringLiteral("DELETE * FROM CAUSALE WHERE ID= ?;"),
                   QStringLiteral("Sei sicuro di voler eliminare la Causale selezionata ? "),
                   QStringLiteral("Eliminazione  di       ") + reason + QStringLiteral("   effettuata con successo ! ")))
        return;
    emptyFields();
    m_id->clear();
    untick(Delete);
    fillList();
}

void ReasonsPanel::emptyFields()
{
    m_reason->clear();
    m_amount->clear();
}
