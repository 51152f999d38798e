#include "postgrestypes.h"

namespace {

struct Declaration
{
    ColumnType type;
    const char *name;
};

constexpr Declaration declarations[] = {
    {ColumnType::Integer, "bigint"},  {ColumnType::Number, "double precision"},
    {ColumnType::Money, "centesimi"}, {ColumnType::Date, "date"},
    {ColumnType::Text, "text"},
};

}

ColumnType postgres::typeOfDeclaration(const QString &declared)
{
    for (const auto &d : declarations)
        if (declared == QLatin1String(d.name))
            return d.type;
    return ColumnType::Unknown;
}

QString postgres::declarationOf(ColumnType type, bool collated)
{
    // The register's texts compare as the office reads them; the others
    // under the database's own collation, which gives way to the register's
    // where the two meet.
    if (type == ColumnType::Text && collated)
        return QStringLiteral("text COLLATE italian");
    for (const auto &d : declarations)
        if (d.type == type)
            return QString::fromLatin1(d.name);
    return QString();
}
