#include "operatorspanel.h"

#include "ui/gridfill.h"
#include "ui/gridlist.h"
#include "ui/messages.h"
#include "ui/textlength.h"
#include "ui/uppercase.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

OperatorsPanel::OperatorsPanel(Connection &connection, Messages &messages, QWidget *parent)
    : MaintenancePanel({"Frame3", "Picture2", "ListView2", {"C4", "C5", "C6"}, "Cmd2", "L2", "L1"},
                       QStringLiteral("Gestione Operatore"), connection, messages, parent),
      m_name(new QLineEdit(this))
{
    m_name->setObjectName(QStringLiteral("T9"));
    uppercase::apply(m_name);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Operatore"), m_name);
    addFields(fields);
    m_hint->setText(QStringLiteral("Seleziona Operatore"));
    m_hint->hide();
}

void OperatorsPanel::open()
{
    m_name->setEnabled(false);
    fillList();
    m_name->clear();
    m_hint->hide();
}

void OperatorsPanel::fillList()
{
    fillGrid(*m_list, m_connection, {{"ID", 1000, Qt::AlignLeft}, {"OPERATORE", 5100, Qt::AlignLeft}},
             QStringLiteral("SELECT * FROM OPERATORE ORDER BY OPERATORE ;"));
}

void OperatorsPanel::onTicked(Action action)
{
    m_name->clear();
    m_name->setEnabled(action == Insert);
    if (action == Insert) {
        m_name->setFocus();
        return;
    }
    m_hint->setText(QStringLiteral("Seleziona Operatore"));
    m_hint->show();
}

// The hint goes with any untick: it belongs to "Aggiorna" and "Elimina"
// only, and after a switch between boxes none is ticked.
void OperatorsPanel::onUnticked(Action action)
{
    m_name->clear();
    m_name->setEnabled(true);
    m_hint->hide();
    if (action == Insert)
        m_name->setFocus();
}

void OperatorsPanel::loadRow(int row)
{
    m_name->setText(m_list->subItem(row, 1));
    m_name->setEnabled(true);
}

bool OperatorsPanel::nameTyped()
{
    if (!m_name->text().trimmed().isEmpty())
        return true;
    m_messages.inform(this, QStringLiteral("Velmora ERRORE - CAMPO   VUOTO"), QStringLiteral("Inserire il campo Operatore"));
    m_name->setFocus();
    return false;
}

// A name to store: typed, and not longer than the column takes.
bool OperatorsPanel::nameReady()
{
    return nameTyped() && textlength::fits(m_messages, m_name, QStringLiteral("Operatore"));
}

void OperatorsPanel::insert()
{
    if (!nameReady() || !insertRow(QStringLiteral("Operatore"), {{QStringLiteral("Operatore"), m_name->text()}}))
        return;
    // "Inserisci" stays ticked, so the next name can be typed at once.
    m_name->clear();
    m_name->setFocus();
    m_id->clear();
    fillList();
}

void OperatorsPanel::update()
{
    if (!nameReady() || !rowPicked(QStringLiteral("un Operatore"))
        || !updateRow(QStringLiteral("Select * from operatore where ID=?"), {{QStringLiteral("Operatore"), m_name->text()}}))
        return;
    m_name->clear();
    m_name->setFocus();
    m_id->clear();
    untick(Update);
    fillList();
}

void OperatorsPanel::remove()
{
    if (!nameTyped() || !rowPicked(QStringLiteral("un Operatore"))
        || !deleteRow(QStringLiteral("DELETE * FROM OPERATORE WHERE ID= ?;"),
                      QStringLiteral("Sei sicuro di voler eliminare il Soggetto selezionato ? "),
                      QStringLiteral("Eliminazione effettuata con successo ! ")))
        return;
    m_name->clear();
    m_id->clear();
    untick(Delete);
    fillList();
}
