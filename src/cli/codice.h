#pragma once

#include "subcommand.h"

// "velmora-cli codice CODICE": the verdict on a tax code or VAT number and,
// for a person's valid tax code, the birth it tells.
extern const Subcommand codiceCommand;
