#include "windowplacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QWidget>

namespace windowplacement {

namespace {

QSettings settings()
{
    return QSettings(QStringLiteral("velmora"), QStringLiteral("finestre"));
}

QString keyOf(const QWidget *window)
{
    return window->objectName() + QStringLiteral("/geometria");
}

void restore(QWidget *window)
{
    const QByteArray kept = settings().value(keyOf(window)).toByteArray();
    if (!kept.isEmpty() && window->restoreGeometry(kept))
        return;
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    // The title bar and the frame come on top of the design size.
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8;
    const QSize design = window->size();
    if (design.width() + 8 > room.width() || design.height() + titleBar > room.height()) {
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
        return;
    }
    window->move(room.center() - QPoint(design.width() / 2, (design.height() + titleBar) / 2));
}

void keep(const QWidget *window)
{
    settings().setValue(keyOf(window), window->saveGeometry());
}

class Follower : public QObject
{
public:
    explicit Follower(QWidget *window) : QObject(window), m_window(window) { window->installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && !event->spontaneous()) {
            if (event->type() == QEvent::Show && !std::exchange(m_placed, true))
                restore(m_window);
            else if (event->type() == QEvent::Hide)
                keep(m_window);
        }
        return false;
    }

private:
    QWidget *m_window;
    bool m_placed = false;
};

}

void follow(QWidget *window)
{
    new Follower(window);
}

}
