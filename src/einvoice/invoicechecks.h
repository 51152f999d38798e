#pragma once

#include <optional>

struct BillSource;
struct Office;

// What the office profile, the client and the reasons must give before a
// bill becomes an invoice. Refuses (InvoiceRefused) with every missing or
// wrong item, one per line, each naming the field and, where it has one,
// the SdI's rule.
namespace invoicechecks {

const Office &requireComplete(const std::optional<Office> &office, const BillSource &bill);

}
