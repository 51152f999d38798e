#include "mainwindow.h"

#include "ui/deskwatch.h"

#include "records/anomalies.h"
#include "archivewindows/archivemenu.h"
#include "register/anomalypanel.h"
#include "daysummary.h"
#include "register/billingpanel.h"
#include "clients/clientwindow.h"
#include "invoicewindows/invoiceswindow.h"
#include "massbilling/massbillingwindow.h"
#include "register/operatorspanel.h"
#include "register/reasonspanel.h"
#include "register/servicecommandbar.h"
#include "register/serviceeditor.h"
#include "register/servicesearch.h"
#include "archive/tableexport.h"
#include "statistics/statisticswindow.h"
#include "reports/layouts.h"
#include "reports/reportdata.h"
#include "reportwindows/reportshow.h"
#include "store/connection.h"
#include "store/damage.h"
#include "store/recordset.h"
#include "ui/damagenotice.h"
#include "ui/enterpress.h"
#include "ui/gridlist.h"
#include "ui/storeguard.h"
#include "ui/messages.h"
#include "ui/statuspanels.h"

#include <QCoreApplication>
#include <utility>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

namespace {

void hideAll(std::initializer_list<QWidget *> widgets)
{
    for (QWidget *w : widgets)
        w->hide();
}

QAction *menuAction(QMenuBar *bar, const QString &name, const QString &caption)
{
    QAction *action = bar->addAction(caption);
    action->setObjectName(name);
    return action;
}

}

MainWindow::MainWindow(Connection &connection, Messages &messages, QWidget *parent)
    : ProgramWindow(parent), m_connection(connection), m_messages(messages), m_servicesReport(layouts::report)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Velmora Ostrevia"));
    resize(1180, 760);
    m_status = new StatusPanels(QStringLiteral("Velmora - Registro Prestazioni"), QStringLiteral("Timer4"), this);
    setStatusBar(m_status);
    buildMenus();
    buildPanels();
    connectClosePictures();
    connectServices();

    // The window opens with its menu bar, status bar and no panel.
    m_status->startClock();
    hideAll({m_editor, m_masterData, m_commandBar, m_search, m_billing, m_anomalies, m_commandBarClose});

    connect(this, &ProgramWindow::activated, m_status, &StatusPanels::startClock);
    connect(this, &ProgramWindow::activated, this, &MainWindow::warnOfAnomalies);
    connect(this, &ProgramWindow::activated, m_summary, &DaySummary::refresh);
    // The steps that skip failures (list fills above all) and the check after
    // start tell of the damage once, offering the copies of the store: a
    // refill of four lists would otherwise bring four boxes. Saves and
    // deletions say it every time, through their own guard.
    enterpress::install();
    GridList::setExport(&m_messages, [](const ShownList &list, GridList::ExportFormat format, const QString &path) {
        tableexport::write({list.headers, list.rows, list.amountColumn},
                           format == GridList::ExportFormat::Xlsx ? tableexport::Format::Xlsx : tableexport::Format::Csv, path);
    });
    damage::setReporter([this, told = false](const StoreError &error) mutable {
        if (!std::exchange(told, true) && offerRestore(m_messages, this, error))
            m_archive->openRestore();
    });
}

MainWindow::~MainWindow()
{
    damage::setReporter({});
    GridList::setExport(nullptr, {});
}

