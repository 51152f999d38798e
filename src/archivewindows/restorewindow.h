#pragma once

#include "ui/listdialog.h"

class Connection;
class Messages;

// "Ripristina da una copia": the copies of the store, newest first, with
// what each holds; the chosen one is put back after a Yes, the store as it
// is now kept as a copy first.
class RestoreWindow : public ListDialog
{
    Q_OBJECT

public:
    RestoreWindow(Connection &connection, Messages &messages, QWidget *parent);

    // Reads the copies again, the newest readable one selected.
    void refill();

signals:
    // The store was replaced: what the windows show is from before.
    void restored();

protected:
    void act() override;

private:
    Connection &m_connection;
    Messages &m_messages;
    QStringList m_paths;
};
