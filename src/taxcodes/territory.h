#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The Italian municipalities, current and ceased, and the foreign states,
// by their cadastral code and period of validity, as the program carries
// them (ANPR). Read once, on first use.
namespace territory {

struct Place
{
    QString name;
    QString province; // empty abroad
    bool abroad = false;
};

struct Municipality
{
    QString name;
    QString province;
    QStringList postalCodes; // several for the larger towns; may be none
};

// Where a code (in capitals) born on that date points: the municipality valid then (or,
// when the date falls outside every period of the code, the nearest one),
// or the foreign state; none for a code that never existed.
std::optional<Place> placeOf(const QString &cadastralCode, const QDate &date);
// The municipalities of today, in the order of the list.
const QList<Municipality> &currentMunicipalities();
// The postal codes of today's municipality of that name (and province, when
// given); none when unknown.
QStringList postalCodesOf(const QString &name, const QString &province = QString());

}
