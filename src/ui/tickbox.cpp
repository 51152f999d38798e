#include "tickbox.h"

TickBox::TickBox(const QString &caption, QWidget *parent) : QCheckBox(caption, parent)
{
    connect(this, &QCheckBox::toggled, this, &TickBox::ticked);
}
