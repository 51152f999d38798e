#include "transaction.h"

#include "connection.h"
#include "engine.h"

Transaction::Transaction(Connection &connection) : m_connection(connection)
{
    m_connection.engine().begin(Engine::Intent::Write);
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
    try {
        m_connection.engine().rollback();
    } catch (...) {
        // The engine has already rolled back after the failure that brought us here.
    }
}

void Transaction::commit()
{
    m_connection.engine().commit();
    m_open = false;
}

ReadTransaction::ReadTransaction(Connection &connection) : m_connection(connection)
{
    m_connection.engine().begin(Engine::Intent::Read);
}

ReadTransaction::~ReadTransaction()
{
    try {
        m_connection.engine().commit();
    } catch (...) {
        // Nothing was written: a failed end leaves the store as it was.
    }
}
