#pragma once

#include "subcommand.h"

// "velmora-cli estratti": the month-end statements, one PDF per client.
extern const Subcommand estrattiCommand;
