#include "storecheck.h"

#include "archive/backup.h"
#include "store/connection.h"
#include "store/integrity.h"
#include "store/storeerror.h"
#include "store/storefile.h"

#include <QThread>

StoreCheck::~StoreCheck()
{
    if (m_thread)
        m_thread->wait();
}

bool StoreCheck::start(const QString &path)
{
    if (m_thread)
        return false;
    m_thread = QThread::create([this, path] {
        // A server keeps its own files sound; its tables were checked when
        // the program connected.
        const QString problems = storefile::isServerAddress(path) ? QString() : integrity::problemsOf(path);
        if (!problems.isEmpty()) {
            QMetaObject::invokeMethod(
                this, [this, problems] { emit damaged(problems); }, Qt::QueuedConnection);
            return;
        }
        const QString folder = backup::folderOf(path);
        backup::removeLeftovers(folder);
        const std::optional<QString> unfinished = backup::unfinished(folder);
        if (backup::madeToday(folder) && !unfinished)
            return;
        try {
            Connection store;
            storefile::open(store, path);
            backup::make(store);
            backup::rotate(folder);
            QMetaObject::invokeMethod(
                this,
                [this, unfinished] {
                    if (unfinished)
                        emit madeInPlaceOfUnfinished(*unfinished);
                    emit copied();
                },
                Qt::QueuedConnection);
        } catch (const StoreError &error) {
            const QString cause = error.message();
            QMetaObject::invokeMethod(
                this, [this, cause] { emit copyFailed(cause); }, Qt::QueuedConnection);
        }
    });
    m_thread->setParent(this);
    m_thread->start(QThread::LowPriority);
    return true;
}
