#include "clientprintpanel.h"

#include "ui/panelframe.h"
#include "ui/tickbox.h"

#include <QToolButton>
#include <QVBoxLayout>

ClientPrintPanel::ClientPrintPanel(QWidget *parent) : QGroupBox(QStringLiteral("Stampa"), parent)
{
    setObjectName(QStringLiteral("FrameStampa"));
    auto *layout = new QVBoxLayout(this);
    QToolButton *close = PanelFrame::makeClosePicture(QStringLiteral("PictureStampa"), this);
    layout->addWidget(close, 0, Qt::AlignRight);
    const std::pair<const char *, const char *> lists[] = {
        {"Stampa Clienti Attivi", "WHERE STATO LIKE 'S'"},
        {"Stampa Clienti non Attivi", "WHERE STATO LIKE 'N'"},
        {"Stampa Generale", "WHERE 1=1"},
    };
    for (const auto &[caption, condition] : lists) {
        auto *box = new TickBox(QString::fromLatin1(caption), this);
        const QString sql = QStringLiteral("SELECT SOGGETTO,INDIRIZZO,COMUNER,PRR,CAP,CODICE,PIVA,STATO FROM SOGGETTI   ")
            + QLatin1String(condition) + QStringLiteral("  ORDER BY SOGGETTO;");
        connect(box, &TickBox::ticked, this, [this, box, sql](bool isTicked) {
            if (isTicked)
                ticked(box, sql);
        });
        m_boxes << box;
        layout->addWidget(box);
    }
    layout->addStretch(1);
    connect(close, &QToolButton::clicked, this, &ClientPrintPanel::closed);
}

void ClientPrintPanel::untickAll()
{
    for (TickBox *box : m_boxes)
        box->setTicked(false);
}

void ClientPrintPanel::ticked(TickBox *box, const QString &sql)
{
    for (TickBox *other : m_boxes)
        if (other != box)
            other->setTicked(false);
    // Unticked again at once, so the next click on it prints again.
    box->setTicked(false);
    emit printRequested(sql);
}
