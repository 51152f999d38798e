#pragma once

#include <QList>
#include <QString>

class Connection;

// One desk of the load test: its mixed operations on the shared archive,
// and what became of each, for the checks afterwards.
struct DeskOutcome
{
    int accepted = 0;
    int refused = 0;
    // Refusals that reached the desk as a store error with a reason.
    int told = 0;
    QList<qint64> quantityRaised; // a service's QTA raised by one, each time
    QList<qint64> phoneRaised; // a client's Tel raised by one, each time
    QList<qint64> billed; // every service this desk billed
    QList<qint64> inserted;
    QList<qint64> deleted;
    int invoices = 0;

    // As one text file the coordinator reads back.
    QString text() const;
    static DeskOutcome fromText(const QString &text);
};

namespace deskwork {

// The year of the register's services the desks work on, and of the bills
// their e-invoices are made of (left alone by every other operation).
inline constexpr int ServiceYear = 2026;
inline constexpr int InvoiceYear = 2020;
inline constexpr int Bills = 20;

// The archive the desks start from: every count at zero, so each raise
// shows in the stored value.
void seed(Connection &archive, int services);

DeskOutcome work(Connection &archive, int desk, int operations, const QString &folder);

}
