#pragma once

#include <QString>

// Text fit for a file name on every file system an office meets: the
// characters none of them takes (slashes, colons, quotes, controls) become
// the replacement.
QString fileNameText(const QString &text, const QString &replacement);
