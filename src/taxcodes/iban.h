#pragma once

#include "codecheck.h"

// The IBAN (ISO 13616): two letters of the country, two check digits over
// the whole (modulo 97); an Italian one is 27 characters with the CIN
// letter after the check digits.
namespace iban {

CodeCheck check(const QString &code);

}
