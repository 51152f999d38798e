#include "deskwatch.h"

#include "gridlist.h"
#include "store/connection.h"

#include <QApplication>
#include <QSocketNotifier>

DeskWatch::DeskWatch(Connection &connection, QObject *parent) : QObject(parent), m_connection(connection)
{
    connect(&m_timer, &QTimer::timeout, this, &DeskWatch::look);
    m_timer.start(1000);
    look();
}

void DeskWatch::look()
{
    // A new connection has a socket of its own; a dropped one none, and a
    // closed socket would read as ready for ever.
    const int socket = m_connection.noticeSocket();
    if (!m_notifier || m_notifier->socket() != socket) {
        delete m_notifier;
        m_notifier = nullptr;
        if (socket >= 0) {
            m_notifier = new QSocketNotifier(socket, QSocketNotifier::Read, this);
            connect(m_notifier, &QSocketNotifier::activated, this, &DeskWatch::look);
        }
    }
    const QStringList tables = m_connection.changedElsewhere();
    if (m_connection.noticeSocket() < 0 && m_notifier) {
        delete m_notifier;
        m_notifier = nullptr;
    }
    if (tables.isEmpty())
        return;
    for (QWidget *widget : QApplication::allWidgets())
        if (auto *list = qobject_cast<GridList *>(widget); list && list->isVisible())
            list->refreshAfter(tables);
    emit changed(tables);
}
