#pragma once

#include "programwindow.h"

class StatusPanels;

// A window the main window opens and hides behind: its "&Chiudi" menu,
// its five-panel status bar with a clock, and leaving it, which shows the
// main window again.
class SecondaryWindow : public ProgramWindow
{
    Q_OBJECT

public:
    SecondaryWindow(const QString &name, const QString &title, QWidget *parent = nullptr);

    StatusPanels *status() const { return m_status; }
    void leave();

signals:
    // "&Chiudi" or the window's own exit: the main window comes back.
    void left();

private:
    StatusPanels *m_status;
};
