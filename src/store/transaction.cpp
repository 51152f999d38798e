#include "transaction.h"

#include "connection.h"

Transaction::Transaction(Connection &connection)
    : m_connection(connection)
{
    m_connection.execute(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
    try {
        m_connection.execute(QStringLiteral("ROLLBACK"));
    } catch (...) {
        // SQLite has already rolled back after the failure that brought us here.
    }
}

void Transaction::commit()
{
    m_connection.execute(QStringLiteral("COMMIT"));
    m_open = false;
}

ReadTransaction::ReadTransaction(Connection &connection)
    : m_connection(connection)
{
    m_connection.execute(QStringLiteral("BEGIN"));
}

ReadTransaction::~ReadTransaction()
{
    try {
        m_connection.execute(QStringLiteral("COMMIT"));
    } catch (...) {
        // Nothing was written: a failed end leaves the store as it was.
    }
}
