#include "integrity.h"

#include "connection.h"
#include "engine.h"
#include "storeerror.h"
#include "storefile.h"

#include <QStringList>

QString integrity::problemsIn(Connection &connection, Depth depth)
{
    try {
        const QStringList problems = connection.engine().structureProblems(depth == Depth::Full);
        if (problems.isEmpty())
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
        storefile::open(connection, path);
        return problemsIn(connection, depth);
    } catch (const StoreError &error) {
        return error.message();
    }
}
