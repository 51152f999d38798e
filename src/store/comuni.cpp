#include "comuni.h"

#include "connection.h"
#include "statement.h"
#include "transaction.h"
#include "taxcodes/territory.h"

#include <QSet>
#include <sqlite3.h>

namespace {

// The date of the ANPR list shipped in the program.
constexpr int ListDate = 20230516;

int listApplied(Connection &connection)
{
    Statement version(connection.handle(), "PRAGMA user_version");
    version.step();
    return sqlite3_column_int(version.handle(), 0);
}

}

int comuni::addMissing(Connection &connection)
{
    if (listApplied(connection) >= ListDate)
        return 0;
    QSet<QString> named;
    Statement stored(connection.handle(), "SELECT COMUNE FROM DATI");
    while (stored.step())
        named << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stored.handle(), 0))).toUpper();
    QList<const territory::Municipality *> missing;
    for (const territory::Municipality &m : territory::currentMunicipalities())
        if (!named.contains(m.name.toUpper()))
            missing << &m;
    Transaction transaction(connection);
    Statement insert(connection.handle(), "INSERT INTO DATI (COMUNE, PR, CAP) VALUES (?, ?, ?)");
    for (const territory::Municipality *m : missing) {
        insert.bind(1, StoredValue::ofText(m->name.toUtf8()));
        insert.bind(2, StoredValue::ofText(m->province.toUtf8()));
        insert.bind(3, m->postalCodes.isEmpty() ? StoredValue::null() : StoredValue::ofText(m->postalCodes.first().toUtf8()));
        insert.run();
        insert.reset();
    }
    Statement(connection.handle(), "PRAGMA user_version = " + QByteArray::number(ListDate)).run();
    transaction.commit();
    return int(missing.size());
}
