#pragma once

class Connection;

// All-or-nothing for a write of many rows: rolled back unless committed, so a
// failure part-way leaves the store as it was.
class Transaction
{
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    Connection &m_connection;
    bool m_open = true;
};
