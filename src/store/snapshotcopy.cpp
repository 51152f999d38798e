#include "snapshotcopy.h"

#include "connection.h"
#include "engine.h"
#include "schema.h"
#include "storeerror.h"
#include "storefile.h"
#include "tablecopy.h"
#include "transaction.h"

void snapshotcopy::write(Connection &server, const QString &path, const storecopy::Progress &progress)
{
    Connection copy;
    copy.create(path, storefile::password);
    const ReadTransaction snapshot(server);
    const QStringList tables = server.tableNames();
    {
        Transaction writing(copy);
        schema::install(copy);
        schema::ensureBillingRuns(copy);
        schema::ensureImportRuns(copy);
        schema::ensureInvoiceTables(copy);
        int done = 0;
        tablecopy::copyRows(server, copy, tables, [&](const QString &, qint64) {
            if (progress)
                progress(++done, int(tables.size()));
        });
        copy.engine().setListVersion(server.engine().listVersion());
        writing.commit();
    }
    const QStringList differing = tablecopy::differing(tablecopy::figuresOf(server, tables), tablecopy::figuresOf(copy, tables));
    if (!differing.isEmpty())
        throw StoreError(QStringLiteral("la copia non ha gli stessi dati dell'archivio nelle tabelle %1")
                             .arg(differing.join(QStringLiteral(", "))));
}
