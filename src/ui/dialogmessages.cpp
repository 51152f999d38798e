#include "dialogmessages.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSpacerItem>

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

// Room for the whole title in the title bar, and for the text on as few
// lines as the screen allows, so that no title is cut and no "?" wraps alone.
void widen(QMessageBox &box)
{
    QFont titleFont = box.font();
    titleFont.setBold(true);
    // The title bar holds the window's buttons beside the title.
    const int title = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + 140;
    int text = 0;
    for (const QString &line : box.text().split(QLatin1Char('\n')))
        text = std::max(text, box.fontMetrics().horizontalAdvance(line));
    text += box.icon() == QMessageBox::NoIcon ? 60 : 120;
    const QScreen *screen = box.screen();
    const int widest = screen ? screen->availableGeometry().width() * 3 / 4 : 1000;
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (grid)
        grid->addItem(new QSpacerItem(std::min(std::max(title, text), widest), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

}

void DialogMessages::inform(QWidget *parent, const QString &title, const QString &text, Icon icon)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, parent);
    widen(box);
    box.exec();
}

bool DialogMessages::ask(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    widen(box);
    return box.exec() == QMessageBox::Yes;
}

QString DialogMessages::chooseTarget(QWidget *parent, const QString &title, const QString &suggested, Target target)
{
    if (target == Target::Folder)
        return QFileDialog::getExistingDirectory(parent, title, suggested);
    if (target == Target::Source)
        return QFileDialog::getOpenFileName(
            parent, title, suggested, QStringLiteral("Fogli di calcolo e CSV (*.csv *.txt *.xlsx *.ods);;Tutti i file (*)"));
    return QFileDialog::getSaveFileName(parent, title, suggested);
}

Messages::Login DialogMessages::askLogin(QWidget *parent, const QString &archive, const QString &reason)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Velmora - ACCESSO ALL'ARCHIVIO"));
    dialog.setMinimumWidth(480);
    auto *form = new QFormLayout(&dialog);
    auto *told = new QLabel(QStringLiteral("Archivio: %1\n%2").arg(archive, reason), &dialog);
    told->setWordWrap(true);
    form->addRow(told);
    // The user the address names, or the one logged in.
    static const QRegularExpression named(QStringLiteral("\\buser\\s*=\\s*([^\\s]+)"));
    const QString given = named.match(archive).captured(1);
    auto *user = new QLineEdit(given.isEmpty() ? QString::fromLocal8Bit(qgetenv("USER")) : given, &dialog);
    user->setObjectName(QStringLiteral("Utente"));
    auto *password = new QLineEdit(&dialog);
    password->setObjectName(QStringLiteral("Password"));
    password->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Utente:"), user);
    form->addRow(QStringLiteral("Password:"), password);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    password->setFocus();
    if (dialog.exec() != QDialog::Accepted || user->text().trimmed().isEmpty())
        return {};
    return {user->text().trimmed(), password->text().toUtf8()};
}

QByteArray DialogMessages::askPassword(QWidget *parent, const QString &title, const QString &text)
{
    bool given = false;
    const QString password = QInputDialog::getText(parent, title, text, QLineEdit::Password, QString(), &given);
    return given ? password.toUtf8() : QByteArray();
}
