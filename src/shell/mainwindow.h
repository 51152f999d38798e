#pragma once

#include "reports/layoutslot.h"
#include "ui/programwindow.h"

#include <memory>

class AnomalyPanel;
class DaySummary;
class ArchiveMenu;
class BillingPanel;
class ClientWindow;
class Connection;
class InvoicesWindow;
class MassBillingWindow;
class Messages;
class OperatorsPanel;
class ReasonsPanel;
class ServiceCommandBar;
class ServiceEditor;
class ServiceSearch;
class StatisticsWindow;
class StatusPanels;
class QFrame;
class QToolButton;
class RowVersion;

// The program's home (Form1): menus, the services command bar and the panels
// shown and hidden in place of separate dialogs, the status-bar clock, and
// the one way out of the program.
class MainWindow : public ProgramWindow
{
    Q_OBJECT

public:
    MainWindow(Connection &connection, Messages &messages, QWidget *parent = nullptr);
    ~MainWindow() override;
    // The archive is shared on a server: said at the right of the status
    // bar, and the lists on screen follow the other desks' changes.
    void workOnShared(const QString &text);
    // A verified copy of the store made in this run by another hand (the
    // day's, at the start), begun at that count of the store's changes.
    void noteCopy(quint64 beganAt);

private:
    void buildMenus();
    void buildPanels();
    void connectClosePictures();

    void connectServices();
    void showCommandBar();
    void openNewService();
    void openSearch(bool modifying);
    void showPickedService(const QStringList &cells, const RowVersion &loaded);
    // The reasons or the operators panel, in the container they share.
    void showMasterData(QWidget *panel, QWidget *other);
    void closeMasterData();
    void openSingleBilling();
    void openAnomalies();
    void correctAnomaly(const QStringList &cells, const RowVersion &loaded);
    void warnOfAnomalies();
    // Another window of the program in front; this one hides until it is left.
    void openWindow(ProgramWindow *window);
    void printServices();
    void openClients();
    void openMassBilling();
    void openInvoices();
    void openStatistics();
    void enableCommandBar();
    void exitProgram();

    Connection &m_connection;
    Messages &m_messages;
    ServiceCommandBar *m_commandBar = nullptr; // Frame4
    QToolButton *m_commandBarClose = nullptr; // Picture7
    ServiceEditor *m_editor = nullptr; // Frame1
    ServiceSearch *m_search = nullptr; // Frame6
    QFrame *m_masterData = nullptr; // Frame2
    ReasonsPanel *m_reasons = nullptr; // Frame5
    OperatorsPanel *m_operators = nullptr; // Frame3
    BillingPanel *m_billing = nullptr; // Frame7
    AnomalyPanel *m_anomalies = nullptr; // Frame9
    DaySummary *m_summary = nullptr;
    StatusPanels *m_status = nullptr;
    ArchiveMenu *m_archive = nullptr;
    // The other windows, made on first use and then only shown and hidden.
    LayoutSlot m_servicesReport;
    std::unique_ptr<ClientWindow> m_clients;
    std::unique_ptr<MassBillingWindow> m_massBilling;
    std::unique_ptr<StatisticsWindow> m_statistics;
    InvoicesWindow *m_invoices = nullptr;
};
