#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Files that are either whole under their final name or not there at all:
// written under a name of their own, synced, then renamed into place with
// their folder synced, so neither a kill nor a power cut leaves half a file
// where a whole one is expected.
namespace durablefile {

// The name a file is made under until it is whole: the final name with
// ".parziale-<pid>", so a later run can tell the leftover of a process that
// no longer runs from one still at work.
QString partialName(const QString &finalPath);
// Whether a name is such a leftover of a process that no longer runs.
bool isLeftover(const QString &fileName);

// What becomes of a file already under the final name.
enum class Existing { Refused, Replaced };

// Makes a file (or a folder of files) that is whole or absent: `write`
// fills the partial name it is given, which is then synced and moved into
// place; on any failure what was written is removed, a journal beside it
// too, and the StoreError goes on. An existing file is refused (a
// StoreError) unless it is to be replaced, in one step.
void make(const QString &finalPath, const std::function<void(const QString &partial)> &write,
          Existing existing = Existing::Refused);

// Writes every byte to the file and syncs it; a StoreError says why not
// (a full disk among the causes).
void writeWhole(const QString &path, const QByteArray &bytes);
// Copies a file byte for byte into a new file and syncs it; a StoreError
// says why not, and leaves no part of it.
void copyWhole(const QString &from, const QString &to);
// Syncs a whole file (or folder), puts it under its final name, never over
// one that is there, and syncs the folder; a StoreError says why not.
void moveIntoPlace(const QString &from, const QString &to);
// The same over an existing file, which is replaced in one step.
void replace(const QString &from, const QString &to);
// Makes a file, or a folder with its latest renames and new names, survive
// a power cut.
void syncPath(const QString &path);

}
