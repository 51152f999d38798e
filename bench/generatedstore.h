#pragma once

#include "store/connection.h"

#include <QTemporaryDir>
#include <memory>

// A store filled with generated data of a busy office after some years:
// clients, reasons, operators and services spread over six years. Each size
// is built once and kept in the benchmarks' cache folder
// (~/.cache/velmora-bench); every run works on a fresh copy of it, so what
// a benchmark writes never reaches the next run.
class GeneratedStore
{
public:
    // 10,000, 100,000 or 1,000,000 services, with 10,000, 10,000 and 50,000
    // clients unless told; one copy per size for the whole run.
    static GeneratedStore &sized(int services, int clients = 0);
    // A copy of its own, for a benchmark that changes the store's settings.
    static std::unique_ptr<GeneratedStore> copy(int services, int clients);
    // The store most benchmarks run on: 100,000 services, 10,000 clients.
    static GeneratedStore &standard() { return sized(100000); }

    Connection &connection() { return m_connection; }
    QString path() const;
    int clients() const { return m_clients; }
    static QString clientName(int i);

private:
    GeneratedStore(int services, int clients);
    static void build(const QString &path, int services, int clients);

    QTemporaryDir m_dir;
    Connection m_connection;
    int m_clients;
};
