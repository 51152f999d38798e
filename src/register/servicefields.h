#pragma once

#include "servicecheck.h"
#include "records/serviceentry.h"

#include <QWidget>

class DateField;
class DropDown;
class ClickableLabel;
class QLineEdit;

// The entry fields of the service editor with their captions, key filters
// and upper-casing, the hidden ids the lookups and the row selection set,
// and the copy of a search-list row into them.
class ServiceFields : public QWidget
{
    Q_OBJECT

public:
    explicit ServiceFields(QWidget *parent = nullptr);

    DateField *date() const { return m_date; } // D1
    DropDown *client() const { return m_client; } // Cbo1
    QLineEdit *clientId() const { return m_clientId; } // T15
    DropDown *reason() const { return m_reason; } // Cbo2
    QLineEdit *reasonId() const { return m_reasonId; } // T16
    QLineEdit *cost() const { return m_cost; } // Text1
    DropDown *operatorList() const { return m_operator; } // Cbo4
    QLineEdit *operatorId() const { return m_operatorId; } // T13
    QLineEdit *quantity() const { return m_quantity; } // T6
    QLineEdit *amount() const { return m_amount; } // T7
    QLineEdit *serviceId() const { return m_serviceId; } // T14

    ServiceEntry entry() const;
    QWidget *widgetOf(servicecheck::Field field) const;
    // The clear routine's own steps, after the window's texts are emptied:
    // dates empty, lists without entries, today's date, quantity 1.
    void reset();
    // The cells of a search-list row, in the table's column order.
    void load(const QStringList &cells);
    QList<ClickableLabel *> captions() const { return m_captions; }

private:
    QLineEdit *numberField(const char *name);
    QLineEdit *idField(const char *name);
    void addCaptioned(int row, int column, const QString &caption, QWidget *field, int span = 1);

    DateField *m_date;
    DropDown *m_client;
    QLineEdit *m_clientId;
    DropDown *m_reason;
    QLineEdit *m_reasonId;
    QLineEdit *m_cost;
    DropDown *m_operator;
    QLineEdit *m_operatorId;
    QLineEdit *m_days;
    QLineEdit *m_hours;
    QLineEdit *m_minutes;
    QLineEdit *m_quantity;
    QLineEdit *m_amount;
    QLineEdit *m_notes;
    DateField *m_billingDate;
    QLineEdit *m_billNumber;
    QLineEdit *m_serviceId;
    QLineEdit *m_year;
    QLineEdit *m_month;
    DateField *m_changed;
    QList<ClickableLabel *> m_captions;
};
