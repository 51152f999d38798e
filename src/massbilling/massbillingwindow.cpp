#include "massbillingwindow.h"

#include "bulkbilling.h"
#include "store/money.h"
#include "store/sqltext.h"
#include "ui/datefield.h"
#include "ui/dropdown.h"
#include "ui/dropdownfill.h"
#include "ui/gridfill.h"
#include "ui/gridlist.h"
#include "ui/messages.h"
#include "ui/panelframe.h"
#include "ui/statuspanels.h"
#include "ui/storeguard.h"
#include "ui/tickbox.h"
#include "ui/historywindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {

const QList<GridColumn> Columns = {{"ID", 500, Qt::AlignLeft},        {"REG.", 1200, Qt::AlignHCenter},
                                   {"CLIENTE", 3000, Qt::AlignLeft},  {"CAUSALE", 2500, Qt::AlignLeft},
                                   {"IMPORTO", 1800, Qt::AlignRight}, {"OPERATORE", 2000, Qt::AlignLeft},
                                   {"NOTE", 3000, Qt::AlignLeft}};

}

MassBillingWindow::MassBillingWindow(Connection &connection, Messages &messages, QWidget *parent)
    : SecondaryWindow(QStringLiteral("frmMassiva"), QStringLiteral("Parcellazione Massiva"), parent), m_connection(connection),
      m_messages(messages)
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    auto *bar = new QWidget(central);
    buildFilters(bar);
    layout->addWidget(bar);
    buildDatePanel();
    layout->addWidget(m_datePanel);
    m_list = new GridList(central);
    m_list->setObjectName(QStringLiteral("ListView1"));
    m_list->setCheckBoxes(true);
    HistoryWindow::offerOn(m_list, m_connection, m_messages, QStringLiteral("PRESTAZIONI"));
    // "Seleziona Tutti" selects every row as well as ticking it.
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(m_list, 1);
    setCentralWidget(central);

    connect(this, &ProgramWindow::activated, this, [this] {
        status()->startClock();
        reset();
    });
}

void MassBillingWindow::buildFilters(QWidget *bar)
{
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    m_year = new DropDown(DropDown::Typing::PickOnly, bar);
    m_year->setObjectName(QStringLiteral("Cbo1"));
    m_year->setMinimumContentsLength(6);
    m_month = new DropDown(DropDown::Typing::PickOnly, bar);
    m_month->setObjectName(QStringLiteral("Cbo2"));
    m_month->setMinimumContentsLength(6);
    m_selectAll = new TickBox(QStringLiteral("Seleziona Tutti"), bar);
    m_selectAll->setObjectName(QStringLiteral("Check1"));
    m_start = new QPushButton(QStringLiteral("Inserisci"), bar);
    m_start->setObjectName(QStringLiteral("Cmd1"));
    m_return = new QToolButton(bar);
    m_return->setObjectName(QStringLiteral("Picture1"));
    m_return->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    m_return->setAutoRaise(true);
    m_return->setToolTip(QStringLiteral("Torna alla finestra principale"));
    row->addWidget(new QLabel(QStringLiteral("Anno"), bar));
    row->addWidget(m_year);
    row->addSpacing(16);
    row->addWidget(new QLabel(QStringLiteral("Periodo"), bar));
    row->addWidget(m_month);
    row->addSpacing(16);
    row->addWidget(m_selectAll);
    row->addWidget(m_start);
    row->addStretch(1);
    row->addWidget(m_return);
    connect(m_year, &DropDown::picked, this, &MassBillingWindow::yearChosen);
    connect(m_month, &DropDown::picked, this, &MassBillingWindow::monthChosen);
    connect(m_selectAll, &TickBox::ticked, this, &MassBillingWindow::selectAll);
    connect(m_start, &QPushButton::clicked, this, &MassBillingWindow::startBilling);
    connect(m_return, &QToolButton::clicked, this, &SecondaryWindow::leave);
}

