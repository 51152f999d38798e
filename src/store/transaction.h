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

// Many reads that belong together (the bills of a year, each worked out):
// they see one state of the store and take its lock once, not once each.
class ReadTransaction
{
public:
    explicit ReadTransaction(Connection &connection);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction &) = delete;
    ReadTransaction &operator=(const ReadTransaction &) = delete;

private:
    Connection &m_connection;
};
