#include "fieldrule.h"

#include <QLineEdit>
#include <QRegularExpression>

FieldRule::FieldRule(QLineEdit *field) : QValidator(field) {}

FieldRule *FieldRule::of(QLineEdit *field)
{
    if (auto *rule = qobject_cast<FieldRule *>(const_cast<QValidator *>(field->validator())))
        return rule;
    auto *rule = new FieldRule(field);
    field->setValidator(rule);
    return rule;
}

void FieldRule::acceptOnly(QLineEdit *field, const QString &accepted, Dot dot)
{
    FieldRule *rule = of(field);
    rule->m_accepted = accepted;
    rule->m_dot = dot;
}

void FieldRule::limit(QLineEdit *field, int characters)
{
    of(field)->m_limit = characters;
}

// Acceptable or Invalid, never in between: the field's editing signals
// stay as without a rule.
QValidator::State FieldRule::validate(QString &input, int &) const
{
    // An amount shown with its thousands dots ("1.234,50") keeps them; any
    // other "." arrives as ",", as when typed.
    static const QRegularExpression grouped(QStringLiteral("^-?\\d{1,3}(\\.\\d{3})+(,\\d*)?$"));
    const bool keepsDots = m_dot == Dot::AsComma && grouped.match(input).hasMatch();
    if (m_dot == Dot::AsComma && !keepsDots)
        input.replace(QLatin1Char('.'), QLatin1Char(','));
    if (m_limit > 0 && input.size() > m_limit)
        return Invalid;
    if (!m_accepted.isEmpty())
        for (const QChar c : input)
            if (!m_accepted.contains(c) && !(keepsDots && c == QLatin1Char('.')))
                return Invalid;
    return Acceptable;
}
