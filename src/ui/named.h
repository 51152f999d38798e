#pragma once

#include <QWidget>

// A control made in code, given the name the windows and tests know it by.
template<typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}
