#include "listdialog.h"

#include "gridlist.h"
#include "windowplacement.h"

#include <QPushButton>
#include <QVBoxLayout>

ListDialog::ListDialog(const Names &names, const QString &title, const QString &actionCaption, QWidget *parent)
    : QDialog(parent), m_list(new GridList(this))
{
    setObjectName(QLatin1String(names.window));
    setWindowTitle(title);
    resize(900, 420);
    windowplacement::follow(this);
    m_list->setObjectName(QLatin1String(names.list));
    auto *action = new QPushButton(actionCaption, this);
    action->setObjectName(QLatin1String(names.action));
    auto *close = new QPushButton(QStringLiteral("&Chiudi"), this);
    close->setObjectName(QStringLiteral("CmdChiudi"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(action);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    connect(action, &QPushButton::clicked, this, [this] { act(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}
