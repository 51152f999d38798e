#include "integrity.h"

#include "connection.h"
#include "statement.h"
#include "storeerror.h"
#include "storefile.h"

#include <QStringList>
#include <sqlite3.h>

QString integrity::problemsOf(const QString &path)
{
    try {
        Connection connection;
        connection.open(path, storefile::password);
        Statement check(connection.handle(), "PRAGMA quick_check");
        QStringList problems;
        while (check.step())
            problems << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(check.handle(), 0)));
        if (problems == QStringList{QStringLiteral("ok")})
            return QString();
        return QStringLiteral("la verifica dell'archivio %1 ha trovato %2 errori nella struttura del file (%3)")
            .arg(path)
            .arg(problems.size())
            .arg(problems.first());
    } catch (const StoreError &error) {
        return error.message();
    }
}
