#pragma once

#include "maintenancepanel.h"

class QLineEdit;

// The operators panel (Frame3): the names of the people who render the
// services, which the service editor offers and copies into services.
class OperatorsPanel : public MaintenancePanel
{
    Q_OBJECT

public:
    OperatorsPanel(Connection &connection, Messages &messages, QWidget *parent = nullptr);

    // The list filled, the name field empty and locked; the action boxes
    // keep the state they had when the panel was last closed.
    void open();

private:
    void fillList() override;
    void onTicked(Action action) override;
    void onUnticked(Action action) override;
    void loadRow(int row) override;
    void insert() override;
    void update() override;
    void remove() override;

    bool nameTyped();
    bool nameReady();

    QLineEdit *m_name; // T9
};
