#pragma once

#include "storecopy.h"

// A copy of an archive on a server as a store file, in the encrypted form
// of every copy: read in one consistent state while the desks keep
// working, and checked against that same state table by table.
namespace snapshotcopy {

void write(Connection &server, const QString &path, const storecopy::Progress &progress = {});

}
