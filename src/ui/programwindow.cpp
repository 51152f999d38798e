#include "programwindow.h"

#include "windowplacement.h"

#include <QCloseEvent>
#include <QDialog>
#include <QShowEvent>
#include <QTimer>

ProgramWindow::ProgramWindow(QWidget *parent) : QMainWindow(parent)
{
    windowplacement::follow(this);
}

int ProgramWindow::showModal(QDialog &dialog)
{
    const int result = dialog.exec();
    emit activated();
    return result;
}

void ProgramWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // A spontaneous show is the window system restoring the window; ours come
    // from show(). The handling runs once the window is on screen, so a
    // message box it opens sits over the window.
    if (!event->spontaneous())
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                emit activated();
        });
}

void ProgramWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}
