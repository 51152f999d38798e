#pragma once

#include <QLockFile>
#include <QString>

// The lock beside the store ("Database.db.lock") that one running program
// holds for its whole run: a second program on the same store would
// silently overwrite the first one's changes. A lock left by a run that
// crashed is taken over. An archive on a server takes none.
class StoreLock
{
public:
    explicit StoreLock(const QString &storePath);

    // Takes the lock; a StoreError says who holds it, or that the store's
    // folder cannot be written.
    void acquire();

private:
    QLockFile m_file;
    bool m_shared;
};
