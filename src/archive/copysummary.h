#pragma once

#include "backup.h"

#include <QDate>
#include <optional>

// What a copy of the store holds and what its check finds, for choosing
// which one to put back.
struct CopySummary
{
    backup::Copy copy;
    qint64 bytes = 0;
    // None when the copy cannot be read.
    std::optional<qint64> clients, services, billed;
    QDate latestService;
    // What the check of the copy's structure found; empty when sound.
    QString problems;

    bool verified() const { return clients.has_value() && problems.isEmpty(); }
    static CopySummary of(const backup::Copy &copy);
};
