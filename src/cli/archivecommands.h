#pragma once

#include "subcommand.h"

// "velmora-cli verifica": whether the store is sound, with its counts.
extern const Subcommand verificaCommand;
// "velmora-cli copia": a verified copy of the store.
extern const Subcommand copiaCommand;
// "velmora-cli ripristina": a copy put back in place of the store.
extern const Subcommand ripristinaCommand;
// "velmora-cli esporta": the whole archive as XLSX, CSV or plain SQLite.
extern const Subcommand esportaCommand;
