#include "clienteditor.h"

#include "clientcodes.h"
#include "clientfields.h"
#include "records/clientrecords.h"
#include "store/recordset.h"
#include "store/skipfailure.h"
#include "store/sqltext.h"
#include "taxcodes/territory.h"
#include "ui/datefield.h"
#include "ui/dropdown.h"
#include "ui/dropdownfill.h"
#include "ui/messages.h"
#include "ui/storeguard.h"
#include "ui/tickbox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QCompleter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString EmptyNameTitle = QStringLiteral("Velmora...........  ERRORE - CAMPO   VUOTO");
const QString InactiveTitle = QStringLiteral("Velmora........   ERRORE - CAMPO   VUOTO");
const QString DeleteTitle = QStringLiteral("Velmora....... - ELIMINA");

// The values already stored in a column, once each, after an empty entry.
void loadDistinct(DropDown *list, Connection &connection, const QString &sql, const QString &column)
{
    skipFailure([&] { fillEntries(*list, connection, sql, column, {QString()}, NullValues::Skipped); });
}

}

namespace {

// A town with several postal codes offers them all in the CAP field.
void offerPostalCodes(QLineEdit *cap, const QStringList &codes)
{
    auto *completer = new QCompleter(codes, cap);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    delete cap->completer();
    cap->setCompleter(codes.size() > 1 ? completer : nullptr);
    if (codes.size() > 1 && cap->isVisible())
        completer->complete();
}

}

