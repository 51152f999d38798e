#pragma once

#include "filters.h"

#include <QList>
#include <optional>

// The eighteen report queries of the statistics window: the SQL joined from
// fixed pieces and filter values, the layout that prints the rows, and the
// captions the window puts into the layout's report header.
namespace reportqueries {

enum class Value {
    From, // first date field, as "mm/dd/yyyy"
    To, // second date field, as "mm/dd/yyyy"
    FirstDate, // first date field, as a short date "dd/mm/yyyy"
    SecondDate, // second date field, as a short date
    ClientNumber, // the client's code as a number (0 when there is none)
    ClientCode,
    ReasonCode,
    OperatorCode,
    ClientText,
    ReasonText,
    OperatorText,
    FromText, // the date fields' texts, as entered
    ToText,
};

// A fixed text, or the place of a value.
struct Piece
{
    Piece(const char *fixed) : text(QString::fromUtf8(fixed)) {}
    Piece(Value place) : value(place) {}

    QString text;
    std::optional<Value> value;
};

enum class Layout { Estratto, ReportParcellati };

struct Caption
{
    const char *label;
    QList<Piece> text;
};

struct Query
{
    int number;
    QList<Piece> sql;
    Layout layout;
    QList<Caption> captions;
    // The plain message with the client's code, before the preview.
    bool showsClientCode = false;
};

const Query &query(int number); // 1 to 18

// The query's SQL, every value between quotes with its "'" doubled; none
// when a date the query needs does not read as a date.
std::optional<QString> sql(const Query &query, const FilterValues &filters);
QString caption(const Caption &caption, const FilterValues &filters);
QString clientNumber(const FilterValues &filters);

}
