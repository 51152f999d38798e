#include "shaping.h"

#include "store/recordset.h"
#include "store/storeerror.h"

#include <QHash>
#include <QRegularExpression>

namespace {

struct ShapeCommand
{
    QString parentSql;
    QString childSql;
    QString parentField;
    QString childField;
};

ShapeCommand parse(const QString &command)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*SHAPE\s*\{(.*)\}\s*APPEND\s*\(\s*\{(.*)\}\s*AS\s+\w+\s+RELATE\s+(\w+)\s+TO\s+(\w+)\s*\)\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption
            | QRegularExpression::InvertedGreedinessOption);
    const auto match = form.match(command);
    if (!match.hasMatch())
        throw StoreError(QStringLiteral("comando di raggruppamento non valido: %1").arg(command));
    return {match.captured(1), match.captured(2), match.captured(3), match.captured(4)};
}

int column(const ResultTable &table, const QString &name)
{
    const int index = table.columnIndex(name);
    if (index < 0)
        throw StoreError(QStringLiteral("campo di relazione non trovato: %1").arg(name));
    return index;
}

std::shared_ptr<const ResultTable> rows(Connection &connection, const QString &sql)
{
    Recordset recordset(connection, sql);
    return recordset.rows();
}

}

ReportData shaping::open(Connection &connection, const QString &command)
{
    const ShapeCommand shape = parse(command);
    const auto parents = rows(connection, shape.parentSql);
    const auto children = rows(connection, shape.childSql);
    const int parentKey = column(*parents, shape.parentField);
    const int childKey = column(*children, shape.childField);

    // The child rows of each key, in the child query's order.
    QHash<QString, std::vector<int>> byKey;
    for (int row = 0; row < children->rowCount(); ++row)
        byKey[children->field(row, childKey).text().toCaseFolded()].push_back(row);

    std::vector<int> kept;
    QList<std::shared_ptr<const ResultTable>> groups;
    for (int row = 0; row < parents->rowCount(); ++row) {
        const auto found = byKey.constFind(parents->field(row, parentKey).text().toCaseFolded());
        if (found == byKey.constEnd())
            continue;
        kept.push_back(row);
        groups << children->subset(*found);
    }
    return ReportData(parents->subset(kept), groups);
}
