#include "secondarywindow.h"

#include "statuspanels.h"

#include <QMenuBar>

SecondaryWindow::SecondaryWindow(const QString &name, const QString &title, QWidget *parent)
    : ProgramWindow(parent), m_status(new StatusPanels(QStringLiteral("Velmora - ") + title, QStringLiteral("Timer1"), this))
{
    setObjectName(name);
    setWindowTitle(title);
    resize(1150, 760);
    QAction *close = menuBar()->addAction(QStringLiteral("&Chiudi"));
    close->setObjectName(QStringLiteral("Chiudi"));
    connect(close, &QAction::triggered, this, &SecondaryWindow::leave);
    setStatusBar(m_status);
}

void SecondaryWindow::leave()
{
    hide();
    emit left();
}
