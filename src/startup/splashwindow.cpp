#include "splashwindow.h"

#include "desktopshortcut.h"
#include "version.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

namespace {

QLabel *label(const QString &name, const QString &text, int pointSize, bool bold, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    QFont font(QStringLiteral("Arial"), pointSize);
    font.setBold(bold);
    l->setFont(font);
    return l;
}

}

SplashWindow::SplashWindow(QWidget &mainWindow, const QString &storePath)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), m_mainWindow(mainWindow), m_storePath(storePath),
      m_bar(new QProgressBar(this)), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    setStyleSheet(QStringLiteral("#frmSplash { background: #f4efe3; border: 2px solid #0f2f57; }"));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgLogo"));
    picture->setPixmap(QPixmap(QStringLiteral(":/startup/splash.jpg")));

    auto *texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(label(QStringLiteral("lblProductName"), QStringLiteral("Velmora"), 30, true, this));
    texts->addWidget(label(QStringLiteral("lblCompany"), QStringLiteral("Ostrevia"), 16, false, this));
    texts->addSpacing(24);
    texts->addWidget(label(QStringLiteral("lblVersion"), QString(), 10, false, this));
    texts->addStretch();

    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(24);
    top->addLayout(texts, 1);

    m_bar->setObjectName(QStringLiteral("pb1"));
    m_bar->setRange(0, 200);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addLayout(top);
    layout->addWidget(m_bar);

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::tick);
}

QString SplashWindow::versionText()
{
    return QStringLiteral("Versione %1.%2.%3")
        .arg(VELMORA_VERSION_MAJOR)
        .arg(VELMORA_VERSION_MINOR)
        .arg(VELMORA_VERSION_REVISION);
}

void SplashWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        load();
    }
}

void SplashWindow::load()
{
    findChild<QLabel *>(QStringLiteral("lblVersion"))->setText(versionText());
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    m_timer->start();
    // Whether the shortcut could be written is not looked at.
    desktopshortcut::write(desktopshortcut::desktopFolder(), QString::fromLatin1(desktopshortcut::linkName),
                           QCoreApplication::applicationFilePath(), m_storePath);
}

void SplashWindow::stop()
{
    m_timer->stop();
    hide();
}

void SplashWindow::tick()
{
    m_bar->setValue(m_bar->value() + 5);
    if (m_bar->value() > 190) {
        m_timer->stop();
        m_mainWindow.show();
        hide();
        emit handedOver();
    }
}
