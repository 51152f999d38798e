#pragma once

#include "backup.h"

#include <QDate>
#include <optional>

// What a copy of the store holds, for choosing which one to put back.
struct CopySummary
{
    backup::Copy copy;
    qint64 bytes = 0;
    // None when the copy cannot be read.
    std::optional<qint64> clients, services, billed;
    QDate latestService;

    bool readable() const { return clients.has_value(); }
    static CopySummary of(const backup::Copy &copy);
};
