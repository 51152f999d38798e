#include "panelframe.h"

#include <QVBoxLayout>
#include <QStyle>
#include <QToolButton>

PanelFrame::PanelFrame(const QString &name, const QString &title, const QString &closePictureName, QWidget *parent)
    : QGroupBox(title, parent), m_closePicture(makeClosePicture(closePictureName, this)), m_content(new QVBoxLayout)
{
    setObjectName(name);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_closePicture, 0, Qt::AlignRight | Qt::AlignTop);
    // A list in the panel takes the height the panel has; fields stay on top.
    layout->addLayout(m_content, 1);
    layout->addStretch(0);
}

QToolButton *PanelFrame::makeClosePicture(const QString &name, QWidget *parent)
{
    auto *picture = new QToolButton(parent);
    picture->setObjectName(name);
    picture->setIcon(parent->style()->standardIcon(QStyle::SP_DialogCloseButton));
    picture->setAutoRaise(true);
    picture->setToolTip(QStringLiteral("Chiudi"));
    picture->setCursor(Qt::PointingHandCursor);
    return picture;
}
