#include "comuni.h"

#include "connection.h"
#include "statement.h"
#include "storeerror.h"
#include "transaction.h"

#include <QIODevice>

int comuni::load(Connection &connection, QIODevice &csv)
{
    Transaction transaction(connection);
    Statement insert(connection.handle(), "INSERT INTO DATI (COMUNE, PR, CAP) VALUES (?, ?, ?)");
    int loaded = 0;
    bool headerSeen = false;
    while (!csv.atEnd()) {
        const QByteArray line = csv.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (!headerSeen) {
            headerSeen = true;
            continue;
        }
        const QList<QByteArray> parts = line.split(';');
        if (parts.size() != 3)
            throw StoreError(QStringLiteral("riga non valida nell'elenco dei comuni: %1").arg(QString::fromUtf8(line)));
        for (int i = 0; i < 3; ++i)
            insert.bind(i + 1, StoredValue::ofText(parts[i]));
        insert.run();
        insert.reset();
        ++loaded;
    }
    transaction.commit();
    return loaded;
}
