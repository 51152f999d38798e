#pragma once

#include "money.h"

#include <QDate>
#include <QString>

// One value read from the store, with the kind its column gives it.
class Field
{
public:
    enum class Kind { Null, Integer, Real, Text, Date, Money };

    Field() = default;
    static Field ofInteger(qint64 v) { return Field(Kind::Integer, v, 0, {}); }
    static Field ofReal(double v) { return Field(Kind::Real, 0, v, {}); }
    static Field ofText(const QString &v) { return Field(Kind::Text, 0, 0, v); }
    static Field ofMoney(qint64 cents) { return Field(Kind::Money, cents, 0, {}); }
    static Field ofDate(const QDate &d) { return Field(Kind::Date, d.toJulianDay(), 0, {}); }

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }

    // The value as text, as the platform turned values into text under the
    // Italian locale: "" for Null, dates "dd/MM/yyyy", numbers with a decimal
    // comma and no grouping ("1234,5").
    QString text() const;
    qint64 toInteger() const;
    Money toMoney() const; // Null counts as zero
    QDate toDate() const; // invalid unless a date

private:
    Field(Kind kind, qint64 integer, double real, const QString &text)
        : m_kind(kind), m_integer(integer), m_real(real), m_text(text)
    {}

    Kind m_kind = Kind::Null;
    qint64 m_integer = 0;
    double m_real = 0;
    QString m_text;
};
