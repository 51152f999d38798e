#pragma once

#include "ui/listdialog.h"

class Connection;
class Messages;

// "Annulla un'importazione": the latest import runs (when, which table, from
// which file, how many rows) and the taking back of the chosen one, after a
// Yes; the rows changed or used since are named and left as they are.
class UndoImportWindow : public ListDialog
{
    Q_OBJECT

public:
    UndoImportWindow(Connection &connection, Messages &messages, QWidget *parent);

    void refill();

protected:
    void act() override;

private:
    Connection &m_connection;
    Messages &m_messages;
};
