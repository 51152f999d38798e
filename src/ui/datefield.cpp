#include "datefield.h"

#include "store/valueconversion.h"

#include <QRegularExpressionValidator>

namespace {

const QString format = QStringLiteral("dd/MM/yyyy");

int fullYear(int typed, int digits, const QDate &today)
{
    if (digits == 4)
        return typed;
    const int thisCentury = today.year() / 100 * 100 + typed;
    return thisCentury <= today.year() + 10 ? thisCentury : thisCentury - 100;
}

}

QDate readTypedDate(const QString &typed, const QDate &today)
{
    static const QRegularExpression separated(QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{2}|\\d{4})$"));
    static const QRegularExpression digitsOnly(QStringLiteral("^(\\d{2})(\\d{2})(\\d{2}|\\d{4})$"));
    const QString text = typed.trimmed();
    auto match = separated.match(text);
    if (!match.hasMatch())
        match = digitsOnly.match(text);
    if (!match.hasMatch())
        return parseDayFirstDate(text).value_or(QDate()); // the stored ISO form
    const QString year = match.captured(3);
    return QDate(fullYear(year.toInt(), int(year.size()), today), match.captured(2).toInt(), match.captured(1).toInt());
}

QString invalidDateText()
{
    return QStringLiteral("Data non valida: scrivere GG/MM/AAAA");
}

DateField::DateField(QWidget *parent) : QLineEdit(parent)
{
    // Separators typed, or digits alone that get their slashes as they come.
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,8}|\\d{0,2}[/.-]\\d{0,6}|\\d{0,2}[/.-]\\d{0,2}[/.-]\\d{0,4}")), this));
    setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    connect(this, &QLineEdit::textEdited, this, &DateField::placeSlashes);
    connect(this, &QLineEdit::editingFinished, this, &DateField::checkOnLeave);
    connect(this, &QLineEdit::textChanged, this, [this] { m_reported.clear(); });
}

void DateField::setDate(const QDate &date)
{
    setText(date.isValid() ? date.toString(format) : QString());
}

QDate DateField::date() const
{
    return readTypedDate(text());
}

QString DateField::dateText() const
{
    const QDate typed = date();
    return typed.isValid() ? typed.toString(format) : text();
}

void DateField::reset()
{
    clear();
}

void DateField::placeSlashes(const QString &typed)
{
    // Digits alone, or digits typed on past a slash placed here.
    static const QRegularExpression ours(QStringLiteral("^(\\d{3,8}|\\d\\d/\\d{3,6})$"));
    if (!ours.match(typed).hasMatch())
        return;
    const QString digits = QString(typed).remove(QLatin1Char('/'));
    QString placed = digits.left(2) + QLatin1Char('/') + digits.mid(2, 2);
    if (digits.size() > 4)
        placed += QLatin1Char('/') + digits.mid(4);
    setText(placed);
}

void DateField::checkOnLeave()
{
    if (text().isEmpty())
        return;
    const QDate typed = date();
    if (typed.isValid()) {
        setDate(typed); // "1/2/26" reads back as "01/02/2026"
        return;
    }
    // Leaving the field for the message box ends editing once more: report once.
    if (m_reported == text())
        return;
    m_reported = text();
    emit invalidDate();
}
