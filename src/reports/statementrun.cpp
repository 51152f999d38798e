#include "statementrun.h"

#include "filenametext.h"
#include "layouts.h"
#include "paginator.h"
#include "reportdata.h"
#include "reportpainter.h"
#include "store/recordset.h"
#include "store/valueconversion.h"

#include <QDir>
#include <QSet>

namespace statementrun {

namespace {

// The services of the period by client code, each client's by date, as
// the statement prints them.
std::shared_ptr<const ResultTable> servicesOf(Connection &store, const QDate &from, const QDate &to)
{
    return Recordset(store,
                     QStringLiteral("SELECT ID_CL, CLIENTE, DATAR,CAUSALE,QTA,NOTE,IMPORTO ,OPERATORE , PARC "
                                    "FROM PRESTAZIONI WHERE DATAR >= #%1# AND DATAR <= #%2# "
                                    "ORDER BY ID_CL, DATAR, ID")
                         .arg(monthFirstDate(from), monthFirstDate(to)))
        .rows();
}

// Consecutive rows of one client, by its code; rows without one left out.
QList<std::vector<int>> clientsOf(const ResultTable &services, int &unlinked)
{
    const int code = services.columnIndex(QStringLiteral("ID_CL"));
    QList<std::vector<int>> clients;
    QString last;
    for (int row = 0; row < services.rowCount(); ++row) {
        const QString client = services.field(row, code).text();
        if (client.isEmpty() || client == QLatin1String("0")) {
            ++unlinked;
            continue;
        }
        if (clients.isEmpty() || client != last)
            clients.append(std::vector<int>());
        clients.last().push_back(row);
        last = client;
    }
    return clients;
}

}

QString fileName(const QString &client, const QDate &from, const QDate &to)
{
    QString name = fileNameText(client, QStringLiteral("_")).simplified().left(120);
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (name.isEmpty())
        name = QStringLiteral("cliente");
    return QStringLiteral("%1 - dal %2 al %3.pdf")
        .arg(name, from.toString(QStringLiteral("dd-MM-yyyy")), to.toString(QStringLiteral("dd-MM-yyyy")));
}

Outcome write(Connection &store, const QDate &from, const QDate &to, const QString &folder, const Progress &progress)
{
    Outcome outcome;
    const auto services = servicesOf(store, from, to);
    const QList<std::vector<int>> clients = clientsOf(*services, outcome.unlinked);
    if (!QDir().mkpath(folder)) {
        outcome.failure = folder;
        return outcome;
    }
    const int name = services->columnIndex(QStringLiteral("CLIENTE"));
    const QString period = QStringLiteral("dal %1 al %2")
                               .arg(from.toString(QStringLiteral("dd/MM/yyyy")), to.toString(QStringLiteral("dd/MM/yyyy")));
    QSet<QString> used;
    for (const std::vector<int> &rows : clients) {
        if (progress && !progress(int(outcome.files.size()), int(clients.size()))) {
            outcome.stopped = true;
            return outcome;
        }
        const QString client = services->field(rows.back(), name).text(); // the latest name
        QString file = QDir(folder).filePath(fileName(client, from, to));
        // Two clients of one name each keep their statement.
        for (int n = 2; used.contains(file); ++n)
            file = QDir(folder).filePath(fileName(QStringLiteral("%1 (%2)").arg(client).arg(n), from, to));
        used.insert(file);
        ReportLayout layout = layouts::estratto();
        layout.setCaption(1, QStringLiteral("Label2"), client);
        layout.setCaption(1, QStringLiteral("Label11"), period);
        if (!reportpainter::exportPdf(paginate(layout, ReportData(services->subset(rows)), QDate::currentDate()), file)) {
            outcome.failure = file;
            return outcome;
        }
        outcome.files << file;
    }
    if (progress)
        progress(int(outcome.files.size()), int(clients.size()));
    return outcome;
}

}
