#pragma once

#include "maintenancepanel.h"

class InvoiceDataPanel;
class QLineEdit;

// The reasons panel (Frame5): the reason texts with their default price,
// which the service editor offers and copies into new services.
class ReasonsPanel : public MaintenancePanel
{
    Q_OBJECT

public:
    ReasonsPanel(Connection &connection, Messages &messages, QWidget *parent = nullptr);

    // No action chosen, empty fields, the list filled.
    void open();

private:
    void fillList() override;
    void onTicked(Action action) override;
    void onUnticked(Action action) override;
    void loadRow(int row) override;
    void insert() override;
    void update() override;
    void remove() override;

    // The texts of the empty-field messages, which differ by action.
    struct EmptyMessages
    {
        QString reason;
        QString amountTitle;
        QString amount;
    };

    // The reason and a valid price, or a message on the first field wanting.
    bool fieldsReady(const EmptyMessages &empty);
    bool reasonTyped(const QString &missing);
    QList<QPair<QString, QVariant>> values(const QString &reasonColumn) const;
    void emptyFields();

    QLineEdit *m_reason; // T10
    QLineEdit *m_amount; // T11
    InvoiceDataPanel *m_invoiceData; // the reason clicked in the list
};
