#pragma once

#include "codecheck.h"

// The VAT numbers of the other EU states (and a few neighbours), checked by
// the form each state gives them; their check digits are not verified, so
// a number of the right form is "not checkable", one of the wrong form not
// valid.
namespace foreignvat {

// The number after its two-letter prefix, for the state of that prefix;
// not checkable for a state whose form is not known here.
CodeCheck check(const QString &country, const QString &number);

}
