#include "windowplacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScrollArea>
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

// The title bar and the frame come on top of a window's own size.
QSize frameOf(const QWidget *window)
{
    return {8, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8};
}

QRect roomOf(const QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

bool fits(QSize size, const QRect &room, QSize frame)
{
    return size.width() + frame.width() <= room.width() && size.height() + frame.height() <= room.height();
}

void restore(QWidget *window)
{
    const QRect room = roomOf(window);
    if (room.isEmpty())
        return;
    const QSize frame = frameOf(window);
    const QSize design = window->size();
    const QByteArray kept = settings().value(keyOf(window)).toByteArray();
    // A size kept on a larger screen, or grown past this one, is not taken.
    if (!kept.isEmpty() && window->restoreGeometry(kept) && (window->isMaximized() || fits(window->size(), room, frame)))
        return;
    if (!fits(design, room, frame)) {
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
        return;
    }
    window->resize(design);
    window->move(room.center() - QPoint(design.width() / 2, (design.height() + frame.height()) / 2));
}

void keep(const QWidget *window)
{
    settings().setValue(keyOf(window), window->saveGeometry());
}

// A window's panels sit in an area that scrolls when they need more than
// the screen has: a panel shown later grows the window up to the screen,
// never past it.
class Follower : public QObject
{
public:
    explicit Follower(QWidget *window) : QObject(window), m_window(window) { window->installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_content && event->type() == QEvent::LayoutRequest)
            growForContent();
        if (watched == m_window && !event->spontaneous()) {
            // Before the window's first layout and showing.
            if (event->type() == QEvent::Polish && !m_area)
                scrollContent();
            else if (event->type() == QEvent::Show && !std::exchange(m_placed, true))
                restore(m_window);
            else if (event->type() == QEvent::Hide)
                keep(m_window);
        }
        return false;
    }

private:
    void scrollContent()
    {
        auto *main = qobject_cast<QMainWindow *>(m_window);
        if (!main || !main->centralWidget() || qobject_cast<QScrollArea *>(main->centralWidget()))
            return;
        m_content = main->takeCentralWidget();
        m_area = new QScrollArea(main);
        m_area->setObjectName(QStringLiteral("AreaFinestra"));
        m_area->setFrameShape(QFrame::NoFrame);
        m_area->setWidgetResizable(true);
        m_area->setWidget(m_content);
        main->setCentralWidget(m_area);
        m_content->installEventFilter(this);
    }

    void growForContent()
    {
        if (!m_area || m_window->isMaximized() || m_window->isFullScreen())
            return;
        const QSize missing = m_content->minimumSizeHint() - m_area->viewport()->size();
        if (missing.width() <= 0 && missing.height() <= 0)
            return;
        const QRect room = roomOf(m_window);
        const QSize most = room.size() - frameOf(m_window);
        const QSize wanted = m_window->size() + missing.expandedTo(QSize(0, 0));
        m_window->resize(wanted.boundedTo(most));
        // Grown downwards past the screen's edge: moved up, as far as it must.
        const QRect frame = m_window->frameGeometry();
        if (frame.bottom() > room.bottom() || frame.right() > room.right())
            m_window->move(m_window->pos()
                           - QPoint(qMax(0, frame.right() - room.right()), qMax(0, frame.bottom() - room.bottom())));
    }

    QWidget *m_window;
    QWidget *m_content = nullptr;
    QScrollArea *m_area = nullptr;
    bool m_placed = false;
};

}

void follow(QWidget *window)
{
    new Follower(window);
}

}
