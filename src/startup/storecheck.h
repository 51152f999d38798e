#pragma once

#include <QObject>
#include <QString>

class QThread;

// The full check of the store that runs once the main window is up, on a
// thread of its own so the window never waits for it.
class StoreCheck : public QObject
{
    Q_OBJECT

public:
    ~StoreCheck() override;

    void start(const QString &path);

signals:
    // In the window's thread, only when the check found the store damaged.
    void damaged(const QString &problems);

private:
    QThread *m_thread = nullptr;
};
