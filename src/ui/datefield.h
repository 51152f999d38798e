#pragma once

#include <QDate>
#include <QLineEdit>

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
    void reset();

signals:
    void invalidDate();

private:
    void placeSlashes(const QString &typed);
    void checkOnLeave();

    QString m_reported;
};
