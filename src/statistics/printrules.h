#pragma once

#include "filters.h"

#include <QList>

// The eighteen rules of "&Stampa": which filters select which report query,
// and what each rule changes around it. Read top to bottom, as tested.
namespace printrules {

enum class Need { Any, Empty, Set };

struct Condition
{
    Need dates; // both date fields empty, or both set
    Need all; // "Tutti": Set = ticked, Empty = unticked
    const char *state; // the state text required, or nullptr: not tested
    Need client;
    Need reason;
    Need operatorName;
};

struct Rule
{
    int number;
    Condition when;
    QList<FilterAction> before;
    int query; // Q1 to Q18
    QList<FilterAction> after;
};

const QList<Rule> &all();

bool matches(const Condition &condition, const FilterValues &filters);

}
