#include "printrules.h"

namespace printrules {

namespace {

using enum FilterAction;
constexpr Need Any = Need::Any;
constexpr Need Empty = Need::Empty;
constexpr Need Set = Need::Set;

// Rules 7 to 18 share their actions by threes.
const QList<FilterAction> ForOperator{EmptyReason, EmptyClient, UntickAll};
const QList<FilterAction> ForReason{UntickAll, EmptyOperator};
const QList<FilterAction> AfterPeriod{UntickToday, EmptyCode};

bool holds(Need need, bool set)
{
    return need == Any || (need == Set) == set;
}

}

const QList<Rule> &all()
{
    // number, {dates, "Tutti", state, client, reason, operator}, before, query, after
    static const QList<Rule> rules{
        {1, {Empty, Any, "TUTTI", Set, Any, Any}, {EmptyReason, EmptyState, EmptyDates, UntickAll}, 1, {}},
        {2, {Empty, Any, "SI", Set, Any, Any}, {EmptyReason, UntickAll}, 2, {}},
        {3, {Empty, Any, "NO", Set, Any, Any}, {EmptyReason, UntickAll}, 3, {}},
        {4, {Empty, Any, nullptr, Set, Set, Any}, {EmptyState, EmptyDates, UntickAll}, 4, {}},
        {5, {Empty, Any, "SI", Any, Set, Any}, {EmptyDates, UntickAll}, 5, {}},
        {6, {Empty, Any, "NO", Any, Set, Any}, {EmptyDates, UntickAll}, 6, {}},
        {7, {Set, Empty, "SI", Set, Empty, Any}, {EmptyReason}, 7, {UntickToday}},
        {8, {Set, Empty, "NO", Set, Empty, Any}, {EmptyReason}, 8, {UntickToday}},
        {9, {Set, Empty, "TUTTI", Set, Empty, Any}, {EmptyReason}, 9, {UntickToday}},
        {10, {Set, Set, "SI", Empty, Empty, Any}, {}, 10, {UntickAll}},
        {11, {Set, Set, "NO", Empty, Empty, Any}, {}, 11, {UntickAll}},
        {12, {Set, Set, "TUTTI", Empty, Empty, Any}, {}, 12, {UntickAll}},
        {13, {Set, Empty, "SI", Empty, Empty, Set}, ForOperator, 13, {EmptyCode, UntickToday}},
        {14, {Set, Empty, "NO", Any, Empty, Set}, ForOperator, 14, AfterPeriod},
        {15, {Set, Empty, "TUTTI", Any, Empty, Set}, ForOperator, 15, AfterPeriod},
        {16, {Set, Empty, "SI", Empty, Set, Any}, ForReason, 16, AfterPeriod},
        {17, {Set, Empty, "NO", Empty, Set, Any}, ForReason, 17, AfterPeriod},
        {18, {Set, Empty, "TUTTI", Empty, Set, Any}, ForReason, 18, AfterPeriod},
    };
    return rules;
}

bool matches(const Condition &condition, const FilterValues &filters)
{
    const bool fromSet = !filters.from.isEmpty();
    const bool toSet = !filters.to.isEmpty();
    // "from and to empty" and "from and to set" both speak of the pair.
    if (condition.dates != Any && (fromSet != toSet || !holds(condition.dates, fromSet)))
        return false;
    if (condition.state && filters.state != QLatin1String(condition.state))
        return false;
    return holds(condition.all, filters.all) && holds(condition.client, !filters.client.isEmpty())
        && holds(condition.reason, !filters.reason.isEmpty()) && holds(condition.operatorName, !filters.operatorName.isEmpty());
}

}
