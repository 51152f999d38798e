#include "servicesearch.h"

#include "serviceclients.h"
#include "servicelists.h"
#include "ui/dropdown.h"
#include "ui/gridlist.h"
#include "ui/storeguard.h"
#include "ui/historywindow.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

const QString ModifyCaption = QStringLiteral("Modifica Prestazioni");
const QString DeleteCaption = QStringLiteral("Elimina Prestazioni");

}

ServiceSearch::ServiceSearch(Connection &connection, Messages &messages, QWidget *parent)
    : PanelFrame(QStringLiteral("Frame6"), QString(), QStringLiteral("Picture5"), parent), m_connection(connection),
      m_messages(messages), m_filter(new DropDown(DropDown::Typing::PickOnly, this)),
      m_clients(new DropDown(DropDown::Typing::PickOnly, this)), m_clientId(new QLabel(QStringLiteral("ID_CL"), this)),
      m_list(new GridList(this))
{
    m_filter->setObjectName(QStringLiteral("Cbo5"));
    m_clients->setObjectName(QStringLiteral("Cbo8"));
    m_filter->setMinimumContentsLength(20);
    m_clients->setMinimumContentsLength(30);
    m_clientId->setObjectName(QStringLiteral("Label21"));
    m_list->setObjectName(QStringLiteral("ListView4"));
    HistoryWindow::offerOn(m_list, m_connection, m_messages, QStringLiteral("PRESTAZIONI"));
    auto *filters = new QHBoxLayout;
    filters->addWidget(new QLabel(QStringLiteral("Seleziona"), this));
    filters->addWidget(m_filter);
    filters->addWidget(m_clients);
    filters->addWidget(m_clientId);
    filters->addStretch(1);
    content()->addLayout(filters);
    content()->addWidget(m_list, 1);
    m_clients->hide();
    m_clientId->hide();

    connect(m_filter, &DropDown::picked, this, &ServiceSearch::filterChosen);
    connect(m_clients, &DropDown::picked, this, &ServiceSearch::searchClient);
    connect(m_list, &GridList::rowClicked, this, &ServiceSearch::pickRow);
}

void ServiceSearch::open(Mode mode)
{
    show();
    setTitle(mode == Mode::Modify ? ModifyCaption : DeleteCaption);
    QStringList filters{QString(), QStringLiteral("Tutti"), QStringLiteral("Non Parcellati"), QStringLiteral("Parcellati")};
    if (mode == Mode::Modify)
        filters << QStringLiteral("Ricerca per Cliente");
    m_filter->setEntries(filters);
    m_list->clear();
}

void ServiceSearch::reset()
{
    show();
    m_list->clear();
    m_filter->setText(QString());
}

void ServiceSearch::filterChosen(const QString &filter)
{
    const QHash<QString, ServiceFill> fills{{QStringLiteral("Tutti"), ServiceFill::SearchAll},
                                            {QStringLiteral("Parcellati"), ServiceFill::SearchBilled},
                                            {QStringLiteral("Non Parcellati"), ServiceFill::SearchUnbilled}};
    if (fills.contains(filter)) {
        m_clients->hide();
        fillServiceList(*m_list, m_connection, fills.value(filter));
    } else if (filter == QLatin1String("Ricerca per Cliente")) {
        m_clients->show();
        m_list->clear();
        fillClientFilter();
    }
}

void ServiceSearch::shareClientNames(DropDown *other)
{
    m_otherClients = other;
}

void ServiceSearch::fillClientFilter()
{
    serviceclients::fillNames(m_connection, {m_clients, m_otherClients});
}

// The services of the client the name stands for, found by the link of its
// first linked service; an empty list when there is none.
void ServiceSearch::searchClient(const QString &name)
{
    if (name.isEmpty())
        return;
    guarded(m_messages, this,
            [&] { serviceclients::showServicesOf(m_connection, name, *m_clientId, *m_list, ServiceFill::SearchClient); });
}

void ServiceSearch::pickRow(int row)
{
    if (title() != ModifyCaption && title() != DeleteCaption)
        return;
    emit servicePicked(m_list->cells(row), m_list->rowVersion(row));
}
