#include "invoicedatapanel.h"

#include "rowform.h"

#include "taxcodes/foreignvat.h"
#include "ui/messages.h"
#include "ui/storeguard.h"

#include <QEvent>
#include <QPushButton>
#include <QDialog>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

using K = FormField::Kind;

const QString Title = QStringLiteral("Velmora - FATTURAZIONE ELETTRONICA");

// A foreign VAT number of the wrong form for its country is told, and
// saved all the same: the SdI does not check it.
QString foreignVatRemark(const QHash<QString, QString> &values)
{
    const QString number = normalizedCode(values.value(QStringLiteral("PIVAESTERA")));
    if (number.isEmpty())
        return QString();
    const bool prefixed = number.size() > 2 && number.at(0).isLetter() && number.at(1).isLetter();
    const QString country = prefixed ? number.left(2) : values.value(QStringLiteral("NAZIONE")).toUpper();
    const CodeCheck check = foreignvat::check(country, prefixed ? number.mid(2) : number);
    return check.state == CodeCheck::State::Invalid
        ? QStringLiteral("\n\nAttenzione:\nLa partita IVA estera non è valida: %1.").arg(check.reason)
        : QString();
}

}

InvoiceDataPanel *InvoiceDataPanel::forClients(Connection &connection, Messages &messages, QWidget *parent)
{
    auto *panel = new InvoiceDataPanel(connection, messages, {QStringLiteral("FE_CLIENTI"), QStringLiteral("ID_CL"), 0},
                                       {{"CODDEST", "Codice destinatario", K::Capitals, 7},
                                        {"PEC", "PEC", K::Text, 256},
                                        {"NOME", "Nome (persona fisica)", K::Text, 60},
                                        {"COGNOME", "Cognome (persona fisica)", K::Text, 60},
                                        {"RITENUTA", "Applica la ritenuta", K::YesNo},
                                        {"NAZIONE", "Nazione estera (DE, FR, ...)", K::Capitals, 2},
                                        {"PIVAESTERA", "Partita IVA estera", K::Capitals, 30},
                                        {"CAPESTERO", "CAP estero", K::Capitals, 12}},
                                       QStringLiteral("FrameFatturaCliente"), parent, foreignVatRemark);
    panel->offerPublicAdministrationData();
    return panel;
}

void InvoiceDataPanel::offerPublicAdministrationData()
{
    auto *open = new QPushButton(QStringLiteral("Dati &P.A..."), this);
    open->setObjectName(QStringLiteral("CmdDatiPA"));
    m_buttons->insertWidget(0, open);
    connect(open, &QPushButton::clicked, this, [this] {
        auto *dialog = new QDialog(this);
        dialog->setObjectName(QStringLiteral("FormDatiPA"));
        dialog->setWindowTitle(QStringLiteral("Velmora - Dati per la pubblica amministrazione"));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->resize(900, 160);
        auto *panel = new InvoiceDataPanel(m_connection, m_messages,
                                           {QStringLiteral("FE_CLIENTI_PA"), QStringLiteral("ID_CL"), 0},
                                           {{"ORDINE", "Ordine d'acquisto (numero)", K::Text, 20},
                                            {"CONTRATTO", "Contratto (numero)", K::Text, 20},
                                            {"CIG", "CIG", K::Capitals, 15},
                                            {"CUP", "CUP", K::Capitals, 15},
                                            {"RIFAMM", "Riferimento amministrazione", K::Text, 20}},
                                           QStringLiteral("FrameDatiPA"), dialog);
        panel->setTitle(QStringLiteral("Riferimenti che l'amministrazione chiede sulle sue fatture"));
        panel->showRow(m_key.value);
        auto *close = new QPushButton(QStringLiteral("&Chiudi"), dialog);
        close->setObjectName(QStringLiteral("CmdChiudi"));
        connect(close, &QPushButton::clicked, dialog, &QDialog::accept);
        auto *layout = new QVBoxLayout(dialog);
        layout->addWidget(panel);
        layout->addWidget(close, 0, Qt::AlignRight);
        dialog->open();
    });
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
                                   const QList<FormField> &fields, const QString &name, QWidget *parent, Remark remark)
    : QGroupBox(QStringLiteral("Fatturazione elettronica (un campo vuoto vale come nei dati dello Studio)"), parent),
      m_connection(connection), m_messages(messages), m_key(key), m_remark(remark),
      m_form(new RowForm(fields, int(fields.size() + 1) / 2, this)),
      m_save(new QPushButton(QStringLiteral("Salva dati &fattura"), this)), m_buttons(new QVBoxLayout)
{
    setObjectName(name);
    m_save->setObjectName(QStringLiteral("CmdSalvaFattura"));
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_form, 1);
    m_buttons->addStretch(1);
    m_buttons->addWidget(m_save);
    layout->addLayout(m_buttons);
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
        m_messages.inform(this, Title,
                          QStringLiteral("Dati per la fattura elettronica salvati.")
                              + (m_remark ? m_remark(m_form->values()) : QString()));
}
