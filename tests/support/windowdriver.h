#pragma once

#include <QWidget>

class GridList;
class QLineEdit;

// Drives a window's named controls as the user does: clicks, typing, picks
// in drop-downs, clicks on list rows. Tests set the window they work on.
class WindowDriver
{
protected:
    void drive(QWidget *window) { m_driven = window; }

    template<typename W = QWidget>
    W *get(const char *name) const
    {
        return m_driven->findChild<W *>(QLatin1String(name));
    }
    QLineEdit *field(const char *name) const;
    GridList *list(const char *name) const;

    void press(const char *name);
    // A click on a tick box.
    void tick(const char *name);
    // As the user's pick in the open list: the entry becomes current and the
    // list reports it.
    void pickIndex(const char *name, int index);
    void pick(const char *name, const QString &text);
    // Replaces the field's text by typing.
    void type(const char *name, const QString &text);
    void clickRow(const char *name, int row, int column = 0);

private:
    QWidget *m_driven = nullptr;
};
