#include "sqliteerror.h"

#include <sqlite3.h>

StoreError sqlite::errorOf(int code, const char *detail)
{
    QString cause;
    auto kind = StoreError::Kind::Failure;
    switch (code & 0xff) {
    case SQLITE_NOTADB:
        cause = QStringLiteral("la password del database non è corretta oppure il file non è un database");
        kind = StoreError::Kind::Damage;
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        cause = QStringLiteral("il database è bloccato da un altro programma");
        break;
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_AUTH:
        cause = QStringLiteral("il file non può essere aperto o scritto (percorso o permessi)");
        break;
    case SQLITE_CORRUPT:
        cause = QStringLiteral("il file del database è danneggiato");
        kind = StoreError::Kind::Damage;
        break;
    case SQLITE_IOERR:
        cause = QStringLiteral("errore di lettura o scrittura del disco");
        kind = StoreError::Kind::Damage;
        break;
    case SQLITE_FULL:
        cause = QStringLiteral("il disco è pieno");
        break;
    case SQLITE_CONSTRAINT:
        cause = QStringLiteral("il dato viola un vincolo del database");
        break;
    default:
        cause = QStringLiteral("istruzione non eseguibile");
        break;
    }
    if (detail && *detail)
        cause += QStringLiteral(" (") + QString::fromUtf8(detail) + QLatin1Char(')');
    return StoreError(cause, kind);
}
