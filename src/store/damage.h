#pragma once

#include <functional>

class StoreError;

// A store found damaged is used for reading only from then on (see
// Engine::markDamaged), and the user is told even where a procedure skips
// its failures.
namespace damage {

// Who tells the user; the program's home window sets it while it lives.
void setReporter(std::function<void(const StoreError &)> reporter);
void report(const StoreError &error);

}
