#include "testsmtpserver.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>

// One client's conversation, line by line.
class SmtpSession : public QObject
{
public:
    SmtpSession(TestSmtpServer &owner, qintptr descriptor, QObject *parent)
        : QObject(parent), m_owner(owner), m_socket(new QSslSocket(this))
    {
        m_socket->setSocketDescriptor(descriptor);
        QFile certificate(TestSmtpServer::certificatePath());
        certificate.open(QIODevice::ReadOnly);
        m_socket->setLocalCertificate(QSslCertificate(certificate.readAll()));
        QFile key(QStringLiteral(VELMORA_TLS_DIR "/key.pem"));
        key.open(QIODevice::ReadOnly);
        m_socket->setPrivateKey(QSslKey(key.readAll(), QSsl::Rsa));
        connect(m_socket, &QSslSocket::encrypted, this, [this] { say("220 127.0.0.1 ESMTP di prova"); });
        connect(m_socket, &QSslSocket::readyRead, this, &SmtpSession::read);
        connect(m_socket, &QSslSocket::disconnected, this, &QObject::deleteLater);
        m_socket->startServerEncryption();
    }

private:
    void say(const QByteArray &line) { m_socket->write(line + "\r\n"); }

    void read()
    {
        while (m_socket->canReadLine()) {
            const QByteArray line = m_socket->readLine();
            if (m_inData) {
                if (line == ".\r\n") {
                    m_inData = false;
                    finishMessage();
                } else {
                    m_message.data += line.startsWith("..") ? line.mid(1) : line;
                }
                continue;
            }
            if (m_awaitingCredentials) {
                m_awaitingCredentials = false;
                logIn(line.trimmed());
                continue;
            }
            answer(line.trimmed());
        }
    }

    void answer(const QByteArray &command)
    {
        const QByteArray verb = command.split(' ').first().toUpper();
        if (verb == "EHLO" || verb == "HELO") {
            say("250-127.0.0.1");
            say("250 AUTH PLAIN");
        } else if (verb == "AUTH" && command.mid(5, 5).toUpper() != "PLAIN") {
            say("504 solo PLAIN");
        } else if (verb == "AUTH" && command.size() > 11) {
            logIn(command.mid(11));
        } else if (verb == "AUTH") {
            m_awaitingCredentials = true;
            say("334 ");
        } else if (verb == "MAIL") {
            m_message.from = QString::fromUtf8(command.mid(command.indexOf(':') + 1).trimmed());
            say(m_message.login.isEmpty() ? "530 autenticazione richiesta" : "250 OK");
        } else if (verb == "RCPT") {
            m_message.to << QString::fromUtf8(command.mid(command.indexOf(':') + 1).trimmed());
            say("250 OK");
        } else if (verb == "DATA") {
            m_inData = true;
            say("354 avanti");
        } else if (verb == "QUIT") {
            say("221 arrivederci");
            m_socket->disconnectFromHost();
        } else {
            say("250 OK");
        }
    }

    void logIn(const QByteArray &credentials)
    {
        const QList<QByteArray> parts = QByteArray::fromBase64(credentials).split('\0');
        if (parts.size() == 3 && parts.at(2) == m_owner.m_password) {
            m_message.login = QString::fromUtf8(parts.at(1));
            say("235 autenticato");
        } else {
            say("535 credenziali non valide");
        }
    }

    void finishMessage()
    {
        QMutexLocker lock(&m_owner.m_mutex);
        if (m_owner.m_refuseNext) {
            m_owner.m_refuseNext = false;
            say("552 casella piena");
        } else {
            m_owner.m_received << m_message;
            say("250 OK accodato");
        }
        m_message.data.clear();
        m_message.to.clear();
    }

    TestSmtpServer &m_owner;
    QSslSocket *m_socket;
    TestSmtpServer::Received m_message;
    bool m_inData = false;
    bool m_awaitingCredentials = false;
};

namespace {

class Listener : public QTcpServer
{
public:
    explicit Listener(TestSmtpServer &owner) : m_owner(owner) {}

protected:
    void incomingConnection(qintptr descriptor) override { new SmtpSession(m_owner, descriptor, this); }

private:
    TestSmtpServer &m_owner;
};

}

TestSmtpServer::TestSmtpServer(const QByteArray &password) : m_context(new QObject), m_password(password)
{
    m_context->moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(
        m_context,
        [this] {
            m_server = new Listener(*this);
            m_server->listen(QHostAddress::LocalHost, 0);
            m_port = m_server->serverPort();
        },
        Qt::BlockingQueuedConnection);
}

TestSmtpServer::~TestSmtpServer()
{
    QMetaObject::invokeMethod(
        m_context, [this] { delete m_server; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_context;
}

QString TestSmtpServer::url() const
{
    return QStringLiteral("smtps://127.0.0.1:%1").arg(m_port);
}

QString TestSmtpServer::certificatePath()
{
    return QStringLiteral(VELMORA_TLS_DIR "/cert.pem");
}

QList<TestSmtpServer::Received> TestSmtpServer::received() const
{
    QMutexLocker lock(&m_mutex);
    return m_received;
}

void TestSmtpServer::refuseNext()
{
    QMutexLocker lock(&m_mutex);
    m_refuseNext = true;
}
