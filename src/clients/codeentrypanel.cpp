#include "codeentrypanel.h"

#include "records/clientrecords.h"
#include "ui/clickablelabel.h"
#include "ui/messages.h"
#include "ui/storeguard.h"
#include "ui/tickbox.h"
#include "ui/fieldrule.h"
#include "ui/uppercase.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CodeEntryPanel::CodeEntryPanel(Connection &connection, Messages &messages, QWidget *parent)
    : QGroupBox(parent), m_connection(connection), m_messages(messages), m_code(new QLineEdit(this)),
      m_force(new TickBox(QStringLiteral("Forza l'inserimento"), this))
{
    setObjectName(QStringLiteral("FrameCodice"));
    m_code->setObjectName(QStringLiteral("Text26"));
    m_code->setMinimumWidth(220);
    uppercase::apply(m_code);
    FieldRule::limit(m_code, 16);
    auto *proceed = new QPushButton(QStringLiteral("Prosegui"), this);
    proceed->setObjectName(QStringLiteral("CmdProsegui"));
    auto *leave = new ClickableLabel(QStringLiteral("Esci"), this);
    leave->setObjectName(QStringLiteral("LabelEsci"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Codice Fiscale  o Partita IVA"), this), 0, 0);
    grid->addWidget(m_code, 1, 0);
    grid->addWidget(proceed, 1, 1);
    grid->addWidget(m_force, 2, 0);
    grid->addWidget(leave, 2, 1, Qt::AlignRight);
    grid->setColumnStretch(2, 1);

    connect(proceed, &QPushButton::clicked, this, &CodeEntryPanel::proceedWithCode);
    connect(m_code, &QLineEdit::returnPressed, this, &CodeEntryPanel::proceedWithCode);
    connect(m_force, &TickBox::ticked, this, [this](bool ticked) {
        if (ticked)
            emit newClient(QString());
    });
    connect(leave, &ClickableLabel::clicked, this, &CodeEntryPanel::left);
}

void CodeEntryPanel::proceedWithCode()
{
    if (m_code->text().isEmpty()) {
        m_messages.inform(this, QStringLiteral("Gestione Soggetti..............."),
                          QStringLiteral(" ATTENZIONE, nessun Codice Fiscale o Partita IVA  CORRETTA -----digitata "),
                          Messages::Icon::None);
        m_code->setFocus();
        return;
    }
    bool exists = false;
    // A query that fails says so and the user stays here: never taken as
    // "no duplicate".
    if (!guarded(m_messages, this, [&] { exists = clientrecords::codeExists(m_connection, m_code->text()); }))
        return;
    if (exists) {
        m_messages.inform(this, QStringLiteral("Gestione Soggetti ................. - ERRORE "),
                          QStringLiteral(" Codice Fiscale/Partita IVA  già presente in Anagrafica ! "));
        m_code->clear();
        emit duplicateRefused();
        m_code->setFocus();
        return;
    }
    emit newClient(m_code->text().trimmed());
}
