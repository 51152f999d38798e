#pragma once

#include <QStringList>

// "--archivio FILE" taken out of the arguments: that store, or the one the
// program itself uses. Empty when the option lacks its file.
QString takeStorePath(QStringList &arguments);
// "--cartella DIR" taken out of the arguments, or empty.
QString takeFolder(QStringList &arguments);
