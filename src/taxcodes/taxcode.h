#pragma once

#include "codecheck.h"
#include "territory.h"

#include <QDate>
#include <optional>

// The Italian tax code (codice fiscale) of a person: six letters of the
// names, year, month letter, day (plus 40 for a woman), the cadastral code
// of the place of birth and a check letter. Digits replaced by letters
// (omocodia) are read back before the date and place. An eleven-digit tax
// code, a company's, is checked as a VAT number.
namespace taxcode {

struct Birth
{
    QDate date;
    QChar sex; // 'M' or 'F'
    QString placeCode;
    std::optional<territory::Place> place;
};

// The verdict; for a valid person's code, the birth read from it.
CodeCheck check(const QString &code, std::optional<Birth> *birth = nullptr);

}
