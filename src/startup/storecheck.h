#pragma once

#include <QObject>
#include <QString>

class QThread;

// What runs once the main window is up, on a thread of its own so the
// window never waits for it: the full check of the store, then, when it is
// sound and none was made today, the first copy of the day; or a copy in
// place of one that was begun (at the last exit) and not finished.
class StoreCheck : public QObject
{
    Q_OBJECT

public:
    ~StoreCheck() override;

    // False when it was started already.
    bool start(const QString &path);

signals:
    // In the window's thread, only when the check found the store damaged.
    void damaged(const QString &problems);
    // In the window's thread, when the copy of the day could not be made.
    void copyFailed(const QString &cause);
    // In the window's thread, when the copy of the day was made and verified.
    void copied();
    // Just before it, when the copy took the place of an unfinished one:
    // why that one was not finished (empty when its program was ended).
    void madeInPlaceOfUnfinished(const QString &cause);

private:
    QThread *m_thread = nullptr;
};
