#pragma once

#include "subcommand.h"

// "velmora-cli fattura": the FatturaPA file of one bill.
extern const Subcommand fatturaCommand;
// "velmora-cli nota": the credit note of a whole bill.
extern const Subcommand notaCommand;
