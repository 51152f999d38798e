#pragma once

#include "einvoice/extrarow.h"

#include <QGroupBox>

class Connection;
class Messages;
class QPushButton;
class QVBoxLayout;
class RowForm;
struct FormField;

// What a client or a reason needs for the electronic invoices beyond the
// register, on a panel of its own beside the register's editor, saved by
// its own button into FE_CLIENTI or FE_CAUSALI.
class InvoiceDataPanel : public QGroupBox
{
    Q_OBJECT

public:
    // The client's panel: channel code, PEC, name and surname, withholding,
    // country abroad.
    static InvoiceDataPanel *forClients(Connection &connection, Messages &messages, QWidget *parent);
    // The reason's panel: VAT rate, nature, fund, withholding.
    static InvoiceDataPanel *forReasons(Connection &connection, Messages &messages, QWidget *parent);

    // The client or reason shown (its ID); 0 or less for none, which
    // empties and disables the panel.
    void showRow(qint64 id);
    // Shown while the register's editor beside it is, hidden with it.
    void followVisibility(QWidget *editor);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What the saved values call for beyond "saved", as a warning that
    // follows it.
    using Remark = QString (*)(const QHash<QString, QString> &values);
    InvoiceDataPanel(Connection &connection, Messages &messages, const extrarow::Key &key, const QList<FormField> &fields,
                     const QString &name, QWidget *parent, Remark remark = nullptr);
    void save();
    // "Dati P.A...": the references a public administration asks for,
    // in a dialog of their own over FE_CLIENTI_PA.
    void offerPublicAdministrationData();

    Connection &m_connection;
    Messages &m_messages;
    extrarow::Key m_key;
    Remark m_remark;
    RowForm *m_form;
    QPushButton *m_save;
    QVBoxLayout *m_buttons;
};
