#pragma once

class Connection;

namespace postgres {

// The archive's triggers that write each change of the kept tables to
// STORIA in the transaction of the change, whichever desk makes it, and
// tell the other desks at its commit which tables changed.
void installHistory(Connection &connection);
// A copy put in place of the rows brings its own history: its rows are not
// changes of anyone's. Only the archive's owner may pause it.
void pauseHistory(Connection &connection, bool paused);

}
