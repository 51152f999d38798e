#pragma once

#include <QHash>
#include <QStringList>

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

    // These tables changed; "*" when what changed is not known.
    void note(const QStringList &changed);
    // Every table may have changed: another store, a new session.
    void noteEverything() { m_everything = ++m_clock; }
    // The count at which one of these tables last changed.
    quint64 countOf(const QStringList &tables) const;
    // The count of the latest change of any table.
    quint64 latest() const;
    // A count no list was read at.
    quint64 fresh() { return ++m_clock; }

private:
    quint64 m_clock = 0;
    quint64 m_everything = 0;
    QHash<QString, quint64> m_changed;
};
