#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class Connection;

// Moving an archive's rows between a store file and a server, and proving
// that both sides hold the same: for every table its rows, the sum of each
// amount column, its range of IDs and a checksum of its rows in ID order,
// worked out by the same code on each side.
namespace tablecopy {

struct Figures
{
    QString table;
    qint64 rows = 0;
    QList<qint64> amountSums; // one per amount column, in the table's order
    qint64 firstId = 0;
    qint64 lastId = 0;
    QByteArray checksum;

    bool operator==(const Figures &other) const = default;
};

// The figures of these tables, as the connection reads them now (inside
// the caller's read transaction when they must agree with a copy).
QList<Figures> figuresOf(Connection &connection, const QStringList &tables);

// Told after each table, with how many rows it held.
using Progress = std::function<void(const QString &table, qint64 rows)>;

// Copies every row of these tables into the same tables of the target,
// IDs kept, on the target's open transaction; a server's ID counters are
// set past the IDs copied. The target's tables must be there and empty.
void copyRows(Connection &from, Connection &to, const QStringList &tables, const Progress &progress = {});

// The tables of the first figures whose figures differ in the second.
QStringList differing(const QList<Figures> &expected, const QList<Figures> &found);

}
