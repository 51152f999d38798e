#pragma once

#include <QWidget>

class QProgressBar;
class QTimer;

// The splash window: picture, product and office names, version, and the
// bar pb1 that Timer1 fills; on its 39th tick it shows the main window once
// and hides itself. It also writes the desktop shortcut.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    SplashWindow(QWidget &mainWindow, const QString &storePath);

    static QString versionText();
    // Ends the splash without handing over (the start-up could not go on).
    void stop();

signals:
    // The main window was shown.
    void handedOver();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void load();
    void tick();

    QWidget &m_mainWindow;
    QString m_storePath;
    QProgressBar *m_bar;
    QTimer *m_timer;
    bool m_loaded = false;
};
