#include "serviceeditor.h"

#include "amounttext.h"
#include "noservice.h"
#include "picklists.h"
#include "servicecheck.h"
#include "servicefields.h"
#include "servicelists.h"
#include "records/servicerecords.h"
#include "ui/cleartexts.h"
#include "ui/clickablelabel.h"
#include "ui/dropdown.h"
#include "ui/gridlist.h"
#include "ui/messages.h"
#include "ui/storeguard.h"
#include "ui/tickbox.h"
#include "ui/historywindow.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString Insert = QStringLiteral("Inserisci");
const QString Modify = QStringLiteral("Modifica");
const QString Delete = QStringLiteral("Elimina");

QPushButton *button(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

}

ServiceEditor::ServiceEditor(Connection &connection, Messages &messages, QWidget *parent)
    : PanelFrame(QStringLiteral("Frame1"), QString(), QStringLiteral("Picture1"), parent), m_connection(connection),
      m_messages(messages), m_fields(new ServiceFields(this)), m_list(new GridList(this))
{
    m_list->setObjectName(QStringLiteral("ListView3"));
    HistoryWindow::offerOn(m_list, m_connection, m_messages, QStringLiteral("PRESTAZIONI"));
    content()->addWidget(m_fields);
    auto *bar = new QWidget(this);
    buildActions(bar);
    content()->addWidget(bar);
    content()->addWidget(m_list, 1);
    for (ClickableLabel *caption : m_fields->captions())
        connect(caption, &ClickableLabel::clicked, this, &ServiceEditor::captionClicked);
    connectLookups();
}

void ServiceEditor::buildActions(QWidget *bar)
{
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    m_action = button("Cmd1", QString(), bar);
    m_newest = button("Command1", QStringLiteral("Dalla più recente"), bar);
    m_oldest = button("Command2", QStringLiteral("Dalla più vecchia"), bar);
    m_statement = new TickBox(QStringLiteral("Visualizza Estratto Conto del Cliente  "), bar);
    m_statement->setObjectName(QStringLiteral("C3"));
    row->addWidget(m_action);
    row->addSpacing(24);
    row->addWidget(m_newest);
    row->addWidget(m_oldest);
    row->addWidget(m_statement);
    row->addStretch(1);
    connect(m_action, &QPushButton::clicked, this, &ServiceEditor::act);
    connect(m_newest, &QPushButton::clicked, this, &ServiceEditor::fillNewestFirst);
    connect(m_oldest, &QPushButton::clicked, this, [this] { fillServiceList(*m_list, m_connection, ServiceFill::OldestFirst); });
    connect(m_statement, &TickBox::ticked, this, &ServiceEditor::showStatement);
}

void ServiceEditor::connectLookups()
{
    connect(m_fields->client(), &DropDown::picked, this, [this] {
        lookUpId(m_fields->client(), m_fields->clientId(),
                 QStringLiteral("Select ID,SOGGetto From SOGGETTI WHERE SOGGETTO like '"));
    });
    connect(m_fields->reason(), &DropDown::picked, this, &ServiceEditor::lookUpReason);
    connect(m_fields->operatorList(), &DropDown::picked, this, [this] {
        lookUpId(m_fields->operatorList(), m_fields->operatorId(),
                 QStringLiteral("Select ID,OPERATORE From OPERATORE WHERE OPERATORE like '"));
    });
    formatAmountOnLeave(m_fields->amount());
    formatAmountOnLeave(m_fields->cost());
}

void ServiceEditor::clear()
{
    clearTexts(window());
    m_statement->setTicked(false);
    m_fields->reset();
    m_unitPrice.reset();
    m_totalShown.clear();
}

void ServiceEditor::fillPickLists()
{
    picklists::fill(*m_fields->client(), m_connection,
                    QStringLiteral("Select * From SOGGETTI WHERE STATO LIKE 'S' ORDER BY Soggetto, ID "),
                    QStringLiteral("Soggetto"));
    fillReasons();
    fillOperators();
}

void ServiceEditor::fillReasons()
{
    picklists::fill(*m_fields->reason(), m_connection, QStringLiteral("Select ID, CAUSALE From CAUSALE ORDER BY CAUSALE, ID "),
                    QStringLiteral("CAUSALE"));
}

void ServiceEditor::fillOperators()
{
    picklists::fill(*m_fields->operatorList(), m_connection,
                    QStringLiteral("Select ID, OPERATORE From OPERATORE ORDER BY OPERATORE, ID "), QStringLiteral("OPERATORE"));
}

void ServiceEditor::fillNewestFirst()
{
    fillServiceList(*m_list, m_connection, ServiceFill::NewestFirst);
}

void ServiceEditor::setAction(const QString &caption)
{
    m_action->setText(caption);
}

void ServiceEditor::loadService(const QStringList &cells, const RowVersion &loaded)
{
    m_fields->load(cells);
    m_loaded = loaded;
    // An update needs the reason picked again, which brings its price.
    m_fields->cost()->clear();
    m_unitPrice.reset();
    m_totalShown.clear();
}

// The id of the picked client or operator; none when the name is gone.
void ServiceEditor::lookUpId(DropDown *list, QLineEdit *idField, const QString &sqlUpToName)
{
    if (list->text().isEmpty())
        return;
    guarded(m_messages, this, [&] {
        const auto row = picklists::lookUp(m_connection, *list, sqlUpToName);
        idField->setText(row ? row->at(0).text() : QString());
    });
}

