#pragma once

#include "einvoice/invoicerefused.h"

#include <QTextStream>

// The work of an e-invoice command, its exit status; a bill's refusal is
// told on standard error, and the status is 1.
template<typename Work>
int refusalTold(QTextStream &err, Work &&work)
{
    try {
        return work();
    } catch (const InvoiceRefused &refused) {
        err << refused.message << '\n';
        return 1;
    }
}
