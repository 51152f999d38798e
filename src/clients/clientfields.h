#pragma once

#include "records/clientrecords.h"

#include <QWidget>

class DateField;
class DropDown;
class QLineEdit;
class QPlainTextEdit;
class TickBox;

// The client editor's fields with their captions, typing rules and Enter
// order, what they write into SOGGETTI, and the copy of a list row into them.
class ClientFields : public QWidget
{
    Q_OBJECT

public:
    explicit ClientFields(QWidget *parent = nullptr);

    QLineEdit *id() const { return m_id; } // Text1
    QLineEdit *name() const { return m_name; } // Text2
    QLineEdit *taxCode() const { return m_taxCode; } // Text8
    QLineEdit *vatNumber() const { return m_vatNumber; } // Text9
    QLineEdit *iban() const { return m_iban; } // Text5
    DateField *birthDate() const { return m_birthDate; } // DataBox1
    DropDown *birthPlace() const { return m_birthPlace; } // Cbo1
    DropDown *birthProvince() const { return m_birthProvince; } // Cbo2
    DropDown *residence() const { return m_residence; } // Cbo4
    DropDown *residenceProvince() const { return m_residenceProvince; } // Cbo5
    QLineEdit *postalCode() const { return m_postalCode; } // Text4
    DropDown *documentType() const { return m_documentType; } // Cbo6
    DropDown *business() const { return m_business; } // Cbo7
    DropDown *payment() const { return m_payment; } // Cbo8
    TickBox *active() const { return m_active; } // C2

    // The last field of the Enter order hands the focus to this one.
    void setEnterTarget(QWidget *actionButton);

    // The columns of a save, in the order they are assigned; an empty date
    // field is left out, so a save never erases a stored date.
    clientrecords::ColumnValues columnValues() const;
    // A row of the client list: every column of SOGGETTI, in table order.
    void load(const QStringList &cells);
    // ClearEditor's own steps after the window's texts are emptied.
    void reset();

signals:
    void invalidDate(DateField *field);

private:
    struct Column
    {
        const char *column;
        QWidget *field; // none for the day of the save
        const char *caption; // none for a field placed without one
        int row, gridColumn, span;
        bool upper;
    };
    QList<Column> columns() const;
    void build();
    void installEnterOrder();
    QLineEdit *upperField(const char *name);
    DropDown *editableList(const char *name);

    QLineEdit *m_id;
    QLineEdit *m_name;
    DateField *m_birthDate;
    DropDown *m_birthPlace;
    DropDown *m_birthProvince;
    QLineEdit *m_address;
    DropDown *m_residence;
    DropDown *m_residenceProvince;
    QLineEdit *m_postalCode;
    QLineEdit *m_taxCode;
    QLineEdit *m_vatNumber;
    QLineEdit *m_iban;
    DropDown *m_business;
    DropDown *m_documentType;
    QLineEdit *m_documentNumber;
    DateField *m_expiry;
    DropDown *m_payment;
    QLineEdit *m_phone;
    QLineEdit *m_mobile;
    QLineEdit *m_fax;
    QLineEdit *m_email;
    QPlainTextEdit *m_notes;
    TickBox *m_active;
};
