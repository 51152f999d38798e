#pragma once

#include <QObject>

class QWidget;

// Enter in a field moves the focus to the next field the window names. Done
// in an event filter so that in a dialog Enter does not also press the
// default button and run its action a second time.
class EnterFocus : public QObject
{
    Q_OBJECT

public:
    static void install(QWidget *from, QWidget *to);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    EnterFocus(QWidget *from, QWidget *to);

    QWidget *m_to;
};
