#pragma once

#include "store/connection.h"

#include <QTemporaryDir>

// A store filled with generated data of a busy office after some years:
// clients, reasons, operators and services spread over six years.
class GeneratedStore
{
public:
    GeneratedStore(int services, int clients);
    // The store every benchmark runs on: 100,000 services, 10,000 clients.
    static GeneratedStore &standard();

    Connection &connection() { return m_connection; }
    QString path() const;
    static QString clientName(int i);

private:
    QTemporaryDir m_dir;
    Connection m_connection;
};
