#pragma once

#include <QStringList>

// A real process of the program's, killed (SIGKILL) after so many
// milliseconds unless it ended by itself; true when it was killed.
bool runKilledAfter(const QString &program, const QStringList &arguments, int milliseconds);

// The milliseconds a whole run of the process takes, to spread the kills
// over it.
int wholeRunMilliseconds(const QString &program, const QStringList &arguments);
