#include "dialogmessages.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(Messages::Icon icon)
{
    switch (icon) {
    case Messages::Icon::Information:
        return QMessageBox::Information;
    case Messages::Icon::Critical:
        return QMessageBox::Critical;
    case Messages::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

}

void DialogMessages::inform(QWidget *parent, const QString &title, const QString &text, Icon icon)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool DialogMessages::ask(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString DialogMessages::chooseTarget(QWidget *parent, const QString &title, const QString &suggested, Target target)
{
    if (target == Target::Folder)
        return QFileDialog::getExistingDirectory(parent, title, suggested);
    return QFileDialog::getSaveFileName(parent, title, suggested);
}
