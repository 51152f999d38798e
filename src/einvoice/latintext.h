#pragma once

#include <QString>

// Text as the invoice's fields take it: Latin-1 characters alone, on one
// line. Typographic quotes and dashes become their plain forms, accented
// letters outside Latin-1 their bare letter, the euro sign "EUR", anything
// else "?"; cut to the field's length.
QString latinText(const QString &text, int maxLength);
