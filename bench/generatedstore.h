#pragma once

#include "store/connection.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <memory>

// A store filled with generated data of a busy office after some years:
// clients, reasons, operators and services spread over six years. Each size
// is built once and kept in the benchmarks' cache folder
// (~/.cache/velmora-bench); every run works on a fresh copy of it, so what
// a benchmark writes never reaches the next run.
//
// On the server (VELMORA_BENCH_SERVER, a connection string of a role that
// may create databases, over a Unix socket) the same store is imported into
// a database of its own, dropped at the end of the run.
class GeneratedStore
{
public:
    enum class Engine { File, Server };
    // 10,000, 100,000 or 1,000,000 services, with 10,000, 10,000 and 50,000
    // clients unless told; one copy per size and engine for the whole run.
    static GeneratedStore &sized(int services, int clients = 0, Engine engine = Engine::File);
    // A benchmark's store: its first argument the services, its second 0
    // for the file and 1 for the server; without a server to run
    // on, the server's run is skipped.
    static GeneratedStore &of(benchmark::State &state);
    // A benchmark's runs at 10,000, 100,000 and 1,000,000 services, on the
    // file and on the server side by side.
    static void onBothEngines(benchmark::internal::Benchmark *benchmark);
    ~GeneratedStore();
    // A copy of its own, for a benchmark that changes the store's settings.
    static std::unique_ptr<GeneratedStore> copy(int services, int clients, Engine engine = Engine::File);
    // The store most benchmarks run on: 100,000 services, 10,000 clients.
    static GeneratedStore &standard() { return sized(100000); }

    Connection &connection() { return m_connection; }
    QString path() const;
    int clients() const { return m_clients; }
    static QString clientName(int i);

private:
    GeneratedStore(int services, int clients, Engine engine);
    static void build(const QString &path, int services, int clients);

    QTemporaryDir m_dir;
    QString m_database;
    Connection m_connection;
    int m_clients;
};
