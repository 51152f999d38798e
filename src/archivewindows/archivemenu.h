#pragma once

#include <QObject>

#include <optional>

class Connection;
class Messages;
class OfficeWindow;
class QMenuBar;
class RestoreWindow;
class UndoBillingWindow;
class UndoImportWindow;
class ImportWindow;
class QWidget;

// The menu "&Archivio", after the menus of the register: a copy of the
// store now, a copy put back, the full check of the store on request, and
// the undoing of a billing run, the import of an office's data from
// spreadsheets and its undoing, the office's data for the electronic
// invoices.
// Also the copy made at the confirmed exit.
class ArchiveMenu : public QObject
{
    Q_OBJECT

public:
    ArchiveMenu(QMenuBar *bar, Connection &connection, Messages &messages, QWidget *window);

    // The copy after the confirmed exit. None when a verified copy of this
    // run already holds the store as it is: nothing changed since that copy
    // began. Otherwise a store file is copied by velmora-cli, started on its
    // own, so the program ends at once; a copy it could not finish is made
    // at the next start. Where it cannot be started, and for an archive on
    // a server (whose login it lacks), the copy is made here: a failure is
    // told, the exit goes on.
    void copyAtExit();
    // The velmora-cli that makes it: by default the one beside the program.
    void setCopyProgram(const QString &program) { m_copyProgram = program; }
    // A verified copy made elsewhere in this run (the day's, at the start),
    // begun at that count of the store's changes.
    void noteCopy(quint64 beganAt);
    // The copies of the store, the newest sound one selected.
    void openRestore();

private:
    // A verified copy into the store's "backup/", then the old ones thinned;
    // false, after telling why, when there is none.
    bool copy(bool tellSuccess);
    void check();
    void exportArchive(int format);
    void openUndoBilling();
    void openImport();
    void openUndoImport();
    void openOffice();

    Connection &m_connection;
    Messages &m_messages;
    QWidget *m_window;
    RestoreWindow *m_restore = nullptr; // made on first use
    UndoBillingWindow *m_undoBilling = nullptr;
    ImportWindow *m_import = nullptr;
    UndoImportWindow *m_undoImport = nullptr;
    OfficeWindow *m_office = nullptr;
    std::optional<quint64> m_copiedAt;
    QString m_copyProgram;
};
