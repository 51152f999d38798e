#include "datefield.h"

#include "store/valueconversion.h"

#include <QRegularExpressionValidator>

namespace {

const QString format = QStringLiteral("dd/MM/yyyy");

QDate parse(const QString &text)
{
    return parseDayFirstDate(text).value_or(QDate());
}

}

DateField::DateField(QWidget *parent)
    : QLineEdit(parent)
{
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,2}(/\\d{0,2}(/\\d{0,4})?)?")), this));
    setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    connect(this, &QLineEdit::editingFinished, this, &DateField::checkOnLeave);
    connect(this, &QLineEdit::textChanged, this, [this] { m_reported.clear(); });
}

void DateField::setDate(const QDate &date)
{
    setText(date.isValid() ? date.toString(format) : QString());
}

QDate DateField::date() const
{
    return parse(text());
}

void DateField::reset()
{
    clear();
}

void DateField::checkOnLeave()
{
    if (text().isEmpty())
        return;
    const QDate typed = parse(text());
    if (typed.isValid()) {
        setDate(typed); // "1/2/2026" reads back as "01/02/2026"
        return;
    }
    // Leaving the field for the message box ends editing once more: report once.
    if (m_reported == text())
        return;
    m_reported = text();
    emit invalidDate();
}
