#include "integrity.h"

#include "connection.h"
#include "statement.h"
#include "storeerror.h"
#include "storefile.h"

#include <QStringList>
#include <sqlite3.h>

QString integrity::problemsIn(Connection &connection, Depth depth)
{
    try {
        Statement check(connection.handle(), depth == Depth::Full ? "PRAGMA integrity_check" : "PRAGMA quick_check");
        // The engine's findings, one a line; its heading line is not one.
        QStringList problems;
        while (check.step()) {
            const QString found = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(check.handle(), 0)));
            for (const QString &line : found.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
                if (!line.startsWith(QLatin1String("***")))
                    problems << line.trimmed();
        }
        if (problems == QStringList{QStringLiteral("ok")})
            return QString();
        return QStringLiteral("la verifica dell'archivio %1 ha trovato errori nella struttura del file "
                              "(segnalazioni: %2; la prima: «%3»)")
            .arg(connection.path())
            .arg(problems.size())
            .arg(problems.value(0));
    } catch (const StoreError &error) {
        return error.message();
    }
}

QString integrity::problemsOf(const QString &path, Depth depth)
{
    try {
        Connection connection;
        connection.open(path, storefile::password);
        return problemsIn(connection, depth);
    } catch (const StoreError &error) {
        return error.message();
    }
}
