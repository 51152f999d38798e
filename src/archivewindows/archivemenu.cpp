#include "archivemenu.h"

#include "archive/archiveexport.h"
#include "archive/backup.h"
#include "invoicewindows/officewindow.h"
#include "restorewindow.h"
#include "undobillingwindow.h"
#include "undoimportwindow.h"
#include "importwindow.h"
#include "deskswindow.h"
#include "store/connection.h"
#include "store/integrity.h"
#include "store/storeerror.h"
#include "ui/damagenotice.h"
#include "ui/messages.h"
#include "ui/storeguard.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QMenuBar>
#include <QProcess>
#include <QProgressDialog>

namespace {

const QString CopyTitle = QStringLiteral("Velmora - COPIA DI SICUREZZA");

}

ArchiveMenu::ArchiveMenu(QMenuBar *bar, Connection &connection, Messages &messages, QWidget *window)
    : QObject(window), m_connection(connection), m_messages(messages), m_window(window),
      m_copyProgram(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("velmora-cli")))
{
    QMenu *menu = bar->addMenu(QStringLiteral("&Archivio"));
    menu->setObjectName(QStringLiteral("MenuArchivio"));
    QAction *copyNow = menu->addAction(QStringLiteral("Copia di sicurezza ora"));
    copyNow->setObjectName(QStringLiteral("ArchivioCopia"));
    connect(copyNow, &QAction::triggered, this, [this] { copy(true); });
    QAction *restore = menu->addAction(QStringLiteral("Ripristina da una copia..."));
    restore->setObjectName(QStringLiteral("ArchivioRipristina"));
    connect(restore, &QAction::triggered, this, &ArchiveMenu::openRestore);
    QAction *checkNow = menu->addAction(QStringLiteral("Verifica archivio"));
    checkNow->setObjectName(QStringLiteral("ArchivioVerifica"));
    connect(checkNow, &QAction::triggered, this, &ArchiveMenu::check);
    QMenu *exports = menu->addMenu(QStringLiteral("Esporta archivio..."));
    exports->setObjectName(QStringLiteral("ArchivioEsporta"));
    const struct
    {
        const char *name, *caption;
        archiveexport::Format format;
    } formats[] = {
        {"EsportaXlsx", "in Excel (XLSX)...", archiveexport::Format::Xlsx},
        {"EsportaCsv", "in CSV, un file per tabella...", archiveexport::Format::Csv},
        {"EsportaSqlite", "in SQLite...", archiveexport::Format::Sqlite},
    };
    for (const auto &f : formats) {
        QAction *action = exports->addAction(QString::fromUtf8(f.caption));
        action->setObjectName(QString::fromLatin1(f.name));
        connect(action, &QAction::triggered, this, [this, format = f.format] { exportArchive(int(format)); });
    }
    QAction *undoBilling = menu->addAction(QStringLiteral("Annulla una parcellazione..."));
    undoBilling->setObjectName(QStringLiteral("ArchivioAnnulla"));
    connect(undoBilling, &QAction::triggered, this, &ArchiveMenu::openUndoBilling);
    QAction *import = menu->addAction(QStringLiteral("Importa..."));
    import->setObjectName(QStringLiteral("ArchivioImporta"));
    connect(import, &QAction::triggered, this, &ArchiveMenu::openImport);
    QAction *undoImport = menu->addAction(QStringLiteral("Annulla un'importazione..."));
    undoImport->setObjectName(QStringLiteral("ArchivioAnnullaImportazione"));
    connect(undoImport, &QAction::triggered, this, &ArchiveMenu::openUndoImport);
    QAction *desks = menu->addAction(QStringLiteral("Postazioni collegate"));
    desks->setObjectName(QStringLiteral("ArchivioPostazioni"));
    connect(desks, &QAction::triggered, this, [this] {
        auto *desksWindow = new DesksWindow(m_connection, m_messages, m_window);
        desksWindow->setAttribute(Qt::WA_DeleteOnClose);
        desksWindow->open();
    });
    menu->addSeparator();
    QAction *office = menu->addAction(QStringLiteral("Dati dello Studio..."));
    office->setObjectName(QStringLiteral("ArchivioStudio"));
    connect(office, &QAction::triggered, this, &ArchiveMenu::openOffice);
}

