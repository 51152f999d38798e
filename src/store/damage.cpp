#include "damage.h"

#include "storeerror.h"

namespace {

std::function<void(const StoreError &)> &reporter()
{
    static std::function<void(const StoreError &)> current;
    return current;
}

}

void damage::setReporter(std::function<void(const StoreError &)> newReporter)
{
    reporter() = std::move(newReporter);
}

void damage::report(const StoreError &error)
{
    if (reporter())
        reporter()(error);
}