void MainWindow::workOnShared(const QString &text)
{
    auto *archive = new QLabel(text, m_status);
    archive->setObjectName(QStringLiteral("Archivio"));
    m_status->addPermanentWidget(archive);
    new DeskWatch(m_connection, this);
}

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    connect(menuAction(bar, QStringLiteral("MenuEsci"), QStringLiteral("&Esci dal programma")), &QAction::triggered, this,
            &MainWindow::exitProgram);
    connect(menuAction(bar, QStringLiteral("GPrestazioni"), QStringLiteral("&Velmora")), &QAction::triggered, this,
            &MainWindow::showCommandBar);
    connect(menuAction(bar, QStringLiteral("MenuClienti"), QStringLiteral("Gestione &Clienti")), &QAction::triggered, this,
            &MainWindow::openClients);
    connect(menuAction(bar, QStringLiteral("GCausali"), QStringLiteral("Gestione  &Causali")), &QAction::triggered, this, [this] {
        showMasterData(m_reasons, m_operators);
        m_reasons->open();
    });
    connect(menuAction(bar, QStringLiteral("Goperatori"), QStringLiteral("Gestione &Operatori")), &QAction::triggered, this,
            [this] {
                showMasterData(m_operators, m_reasons);
                m_operators->open();
            });
    QMenu *billing = bar->addMenu(QStringLiteral("Gestione &Parcellazione"));
    billing->setObjectName(QStringLiteral("GParcellazione"));
    QAction *single = billing->addAction(QStringLiteral("Gestione Singola"));
    single->setObjectName(QStringLiteral("GSingola"));
    connect(single, &QAction::triggered, this, &MainWindow::openSingleBilling);
    QAction *mass = billing->addAction(QStringLiteral("Gestione Massiva"));
    mass->setObjectName(QStringLiteral("GMassiva"));
    connect(mass, &QAction::triggered, this, &MainWindow::openMassBilling);
    connect(menuAction(bar, QStringLiteral("Segnalazioni"), QStringLiteral("&Segnalazioni")), &QAction::triggered, this,
            &MainWindow::openAnomalies);
    m_archive = new ArchiveMenu(bar, m_connection, m_messages, this);
    // The electronic invoices are beyond the register's own menus: they sit
    // with the office's data, after them.
    QMenu *archive = bar->findChild<QMenu *>(QStringLiteral("MenuArchivio"));
    QAction *invoices = archive->addAction(QStringLiteral("Fatture elettroniche"));
    invoices->setObjectName(QStringLiteral("ArchivioFatture"));
    connect(invoices, &QAction::triggered, this, &MainWindow::openInvoices);
}

void MainWindow::buildPanels()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);

    m_commandBar = new ServiceCommandBar(central);
    m_commandBarClose = PanelFrame::makeClosePicture(QStringLiteral("Picture7"), central);
    auto *bar = new QHBoxLayout;
    bar->addWidget(m_commandBar, 1);
    bar->addWidget(m_commandBarClose, 0, Qt::AlignTop);
    layout->addLayout(bar);

    m_editor = new ServiceEditor(m_connection, m_messages, central);
    m_search = new ServiceSearch(m_connection, m_messages, central);
    m_masterData = new QFrame(central);
    m_masterData->setObjectName(QStringLiteral("Frame2"));
    auto *masterLayout = new QVBoxLayout(m_masterData);
    masterLayout->setContentsMargins(0, 0, 0, 0);
    m_reasons = new ReasonsPanel(m_connection, m_messages, m_masterData);
    m_operators = new OperatorsPanel(m_connection, m_messages, m_masterData);
    masterLayout->addWidget(m_reasons);
    masterLayout->addWidget(m_operators);
    m_billing = new BillingPanel(m_connection, m_messages, central);
    m_anomalies = new AnomalyPanel(m_connection, central);
    // The search's and the billing's client lists are filled together.
    m_search->shareClientNames(m_billing->clientList());
    m_billing->shareClientNames(m_search->clientList());

    for (QWidget *panel : std::initializer_list<QWidget *>{m_editor, m_search, m_masterData, m_billing, m_anomalies})
        layout->addWidget(panel, 1);
    m_summary = new DaySummary(m_connection, {m_commandBar, m_editor, m_search, m_masterData, m_billing, m_anomalies}, central);
    layout->addWidget(m_summary, 1);
    layout->addStretch(0);
    setCentralWidget(central);
}

