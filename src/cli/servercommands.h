#pragma once

#include "subcommand.h"

// "velmora-cli server": setting up the office's archive on a PostgreSQL
// server (prepara, utente, importa, ripristina).
extern const Subcommand serverCommand;
