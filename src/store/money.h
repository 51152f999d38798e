#pragma once

#include <QMetaType>
#include <QString>
#include <optional>

// A euro amount, exact to the cent. Amounts are stored and summed as whole
// cents so that no binary rounding ever reaches a bill.
class Money
{
public:
    constexpr Money() = default;
    static constexpr Money fromCents(qint64 cents) { return Money(cents); }

    // Italian text as the editors hand it over: "1.234,50", "12,5", "-3".
    // Dots only as thousands separators; more than two decimals round half
    // away from zero. Anything else is no amount.
    static std::optional<Money> fromText(const QString &text);

    constexpr qint64 cents() const { return m_cents; }

    // The amount times a quantity as the editors hand it over ("3", "1,5",
    // "-2"), worked out in decimals and rounded half away from zero to the
    // cent: 0,10 times 3 is exactly 0,30. No quantity when the text is none.
    std::optional<Money> times(const QString &quantity) const;

    QString plainText() const; // "0.00": "1234,50"
    QString groupedText() const; // "#,0.00": "1.234,50"
    QString euroText() const; // as reports and lists print it: "€ 1.234,50", "-€ 1.234,50"
    QString valueText() const; // the bare value as the lists show it: "1234,5"

    constexpr bool operator==(const Money &) const = default;

private:
    constexpr explicit Money(qint64 cents) : m_cents(cents) {}
    qint64 m_cents = 0;
};

Q_DECLARE_METATYPE(Money)