void MainWindow::connectClosePictures()
{
    connect(m_editor->closePicture(), &QToolButton::clicked, this, [this] {
        m_editor->hide();
        m_commandBar->enableAllButtons();
        m_commandBar->show();
        m_commandBarClose->show();
    });
    connect(m_search->closePicture(), &QToolButton::clicked, this, [this] {
        m_search->hide();
        enableCommandBar();
    });
    // The editor's lists follow what was changed in the panel.
    connect(m_operators->closePicture(), &QToolButton::clicked, this, [this] {
        closeMasterData();
        m_editor->fillOperators();
    });
    connect(m_reasons->closePicture(), &QToolButton::clicked, this, [this] {
        m_commandBarClose->hide();
        closeMasterData();
        m_editor->fillReasons();
    });
    connect(m_billing->closePicture(), &QToolButton::clicked, m_billing, &QWidget::hide);
    connect(m_commandBarClose, &QToolButton::clicked, this, [this] {
        m_commandBar->hide();
        m_commandBarClose->hide();
    });
    connect(m_anomalies->closePicture(), &QToolButton::clicked, this, [this] {
        m_anomalies->hide();
        enableCommandBar();
    });
}

void MainWindow::connectServices()
{
    connect(m_commandBar->newService(), &QPushButton::clicked, this, &MainWindow::openNewService);
    connect(m_commandBar->modify(), &QPushButton::clicked, this, [this] { openSearch(true); });
    connect(m_commandBar->remove(), &QPushButton::clicked, this, [this] { openSearch(false); });
    connect(m_commandBar->print(), &QPushButton::clicked, this, &MainWindow::printServices);
    connect(m_commandBar->searchPrint(), &QPushButton::clicked, this, &MainWindow::openStatistics);
    connect(m_commandBar->clear(), &QPushButton::clicked, m_editor, &ServiceEditor::clear);
    connect(m_search, &ServiceSearch::servicePicked, this, &MainWindow::showPickedService);
    connect(m_anomalies, &AnomalyPanel::servicePicked, this, &MainWindow::correctAnomaly);
    connect(m_editor, &ServiceEditor::backToSearch, this, [this] {
        m_search->reset();
        m_editor->hide();
    });
    connect(m_editor, &ServiceEditor::captionClicked, this, [this] {
        for (QPushButton *button : {m_commandBar->modify(), m_commandBar->remove(), m_commandBar->print()})
            button->setEnabled(true);
    });
}

void MainWindow::openNewService()
{
    m_editor->show();
    m_commandBar->newService()->setEnabled(true);
    m_commandBar->clear()->setEnabled(true);
    for (QPushButton *button :
         {m_commandBar->modify(), m_commandBar->remove(), m_commandBar->print(), m_commandBar->searchPrint()})
        button->setEnabled(false);
    m_editor->clear();
    m_editor->fillPickLists();
    m_editor->setAction(QStringLiteral("Inserisci"));
    m_editor->fillNewestFirst();
    m_commandBarClose->hide();
}

void MainWindow::openSearch(bool modifying)
{
    QPushButton *own = modifying ? m_commandBar->modify() : m_commandBar->remove();
    for (QPushButton *button : {m_commandBar->newService(), m_commandBar->modify(), m_commandBar->remove(), m_commandBar->clear(),
                                m_commandBar->searchPrint(), m_commandBar->print()})
        button->setEnabled(button == own);
    m_search->open(modifying ? ServiceSearch::Mode::Modify : ServiceSearch::Mode::Delete);
    m_editor->clear();
    m_editor->fillPickLists();
    m_editor->setAction(modifying ? QStringLiteral("Modifica") : QStringLiteral("Elimina"));
    m_commandBarClose->hide();
}

void MainWindow::showPickedService(const QStringList &cells, const RowVersion &loaded)
{
    m_editor->loadService(cells, loaded);
    m_editor->show();
    m_search->hide();
}

void MainWindow::enableCommandBar()
{
    m_commandBar->setEnabled(true);
    m_commandBar->enableAllButtons();
}

void MainWindow::showCommandBar()
{
    m_commandBar->show();
    m_commandBar->setEnabled(true);
    hideAll({m_billing, m_masterData, m_operators, m_reasons, m_anomalies});
    m_commandBarClose->show();
}

void MainWindow::showMasterData(QWidget *panel, QWidget *other)
{
    m_masterData->show();
    panel->show();
    hideAll({other, m_billing, m_anomalies});
    m_commandBar->setEnabled(false);
}

