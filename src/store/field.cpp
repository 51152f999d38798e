#include "field.h"

#include <QLocale>

QString Field::text() const
{
    switch (m_kind) {
    case Kind::Null:
        return QString();
    case Kind::Integer:
        return QString::number(m_integer);
    case Kind::Real:
        return QLocale(QLocale::Italian, QLocale::Italy).toString(m_real, 'g', 15).remove(QLatin1Char('.'));
    case Kind::Text:
        return m_text;
    case Kind::Date:
        return toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case Kind::Money:
        return toMoney().valueText();
    }
    return QString();
}

qint64 Field::toInteger() const
{
    switch (m_kind) {
    case Kind::Integer:
    case Kind::Money:
        return m_integer;
    case Kind::Real:
        return qint64(m_real);
    case Kind::Text:
        return m_text.toLongLong();
    default:
        return 0;
    }
}

Money Field::toMoney() const
{
    return m_kind == Kind::Money ? Money::fromCents(m_integer) : Money();
}

QDate Field::toDate() const
{
    return m_kind == Kind::Date ? QDate::fromJulianDay(m_integer) : QDate();
}
