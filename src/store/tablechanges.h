#pragma once

#include <QHash>
#include <QStringList>

#include <optional>
#include <vector>

// What an engine saw written since it was last asked: the tables changed
// ("*" when what changed is not known), and the rows added to tables that
// nothing else changed meanwhile.
struct SeenChanges
{
    QStringList tables;
    QHash<QString, std::vector<qint64>> added;

    bool isEmpty() const { return tables.isEmpty() && added.isEmpty(); }
};

// A count of the changes a connection has seen, table by table: a list read
// at one count need not be read again while the tables it reads stay at it.
class TableChanges
{
public:
    // The tables among these whose name is a word of the statement's text.
    static QStringList named(const QString &jetSql, const QStringList &tables);
    // The tables of the store a statement may read: those it names. None
    // when its rows also depend on the clock.
    static QStringList readBy(const QString &jetSql, const QStringList &tables);

    // Rows added beyond these, to one table, are not kept: a list that
    // waited that long is read again.
    static constexpr size_t KeptAdditions = 1000;

    void note(const SeenChanges &seen);
    // Every table may have changed: another store, a new session.
    void noteEverything() { m_everything = ++m_clock; }
    // The count at which one of these tables last changed.
    quint64 countOf(const QStringList &tables) const;
    // The count of the latest change of any table.
    quint64 latest() const;
    // A count no list was read at.
    quint64 fresh() { return ++m_clock; }
    // The keys of the rows added to the table after that count, when
    // nothing else changed it since; none otherwise.
    std::optional<std::vector<qint64>> addedSince(const QString &table, quint64 count) const;

private:
    struct Addition
    {
        quint64 count;
        qint64 key;
    };

    quint64 m_clock = 0;
    quint64 m_everything = 0;
    QHash<QString, quint64> m_changed;
    QHash<QString, quint64> m_changedOtherwise;
    QHash<QString, std::vector<Addition>> m_added; // since the table last changed otherwise
};
