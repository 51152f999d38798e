#pragma once

#include <QDate>
#include <QLineEdit>

// A date as people type it: "3/2/26", "3-2-2026", "3.2.26", "030226" and
// "03022026" all read as 03/02/2026. A two-digit year is this century up to
// ten years ahead of today, the last century before. Invalid when it
// cannot be read.
QDate readTypedDate(const QString &typed, const QDate &today = QDate::currentDate());
// What the windows say of a date that cannot be read: the form wanted.
QString invalidDateText();

// A date-entry field that may be empty. It shows and hands over its date as
// "dd/MM/yyyy" text with a four-digit year, and places the slashes itself
// when the user types digits alone; an impossible date left in the
// field is reported once through invalidDate(), after which the window
// calls reset().
class DateField : public QLineEdit
{
    Q_OBJECT

public:
    explicit DateField(QWidget *parent = nullptr);

    void setDate(const QDate &date);
    // The date typed, or an invalid date when empty or impossible.
    QDate date() const;
    // The text as it is stored: "dd/MM/yyyy" when it reads as a date, even
    // before the field is left (a shortcut saves without leaving it);
    // otherwise as typed, for the window's own check to refuse.
    QString dateText() const;
    void reset();

signals:
    void invalidDate();

private:
    void placeSlashes(const QString &typed);
    void checkOnLeave();

    QString m_reported;
};
