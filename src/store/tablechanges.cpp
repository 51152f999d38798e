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

void TableChanges::note(const SeenChanges &seen)
{
    if (seen.isEmpty())
        return;
    const quint64 count = ++m_clock;
    for (auto added = seen.added.begin(); added != seen.added.end(); ++added) {
        const QString table = added.key().toUpper();
        m_changed.insert(table, count);
        std::vector<Addition> &kept = m_added[table];
        if (kept.size() + added->size() > KeptAdditions) {
            kept.clear();
            m_changedOtherwise.insert(table, count);
            continue;
        }
        for (qint64 key : *added)
            kept.push_back({count, key});
    }
    for (const QString &changed : seen.tables) {
        if (changed == QLatin1String("*")) {
            m_everything = count;
            continue;
        }
        const QString table = changed.toUpper();
        m_changed.insert(table, count);
        m_changedOtherwise.insert(table, count);
        m_added.remove(table);
    }
}

std::optional<std::vector<qint64>> TableChanges::addedSince(const QString &table, quint64 count) const
{
    const QString name = table.toUpper();
    if (m_everything > count || m_changedOtherwise.value(name) > count)
        return std::nullopt;
    std::vector<qint64> keys;
    if (const auto kept = m_added.constFind(name); kept != m_added.constEnd())
        for (const Addition &addition : *kept)
            if (addition.count > count)
                keys.push_back(addition.key);
    return keys;
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
