#include "invoicedatapanel.h"

#include "rowform.h"

#include "ui/messages.h"
#include "ui/storeguard.h"

#include <QEvent>
#include <QPushButton>
#include <QHBoxLayout>

namespace {

using K = FormField::Kind;

const QString Title = QStringLiteral("Velmora - FATTURAZIONE ELETTRONICA");

}

InvoiceDataPanel *InvoiceDataPanel::forClients(Connection &connection, Messages &messages, QWidget *parent)
{
    return new InvoiceDataPanel(connection, messages, {QStringLiteral("FE_CLIENTI"), QStringLiteral("ID_CL"), 0},
                                {{"CODDEST", "Codice destinatario", K::Capitals, 7},
                                 {"PEC", "PEC", K::Text, 256},
                                 {"NOME", "Nome (persona fisica)", K::Text, 60},
                                 {"COGNOME", "Cognome (persona fisica)", K::Text, 60},
                                 {"RITENUTA", "Applica la ritenuta", K::YesNo}},
                                QStringLiteral("FrameFatturaCliente"), parent);
}

InvoiceDataPanel *InvoiceDataPanel::forReasons(Connection &connection, Messages &messages, QWidget *parent)
{
    return new InvoiceDataPanel(connection, messages, {QStringLiteral("FE_CAUSALI"), QStringLiteral("ID_CAUS"), 0},
                                {{"ALIQUOTA", "Aliquota IVA %", K::Percent, 6},
                                 {"NATURA", "Natura (IVA 0)", K::Code, 4, "NaturaType"},
                                 {"CASSA", "Soggetta a cassa", K::YesNo},
                                 {"RITENUTA", "Soggetta a ritenuta", K::YesNo}},
                                QStringLiteral("FrameFatturaCausale"), parent);
}

InvoiceDataPanel::InvoiceDataPanel(Connection &connection, Messages &messages, const extrarow::Key &key,
                                   const QList<FormField> &fields, const QString &name, QWidget *parent)
    : QGroupBox(QStringLiteral("Fatturazione elettronica (un campo vuoto vale come nei dati dello Studio)"), parent),
      m_connection(connection), m_messages(messages), m_key(key), m_form(new RowForm(fields, 3, this)),
      m_save(new QPushButton(QStringLiteral("Salva dati &fattura"), this))
{
    setObjectName(name);
    m_save->setObjectName(QStringLiteral("CmdSalvaFattura"));
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_form, 1);
    layout->addWidget(m_save, 0, Qt::AlignBottom);
    connect(m_save, &QPushButton::clicked, this, &InvoiceDataPanel::save);
    showRow(0);
}

void InvoiceDataPanel::showRow(qint64 id)
{
    m_key.value = id;
    setEnabled(id > 0);
    if (id <= 0) {
        m_form->setValues({});
        return;
    }
    guarded(m_messages, this, [&] { m_form->setValues(extrarow::read(m_connection, m_key, m_form->columns())); });
}

void InvoiceDataPanel::followVisibility(QWidget *editor)
{
    setVisible(editor->isVisible());
    editor->installEventFilter(this);
}

bool InvoiceDataPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
        setVisible(event->type() == QEvent::Show);
    return QGroupBox::eventFilter(watched, event);
}

void InvoiceDataPanel::save()
{
    if (m_form->save(m_connection, m_messages, m_key, Title))
        m_messages.inform(this, Title, QStringLiteral("Dati per la fattura elettronica salvati."));
}
