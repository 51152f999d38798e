#pragma once

#include "codecheck.h"

// The Italian VAT number (partita IVA): eleven digits, the last a check
// digit over the first ten, digits eight to ten the tax office's code. A
// leading "IT" is allowed; another country's prefix is checked by that
// country's form.
namespace vatnumber {

CodeCheck check(const QString &number);
// The eleven digits alone ("IT 0123..." becomes "0123..."), for comparing.
QString canonical(const QString &number);

}
