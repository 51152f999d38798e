#pragma once

#include "ui/listdialog.h"

class Connection;
class Messages;

// "Postazioni collegate": who works on the archive now, from which machine
// and since when; this desk is marked.
class DesksWindow : public ListDialog
{
    Q_OBJECT

public:
    DesksWindow(Connection &connection, Messages &messages, QWidget *parent);

protected:
    // "&Aggiorna" reads the sessions again.
    void act() override;

private:
    Connection &m_connection;
    Messages &m_messages;
};
