#pragma once

#include <QObject>
#include <QTimer>

class Connection;
class QSocketNotifier;

// On a shared archive: the other desks' commits, heard on the connection's
// socket as they come (and looked for each second, as a notice read during
// a statement leaves nothing on it), read again in every list on screen
// that shows one of the tables they changed.
class DeskWatch : public QObject
{
    Q_OBJECT

public:
    DeskWatch(Connection &connection, QObject *parent);

signals:
    // Told after the lists were read again.
    void changed(const QStringList &tables);

private:
    void look();

    Connection &m_connection;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_timer;
};
