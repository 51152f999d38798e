#pragma once

#include <QStringList>
#include <QTextStream>

// One subcommand of velmora-cli: its name, a line for the list of
// subcommands, its own help, and what it does with its arguments.
// run() returns the exit status: 0 done, 1 refused with a message on
// standard error, 2 a wrong command line.
struct Subcommand
{
    const char *name;
    const char *summary;
    const char *usage;
    int (*run)(const QStringList &arguments, QTextStream &out, QTextStream &err);
};
