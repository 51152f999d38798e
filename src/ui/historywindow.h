#pragma once

#include <QDialog>

class Connection;
class GridList;
class Messages;

// "Storia delle modifiche" of one row: every insertion, change and
// deletion of it, who made it, from which desk, each field before and
// after.
class HistoryWindow : public QDialog
{
    Q_OBJECT

public:
    HistoryWindow(Connection &connection, const QString &table, qint64 id, QWidget *parent);

    // Adds "Storia delle modifiche" to the context menu of a list whose rows
    // are records of the table: it opens the window on the chosen row.
    static void offerOn(GridList *list, Connection &connection, Messages &messages, const QString &table);
};
