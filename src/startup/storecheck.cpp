#include "storecheck.h"

#include "store/integrity.h"

#include <QThread>

StoreCheck::~StoreCheck()
{
    if (m_thread)
        m_thread->wait();
}

void StoreCheck::start(const QString &path)
{
    if (m_thread)
        return;
    m_thread = QThread::create([this, path] {
        const QString problems = integrity::problemsOf(path);
        if (!problems.isEmpty())
            QMetaObject::invokeMethod(this, [this, problems] { emit damaged(problems); }, Qt::QueuedConnection);
    });
    m_thread->setParent(this);
    m_thread->start(QThread::LowPriority);
}