void MainWindow::closeMasterData()
{
    m_masterData->hide();
    m_commandBar->setEnabled(true);
}

void MainWindow::openSingleBilling()
{
    hideAll({m_commandBarClose, m_editor, m_masterData, m_operators, m_commandBar, m_reasons, m_anomalies});
    m_billing->open();
}

void MainWindow::openAnomalies()
{
    m_commandBarClose->hide();
    m_commandBar->hide();
    m_commandBar->setEnabled(false);
    m_anomalies->show();
    hideAll({m_masterData, m_reasons, m_search, m_billing});
    m_anomalies->open();
}

// The row comes into the editor to be changed; the editor's update path
// looks up what the row is missing.
void MainWindow::correctAnomaly(const QStringList &cells, const RowVersion &loaded)
{
    m_editor->fillPickLists();
    m_editor->loadService(cells, loaded);
    m_editor->show();
    m_commandBar->show();
    m_commandBar->setEnabled(true);
    m_anomalies->hide();
    m_commandBar->modify()->setEnabled(true);
    for (QPushButton *button : {m_commandBar->newService(), m_commandBar->remove(), m_commandBar->clear(),
                                m_commandBar->searchPrint(), m_commandBar->print()})
        button->setEnabled(false);
    m_editor->setAction(QStringLiteral("Modifica"));
    m_commandBarClose->hide();
}

void MainWindow::warnOfAnomalies()
{
    if (anomalies::exist(m_connection))
        m_messages.inform(this, QStringLiteral("Velmora  - ANOMALIE "),
                          QStringLiteral("Attenzione , ci sono delle segnalazioni di anomalie nelle registrazioni ! "));
}

void MainWindow::openWindow(ProgramWindow *window)
{
    window->show();
    window->raise();
    hide();
}

// Every service, by client, date and operator.
void MainWindow::printServices()
{
    guarded(m_messages, this, [this] {
        Recordset services(m_connection,
                           QStringLiteral("SELECT DATAR ,CLIENTE ,CAUSALE ,IMPORTO  ,OPERATORE , PARC FROM "
                                          "PRESTAZIONI  WHERE  1=1 ORDER BY CLIENTE,DATAR,OPERATORE;"));
        showReportModal(*this, m_messages, m_servicesReport.forUse(), ReportData(services.rows()));
        services.close();
    });
}

void MainWindow::openClients()
{
    if (!m_clients) {
        m_clients = std::make_unique<ClientWindow>(m_connection, m_messages);
        connect(m_clients.get(), &SecondaryWindow::left, this, &QWidget::show);
    }
    openWindow(m_clients.get());
}

void MainWindow::openMassBilling()
{
    if (!m_massBilling) {
        m_massBilling = std::make_unique<MassBillingWindow>(m_connection, m_messages);
        connect(m_massBilling.get(), &SecondaryWindow::left, this, &QWidget::show);
    }
    openWindow(m_massBilling.get());
}

void MainWindow::openInvoices()
{
    if (!m_invoices)
        m_invoices = new InvoicesWindow(m_connection, m_messages, this);
    m_invoices->refill();
    m_invoices->open();
}

void MainWindow::openStatistics()
{
    if (!m_statistics) {
        m_statistics = std::make_unique<StatisticsWindow>(m_connection, m_messages);
        connect(m_statistics.get(), &SecondaryWindow::left, this, [this] {
            show();
            m_commandBar->show();
        });
    }
    openWindow(m_statistics.get());
}

void MainWindow::noteCopy(quint64 beganAt)
{
    m_archive->noteCopy(beganAt);
}

void MainWindow::exitProgram()
{
    if (!m_messages.ask(this, QStringLiteral("Velmora............................"),
                        QStringLiteral(" Sei sicuro di voler uscire ?")))
        return;
    hide();
    m_archive->copyAtExit();
    m_connection.close();
    // exit() rather than quit(): quit() asks the windows to close, and they refuse.
    QCoreApplication::exit(0);
}
