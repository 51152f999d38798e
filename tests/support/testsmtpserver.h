#pragma once

#include <QByteArray>
#include <QMutex>
#include <QStringList>
#include <QThread>

class QTcpServer;

// A mail server for the tests, on 127.0.0.1 with TLS from the first byte
// (a test certificate), in a thread of its own so that a sending that
// blocks the test's thread still gets its answers. It takes AUTH PLAIN
// with the one password given and keeps every message it accepts; it
// never relays anything anywhere.
class TestSmtpServer
{
public:
    explicit TestSmtpServer(const QByteArray &password);
    ~TestSmtpServer();

    // "smtps://127.0.0.1:<port>"
    QString url() const;
    // The certificate the clients must trust (VELMORA_PEC_CA).
    static QString certificatePath();

    struct Received
    {
        QString login;
        QString from;
        QStringList to;
        QByteArray data;
    };
    QList<Received> received() const;
    // The next message is refused at DATA, as a full mailbox would.
    void refuseNext();

private:
    friend class SmtpSession;
    QThread m_thread;
    QObject *m_context; // lives in the thread: the server is made and ended there
    QTcpServer *m_server = nullptr;
    quint16 m_port = 0;
    QByteArray m_password;
    mutable QMutex m_mutex;
    QList<Received> m_received;
    bool m_refuseNext = false;
};
