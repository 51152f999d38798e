#include "servicelists.h"

#include "store/sqltext.h"
#include "ui/gridfill.h"

namespace {

constexpr Qt::Alignment Left = Qt::AlignLeft;
constexpr Qt::Alignment Centre = Qt::AlignHCenter;
constexpr Qt::Alignment Right = Qt::AlignRight;

// The editor's list: ID, date, client, reason, amount, operator, notes.
QList<GridColumn> shortColumns(int idTwips)
{
    return {{"ID", idTwips, Left},    {"REG.", 1200, Centre},    {"CLIENTE", 3000, Left}, {"CAUSALE", 2500, Left},
            {"IMPORTO", 1800, Right}, {"OPERATORE", 2000, Left}, {"NOTE", 3000, Left}};
}

// The search list: every column of PRESTAZIONI in its physical order. The
// links, times and notes are there at width 1 for the row selection.
QList<GridColumn> fullColumns(int idTwips)
{
    return {{"ID", idTwips, Left},   {"ANNO", 800, Centre},    {"MESE", 800, Left},       {"ID_CL", 1, Left},
            {"ID_OP", 1, Right},     {"ID_CAUS", 1, Right},    {"DATA", 1200, Left},      {"CLIENTE", 2500, Left},
            {"CAUSALE", 2500, Left}, {"GG", 1, Left},          {"ORE", 1, Left},          {"MIN", 1, Left},
            {"Q.TA'", 800, Left},    {"IMPORTO", 1800, Right}, {"OPERATORE", 2500, Left}, {"PARCELLA", 1500, Left},
            {"PAG.", 1200, Left},    {"NR.", 800, Left},       {"NOTE", 1, Left},         {"AGG", 1200, Left}};
}

// The billing list: the billing columns, PARC kept at width 1.
QList<GridColumn> billingColumns()
{
    return {{"ID", 500, Left},           {"CLIENTE", 3500, Left}, {"CAUSALE", 3000, Left},   {"IMPORTO", 1200, Right},
            {"DATA PARC", 1300, Centre}, {"NR", 1000, Left},      {"OPERATORE", 2100, Left}, {"PARC", 1, Left}};
}

const QString ShortSelect = QStringLiteral("SELECT ID,DATAR,CLIENTE,CAUSALE,IMPORTO, OPERATORE,NOTE");
const QString BillingSelect = QStringLiteral("SELECT ID,CLIENTE,CAUSALE,IMPORTO,DATAP,NR,OPERATORE");

struct FillDefinition
{
    QList<GridColumn> columns;
    QString sql;
    int amountColumn;
    AmountWeight weight = AmountWeight::Bold;
};

// The billing lists: the billing columns, amounts plain, the statement
// completed after its column list.
FillDefinition billing(const QString &rest)
{
    return {billingColumns(), BillingSelect + rest, 3, AmountWeight::Plain};
}

FillDefinition definition(ServiceFill fill, const QString &clientId)
{
    const QString client = doubledQuotes(clientId);
    switch (fill) {
    case ServiceFill::NewestFirst:
        return {shortColumns(500), ShortSelect + " FROM PRESTAZIONI  ORDER BY DATAR DESC  ;", 4};
    case ServiceFill::OldestFirst:
        return {shortColumns(800), ShortSelect + " FROM PRESTAZIONI  ORDER BY DATAR ASC  ;", 4};
    case ServiceFill::ClientStatement:
        return {shortColumns(500) << GridColumn{"ID_CL", 10, Left},
                ShortSelect + ",ID_CL FROM PRESTAZIONI WHERE ID_cl LIKE '" + client + "' ORDER BY DATAR DESC  ;", 4};
    case ServiceFill::SearchAll:
        return {fullColumns(800), "SELECT * FROM PRESTAZIONI  ORDER BY DATAR DESC  ;", 13};
    case ServiceFill::SearchBilled:
        return {fullColumns(500), "SELECT * FROM PRESTAZIONI  where PARC  like 'S' ORDER BY DATAR DESC  ;", 13};
    case ServiceFill::SearchUnbilled:
        return {fullColumns(800), "SELECT * FROM PRESTAZIONI   where PARC  like 'N' ORDER  BY DATAR DESC  ;", 13};
    case ServiceFill::SearchClient:
        return {fullColumns(800), "SELECT * FROM PRESTAZIONI  WHERE  ID_CL LIKE '" + client + "'  ORDER BY DATAR DESC  ;", 13};
    case ServiceFill::BillingBilled:
        return billing(",PARC FROM PRESTAZIONI  WHERE PARC LIKE 'S' ORDER BY DATAR DESC  ;");
    case ServiceFill::BillingUnbilled:
        return billing(",PARC FROM PRESTAZIONI  WHERE PARC LIKE 'N' ORDER BY DATAR DESC  ;");
    case ServiceFill::BillingAll:
        return billing(" FROM PRESTAZIONI  ORDER BY DATAR DESC  ;");
    case ServiceFill::BillingClientBilled:
        return billing(",PARC FROM PRESTAZIONI  WHERE PARC LIKE 'S' AND ID_CL LIKE '" + client + "'  ORDER BY DATAR DESC  ;");
    case ServiceFill::BillingClientUnbilled:
        return billing(",PARC FROM PRESTAZIONI  WHERE PARC LIKE 'N' AND ID_CL LIKE '" + client + "'  ORDER BY DATAR DESC  ;");
    }
    return {};
}

}

void fillServiceList(GridList &list, Connection &connection, ServiceFill fill, const QString &clientId)
{
    const FillDefinition how = definition(fill, clientId);
    fillGrid(list, connection, how.columns, how.sql, how.amountColumn, how.weight);
}
