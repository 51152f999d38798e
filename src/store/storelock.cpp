#include "storelock.h"

#include "storeerror.h"
#include "storefile.h"

#include <QFileInfo>
#include <QSysInfo>

StoreLock::StoreLock(const QString &storePath)
    : m_file(storePath + QStringLiteral(".lock")), m_shared(storefile::isServerAddress(storePath))
{
    // Held for hours: only a holder that no longer runs makes it stale.
    m_file.setStaleLockTime(0);
}

void StoreLock::acquire()
{
    // The desks of an archive on a server work on it together.
    if (m_shared)
        return;
    if (m_file.tryLock(0))
        return;
    switch (m_file.error()) {
    case QLockFile::LockFailedError: {
        qint64 pid = 0;
        QString host, program;
        m_file.getLockInfo(&pid, &host, &program);
        QString message = QStringLiteral("l'archivio è già in uso da un'altra copia del programma "
                                         "(computer «%1», processo %2)")
                              .arg(host)
                              .arg(pid);
        // A lock of another computer is never found stale from here: whether
        // its program still runs is seen only there.
        if (host != QSysInfo::machineHostName())
            message += QStringLiteral(". Se sul computer «%1» Velmora non è aperto (si è chiuso all'improvviso), "
                                      "basta avviarlo e chiuderlo su quel computer, oppure chi ha accertato che "
                                      "non è aperto può cancellare il file %2")
                           .arg(host, m_file.fileName());
        throw StoreError(message);
    }
    default:
        // The lock file could not be made: nor could the store's journal.
        throw StoreError(
            QStringLiteral("nella cartella %1 non si può scrivere").arg(QFileInfo(m_file.fileName()).absolutePath()));
    }
}
