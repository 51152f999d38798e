#pragma once

class Connection;

// The electronic invoices' own tables: the office (STUDIO), what a client
// or a reason needs beyond the register (FE_CLIENTI, FE_CAUSALI) and the
// files written (FE_FILE). Made on the first start of a store, so that the
// office can fill them from a script too; the register's tables are untouched.
namespace invoicetables {

void ensure(Connection &connection);

}
