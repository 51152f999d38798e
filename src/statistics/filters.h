#pragma once

#include <QString>

// The statistics filters as they stand at one moment: the texts of the
// lists and date fields, "Tutti", and the code of each kind looked up.
struct FilterValues
{
    QString client;
    QString reason;
    QString state; // "", "SI", "NO" or "TUTTI"
    QString operatorName;
    QString from; // the date fields' texts, as entered
    QString to;
    bool all = false; // "Tutti"
    // The codes found for the client, reason and operator chosen; empty
    // when that list is empty or its name was not found.
    QString clientCode;
    QString reasonCode;
    QString operatorCode;
};

// What a print rule does to the filters before or after its query. Every
// change goes through the controls, so ticks cascade as the user's clicks.
enum class FilterAction {
    EmptyClient,
    EmptyReason,
    EmptyState,
    EmptyOperator,
    EmptyDates,
    UntickAll, // "Tutti"
    UntickToday, // "Data odierna"
    EmptyCode, // T1
};
