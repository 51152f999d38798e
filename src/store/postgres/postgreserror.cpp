#include "postgreserror.h"

#include <libpq-fe.h>

namespace {

struct Cause
{
    const char *prefix; // of the SQLSTATE: a class or one code
    const char *text;
    StoreError::Kind kind = StoreError::Kind::Failure;
};

// The most specific prefix first.
constexpr Cause causes[] = {
    {"23505", "il dato è già presente e deve essere unico"},
    {"23", "il dato viola un vincolo dell'archivio"},
    {"22", "un valore non è accettato dall'archivio"},
    {"25006", "l'archivio è aperto in sola lettura"},
    {"40001", "un'altra postazione ha modificato gli stessi dati nello stesso momento; ripetere l'operazione"},
    {"40P01", "un'altra postazione ha modificato gli stessi dati nello stesso momento; ripetere l'operazione"},
    {"42501", "l'utente non ha i permessi necessari sull'archivio"},
    {"42P01", "nell'archivio manca una tabella: preparare il server con «velmora-cli server prepara»"},
    {"42", "istruzione non eseguibile sull'archivio"},
    {"53", "il server non ha risorse sufficienti (disco o memoria)"},
    {"57P", "il server ha chiuso la connessione"},
    {"08", "la connessione al server si è interrotta"},
    {"28", "utente o password non corretti"},
    {"3D", "il database indicato non esiste sul server"},
    {"55P03", "i dati sono bloccati da un'altra postazione"},
    {"25P03", "la transazione è rimasta ferma troppo a lungo ed è stata annullata dal server"},
};

}

bool postgres::isConnectionLost(PGconn *connection)
{
    return !connection || PQstatus(connection) == CONNECTION_BAD;
}

StoreError postgres::errorOf(PGconn *connection, const PGresult *result)
{
    const char *state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const char *primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    QString reason = QString::fromUtf8(primary ? primary : PQerrorMessage(connection)).trimmed();
    QString code = QString::fromLatin1(state ? state : "");
    if (code.isEmpty() && isConnectionLost(connection))
        code = QStringLiteral("08006");
    QString cause = QStringLiteral("il server ha rifiutato l'operazione");
    auto kind = StoreError::Kind::Failure;
    for (const Cause &c : causes)
        if (code.startsWith(QLatin1String(c.prefix))) {
            cause = QString::fromUtf8(c.text);
            kind = c.kind;
            break;
        }
    if (!reason.isEmpty())
        cause += QStringLiteral(" (%1%2)").arg(reason, code.isEmpty() ? QString() : QStringLiteral(", ") + code);
    return StoreError(cause, kind, code);
}
