#pragma once

#include "records/serviceentry.h"

#include <optional>

// The checks of the service editor's saves, in the order the user meets
// them: first the required fields, then the values the store must take.
namespace servicecheck {

enum class Saving { Insert, Update };
enum class Field { Date, Operator, Client, Reason, Amount, Cost, Days, Hours, Minutes, Quantity, BillingDate };

struct Problem
{
    Field field;
    QString title;
    QString text;
};

// The message for a field whose text is no value of its kind.
Problem invalid(Field field, const QString &name);

// The first required field left empty.
std::optional<Problem> firstMissing(const ServiceEntry &entry, Saving saving);
// The first field whose text is not a date or number of its kind; on
// update the amount typed is not used, the cost is.
std::optional<Problem> firstInvalid(const ServiceEntry &entry, Saving saving);

}
