#pragma once

#include "subcommand.h"

// "velmora-cli importa": clients, reasons, operators or services from a CSV,
// XLSX or ODS file, in one import run; or a run taken back.
extern const Subcommand importaCommand;
