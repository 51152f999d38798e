#include "comuni.h"

#include "connection.h"
#include "statement.h"
#include "transaction.h"
#include "taxcodes/territory.h"

#include <QSet>
#include <sqlite3.h>

int comuni::addMissing(Connection &connection)
{
    QSet<QString> named;
    Statement stored(connection.handle(), "SELECT COMUNE FROM DATI");
    while (stored.step())
        named << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stored.handle(), 0))).toUpper();
    QList<const territory::Municipality *> missing;
    for (const territory::Municipality &m : territory::currentMunicipalities())
        if (!named.contains(m.name.toUpper()))
            missing << &m;
    if (missing.isEmpty())
        return 0;
    Transaction transaction(connection);
    Statement insert(connection.handle(), "INSERT INTO DATI (COMUNE, PR, CAP) VALUES (?, ?, ?)");
    for (const territory::Municipality *m : missing) {
        insert.bind(1, StoredValue::ofText(m->name.toUtf8()));
        insert.bind(2, StoredValue::ofText(m->province.toUtf8()));
        insert.bind(3, m->postalCodes.isEmpty() ? StoredValue::null() : StoredValue::ofText(m->postalCodes.first().toUtf8()));
        insert.run();
        insert.reset();
    }
    transaction.commit();
    return int(missing.size());
}
