#include "clientwindow.h"

#include "clienteditor.h"
#include "clientfields.h"
#include "clientlistpanel.h"
#include "clientprintpanel.h"
#include "codeentrypanel.h"
#include "invoicewindows/invoicedatapanel.h"
#include "reports/layouts.h"
#include "reports/reportdata.h"
#include "reportwindows/reportshow.h"
#include "store/recordset.h"
#include "taxcodes/vatnumber.h"
#include "ui/storeguard.h"
#include "ui/cleartexts.h"
#include "ui/messages.h"
#include "ui/panelframe.h"
#include "ui/statuspanels.h"
#include "ui/tickbox.h"
#include "ui/historywindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

QPushButton *barButton(const char *name, const QString &caption, QWidget *bar)
{
    auto *button = new QPushButton(caption, bar);
    button->setObjectName(QLatin1String(name));
    return button;
}

}

ClientWindow::ClientWindow(Connection &connection, Messages &messages, QWidget *parent)
    : SecondaryWindow(QStringLiteral("Anagrafe"), QStringLiteral("Gestione Soggetti"), parent), m_connection(connection),
      m_messages(messages), m_clientReport(layouts::cliente)
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    auto *bar = new QWidget(central);
    buildButtonBar(bar);
    layout->addWidget(bar);
    m_editor = new ClientEditor(m_connection, m_messages, central);
    m_codeEntry = new CodeEntryPanel(m_connection, m_messages, central);
    m_list = new ClientListPanel(m_connection, central);
    HistoryWindow::offerOn(m_list->list(), m_connection, m_messages, QStringLiteral("SOGGETTI"));
    m_print = new ClientPrintPanel(central);
    // Only the list takes the height the window has; the other panels stay on top.
    layout->addWidget(m_codeEntry);
    layout->addWidget(m_editor);
    // The client's electronic-invoice data, under the editor while it shows.
    auto *invoiceData = InvoiceDataPanel::forClients(m_connection, m_messages, central);
    layout->addWidget(invoiceData);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_print);
    layout->addStretch(0);
    setCentralWidget(central);
    connectPanels();
    connect(m_editor->fields()->id(), &QLineEdit::textChanged, invoiceData,
            [invoiceData](const QString &id) { invoiceData->showRow(id.toLongLong()); });

    // First load.
    for (QWidget *panel : std::initializer_list<QWidget *>{m_editor, m_codeEntry, m_print, m_list})
        panel->hide();
    invoiceData->followVisibility(m_editor);
    enableAllButtons();
    status()->startClock();
    m_editor->loadComuni();
    m_list->listActiveClients();
    connect(this, &ProgramWindow::activated, this, &ClientWindow::activate);
}

void ClientWindow::buildButtonBar(QWidget *bar)
{
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    m_insert = barButton("CmdInserisci", QStringLiteral("Inserisci &Cliente"), bar);
    m_modify = barButton("CmdModifica", QStringLiteral("&Modifica"), bar);
    m_delete = barButton("CmdElimina", QStringLiteral("&Elimina"), bar);
    m_clear = barButton("CmdPulisci", QStringLiteral("&Pulisci"), bar);
    m_printButton = barButton("CmdStampa", QStringLiteral("&Stampa"), bar);
    for (QPushButton *button : {m_insert, m_modify, m_delete, m_clear, m_printButton})
        row->addWidget(button);
    row->addStretch(1);
    QToolButton *exit = PanelFrame::makeClosePicture(QStringLiteral("PictureEsci"), bar);
    exit->setToolTip(QStringLiteral("Esci"));
    row->addWidget(exit);

    connect(m_insert, &QPushButton::clicked, this, &ClientWindow::startNewClient);
    connect(m_modify, &QPushButton::clicked, this, [this] { openList(ClientListPanel::ModifyMode); });
    connect(m_delete, &QPushButton::clicked, this, [this] { openList(ClientListPanel::DeleteMode); });
    connect(m_clear, &QPushButton::clicked, this, &ClientWindow::clearEditor);
    connect(m_printButton, &QPushButton::clicked, this, &ClientWindow::openPrint);
    connect(exit, &QToolButton::clicked, this, &ClientWindow::exitIcon);
}

