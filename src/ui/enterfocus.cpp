#include "enterfocus.h"

#include <QKeyEvent>
#include <QWidget>

EnterFocus::EnterFocus(QWidget *from, QWidget *to) : QObject(from), m_to(to) {}

void EnterFocus::install(QWidget *from, QWidget *to)
{
    from->installEventFilter(new EnterFocus(from, to));
}

bool EnterFocus::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    m_to->setFocus(Qt::TabFocusReason);
    return true;
}
