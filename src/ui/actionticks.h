#pragma once

#include <QList>
#include <QObject>

class TickBox;
class QWidget;

// The mutually exclusive action tick boxes of a maintenance panel. A box
// ticked runs the panel's handling of its action; a box unticked, by the
// user or from code, runs its untick handling. Ticking a box while another
// is ticked unticks both, and the panel ends as the clicked box's untick
// handling leaves it: the user ticks again.
class ActionTicks : public QObject
{
    Q_OBJECT

public:
    struct Box
    {
        const char *name;
        QString caption;
    };

    ActionTicks(const QList<Box> &boxes, QWidget *parent);

    TickBox *box(int index) const { return m_boxes.at(index); }
    int count() const { return int(m_boxes.size()); }
    // The ticked box, or -1.
    int tickedBox() const;

signals:
    void ticked(int box);
    void unticked(int box);

private:
    void changed(int box, bool isTicked);

    QList<TickBox *> m_boxes;
    bool m_switching = false;
};