bool ArchiveMenu::copy(bool tellSuccess)
{
    // A copy of a store found damaged would only pass the damage on.
    if (m_connection.isDamaged()) {
        m_messages.inform(m_window, CopyTitle,
                          QStringLiteral("L'archivio è danneggiato: la copia di sicurezza non è stata fatta."),
                          Messages::Icon::Critical);
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Shown only when the copy takes more than a second (a large register).
    QProgressDialog progress(QStringLiteral("Copia di sicurezza dell'archivio in corso..."), QString(), 0, 100, m_window);
    progress.setWindowTitle(CopyTitle);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(1000);
    progress.setCancelButton(nullptr);
    try {
        const quint64 beganAt = m_connection.lastChange();
        const QString path = backup::make(m_connection, QString(), QString(), [&](int percent) { progress.setValue(percent); });
        backup::rotate(backup::folderOf(m_connection.path()));
        noteCopy(beganAt);
        QApplication::restoreOverrideCursor();
        if (tellSuccess)
            m_messages.inform(m_window, CopyTitle, QStringLiteral("Copia di sicurezza eseguita e verificata:\n%1").arg(path));
        return true;
    } catch (const StoreError &error) {
        QApplication::restoreOverrideCursor();
        m_messages.inform(m_window, CopyTitle,
                          QStringLiteral("Copia di sicurezza non eseguita.\n\nCausa: %1.").arg(error.message()),
                          Messages::Icon::Critical);
        return false;
    }
}

void ArchiveMenu::copyAtExit()
{
    if (m_copiedAt && *m_copiedAt == m_connection.lastChange())
        return;
    if (!m_connection.isServer() && !m_connection.isDamaged()) {
        QProcess copier;
        copier.setProgram(m_copyProgram);
        copier.setArguments({QStringLiteral("copia"), QStringLiteral("--archivio"), m_connection.path()});
        copier.setStandardOutputFile(QProcess::nullDevice());
        copier.setStandardErrorFile(QProcess::nullDevice());
        if (copier.startDetached())
            return;
    }
    copy(false);
}

void ArchiveMenu::noteCopy(quint64 beganAt)
{
    m_copiedAt = beganAt;
}

void ArchiveMenu::openRestore()
{
    // Putting a copy back replaces what every desk sees: the archive's
    // owner does it on the server, with the desks closed.
    if (m_connection.isServer()) {
        m_messages.inform(m_window, QStringLiteral("Velmora - RIPRISTINO"),
                          QStringLiteral("L'archivio è condiviso sul server e lo rimette da una copia solo il suo "
                                         "proprietario, a postazioni chiuse, con il comando:\n\n"
                                         "velmora-cli server ripristina COPIA \"%1\"\n\n"
                                         "Le copie di questa postazione sono nella cartella\n%2")
                              .arg(m_connection.path(), backup::folderOf(m_connection.path())));
        return;
    }
    if (!m_restore)
        m_restore = new RestoreWindow(m_connection, m_messages, m_window);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_restore->refill();
    QApplication::restoreOverrideCursor();
    m_restore->open();
}

void ArchiveMenu::openUndoBilling()
{
    if (!m_undoBilling)
        m_undoBilling = new UndoBillingWindow(m_connection, m_messages, m_window);
    m_undoBilling->refill();
    m_undoBilling->open();
}

void ArchiveMenu::openImport()
{
    if (!m_import)
        m_import = new ImportWindow(m_connection, m_messages, m_window);
    m_import->open();
}

void ArchiveMenu::openUndoImport()
{
    if (!m_undoImport)
        m_undoImport = new UndoImportWindow(m_connection, m_messages, m_window);
    m_undoImport->refill();
    m_undoImport->open();
}

void ArchiveMenu::openOffice()
{
    if (!m_office)
        m_office = new OfficeWindow(m_connection, m_messages, m_window);
    m_office->refill();
    m_office->open();
}

void ArchiveMenu::exportArchive(int chosen)
{
    const auto format = archiveexport::Format(chosen);
    const QString stem = QDir::home().filePath(
        QStringLiteral("Velmora-%1").arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    const QString suggested = format == archiveexport::Format::Xlsx ? stem + QStringLiteral(".xlsx")
        : format == archiveexport::Format::Sqlite                   ? stem + QStringLiteral(".db")
                                                                    : QDir::homePath();
    const QString target = m_messages.chooseTarget(m_window, QStringLiteral("Velmora - Esporta archivio"), suggested,
                                                   format == archiveexport::Format::Csv ? Messages::Target::Folder
                                                                                        : Messages::Target::File);
    if (target.isEmpty())
        return;
    QStringList written;
    const bool done = guardedBusy(m_messages, m_window, [&] { written = archiveexport::write(m_connection, format, target); });
    if (!done)
        return;
    QString told = QStringLiteral("Archivio esportato in:\n%1").arg(written.join(QLatin1Char('\n')));
    if (m_connection.isDamaged())
        told += QStringLiteral("\n\nAttenzione: l'archivio è danneggiato, l'esportazione può essere incompleta.");
    m_messages.inform(m_window, QStringLiteral("Velmora - ESPORTAZIONE"), told,
                      m_connection.isDamaged() ? Messages::Icon::Critical : Messages::Icon::Information);
}

void ArchiveMenu::check()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString problems = integrity::problemsOf(m_connection.path());
    QApplication::restoreOverrideCursor();
    if (problems.isEmpty()) {
        m_messages.inform(m_window, QStringLiteral("Velmora - VERIFICA ARCHIVIO"),
                          QStringLiteral("L'archivio è integro:\n%1").arg(m_connection.path()));
        return;
    }
    m_connection.markDamaged();
    if (offerRestore(m_messages, m_window, StoreError(problems, StoreError::Kind::Damage)))
        openRestore();
}
