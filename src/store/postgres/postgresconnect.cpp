#include "postgresengine.h"

#include "store/storeerror.h"

#include <QSysInfo>
#include <libpq-fe.h>

namespace {

// A desk that dies inside a transaction holds its rows only until the
// server notices: keepalives find a dead peer within a minute (20 s of
// silence, then three probes 10 s apart), and a transaction left idle for
// 30 s is ended by the server.
const char *const sessionOptions = "-c DateStyle=ISO,DMY -c idle_in_transaction_session_timeout=30000 "
                                   "-c client_min_messages=warning";

bool isOnThisMachine(const char *host)
{
    const QByteArray h(host ? host : "");
    return h.isEmpty() || h.startsWith('/') || h.startsWith('@') || h == "localhost" || h == "127.0.0.1" || h == "::1";
}

struct Login
{
    QString server;
    QString user;
    QByteArray password;
};

Login &remembered()
{
    static Login login;
    return login;
}

// Whether the connection string names a host that is not this machine (a
// service's host is known only once connected).
bool namesOtherMachine(const QByteArray &server)
{
    PQconninfoOption *options = PQconninfoParse(server.constData(), nullptr);
    bool other = false;
    for (PQconninfoOption *o = options; o && o->keyword; ++o)
        if ((qstrcmp(o->keyword, "host") == 0 || qstrcmp(o->keyword, "hostaddr") == 0) && o->val)
            for (const QByteArray &host : QByteArray(o->val).split(','))
                other = other || !isOnThisMachine(host.constData());
    PQconninfoFree(options);
    return other;
}

}

void postgres::rememberLogin(const QString &server, const QString &user, const QByteArray &password)
{
    remembered() = {server, user, password};
}

PostgresEngine::PostgresEngine(const QString &server, const QString &user, const QByteArray &password) : m_server(server)
{
    const bool typed = user.isEmpty() && remembered().server == server;
    m_user = typed ? remembered().user : user;
    m_password = typed ? remembered().password : password;
    connect();
}

void PostgresEngine::connect()
{
    const QByteArray server = m_server.toUtf8();
    const QByteArray user = m_user.toUtf8();
    QList<const char *> keys{"dbname",          "application_name",    "options",
                             "client_encoding", "connect_timeout",     "keepalives",
                             "keepalives_idle", "keepalives_interval", "keepalives_count"};
    // The desk is named by its machine, in "Postazioni collegate" and in the
    // history.
    const QByteArray desk = QSysInfo::machineHostName().toUtf8();
    QList<const char *> values{server.constData(), desk.constData(), sessionOptions, "UTF8", "10", "1", "20", "10", "3"};
    if (!user.isEmpty()) {
        keys << "user";
        values << user.constData();
    }
    if (!m_password.isEmpty()) {
        keys << "password";
        values << m_password.constData();
    }
    // A server named elsewhere is reached encrypted and verified from the
    // first packet, before any password travels.
    if (namesOtherMachine(server)) {
        keys << "sslmode";
        values << "verify-full";
    }
    keys << nullptr;
    values << nullptr;
    PGconn *connection = PQconnectdbParams(keys.constData(), values.constData(), 1);
    if (PQstatus(connection) != CONNECTION_OK) {
        const QString reason = QString::fromUtf8(PQerrorMessage(connection)).trimmed();
        PQfinish(connection);
        const bool refused = reason.contains(QLatin1String("password")) || reason.contains(QLatin1String("authentication"));
        const bool unsafe = reason.contains(QLatin1String("SSL")) || reason.contains(QLatin1String("certificate"));
        throw StoreError(refused      ? QStringLiteral("utente o password non corretti (%1)").arg(reason)
                             : unsafe ? QStringLiteral("il server non offre una connessione cifrata con un certificato "
                                                       "verificato dall'autorità dello studio (%1)")
                                            .arg(reason)
                                      : QStringLiteral("il server dell'archivio non risponde (%1)").arg(reason),
                         StoreError::Kind::Failure, refused ? QStringLiteral("28P01") : QStringLiteral("08001"));
    }
    // Rows and passwords cross the office's network only encrypted, to the
    // server whose certificate the office's authority signed.
    if (!isOnThisMachine(PQhost(connection))) {
        const QByteArray mode = [&] {
            PQconninfoOption *options = PQconninfo(connection);
            QByteArray found;
            for (PQconninfoOption *o = options; o && o->keyword; ++o)
                if (qstrcmp(o->keyword, "sslmode") == 0 && o->val)
                    found = o->val;
            PQconninfoFree(options);
            return found;
        }();
        if (mode != "verify-full" || !PQsslInUse(connection)) {
            const QString host = QString::fromUtf8(PQhost(connection));
            PQfinish(connection);
            throw StoreError(QStringLiteral("il server %1 non è su questo computer: la connessione deve essere cifrata e "
                                            "verificata (sslmode=verify-full e il certificato dello studio)")
                                 .arg(host));
        }
    }
    m_connection = connection;
    m_prepared.clear();
    // Every desk hears of the others' commits on this channel.
    run("LISTEN " + QByteArray(postgres::noticeChannel));
    if (m_connectedBefore)
        m_elsewhere = m_changed = QStringList{QStringLiteral("*")};
    m_connectedBefore = true;
}
