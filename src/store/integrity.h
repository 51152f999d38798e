#pragma once

#include <QString>

// The full check of a store file's structure, on a connection of its own so
// that it can run beside the program's work.
namespace integrity {

// Empty when the file is sound; otherwise what is wrong, in Italian.
QString problemsOf(const QString &path);

}
