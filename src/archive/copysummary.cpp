#include "copysummary.h"

#include "store/connection.h"
#include "store/integrity.h"
#include "store/recordset.h"
#include "store/storeerror.h"
#include "store/storefile.h"

#include <QFileInfo>

CopySummary CopySummary::of(const backup::Copy &copy)
{
    CopySummary summary{copy, QFileInfo(copy.path).size(), {}, {}, {}, {}, {}};
    try {
        Connection opened;
        opened.open(copy.path, storefile::password);
        summary.problems = integrity::problemsIn(opened, integrity::Depth::Quick);
        const auto number = [&](const char *sql) { return Recordset(opened, QString::fromLatin1(sql)).fields(0).toInteger(); };
        summary.clients = number("SELECT count(*) FROM SOGGETTI");
        summary.services = number("SELECT count(*) FROM PRESTAZIONI");
        summary.billed = number("SELECT count(*) FROM PRESTAZIONI WHERE PARC = 'S'");
        Recordset latest(opened, QStringLiteral("SELECT DATAR FROM PRESTAZIONI ORDER BY DATAR DESC LIMIT 1"));
        summary.latestService = latest.eof() ? QDate() : latest.fields(0).toDate();
    } catch (const StoreError &) {
        summary.clients.reset();
    }
    return summary;
}
