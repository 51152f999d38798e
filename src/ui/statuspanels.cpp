#include "statuspanels.h"

#include "keylocks.h"

#include <QDateTime>
#include <QLabel>
#include <QTimer>

StatusPanels::StatusPanels(const QString &fixedText, const QString &timerName, QWidget *parent)
    : QStatusBar(parent), m_clock(new QTimer(this))
{
    setObjectName(QStringLiteral("StatusBar1"));
    const QStringList texts{fixedText, QStringLiteral("BLOC NUM"), QStringLiteral("BLOC MAIUSC"), QString(), QString()};
    for (int i = 0; i < texts.size(); ++i) {
        auto *panel = new QLabel(texts.at(i), this);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMargin(2);
        if (i == 0)
            addWidget(panel, 1);
        else
            addPermanentWidget(panel);
        m_panels << panel;
    }
    m_clock->setObjectName(timerName);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &StatusPanels::tick);
}

QString StatusPanels::panelText(int panel) const
{
    return m_panels.at(panel - 1)->text();
}

void StatusPanels::startClock()
{
    tick();
    m_clock->start();
}

void StatusPanels::tick()
{
    // A lock that is off shows its caption greyed, as the keyboard's light
    // would be.
    if (const std::optional<keylocks::State> locks = keylocks::current()) {
        m_panels[1]->setEnabled(locks->num);
        m_panels[2]->setEnabled(locks->caps);
    }
    const QDateTime now = QDateTime::currentDateTime();
    m_panels[3]->setText(now.date().toString(QStringLiteral("dd/MM/yyyy")));
    m_panels[4]->setText(now.time().toString(QStringLiteral("hh:mm:ss")));
}
