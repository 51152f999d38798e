#pragma once

// How the store compares text: upper and lower case are equal, also for
// accented letters ("cantù" = "CANTÙ"); an accented letter sorts with its base
// letter ("Èrcole" before "Eva"), after the plain letter when all else is equal.
// Both work on UTF-8 bytes as SQLite hands them over, without allocating.
#include <QString>

namespace collation {

int compare(const char *a, int lengthA, const char *b, int lengthB);

// Jet LIKE with the ANSI wildcards "%" (any run) and "_" (one character);
// without wildcards it is an exact match under compare().
bool like(const char *text, int textLength, const char *pattern, int patternLength);

// Every character LIKE reads as another (a capital as its small letter),
// and what it reads it as, at the same places: a server folds texts with
// them to match as the store does.
struct Foldings
{
    QString from;
    QString to;
};
Foldings foldings();

}
