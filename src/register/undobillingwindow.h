#pragma once

#include <QDialog>

class Connection;
class GridList;
class Messages;

// "Annulla una parcellazione": the latest billing runs (when, which panel,
// how many services, their total) and the undoing of the chosen one, after
// a Yes; the services changed since are named and left as they are.
class UndoBillingWindow : public QDialog
{
    Q_OBJECT

public:
    UndoBillingWindow(Connection &connection, Messages &messages, QWidget *parent);

    void refill();

private:
    void undoSelected();

    Connection &m_connection;
    Messages &m_messages;
    GridList *m_list;
};
