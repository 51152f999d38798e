#pragma once

#include "subcommand.h"

// "velmora-cli fattura": the FatturaPA file of one bill.
extern const Subcommand fatturaCommand;
