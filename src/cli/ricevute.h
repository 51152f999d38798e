#pragma once

#include "subcommand.h"

// "velmora-cli ricevute": the SdI's notifications in a folder, kept with
// their invoices; "velmora-cli fatture": the bills of a year and the
// state of their files.
extern const Subcommand ricevuteCommand;
// "velmora-cli invia": a bill's latest file sent to the SdI by PEC.
extern const Subcommand inviaCommand;
// "velmora-cli conserva": the year's files and notifications in one ZIP.
extern const Subcommand conservaCommand;
extern const Subcommand fattureCommand;
