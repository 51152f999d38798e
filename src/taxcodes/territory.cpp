#include "territory.h"

#include <QFile>
#include <QHash>
#include <QTextStream>

namespace territory {

namespace {

struct Period
{
    Place place;
    QDate from;
    QDate to; // invalid: still valid
};

struct Registry
{
    QHash<QString, QList<Period>> byCode;
    QList<Municipality> current;
    QHash<QString, int> currentByName; // upper name + province
};

// The lines of a shipped list after its attribution and header lines.
QList<QStringList> rows(const char *resource)
{
    QFile file(QString::fromLatin1(resource));
    QList<QStringList> all;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return all;
    QTextStream in(&file);
    in.readLine(); // attribution
    in.readLine(); // column names
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.isEmpty())
            all << line.split(QLatin1Char(';'));
    }
    return all;
}

QDate isoDate(const QString &text)
{
    return QDate::fromString(text, Qt::ISODate);
}

QString key(const QString &name, const QString &province)
{
    return name.toUpper() + QLatin1Char('|') + province.toUpper();
}

const Registry &registry()
{
    static const Registry loaded = [] {
        Registry r;
        // CATASTALE;COMUNE;PR;CAP;DAL;AL;ISTAT;ATTIVO
        for (const QStringList &f : rows(":/taxcodes/comuni-anpr.csv")) {
            if (f.size() < 8)
                continue;
            r.byCode[f[0]].append({{f[1], f[2], false}, isoDate(f[4]), isoDate(f[5])});
            if (f[7] == QLatin1String("S")) {
                r.currentByName.insert(key(f[1], f[2]), int(r.current.size()));
                r.current.append({f[1], f[2], f[3].split(QLatin1Char(','), Qt::SkipEmptyParts)});
            }
        }
        // CATASTALE;STATO;ISO3;DAL;AL;TIPO
        for (const QStringList &f : rows(":/taxcodes/stati-esteri.csv"))
            if (f.size() >= 5)
                r.byCode[f[0]].append({{f[1], QString(), true}, isoDate(f[3]), isoDate(f[4])});
        return r;
    }();
    return loaded;
}

qint64 distance(const Period &period, const QDate &date)
{
    if (period.from.isValid() && date < period.from)
        return date.daysTo(period.from);
    if (period.to.isValid() && date > period.to)
        return period.to.daysTo(date);
    return 0;
}

}

std::optional<Place> placeOf(const QString &cadastralCode, const QDate &date)
{
    const auto found = registry().byCode.constFind(cadastralCode);
    if (found == registry().byCode.constEnd() || found->isEmpty())
        return std::nullopt;
    const Period *best = &found->first();
    for (const Period &period : *found)
        if (distance(period, date) < distance(*best, date))
            best = &period;
    return best->place;
}

const QList<Municipality> &currentMunicipalities()
{
    return registry().current;
}

QStringList postalCodesOf(const QString &name, const QString &province)
{
    const Registry &r = registry();
    if (!province.isEmpty()) {
        const auto found = r.currentByName.constFind(key(name, province));
        return found == r.currentByName.constEnd() ? QStringList() : r.current.at(*found).postalCodes;
    }
    for (const Municipality &m : r.current)
        if (m.name.compare(name, Qt::CaseInsensitive) == 0)
            return m.postalCodes;
    return {};
}

}
