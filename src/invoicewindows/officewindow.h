#pragma once

#include <QDialog>

class Connection;
class Messages;
class QLabel;
class RowForm;

// "Dati dello Studio": the office that issues the electronic invoices (the
// one row of STUDIO). Its tax code, VAT number and IBAN are checked when
// saved; a code not valid is told, and saved all the same.
class OfficeWindow : public QDialog
{
    Q_OBJECT

public:
    OfficeWindow(Connection &connection, Messages &messages, QWidget *parent);

    // The row as stored, into the fields.
    void refill();

private:
    void save();

    Connection &m_connection;
    Messages &m_messages;
    RowForm *m_form;
    QLabel *m_progressive;
};
