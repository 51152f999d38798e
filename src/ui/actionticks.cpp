#include "actionticks.h"

#include "tickbox.h"

ActionTicks::ActionTicks(const QList<Box> &boxes, QWidget *parent) : QObject(parent)
{
    for (const Box &b : boxes) {
        auto *box = new TickBox(b.caption, parent);
        box->setObjectName(QLatin1String(b.name));
        const int index = int(m_boxes.size());
        connect(box, &TickBox::ticked, this, [this, index](bool isTicked) { changed(index, isTicked); });
        m_boxes << box;
    }
}

int ActionTicks::tickedBox() const
{
    for (int i = 0; i < m_boxes.size(); ++i)
        if (m_boxes.at(i)->isTicked())
            return i;
    return -1;
}

void ActionTicks::changed(int box, bool isTicked)
{
    if (m_switching)
        return;
    bool another = false;
    for (int i = 0; i < m_boxes.size(); ++i)
        another = another || (i != box && m_boxes.at(i)->isTicked());
    if (isTicked && !another) {
        emit ticked(box);
        return;
    }
    if (another) {
        m_switching = true;
        for (TickBox *b : m_boxes)
            b->setTicked(false);
        m_switching = false;
    }
    emit unticked(box);
}
