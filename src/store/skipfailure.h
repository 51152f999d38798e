#pragma once

#include "damage.h"
#include "storeerror.h"

// For the steps the windows run "skipping every failing statement and going
// on": one step, its failure swallowed. Returns whether the step went through.
// A damaged store is never passed over in silence: the user is told, and the
// store already refuses every write.
template<typename Step>
bool skipFailure(Step &&step)
{
    try {
        step();
        return true;
    } catch (const StoreError &error) {
        if (error.isDamage())
            damage::report(error);
        return false;
    }
}
