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
    const QStringList tables = m_connection.changedElsewhere();
    // Watched on the socket of the session as it is after that look: a new
    // connection has a socket of its own, a dropped one none (a closed
    // socket would read as ready for ever).
    const int socket = m_connection.noticeSocket();
    if (!m_notifier || m_notifier->socket() != socket) {
        // It may be the one whose signal brought us here.
        if (m_notifier) {
            m_notifier->setEnabled(false);
            m_notifier->deleteLater();
        }
        m_notifier = nullptr;
        if (socket >= 0) {
            m_notifier = new QSocketNotifier(socket, QSocketNotifier::Read, this);
            connect(m_notifier, &QSocketNotifier::activated, this, &DeskWatch::look);
        }
    }
    if (tables.isEmpty())
        return;
    for (QWidget *widget : QApplication::allWidgets())
        if (auto *list = qobject_cast<GridList *>(widget); list && list->isVisible())
            list->refreshAfter(tables);
    emit changed(tables);
}
