#pragma once

#include <QString>

// Why a bill cannot become an electronic invoice: the rule and the field,
// in the office's words ("Manca il codice destinatario o la PEC del cliente
// ROSSI MARIO"). Nothing was written.
struct InvoiceRefused
{
    QString message;
};
