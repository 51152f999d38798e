#include "comuni.h"

#include "connection.h"
#include "engine.h"
#include "statement.h"
#include "transaction.h"
#include "taxcodes/territory.h"

#include <QSet>

namespace {

// The date of the ANPR list shipped in the program.
constexpr int ListDate = 20230516;

}

int comuni::addMissing(Connection &connection)
{
    if (connection.engine().listVersion() >= ListDate)
        return 0;
    QSet<QString> named;
    Statement stored(connection, connection.translated(QStringLiteral("SELECT COMUNE FROM DATI")));
    while (stored.step())
        named << stored.text(0).toUpper();
    QList<const territory::Municipality *> missing;
    for (const territory::Municipality &m : territory::currentMunicipalities())
        if (!named.contains(m.name.toUpper()))
            missing << &m;
    Transaction transaction(connection);
    Statement insert(connection, connection.translated(QStringLiteral("INSERT INTO DATI (COMUNE, PR, CAP) VALUES (?, ?, ?)")));
    for (const territory::Municipality *m : missing) {
        insert.bind(1, StoredValue::ofText(m->name.toUtf8()));
        insert.bind(2, StoredValue::ofText(m->province.toUtf8()));
        insert.bind(3, m->postalCodes.isEmpty() ? StoredValue::null() : StoredValue::ofText(m->postalCodes.first().toUtf8()));
        insert.run();
        insert.reset();
    }
    connection.engine().setListVersion(ListDate);
    transaction.commit();
    return int(missing.size());
}
