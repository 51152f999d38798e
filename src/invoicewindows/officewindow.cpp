#include "officewindow.h"

#include "rowform.h"

#include "einvoice/extrarow.h"
#include "taxcodes/iban.h"
#include "taxcodes/taxcode.h"
#include "taxcodes/vatnumber.h"
#include "ui/messages.h"
#include "ui/storeguard.h"
#include "ui/windowplacement.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("Velmora - DATI DELLO STUDIO");
const extrarow::Key Row{QStringLiteral("STUDIO"), QString(), 0};

using K = FormField::Kind;

QList<FormField> fields()
{
    return {
        {"DENOMINAZIONE", "Denominazione", K::Text, 80},
        {"NOME", "Nome (professionista)", K::Text, 60},
        {"COGNOME", "Cognome (professionista)", K::Text, 60},
        {"PIVA", "Partita IVA", K::Capitals, 13},
        {"CODICE", "Codice fiscale", K::Capitals, 16},
        {"REGIME", "Regime fiscale", K::Code, 4, "RegimeFiscaleType"},
        {"INDIRIZZO", "Indirizzo", K::Text, 60},
        {"CAP", "CAP", K::Text, 5},
        {"COMUNE", "Comune", K::Capitals, 60},
        {"PR", "Provincia", K::Capitals, 2},
        {"PEC", "PEC", K::Text, 256},
        {"EMAIL", "E-mail", K::Text, 256},
        {"TEL", "Telefono", K::Text, 12},
        {"IBAN", "IBAN", K::Capitals, 34},
        {"CASSA", "Cassa previdenziale", K::Code, 4, "TipoCassaType"},
        {"ALCASSA", "Aliquota cassa %", K::Percent, 6},
        {"RITENUTA", "Ritenuta d'acconto", K::YesNo},
        {"ALRITENUTA", "Aliquota ritenuta %", K::Percent, 6},
        {"TIPORITENUTA", "Tipo ritenuta", K::Code, 4, "TipoRitenutaType"},
        {"CAUSALEPAG", "Causale pagamento", K::Code, 2, "CausalePagamentoType"},
        {"ALIQUOTA", "Aliquota IVA %", K::Percent, 6},
        {"NATURA", "Natura (IVA 0)", K::Code, 4, "NaturaType"},
        {"BOLLO", "Bollo addebitato al cliente", K::YesNo},
        {"PECSERVER", "Server PEC di invio (smtps://...)", K::Text, 120},
        {"PECUTENTE", "Utente della PEC", K::Text, 120},
        {"PECSDI", "PEC dello SdI (dopo il primo invio)", K::Text, 120},
    };
}

}

OfficeWindow::OfficeWindow(Connection &connection, Messages &messages, QWidget *parent)
    : QDialog(parent), m_connection(connection), m_messages(messages), m_form(new RowForm(fields(), 2, this)),
      m_progressive(new QLabel(this))
{
    setObjectName(QStringLiteral("FormDatiStudio"));
    setWindowTitle(QStringLiteral("Velmora - Dati dello Studio"));
    resize(1000, 460);
    windowplacement::follow(this);
    auto *save = new QPushButton(QStringLiteral("&Salva"), this);
    save->setObjectName(QStringLiteral("CmdSalva"));
    auto *close = new QPushButton(QStringLiteral("&Chiudi"), this);
    close->setObjectName(QStringLiteral("CmdChiudi"));
    // Enter in a field saves nothing and closes nothing by itself.
    save->setAutoDefault(false);
    close->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_progressive, 1);
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_form, 1);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &OfficeWindow::save);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void OfficeWindow::refill()
{
    guarded(m_messages, this, [&] {
        const auto values = extrarow::read(m_connection, Row, m_form->columns() << QStringLiteral("PROGRESSIVO"));
        m_form->setValues(values);
        m_progressive->setText(
            QStringLiteral("Ultimo progressivo dei file: %1").arg(values.value(QStringLiteral("PROGRESSIVO")).toLongLong()));
    });
}

void OfficeWindow::save()
{
    if (!m_form->save(m_connection, m_messages, Row, Title))
        return;
    const auto values = m_form->values();
    QStringList warnings;
    const struct
    {
        const char *column;
        const char *what;
        bool feminine;
        CodeCheck (*check)(const QString &);
    } codes[] = {
        {"PIVA", "La partita IVA", true, [](const QString &c) { return vatnumber::check(c); }},
        {"CODICE", "Il codice fiscale", false, [](const QString &c) { return taxcode::check(c); }},
        {"IBAN", "L'IBAN", false, [](const QString &c) { return iban::check(c); }},
    };
    for (const auto &code : codes) {
        const QString value = values.value(QLatin1String(code.column));
        const CodeCheck check = value.isEmpty() ? CodeCheck::valid() : code.check(value);
        if (!check.isValid())
            warnings << QStringLiteral("%1 è %2.").arg(QString::fromUtf8(code.what), check.text(code.feminine));
    }
    m_messages.inform(this, Title,
                      warnings.isEmpty()
                          ? QStringLiteral("Dati dello Studio salvati.")
                          : QStringLiteral("Dati dello Studio salvati.\n\nAttenzione:\n") + warnings.join(QLatin1Char('\n')));
}
