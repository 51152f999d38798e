#pragma once

#include "storedvalue.h"

#include <QList>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement of the store's own SQL. Exactly one statement per
// text: anything after the first one is refused, not run.
class Statement
{
public:
    Statement(sqlite3 *db, const QByteArray &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bind(int position, const StoredValue &value);
    // Binds the values handed over with the SQL text, in order: whole
    // numbers as integers, dates in the store's date form, anything else as
    // text.
    void bindAll(const QList<QVariant> &values);
    // Steps once; true while a row is there.
    bool step();
    // A whole number of the current row, by position.
    qint64 integer(int column) const;
    // Steps to the end and returns the rows changed.
    int run();
    // Ready to run again with new values.
    void reset();

    sqlite3_stmt *handle() const { return m_stmt; }

private:
    [[noreturn]] void fail(int code) const;

    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};