void MassBillingWindow::buildDatePanel()
{
    m_datePanel = new PanelFrame(QStringLiteral("Frame1"), QString(), QStringLiteral("Picture2"), this);
    auto *row = new QHBoxLayout;
    m_date = new DateField(m_datePanel);
    m_date->setObjectName(QStringLiteral("D1"));
    m_date->setFixedWidth(110);
    m_register = new QPushButton(QStringLiteral("Registra"), m_datePanel);
    m_register->setObjectName(QStringLiteral("Cmd2"));
    row->addWidget(new QLabel(QStringLiteral("Data di Parcellazione"), m_datePanel));
    row->addWidget(m_date);
    row->addWidget(m_register);
    row->addStretch(1);
    m_datePanel->content()->addLayout(row);
    connect(m_register, &QPushButton::clicked, this, &MassBillingWindow::registerBilling);
    connect(m_datePanel->closePicture(), &QToolButton::clicked, this, &MassBillingWindow::endBilling);
}

void MassBillingWindow::reset()
{
    m_selectAll->setTicked(false);
    m_list->setEnabled(true);
    fillYears();
    QStringList months{QString(), QStringLiteral("Tutti")};
    for (int month = 1; month <= 12; ++month)
        months << QString::number(month);
    months << QString();
    m_month->setEntries(months);
    fillUnbilled();
    m_datePanel->hide();
}

// The unbilled services, all of them or those of a year or month.
void MassBillingWindow::fillUnbilled(const QString &condition)
{
    fillGrid(*m_list, m_connection, Columns,
             QStringLiteral("SELECT ID,DATAR,CLIENTE,CAUSALE,IMPORTO, OPERATORE,NOTE FROM PRESTAZIONI  WHERE PARC LIKE 'N'")
                 + condition + QStringLiteral(" ORDER BY DATAR DESC  ;"),
             4);
}

void MassBillingWindow::fillYears()
{
    guarded(m_messages, this, [this] {
        fillEntries(*m_year, m_connection, QStringLiteral("Select distinct ANNO From PRESTAZIONI ORDER BY ANNO "),
                    QStringLiteral("ANNO"));
    });
}

void MassBillingWindow::yearChosen(const QString &year)
{
    if (year.isEmpty())
        return;
    m_selectAll->setTicked(false);
    fillUnbilled(QStringLiteral(" AND ANNO LIKE '") + doubledQuotes(year) + QLatin1Char('\''));
}

// A month of every year; the empty items list nothing.
void MassBillingWindow::monthChosen(const QString &month)
{
    m_selectAll->setTicked(false);
    if (month == QLatin1String("Tutti"))
        fillUnbilled();
    else
        fillUnbilled(QStringLiteral(" and MESE LIKE '") + doubledQuotes(month) + QLatin1Char('\''));
}

void MassBillingWindow::selectAll(bool ticked)
{
    m_list->setAllChecked(ticked);
    if (ticked)
        m_list->selectAll();
    else
        m_list->clearSelection();
}

void MassBillingWindow::startBilling()
{
    m_datePanel->show();
    m_list->setEnabled(false);
    m_date->setDate(QDate::currentDate());
    m_date->setFocus();
}

void MassBillingWindow::registerBilling()
{
    if (m_date->text().isEmpty())
        return;
    const QDate date = m_date->date();
    if (!date.isValid()) {
        m_messages.inform(this, QStringLiteral("Velmora................ERRORE - CAMPO NON VALIDO"),
                          QStringLiteral("La Data di Parcellazione non è valida "));
        m_date->setFocus();
        return;
    }
    QList<qint64> ticked;
    for (int row = 0; row < m_list->count(); ++row)
        if (m_list->isChecked(row))
            ticked << m_list->rowText(row).toLongLong();
    BulkBilled billed;
    if (!guarded(m_messages, this, [&] { billed = billServices(m_connection, ticked, date); }))
        return;
    endBilling();
    if (billed.billedElsewhere > 0)
        m_messages.inform(
            this, QStringLiteral("Velmora - PARCELLAZIONE"),
            QStringLiteral("%1 prestazioni erano già state parcellate da un'altra postazione").arg(billed.billedElsewhere));
    status()->showMessage(QStringLiteral("Parcellate %1 prestazioni al %2 per un totale di %3")
                              .arg(billed.run.services)
                              .arg(date.toString(QStringLiteral("dd/MM/yyyy")))
                              .arg(Money::fromCents(billed.run.totalCents).euroText()));
}

void MassBillingWindow::endBilling()
{
    m_datePanel->hide();
    m_selectAll->setTicked(false);
    m_list->setEnabled(true);
    fillUnbilled();
    // Emptied from code, the filters do not filter again.
    m_year->setText(QString());
    m_month->setText(QString());
}