ClientEditor::ClientEditor(Connection &connection, Messages &messages, QWidget *parent)
    : QGroupBox(parent), m_connection(connection), m_messages(messages), m_fields(new ClientFields(this)),
      m_codes(new ClientCodes(m_fields, this)), m_action(new QPushButton(QStringLiteral("Salva"), this))
{
    setObjectName(QStringLiteral("FrameEditor"));
    m_action->setObjectName(QStringLiteral("Cmd2"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_fields);
    // The foot of the panel: two date controls and the label "Agg." that
    // nothing reads or sets (the update date is written by the save), and
    // the save button.
    auto *foot = new QHBoxLayout;
    auto *changed = new QLabel(QStringLiteral("Agg."), this);
    changed->setObjectName(QStringLiteral("LabelAgg"));
    foot->addWidget(changed);
    for (const char *name : {"DataBox3", "DataBox4"}) {
        auto *unused = new DateField(this);
        unused->setObjectName(QLatin1String(name));
        foot->addWidget(unused);
    }
    foot->addStretch(1);
    foot->addWidget(m_action);
    layout->addLayout(foot);
    layout->addStretch(1);
    m_fields->setEnterTarget(m_action);

    connect(m_action, &QPushButton::clicked, this, &ClientEditor::saveClient);
    connect(m_fields, &ClientFields::invalidDate, this, [this](DateField *field) {
        m_messages.inform(this, QStringLiteral("Corbelia 2016"), invalidDateText(), Messages::Icon::None);
        field->reset();
    });
    connect(m_fields->birthPlace(), &DropDown::picked, this,
            [this] { lookupComune(m_fields->birthPlace(), m_fields->birthProvince(), nullptr); });
    connect(m_fields->residence(), &DropDown::picked, this,
            [this] { lookupComune(m_fields->residence(), m_fields->residenceProvince(), m_fields->postalCode()); });
}

void ClientEditor::setAction(const QString &caption)
{
    m_action->setText(caption);
}

void ClientEditor::load(const QStringList &cells, const RowVersion &loaded)
{
    m_codes->startLoading();
    m_fields->load(cells);
    m_loaded = loaded;
    m_codes->rememberLoaded();
}

void ClientEditor::loadComuni()
{
    guarded(m_messages, this, [this] {
        const auto rows = Recordset(m_connection, QStringLiteral("Select * From Dati ORDER BY Comune ")).rows();
        const int comune = rows->columnIndex(QStringLiteral("Comune"));
        QStringList names;
        names.reserve(rows->rowCount());
        for (int r = 0; r < rows->rowCount(); ++r)
            names << rows->field(r, comune).text();
        m_fields->birthPlace()->setEntries(names);
        m_fields->residence()->setEntries(names);
    });
}

void ClientEditor::loadAttivita()
{
    loadDistinct(m_fields->business(), m_connection, QStringLiteral("Select DISTINCT ATTIVITA From SOGGETTI ORDER BY ATTIVITA "),
                 QStringLiteral("ATTIVITA"));
}

void ClientEditor::loadPagamenti()
{
    loadDistinct(m_fields->payment(), m_connection, QStringLiteral("Select DISTINCT PAG From SOGGETTI ORDER BY PAG "),
                 QStringLiteral("PAG"));
}

void ClientEditor::loadDocumentTypes()
{
    m_fields->documentType()->setEntries(
        {QStringLiteral("Carta Identità"), QStringLiteral("Passaporto"), QStringLiteral("Permesso di Soggiorno")});
}

// Province, and for the residence the postal code, of the picked municipality.
void ClientEditor::lookupComune(DropDown *municipality, DropDown *province, QLineEdit *cap)
{
    if (municipality->text().isEmpty())
        return;
    province->setText(QString());
    if (cap)
        cap->clear();
    guarded(m_messages, this, [&] {
        Recordset found(m_connection,
                        QStringLiteral("Select * From DATI WHERE [COMUNE] = '") + doubledQuotes(municipality->text())
                            + QStringLiteral("';"));
        if (found.eof())
            return;
        province->setText(found.fields(QStringLiteral("PR")).text());
        if (cap) {
            cap->setText(found.fields(QStringLiteral("CAP")).text());
            offerPostalCodes(cap, territory::postalCodesOf(municipality->text(), province->text()));
        }
    });
}

void ClientEditor::saveClient()
{
    const QString caption = m_action->text();
    if (caption == QLatin1String("Salva"))
        insertClient();
    else if (caption == QLatin1String("Modifica"))
        updateClient();
    else if (caption == QLatin1String("Elimina"))
        deleteClient();
}

bool ClientEditor::nameGiven()
{
    if (!m_fields->name()->text().trimmed().isEmpty())
        return true;
    m_messages.inform(this, EmptyNameTitle, QStringLiteral("Inserire il campo Denominazione/Cognome-Nome!"));
    m_fields->name()->setFocus();
    return false;
}

// Only a warning: the save goes on.
void ClientEditor::warnIfInactive(const QString &text)
{
    if (m_fields->active()->isTicked())
        return;
    m_messages.inform(this, InactiveTitle, text);
    m_fields->active()->setFocus();
}

QString ClientEditor::codesNotice(bool changing) const
{
    const QStringList problems = m_codes->problems(changing);
    return problems.isEmpty() ? QString() : problems.join(QLatin1Char('\n')) + QStringLiteral("\n\n");
}

void ClientEditor::insertClient()
{
    if (!nameGiven())
        return;
    warnIfInactive(QStringLiteral("Attenzione , inserire l'opzione Cliente Attivo ?  "));
    if (!m_messages.ask(this, QStringLiteral("Velmora  - INSERIMENTO"),
                        codesNotice(false) + QStringLiteral("Vuoi Inserire questi dati ?")))
        return;
    // A value the store refuses ends the save with a message; nothing is
    // written and the editor keeps what was typed.
    if (!guarded(m_messages, this, [this] { clientrecords::insert(m_connection, m_fields->columnValues()); }))
        return;
    m_messages.inform(this, QStringLiteral("Velmora      - INSERIMENTO"),
                      QStringLiteral("L' inserimento è avvenuto con successo !"));
    emit inserted();
}

void ClientEditor::updateClient()
{
    if (!nameGiven())
        return;
    warnIfInactive(QStringLiteral("Attenzione , inserire l'opzione Cliente Attivo !"));
    if (!m_messages.ask(this, QStringLiteral("Corbelia 2016 - MODIFICA"),
                        codesNotice(true) + QStringLiteral("Vuoi Modificare questi dati ?")))
        return;
    const auto written = guardedById(m_messages, this, m_fields->id()->text(), [this](qint64 id) {
        return clientrecords::update(m_connection, id, m_loaded, m_fields->columnValues());
    });
    if (written.value_or(0) == 0)
        return;
    m_messages.inform(this, QStringLiteral("Velmora ............... - MODIFICA"),
                      QStringLiteral("L' Aggiornamento  è avvenuto con successo !"));
    emit updated();
}

void ClientEditor::deleteClient()
{
    if (!m_messages.ask(this, DeleteTitle, QStringLiteral("Sei sicuro di voler eliminare il Soggetto selezionato")))
        return;
    const auto removed = guardedById(m_messages, this, m_fields->id()->text(),
                                     [this](qint64 id) { return clientrecords::remove(m_connection, id, m_loaded); });
    if (!removed)
        return;
    if (*removed == 1)
        m_messages.inform(this, DeleteTitle,
                          QStringLiteral("Eliminazione  di       ") + m_fields->name()->text()
                              + QStringLiteral("   effettuata con successo ! "));
    emit deleted();
}
