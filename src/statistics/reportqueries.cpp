#include "reportqueries.h"

#include "store/sqltext.h"
#include "store/valueconversion.h"

namespace reportqueries {

namespace {

using enum Value;
constexpr Layout Estratto = Layout::Estratto;
constexpr Layout Parcellati = Layout::ReportParcellati;

const char *const P1 = "SELECT DATAR  ,CLIENTE, CAUSALE ,IMPORTO  ,OPERATORE ,DATAP,NR,PARC,AGG,id_cl,NOTE FROM "
                       "PRESTAZIONI  WHERE  (DATAR >= #";
const char *const P2 = "SELECT DATAR  ,CLIENTE, CAUSALE ,IMPORTO  ,OPERATORE ,DATAP,NR,PARC,AGG,id_cl,NOTE FROM "
                       "PRESTAZIONI  WHERE   (DATAR >= #";
const char *const P3 = "SELECT DATAR  ,CLIENTE, CAUSALE ,IMPORTO  ,OPERATORE ,DATAP,NR,PARC,AGG,id_cl,NOTE FROM "
                       "PRESTAZIONI  WHERE    (DATAR >= #";
const char *const M = "# AND DATAR <= #";
const char *const E1 = "'  ORDER BY CLIENTE,DATAR,OPERATORE;";
const char *const E2 = "' ORDER BY CLIENTE,DATAR,OPERATORE;";
const char *const Statement = "SELECT ID_CL, DATAR,CAUSALE,QTA,NOTE,IMPORTO  ,OPERATORE , PARC FROM PRESTAZIONI  WHERE  ";

// The report header of a period: its title, then the two dates as entered.
QList<Caption> period(QList<Piece> title)
{
    return {{"Label9", std::move(title)}, {"Label13", {FromText}}, {"Label17", {ToText}}};
}

const QList<Caption> OfClient{{"Label2", {ClientText}}, {"Label11", {""}}};

const QList<Query> Queries{
    {1, {Statement, "ID_CL = '", ClientNumber, "' ORDER BY DATAR ;"}, Estratto, OfClient, true},
    {2, {Statement, "PARC like 'S' AND ID_CL LIKE '", ClientCode, "'  ORDER BY DATAR ;"}, Estratto, OfClient},
    {3, {Statement, " PARC LIKE 'N' and ID_CL LIKE '", ClientCode, "' ORDER BY DATAR ;"}, Estratto, OfClient},
    {4,
     {"SELECT DATAR  ,CLIENTE, CAUSALE ,IMPORTO  ,OPERATORE , PARC,ANNO,QTA,NOTE  FROM PRESTAZIONI  WHERE  CAUSALE LIKE '",
      ReasonText, "' and ID_CL like '", ClientCode, E2},
     Estratto,
     {{"Label2", {ReasonText}}}},
    {5,
     {"SELECT DATAR  ,CLIENTE, CAUSALE ,IMPORTO  ,OPERATORE , PARC,ANNO,QTA,NOTE,DATAP,NR,NOTE FROM PRESTAZIONI  WHERE  "
      "CAUSALE LIKE '",
      ReasonText, "' and PARC LIKE 'S' ORDER BY CLIENTE,DATAR,OPERATORE;"},
     Parcellati,
     {{"Label9", {ReasonText}}}},
    {6,
     {"SELECT DATAR  ,CLIENTE, CAUSALE ,IMPORTO  ,OPERATORE , PARC,ANNO,QTA,NOTE,DATAP,NR,NOTE  FROM PRESTAZIONI  WHERE  "
      "CAUSALE LIKE '",
      ReasonText, "' and PARC LIKE 'N' ORDER BY CLIENTE,DATAR,OPERATORE;"},
     Parcellati,
     {{"Label9", {ReasonText}}}},
    {7, {P1, From, M, To, "#) AND PARC LIKE 'S' AND ID_CL LIKE '", ClientCode, E1}, Parcellati, period({ClientText})},
    {8, {P1, From, M, To, "#) AND PARC LIKE 'N' AND ID_CL LIKE '", ClientCode, E1}, Parcellati, period({ClientText})},
    {9, {P2, From, M, To, "#) AND ID_CL LIKE '", ClientCode, E1}, Parcellati, period({ClientText})},
    {10,
     {P2, From, M, To, "#) and  PARC LIKE 'S' ORDER BY CLIENTE,DATAR,OPERATORE;"},
     Parcellati,
     period({"Tutti i Clienti Parcellati"})},
    {11, {P2, From, M, To, "#) and PARC LIKE 'N' ORDER BY CLIENTE,DATAR,OPERATORE;"}, Parcellati, period({"Tutti i Clienti"})},
    {12, {P2, From, M, To, "#)  ORDER BY CLIENTE,DATAR,OPERATORE;"}, Parcellati, period({"Tutti i Clienti"})},
    {13,
     {"SELECT DATAR  ,CLIENTE, CAUSALE ,IMPORTO  ,OPERATORE ,DATAP,NR,PARC,AGG,id_cl,NOTE FROM PRESTAZIONI  WHERE   "
      "CDATE(DATAR) >= '",
      FirstDate, "' AND cdate(DATAR) <= '", SecondDate, "'and  PARC LIKE 'S' AND ID_OPER LIKE '", OperatorCode, E2},
     Parcellati,
     period({"Operatore con Clienti Parcellati : ", OperatorText})},
    {14,
     {P2, From, M, To, "#) and  PARC LIKE 'N' AND ID_OPER LIKE '", OperatorCode, E2},
     Parcellati,
     period({"Operatore con Clienti non Parcellati :  ", OperatorText})},
    {15,
     {P2, From, M, To, "#) and ID_OPER like '", OperatorCode, E1},
     Parcellati,
     period({" Operatore con tutti i Clienti :  ", OperatorText})},
    {16,
     {P2, From, M, To, "#) and  PARC LIKE 'S' AND ID_CAUS LIKE '", ReasonCode, E2},
     Parcellati,
     period({"Causale con Clienti Parcellati : ", ReasonText})},
    {17,
     {P3, From, M, To, "#) and  PARC LIKE 'N' AND ID_CAUS LIKE '", ReasonCode, E2},
     Parcellati,
     period({"Causale con Clienti non Parcellati :  ", ReasonText})},
    {18,
     {P2, From, M, To, "#)  AND ID_CAUS LIKE '", ReasonCode, E2},
     Parcellati,
     period({" Causale con tutti i Clienti : ", ReasonText})},
};

// A date typed day first, in the form given; none when it is not a date.
template<typename Form>
std::optional<QString> dateOf(const QString &text, Form form)
{
    const auto date = parseDayFirstDate(text);
    return date ? std::optional(form(*date)) : std::nullopt;
}

QString shortDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

std::optional<QString> valueOf(Value value, const FilterValues &filters)
{
    switch (value) {
    case From:
        return dateOf(filters.from, monthFirstDate);
    case To:
        return dateOf(filters.to, monthFirstDate);
    case FirstDate:
        return dateOf(filters.from, shortDate);
    case SecondDate:
        return dateOf(filters.to, shortDate);
    case ClientNumber:
        return clientNumber(filters);
    case ClientCode:
        return filters.clientCode;
    case ReasonCode:
        return filters.reasonCode;
    case OperatorCode:
        return filters.operatorCode;
    case ClientText:
        return filters.client;
    case ReasonText:
        return filters.reason;
    case OperatorText:
        return filters.operatorName;
    case FromText:
        return filters.from;
    case ToText:
        return filters.to;
    }
    return std::nullopt;
}

}

const Query &query(int number)
{
    return Queries.at(number - 1);
}

std::optional<QString> sql(const Query &query, const FilterValues &filters)
{
    QString text;
    for (const Piece &piece : query.sql) {
        if (!piece.value) {
            text += piece.text;
            continue;
        }
        const auto value = valueOf(*piece.value, filters);
        if (!value)
            return std::nullopt;
        // Every value sits between the quotes of a comparison with a stored
        // name or code: a name's own "%" and "_" must find only that name.
        text += likeLiteral(*value);
    }
    return text;
}

QString caption(const Caption &caption, const FilterValues &filters)
{
    QString text;
    for (const Piece &piece : caption.text)
        text += piece.value ? valueOf(*piece.value, filters).value_or(QString()) : piece.text;
    return text;
}

QString clientNumber(const FilterValues &filters)
{
    return QString::number(filters.clientCode.toLongLong());
}

}
