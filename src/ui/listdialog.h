#pragma once

#include <QDialog>

class GridList;

// A window of one list and one action on the chosen row, beside "&Chiudi".
class ListDialog : public QDialog
{
    Q_OBJECT

public:
    struct Names
    {
        const char *window;
        const char *list;
        const char *action;
    };

    ListDialog(const Names &names, const QString &title, const QString &actionCaption, QWidget *parent);

protected:
    GridList *list() const { return m_list; }
    // The action button was pressed.
    virtual void act() = 0;

private:
    GridList *m_list;
};
