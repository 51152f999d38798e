#pragma once

#include "store/storeerror.h"

namespace sqlite {

// The Italian reading of an SQLite result code, with the engine's own detail.
StoreError errorOf(int code, const char *detail);

}