void ServiceEditor::lookUpReason()
{
    if (m_fields->reason()->text().isEmpty())
        return;
    m_fields->cost()->clear();
    // The reason's price is a new unit price, even where its text equals
    // the last total shown.
    m_unitPrice.reset();
    m_totalShown.clear();
    guarded(m_messages, this, [this] {
        const auto row = picklists::lookUp(m_connection, *m_fields->reason(),
                                           QStringLiteral("Select ID,CAUSALE,IMPORTO From CAUSALE WHERE CAUSALE like '"));
        m_fields->reasonId()->setText(row ? row->at(0).text() : QString());
        if (!row)
            return;
        const Field price = row->at(2);
        const QString shown = CtrNumD(price.isNull() ? std::nullopt : std::optional(price.toMoney()));
        m_fields->amount()->setText(shown);
        m_fields->cost()->setText(QStringLiteral("€ ") + shown);
    });
}

void ServiceEditor::showStatement(bool ticked)
{
    if (!ticked)
        return;
    if (m_fields->clientId()->text().isEmpty()) {
        m_messages.inform(this, QStringLiteral("Velmora  - ELIMINAZIONE"), QStringLiteral("ERRORE- Nessun cliente selezionato "));
        m_statement->setTicked(false);
        m_fields->client()->setFocus();
        return;
    }
    fillServiceList(*m_list, m_connection, ServiceFill::ClientStatement, m_fields->clientId()->text());
}

void ServiceEditor::act()
{
    const QString caption = m_action->text();
    // A caption click opens the command bar before any service is picked.
    if ((caption == Modify || caption == Delete) && m_fields->serviceId()->text().isEmpty())
        return tellNoServiceSelected(m_messages, this);
    if (caption == Insert)
        insertService();
    else if (caption == Modify)
        updateService();
    else if (caption == Delete)
        deleteService();
}

bool ServiceEditor::passesChecks(bool inserting)
{
    const auto saving = inserting ? servicecheck::Saving::Insert : servicecheck::Saving::Update;
    auto problem = servicecheck::firstMissing(m_fields->entry(), saving);
    if (!problem) {
        if (m_fields->quantity()->text().isEmpty())
            m_fields->quantity()->setText(QStringLiteral("1"));
        problem = servicecheck::firstInvalid(m_fields->entry(), saving);
    }
    if (!problem)
        return true;
    showProblem(*problem);
    return false;
}

void ServiceEditor::showProblem(const servicecheck::Problem &problem)
{
    m_messages.inform(this, problem.title, problem.text);
    m_fields->widgetOf(problem.field)->setFocus();
}

// Price times quantity beyond any amount the store keeps.
void ServiceEditor::refuseTotal()
{
    showProblem(servicecheck::invalid(servicecheck::Field::Amount, QStringLiteral("IMPORTO")));
}

void ServiceEditor::insertService()
{
    if (!passesChecks(true))
        return;
    QLineEdit *amount = m_fields->amount();
    const bool totalAlreadyShown = m_unitPrice && amount->text() == m_totalShown;
    const Money price = totalAlreadyShown ? *m_unitPrice : *amountValue(amount->text());
    const auto total = price.times(m_fields->quantity()->text());
    if (!total)
        return refuseTotal();
    amount->setText(CtrNumD(total));
    m_unitPrice = price;
    m_totalShown = amount->text();
    if (!m_messages.ask(this, QStringLiteral("Velmora ..........-INSERIMENTO"),
                        QStringLiteral("L'importo della Prestazione inserita è di €  ") + amount->text()
                            + QStringLiteral("   Vuoi Inserire questi dati ?")))
        return;
    if (!guarded(m_messages, this, [this] { servicerecords::insert(m_connection, m_fields->entry()); }))
        return;
    m_messages.inform(this, QStringLiteral("Velmora................   - INSERIMENTO"),
                      QStringLiteral("L' inserimento è avvenuto con successo !"));
    clear();
    fillPickLists();
    fillNewestFirst();
}

void ServiceEditor::updateService()
{
    if (!passesChecks(false))
        return;
    QLineEdit *amount = m_fields->amount();
    amount->clear();
    const auto total = amountValue(m_fields->cost()->text())->times(m_fields->quantity()->text());
    amount->setText(CtrNumD(total));
    if (!total)
        return refuseTotal();
    if (!m_messages.ask(this, QStringLiteral("Velmora - AGGIORNAMENTO"),
                        QStringLiteral("L'importo della Prestazione inserita è di €  ") + amount->text()
                            + QStringLiteral(" -  Vuoi Aggiornare questi dati ?")))
        return;
    const auto written = guardedById(m_messages, this, m_fields->serviceId()->text(), [this](qint64 id) {
        return servicerecords::update(m_connection, id, m_loaded, m_fields->entry());
    });
    if (!written)
        return;
    if (*written == 1)
        m_messages.inform(this, QStringLiteral("Velmora   - AGGIORNAMENTO"),
                          QStringLiteral("L' aggiornamento  è avvenuto con successo !"));
    emit backToSearch();
}

void ServiceEditor::deleteService()
{
    if (!m_messages.ask(this, QStringLiteral("Velmora   - ELIMINAZIONE"),
                        QStringLiteral("Sei sicuro di voler eliminare la Prestazione  selezionata ? ")))
        return;
    const QString idText = m_fields->serviceId()->text();
    const auto deleted = guardedById(m_messages, this, idText,
                                     [this](qint64 id) { return servicerecords::remove(m_connection, id, m_loaded); });
    if (!deleted)
        return;
    if (*deleted == 1)
        m_messages.inform(this, QStringLiteral("Velmora  - ELIMINAZIONE"),
                          QStringLiteral("Eliminazione  di       ") + idText + QStringLiteral("   effettuata con successo ! "));
    emit backToSearch();
}
