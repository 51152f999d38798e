#pragma once

#include "engine.h"
#include "storedvalue.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

class Connection;

// One prepared statement of the engine's own SQL. Exactly one statement per
// text: anything after the first one is refused, not run.
class Statement
{
public:
    Statement(Connection &connection, const QByteArray &sql);
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bind(int position, const StoredValue &value) { m_statement->bind(position, value); }
    // Binds the values handed over with the SQL text, in order: whole
    // numbers as integers, dates in the store's date form, anything else as
    // text.
    void bindAll(const QList<QVariant> &values);
    // Steps once; true while a row is there.
    bool step() { return m_statement->step(); }
    // A whole number of the current row, by position.
    qint64 integer(int column) const { return m_statement->cell(column).integer; }
    // A text of the current row, by position.
    QString text(int column) const;
    // Steps to the end and returns the rows changed.
    int run();
    // Ready to run again with new values.
    void reset() { m_statement->reset(); }

    const EngineStatement &rows() const { return *m_statement; }

private:
    std::unique_ptr<EngineStatement> m_statement;
};
