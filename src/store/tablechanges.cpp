#include "tablechanges.h"

#include <QRegularExpression>

QStringList TableChanges::readBy(const QString &jetSql)
{
    static const QRegularExpression named(QStringLiteral("\\b(?:from|join)\\s+\\[?(\\w+)"),
                                          QRegularExpression::CaseInsensitiveOption);
    QStringList tables;
    for (auto match = named.globalMatch(jetSql); match.hasNext();)
        tables << match.next().captured(1).toUpper();
    tables.removeDuplicates();
    return tables;
}

void TableChanges::note(const QStringList &changed)
{
    for (const QString &table : changed) {
        if (table == QLatin1String("*"))
            noteEverything();
        else
            m_changed.insert(table.toUpper(), ++m_clock);
    }
}

quint64 TableChanges::countOf(const QStringList &tables) const
{
    quint64 count = m_everything;
    for (const QString &table : tables)
        count = std::max(count, m_changed.value(table.toUpper()));
    return count;
}
