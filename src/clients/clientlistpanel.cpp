#include "clientlistpanel.h"

#include "store/sqltext.h"
#include "ui/clickablelabel.h"
#include "ui/dropdown.h"
#include "ui/gridfill.h"
#include "ui/gridlist.h"
#include "ui/tickbox.h"

#include <QHBoxLayout>
#include <QLabel>

const QString ClientListPanel::ModifyMode = QStringLiteral("Modifica - Seleziona il Cliente");
const QString ClientListPanel::DeleteMode = QStringLiteral("Elimina - Seleziona il Cliente ");

namespace {

// Every column of SOGGETTI in table order; width 1 keeps a value unseen.
QList<GridColumn> clientColumns(int idTwips)
{
    const std::pair<const char *, int> columns[] = {{"ID", idTwips},
                                                    {"STATO", 1200},
                                                    {"SOGGETTO", 3000},
                                                    {"NASCITA", 1800},
                                                    {"COMUNE", 1},
                                                    {"PR", 1},
                                                    {"INDIRIZZO", 1},
                                                    {"COMUNE", 1},
                                                    {"PR", 1},
                                                    {"CAP", 1},
                                                    {"CODICE FISCALE", 2000},
                                                    {"PARTITA IVA", 2000},
                                                    {"IBAN", 1},
                                                    {"ATTIVITA'", 1},
                                                    {"TIPO", 1},
                                                    {"N.DOC.", 1},
                                                    {"SCAD.", 1},
                                                    {"PAG", 1},
                                                    {"TEL", 1},
                                                    {"CELL", 1},
                                                    {"FAX", 1},
                                                    {"EMAIL", 1},
                                                    {"NOTE", 1},
                                                    {"AGG", 1}};
    QList<GridColumn> list;
    for (const auto &[header, twips] : columns)
        list.append({QString::fromLatin1(header), twips, Qt::AlignLeft});
    return list;
}

}

ClientListPanel::ClientListPanel(Connection &connection, QWidget *parent)
    : QGroupBox(parent), m_connection(connection), m_mode(new QLabel(this)), m_list(new GridList(this)),
      m_letters(new DropDown(DropDown::Typing::PickOnly, this)),
      m_inactive(new TickBox(QStringLiteral("Clienti Non Attivi"), this))
{
    setObjectName(QStringLiteral("FrameLista"));
    m_mode->setObjectName(QStringLiteral("LabelModo"));
    QFont bold = m_mode->font();
    bold.setBold(true);
    m_mode->setFont(bold);
    m_list->setObjectName(QStringLiteral("ListView1"));
    m_letters->setObjectName(QStringLiteral("CboLettera"));
    m_letters->setMinimumContentsLength(6);
    m_inactive->setObjectName(QStringLiteral("CheckNonAttivi"));
    auto *sort = new ClickableLabel(QStringLiteral("Ordina "), this);
    sort->setObjectName(QStringLiteral("LabelOrdina"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_mode);
    layout->addWidget(m_list, 1);
    auto *filters = new QHBoxLayout;
    filters->addWidget(sort);
    filters->addWidget(m_letters);
    filters->addSpacing(24);
    filters->addWidget(m_inactive);
    filters->addStretch(1);
    layout->addLayout(filters);

    connect(m_letters, &DropDown::picked, this, &ClientListPanel::letterChosen);
    connect(m_inactive, &TickBox::ticked, this, [this](bool ticked) {
        m_letters->setEnabled(!ticked);
        if (ticked)
            listInactiveClients();
        else
            listActiveClients();
    });
    connect(m_list, &GridList::rowClicked, this, &ClientListPanel::pickClient);
    connect(sort, &ClickableLabel::clicked, this, &ClientListPanel::sortCaptionClicked);
}

void ClientListPanel::fill(const QString &sql, int idTwips)
{
    fillGrid(*m_list, m_connection, clientColumns(idTwips), sql);
}

void ClientListPanel::listActiveClients()
{
    fill(QStringLiteral("SELECT * FROM SOGGETTI WHERE STATO LIKE 'S' ORDER BY Soggetto;"), 500);
}

void ClientListPanel::listInactiveClients()
{
    fill(QStringLiteral("SELECT * FROM SOGGETTI where STATO = 'N' ORDER BY Soggetto;"), 500);
}

void ClientListPanel::listClientsByInitial(const QString &initial)
{
    fill(QStringLiteral("SELECT * FROM SOGGETTI WHERE STATO LIKE 'S' AND LEFT(SOGGETTO,1) LIKE '") + doubledQuotes(initial)
             + QStringLiteral("' ORDER BY Soggetto;"),
         3);
}

void ClientListPanel::resetLetterFilter()
{
    QStringList entries{QString(), QStringLiteral("Tutti")};
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        entries << QString(QLatin1Char(letter));
    m_letters->setEntries(entries);
    m_letters->setEnabled(true);
}

void ClientListPanel::setMode(const QString &mode)
{
    m_mode->setText(mode);
}

// The empty item gives no initial, which no client has.
void ClientListPanel::letterChosen(const QString &letter)
{
    if (letter == QLatin1String("Tutti"))
        listActiveClients();
    else
        listClientsByInitial(letter.left(1));
}

void ClientListPanel::pickClient()
{
    const QString mode = m_mode->text();
    const int selected = m_list->selectedRow();
    if ((mode != ModifyMode && mode != DeleteMode) || selected < 0)
        return;
    QStringList cells;
    for (int column = 0; column < 24; ++column)
        cells << m_list->subItem(selected, column);
    emit clientPicked(cells, m_list->rowVersion(selected),
                      mode == ModifyMode ? QStringLiteral("Modifica") : QStringLiteral("Elimina"));
}
