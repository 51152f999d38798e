#pragma once

#include "storeerror.h"

// For the steps the windows run "skipping every failing statement and going
// on": one step, its failure swallowed. Returns whether the step went through.
template<typename Step>
bool skipFailure(Step &&step)
{
    try {
        step();
        return true;
    } catch (const StoreError &) {
        return false;
    }
}
