#pragma once

#include "ui/listdialog.h"

class Connection;
class Messages;

// "Annulla una parcellazione": the latest billing runs (when, which panel,
// how many services, their total) and the undoing of the chosen one, after
// a Yes; the services changed since are named and left as they are.
class UndoBillingWindow : public ListDialog
{
    Q_OBJECT

public:
    UndoBillingWindow(Connection &connection, Messages &messages, QWidget *parent);

    void refill();

protected:
    void act() override;

private:
    Connection &m_connection;
    Messages &m_messages;
};
