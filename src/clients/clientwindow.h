#pragma once

#include "reports/layoutslot.h"
#include "ui/secondarywindow.h"

class ClientEditor;
class ClientListPanel;
class ClientPrintPanel;
class CodeEntryPanel;
class Connection;
class Messages;
class QPushButton;

// The client window ("Gestione Soggetti"): the button bar over the editor,
// code-entry, list and print panels, shown one at a time.
class ClientWindow : public SecondaryWindow
{
    Q_OBJECT

public:
    ClientWindow(Connection &connection, Messages &messages, QWidget *parent = nullptr);

    ClientPrintPanel *printPanel() const { return m_print; }

private:
    void buildButtonBar(QWidget *bar);
    void connectPanels();
    void activate();
    void enableButtons(std::initializer_list<QPushButton *> buttons, bool enabled);
    void enableAllButtons();
    // ClearEditor: every text of the window, the dates and the two ticks.
    void clearEditor();
    void startNewClient();
    void openList(const QString &mode);
    void openPrint();
    void openEditor(const QString &action);
    void exitIcon();
    void printClients(const QString &sql);

    Connection &m_connection;
    Messages &m_messages;
    QPushButton *m_insert = nullptr;
    QPushButton *m_modify = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_printButton = nullptr;
    ClientEditor *m_editor = nullptr;
    CodeEntryPanel *m_codeEntry = nullptr;
    ClientListPanel *m_list = nullptr;
    ClientPrintPanel *m_print = nullptr;
    LayoutSlot m_clientReport;
};
