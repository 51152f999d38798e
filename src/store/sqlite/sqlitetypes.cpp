#include "sqlitetypes.h"

#include "store/schema.h"

#include <cstring>

namespace {

struct Declaration
{
    ColumnType type;
    const char *name;
};

constexpr Declaration declarations[] = {
    {ColumnType::Integer, "INTEGER"}, {ColumnType::Number, "NUMBER"}, {ColumnType::Money, "MONEY"},
    {ColumnType::Date, "DATE"},       {ColumnType::Text, "TEXT"},
};

}

ColumnType sqlite::typeOfDeclaration(const char *declaredType)
{
    if (!declaredType)
        return ColumnType::Unknown;
    for (const auto &d : declarations)
        if (strncasecmp(declaredType, d.name, std::strlen(d.name)) == 0)
            return d.type;
    return ColumnType::Unknown;
}

QString sqlite::declarationOf(ColumnType type, bool collated)
{
    for (const auto &d : declarations)
        if (d.type == type)
            return type == ColumnType::Text && collated
                ? QStringLiteral("TEXT COLLATE %1").arg(QLatin1String(schema::textCollation))
                : QString::fromLatin1(d.name);
    return QString();
}
