#include "valueconversion.h"

#include "money.h"
#include "skipfailure.h"
#include "storeerror.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

std::optional<QDate> parseSlashed(const QString &text, bool dayFirst)
{
    static const QRegularExpression slashed(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const QString t = text.trimmed();
    QDate date;
    if (const auto parts = slashed.match(t); parts.hasMatch()) {
        const int first = parts.captured(1).toInt(), second = parts.captured(2).toInt();
        date = dayFirst ? QDate(parts.captured(3).toInt(), second, first) : QDate(parts.captured(3).toInt(), first, second);
    } else if (const auto isoParts = iso.match(t); isoParts.hasMatch()) {
        date = QDate(isoParts.captured(1).toInt(), isoParts.captured(2).toInt(), isoParts.captured(3).toInt());
    }
    if (!date.isValid())
        return std::nullopt;
    return date;
}

[[noreturn]] void refuse(const QString &what, const QString &text, const QString &column)
{
    throw StoreError(QStringLiteral("«%1» non è %2 valido per il campo %3").arg(text, what, column));
}

StoredValue integerFrom(const QVariant &value, const QString &column)
{
    if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong)
        return StoredValue::ofInteger(value.toLongLong());
    static const QRegularExpression digits(QStringLiteral("^[+-]?\\d{1,18}$"));
    const QString text = value.toString().trimmed();
    if (!digits.match(text).hasMatch())
        refuse(QStringLiteral("un numero intero"), value.toString(), column);
    return StoredValue::ofInteger(text.toLongLong());
}

StoredValue numberFrom(const QVariant &value, const QString &column)
{
    if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong)
        return StoredValue::ofInteger(value.toLongLong());
    if (value.typeId() == QMetaType::Double)
        return StoredValue::ofReal(value.toDouble());
    static const QRegularExpression shape(QStringLiteral("^[+-]?\\d+(,\\d+)?$"));
    const QString text = value.toString().trimmed();
    if (!shape.match(text).hasMatch())
        refuse(QStringLiteral("un numero"), value.toString(), column);
    bool ok = false;
    const double number = QLocale(QLocale::Italian, QLocale::Italy).toDouble(text, &ok);
    if (!ok)
        refuse(QStringLiteral("un numero"), value.toString(), column);
    if (!text.contains(QLatin1Char(',')))
        return StoredValue::ofInteger(text.toLongLong());
    return StoredValue::ofReal(number);
}

StoredValue moneyFrom(const QVariant &value, const QString &column)
{
    if (value.canConvert<Money>() && value.userType() == qMetaTypeId<Money>())
        return StoredValue::ofInteger(value.value<Money>().cents());
    if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong)
        return StoredValue::ofInteger(value.toLongLong() * 100);
    const auto money = Money::fromText(value.toString());
    if (!money)
        refuse(QStringLiteral("un importo"), value.toString(), column);
    return StoredValue::ofInteger(money->cents());
}

StoredValue dateFrom(const QVariant &value, const QString &column)
{
    std::optional<QDate> date;
    if (value.typeId() == QMetaType::QDate)
        date = value.toDate().isValid() ? std::optional(value.toDate()) : std::nullopt;
    else
        date = parseDayFirstDate(value.toString());
    if (!date)
        refuse(QStringLiteral("una data"), value.toString(), column);
    return StoredValue::ofText(isoDate(*date));
}

bool isEmpty(const QVariant &value)
{
    if (value.isNull())
        return true;
    return value.typeId() == QMetaType::QString && value.toString().isEmpty();
}

}

std::optional<QDate> parseDayFirstDate(const QString &text)
{
    return parseSlashed(text, true);
}

std::optional<QDate> parseMonthFirstDate(const QString &text)
{
    return parseSlashed(text, false);
}

QString monthFirstDate(const QDate &date)
{
    return date.toString(QStringLiteral("MM/dd/yyyy"));
}

QByteArray isoDate(const QDate &date)
{
    return date.toString(Qt::ISODate).toLatin1();
}

StoredValue toStoredValue(const QVariant &value, ColumnType type, const QString &column)
{
    if (isEmpty(value))
        return StoredValue::null();
    switch (type) {
    case ColumnType::Integer:
        return integerFrom(value, column);
    case ColumnType::Number:
        return numberFrom(value, column);
    case ColumnType::Money:
        return moneyFrom(value, column);
    case ColumnType::Date:
        return dateFrom(value, column);
    case ColumnType::Text:
    case ColumnType::Unknown:
        break;
    }
    // Control characters come only from pasted text: a NUL would end the
    // text early wherever it is put into SQL. Tabs and line breaks stay.
    QString text = value.toString();
    text.removeIf([](QChar c) { return c.category() == QChar::Other_Control && c != u'\t' && c != u'\n'; });
    return StoredValue::ofText(text.toUtf8());
}

bool fitsColumn(const QVariant &value, ColumnType type)
{
    return skipFailure([&] { toStoredValue(value, type, QString()); });
}