void ClientWindow::connectPanels()
{
    connect(m_codeEntry, &CodeEntryPanel::newClient, this, [this](const QString &code) {
        openEditor(QStringLiteral("Salva"));
        if (!code.isEmpty())
            m_editor->fields()->taxCode()->setText(code);
        // A company's tax code is normally its VAT number.
        QLineEdit *vatNumber = m_editor->fields()->vatNumber();
        if (vatnumber::check(code).isValid() && vatNumber->text().isEmpty())
            vatNumber->setText(vatnumber::canonical(code));
        m_codeEntry->hide();
        m_editor->fields()->name()->setFocus();
    });
    connect(m_codeEntry, &CodeEntryPanel::duplicateRefused, m_editor->fields()->id(), &QLineEdit::clear);
    connect(m_codeEntry, &CodeEntryPanel::left, this, [this] {
        m_codeEntry->hide();
        enableAllButtons();
    });
    connect(m_list, &ClientListPanel::clientPicked, this,
            [this](const QStringList &cells, const RowVersion &loaded, const QString &action) {
                m_editor->load(cells, loaded);
                openEditor(action);
                m_list->hide();
            });
    connect(m_list, &ClientListPanel::sortCaptionClicked, this, [this] {
        clearEditor();
        m_editor->hide();
        enableButtons({m_modify, m_delete, m_clear, m_insert}, true);
        m_list->show();
        m_list->listActiveClients();
        m_list->setMode(QString());
    });
    connect(m_editor, &ClientEditor::inserted, this, [this] {
        clearEditor();
        m_editor->loadAttivita();
        m_list->listActiveClients();
    });
    connect(m_editor, &ClientEditor::updated, this, [this] {
        clearEditor();
        m_list->show();
        m_editor->hide();
        enableButtons({m_insert, m_modify, m_delete, m_clear}, true);
        m_editor->loadAttivita();
        m_list->listActiveClients();
    });
    connect(m_editor, &ClientEditor::deleted, this, [this] {
        clearEditor();
        m_list->show();
        m_editor->hide();
        enableAllButtons();
        m_list->setMode(QString());
        m_list->listActiveClients();
    });
    connect(m_print, &ClientPrintPanel::printRequested, this, &ClientWindow::printClients);
    connect(m_print, &ClientPrintPanel::closed, this, [this] {
        enableAllButtons();
        for (QWidget *panel : std::initializer_list<QWidget *>{m_editor, m_codeEntry, m_list, m_print})
            panel->hide();
        m_print->untickAll();
    });
}

void ClientWindow::activate()
{
    status()->startClock();
    for (QWidget *panel : std::initializer_list<QWidget *>{m_editor, m_codeEntry, m_list, m_print})
        panel->hide();
    enableAllButtons();
    m_list->setMode(QString());
    m_list->inactive()->setTicked(false);
}

void ClientWindow::enableButtons(std::initializer_list<QPushButton *> buttons, bool enabled)
{
    for (QPushButton *button : buttons)
        button->setEnabled(enabled);
}

void ClientWindow::enableAllButtons()
{
    enableButtons({m_insert, m_modify, m_delete, m_clear, m_printButton}, true);
}

void ClientWindow::clearEditor()
{
    clearTexts(this);
    m_editor->fields()->reset();
    m_list->inactive()->setTicked(false);
}

void ClientWindow::startNewClient()
{
    m_editor->hide();
    m_list->hide();
    enableButtons({m_modify, m_delete, m_clear, m_printButton}, false);
    m_codeEntry->show();
    m_editor->fields()->active()->setTicked(false);
    m_codeEntry->force()->setTicked(false);
    m_editor->loadDocumentTypes();
    m_codeEntry->code()->setFocus();
    clearEditor();
    m_editor->loadAttivita();
    m_editor->loadPagamenti();
    m_editor->setAction(QStringLiteral("Salva"));
    m_clear->setEnabled(true);
}

void ClientWindow::openList(const QString &mode)
{
    m_list->show();
    m_editor->hide();
    const bool modifying = mode == ClientListPanel::ModifyMode;
    enableButtons({m_insert, m_clear, m_printButton, modifying ? m_delete : m_modify}, false);
    m_list->setMode(mode);
    m_list->listActiveClients();
    m_list->resetLetterFilter();
    if (modifying) {
        m_editor->loadAttivita();
        m_editor->loadPagamenti();
    }
}

void ClientWindow::openPrint()
{
    enableButtons({m_modify, m_delete, m_clear, m_insert}, false);
    for (QWidget *panel : std::initializer_list<QWidget *>{m_editor, m_codeEntry, m_list})
        panel->hide();
    m_print->show();
    m_print->untickAll();
}

void ClientWindow::openEditor(const QString &action)
{
    m_editor->show();
    m_editor->setAction(action);
}

// With a panel open it closes the panels; with none it leaves the window.
void ClientWindow::exitIcon()
{
    if (!m_editor->isVisible() && !m_codeEntry->isVisible() && !m_list->isVisible()) {
        leave();
        return;
    }
    for (QWidget *panel : std::initializer_list<QWidget *>{m_editor, m_codeEntry, m_list})
        panel->hide();
    enableAllButtons();
    m_list->setMode(QString());
    m_list->inactive()->setTicked(false);
}

// The print panel stays; the window's activation when the preview closes
// hides it again.
void ClientWindow::printClients(const QString &sql)
{
    guarded(m_messages, this, [&] {
        Recordset clients(m_connection, sql);
        showReportModal(*this, m_messages, m_clientReport.forUse(), ReportData(clients.rows()));
        clients.close();
    });
}
