#pragma once

#include <QStatusBar>

class QLabel;
class QTimer;

// The five-panel status bar of the program's windows: a fixed text, the
// Num Lock and Caps Lock panels (greyed while the lock is off, where the
// window system tells), the date and a clock that its window's one-second
// timer rewrites while enabled.
class StatusPanels : public QStatusBar
{
    Q_OBJECT

public:
    StatusPanels(const QString &fixedText, const QString &timerName, QWidget *parent = nullptr);

    QString panelText(int panel) const; // 1 to 5
    QTimer *clock() const { return m_clock; }
    // Enables the timer; the panels show the time at once.
    void startClock();

private:
    void tick();

    QList<QLabel *> m_panels;
    QTimer *m_clock;
};
