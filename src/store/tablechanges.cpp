#include "tablechanges.h"

#include <QRegularExpression>
#include <QSet>

QStringList TableChanges::readBy(const QString &jetSql, const QStringList &tables)
{
    static const QRegularExpression clock(QStringLiteral("\\b(?:date|now|time)\\s*\\("),
                                          QRegularExpression::CaseInsensitiveOption);
    return jetSql.contains(clock) ? QStringList() : named(jetSql, tables);
}

QStringList TableChanges::named(const QString &jetSql, const QStringList &tables)
{
    static const QRegularExpression word(QStringLiteral("\\w+"));
    QSet<QString> words;
    for (auto match = word.globalMatch(jetSql); match.hasNext();)
        words.insert(match.next().captured().toUpper());
    QStringList read;
    for (const QString &table : tables)
        if (words.contains(table.toUpper()))
            read << table;
    return read;
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

quint64 TableChanges::latest() const
{
    quint64 count = m_everything;
    for (quint64 changed : m_changed)
        count = std::max(count, changed);
    return count;
}

quint64 TableChanges::countOf(const QStringList &tables) const
{
    quint64 count = m_everything;
    for (const QString &table : tables)
        count = std::max(count, m_changed.value(table.toUpper()));
    return count;
}
