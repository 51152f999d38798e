#include "servicecheck.h"

#include "amounttext.h"
#include "store/valueconversion.h"

namespace servicecheck {

namespace {

const QString EmptyFieldTitle = QStringLiteral("Velmora................ERRORE - CAMPO VUOTO");

}

Problem invalid(Field field, const QString &name)
{
    return {field, QStringLiteral("Velmora................ERRORE - CAMPO NON VALIDO"),
            QStringLiteral("Il campo %1 non è valido ").arg(name)};
}

std::optional<Problem> firstMissing(const ServiceEntry &entry, Saving saving)
{
    const struct
    {
        const QString &text;
        Field field;
        const char *name;
    } required[] = {
        {entry.date, Field::Date, "DATA"},        {entry.operatorName, Field::Operator, "OPERATORE"},
        {entry.client, Field::Client, "CLIENTE"}, {entry.reason, Field::Reason, "CAUSALE"},
        {entry.amount, Field::Amount, "IMPORTO"},
    };
    for (const auto &r : required)
        if (r.text.trimmed().isEmpty())
            return Problem{r.field, EmptyFieldTitle, QStringLiteral("Inserire il campo %1 ").arg(QLatin1String(r.name))};
    if (entry.cost.isEmpty())
        return Problem{Field::Reason, QStringLiteral("Velmora ..........-AGGIORNAMENTO"),
                       saving == Saving::Insert
                           ? QStringLiteral(" Attenzione, il Campo Costo della Prestazione è vuoto, riselezionare la  Causale")
                           : QStringLiteral(" Attenzione, il Campo Costo della Prestazione è vuoto, riselezionare una  Causale")};
    return std::nullopt;
}

std::optional<Problem> firstInvalid(const ServiceEntry &entry, Saving saving)
{
    if (!fitsColumn(entry.date, ColumnType::Date))
        return invalid(Field::Date, QStringLiteral("DATA"));
    const struct
    {
        const QString &text;
        Field field;
        const char *name;
    } numbers[] = {
        {entry.days, Field::Days, "GG"},
        {entry.hours, Field::Hours, "ORE"},
        {entry.minutes, Field::Minutes, "MIN"},
        {entry.quantity, Field::Quantity, "QUANTITA'"},
    };
    for (const auto &n : numbers)
        if (!fitsColumn(n.text, ColumnType::Number))
            return invalid(n.field, QLatin1String(n.name));
    if (saving == Saving::Insert && !amountValue(entry.amount))
        return invalid(Field::Amount, QStringLiteral("IMPORTO"));
    if (saving == Saving::Update && !amountValue(entry.cost))
        return invalid(Field::Cost, QStringLiteral("COSTO"));
    if (!fitsColumn(entry.billingDate, ColumnType::Date))
        return invalid(Field::BillingDate, QStringLiteral("DATA PARCELLA"));
    return std::nullopt;
}

}
