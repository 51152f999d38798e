#pragma once

#include <QString>

// The desktop shortcut "Corbelia" to the program, written at every start as a
// freedesktop entry in the user's desktop folder.
namespace desktopshortcut {

inline constexpr const char *linkName = "Corbelia";

// The user's desktop folder.
QString desktopFolder();
// Writes (or rewrites) the entry; true when it was written. The comment
// names the store the program works on, so the user can find the file.
bool write(const QString &folder, const QString &name, const QString &target, const QString &storePath);

}
