#pragma once

#include <QObject>

class Connection;
class Messages;
class OfficeWindow;
class QMenuBar;
class RestoreWindow;
class UndoBillingWindow;
class QWidget;

// The menu "&Archivio", after the menus of the register: a copy of the
// store now, a copy put back, the full check of the store on request, and
// the undoing of a billing run, the office's data for the electronic
// invoices.
// Also the copy made at the confirmed exit.
class ArchiveMenu : public QObject
{
    Q_OBJECT

public:
    ArchiveMenu(QMenuBar *bar, Connection &connection, Messages &messages, QWidget *window);

    // The copy after the confirmed exit: a failure is told, the exit goes on.
    void copyAtExit();
    // The copies of the store, the newest sound one selected.
    void openRestore();

private:
    // A verified copy into the store's "backup/", then the old ones thinned;
    // false, after telling why, when there is none.
    bool copy(bool tellSuccess);
    void check();
    void exportArchive(int format);
    void openUndoBilling();
    void openOffice();

    Connection &m_connection;
    Messages &m_messages;
    QWidget *m_window;
    RestoreWindow *m_restore = nullptr; // made on first use
    UndoBillingWindow *m_undoBilling = nullptr;
    OfficeWindow *m_office = nullptr;
};
