#include "serviceclients.h"

#include "picklists.h"
#include "store/recordset.h"
#include "ui/dropdown.h"
#include "ui/gridlist.h"

#include <QLabel>

void serviceclients::fillNames(Connection &connection, const QList<DropDown *> &lists)
{
    DropDown &first = *lists.first();
    picklists::fill(first, connection, QStringLiteral("Select DISTINCT CLIENTE From PRESTAZIONI ORDER BY CLIENTE "),
                    QStringLiteral("CLIENTE"));
    QStringList names;
    for (int i = 0; i < first.count(); ++i)
        names << first.itemText(i);
    for (DropDown *other : lists.mid(1))
        if (other)
            other->setEntries(names);
}

std::optional<QString> serviceclients::linkOf(Connection &connection, const QString &name)
{
    Recordset first(connection,
                    QStringLiteral("Select ID_CL From PRESTAZIONI WHERE [CLIENTE] = ? AND NOT ISNULL(ID_CL) ORDER BY ID"),
                    {name});
    std::optional<QString> link;
    if (!first.eof())
        link = first.fields(0).text();
    first.close();
    return link;
}

void serviceclients::showServicesOf(Connection &connection, const QString &name, QLabel &clientId, GridList &list,
                                    ServiceFill fill)
{
    clientId.clear();
    list.clear();
    if (const auto link = linkOf(connection, name)) {
        clientId.setText(*link);
        fillServiceList(list, connection, fill, *link);
    }
}
