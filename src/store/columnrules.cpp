#include "columnrules.h"

#include "storeerror.h"

#include <QRegularExpression>

namespace {

struct Rule
{
    QString table;
    QString column;
    QRegularExpression shape; // the whole text must match
    QString need; // what the user is told the field needs
};

// The client fields that take only some characters, as their typing does.
const QList<Rule> &rules()
{
    static const QList<Rule> all = [] {
        const char *const digitsOnly = "sono ammesse solo cifre";
        const struct
        {
            const char *column, *pattern, *need;
        } client[] = {
            {"Tel", "^\\d*$", digitsOnly},
            {"Cell", "^\\d*$", digitsOnly},
            {"Fax", "^\\d*$", digitsOnly},
            {"CAP", "^\\d{5}$", "servono cinque cifre"},
            {"PIVA", "^[0-9,-]{0,11}$", "al massimo 11 caratteri tra cifre, virgola e trattino"},
            {"Codice", "^.{0,16}$", "al massimo 16 caratteri"},
            {"IBAN", "^.{0,27}$", "al massimo 27 caratteri"},
        };
        QList<Rule> list;
        for (const auto &r : client)
            list.append({QStringLiteral("SOGGETTI"), QString::fromLatin1(r.column),
                         QRegularExpression(QString::fromLatin1(r.pattern), QRegularExpression::DotMatchesEverythingOption),
                         QString::fromUtf8(r.need)});
        return list;
    }();
    return all;
}

// Notes are free text; every other text is a name, a code or an address.
qsizetype longest(const QString &column)
{
    return column.compare(QLatin1String("NOTE"), Qt::CaseInsensitive) == 0 ? 10000 : 255;
}

[[noreturn]] void refuse(const QString &column, const QString &need)
{
    throw StoreError(QStringLiteral("Il campo %1 non è valido: %2").arg(column.toUpper(), need), StoreError::Kind::Invalid);
}

}

void columnrules::check(const QString &table, const QString &column, const StoredValue &value)
{
    if (value.kind != StoredValue::Kind::Text)
        return;
    const QString text = QString::fromUtf8(value.text);
    if (text.size() > longest(column))
        refuse(column, QStringLiteral("il testo è di %1 caratteri, al massimo %2").arg(text.size()).arg(longest(column)));
    for (const Rule &rule : rules())
        if (table.compare(rule.table, Qt::CaseInsensitive) == 0 && column.compare(rule.column, Qt::CaseInsensitive) == 0
            && !rule.shape.match(text).hasMatch())
            refuse(column, rule.need);
}
