#pragma once

#include "store/rowversion.h"
#include "ui/panelframe.h"

#include <QVariant>

class ActionTicks;
class Connection;
class GridList;
class Messages;
class QLabel;
class QPushButton;

// What the reasons and the operators panels share: the list of the table's
// rows, the three exclusive action boxes "Inserisci", "Aggiorna",
// "Elimina", the action button captioned with the ticked action, the hidden
// id of the row picked and the hint. Each panel says what its fields do.
class MaintenancePanel : public PanelFrame
{
    Q_OBJECT

public:
    enum Action { Insert, Update, Delete };

    struct Names
    {
        const char *frame;
        const char *closePicture;
        const char *list;
        const char *ticks[3];
        const char *button;
        const char *id;
        const char *hint;
    };

    GridList *list() const { return m_list; }

protected:
    MaintenancePanel(const Names &names, const QString &title, Connection &connection, Messages &messages, QWidget *parent);

    // The panel's fields above its action row and list.
    void addFields(QLayout *fields);

    virtual void fillList() = 0;
    // After the button took the action's caption (ticked) or lost it.
    virtual void onTicked(Action action) = 0;
    virtual void onUnticked(Action action) = 0;
    // A row clicked while "Aggiorna" or "Elimina" is ticked; the id is set.
    virtual void loadRow(int row) = 0;
    virtual void insert() = 0;
    virtual void update() = 0;
    virtual void remove() = 0;

    // The confirmed writes; each shows its success message only when the
    // row was written, and returns whether it was.
    bool insertRow(const QString &table, const QList<QPair<QString, QVariant>> &values);
    bool updateRow(const QString &sqlById, const QList<QPair<QString, QVariant>> &values);
    bool deleteRow(const QString &sqlById, const QString &question, const QString &done);
    // The hidden id, or a message naming what to pick and false.
    bool rowPicked(const QString &what);

    void untick(Action action);
    void clearPicked();

    Connection &m_connection;
    Messages &m_messages;
    GridList *m_list;
    ActionTicks *m_ticks;
    QPushButton *m_action;
    QLabel *m_id;
    QLabel *m_hint;
    // The picked row as the list showed it: its change or deletion is
    // written only while it is still so.
    RowVersion m_picked;

private:
    void act();
    void rowClicked(int row);
};
