#include "daysummary.h"

#include "records/anomalies.h"
#include "archive/backup.h"
#include "store/connection.h"
#include "store/money.h"
#include "store/recordset.h"
#include "store/skipfailure.h"

#include <QEvent>
#include <QLocale>
#include <QTimer>

DaySummary::DaySummary(Connection &connection, QList<QWidget *> panels, QWidget *parent)
    : QLabel(parent), m_connection(connection), m_panels(std::move(panels))
{
    setObjectName(QStringLiteral("Riepilogo"));
    setAlignment(Qt::AlignCenter);
    setTextFormat(Qt::PlainText);
    setForegroundRole(QPalette::PlaceholderText);
    QFont larger = font();
    larger.setPointSizeF(larger.pointSizeF() * 1.25);
    setFont(larger);
    for (QWidget *panel : m_panels)
        panel->installEventFilter(this);
}

void DaySummary::refresh()
{
    if (!isHidden())
        setText(figures());
    followPanels();
}

bool DaySummary::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
        // After the whole switch of panels, not halfway through it.
        QTimer::singleShot(0, this, &DaySummary::followPanels);
    return QLabel::eventFilter(watched, event);
}

void DaySummary::followPanels()
{
    const bool anyOpen = std::any_of(m_panels.cbegin(), m_panels.cend(), [](QWidget *panel) { return !panel->isHidden(); });
    if (!anyOpen && isHidden())
        setText(figures()); // coming back after a panel: the figures of now
    setVisible(!anyOpen);
}

QString DaySummary::figures() const
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QStringList lines;
    // The figures are a courtesy: a store that can't give them shows none
    // (damage is still told, once, as every skipped step tells it).
    skipFailure([&] {
        // Named, or SQLite would take the lists' index and read every
        // unbilled row for its amount: this one holds only those amounts.
        Recordset unbilled(m_connection,
                           QStringLiteral("SELECT count(*), coalesce(sum(IMPORTO), 0) FROM PRESTAZIONI "
                                          "WITH (INDEX(PRESTAZIONI_IMPORTI_DA_PARCELLARE)) WHERE PARC = 'N'"));
        const qint64 count = unbilled.fields(0).toInteger();
        lines << (count == 0 ? QStringLiteral("Nessuna prestazione da parcellare")
                             : QStringLiteral("Prestazioni da parcellare: %1, per %2")
                                   .arg(italian.toString(count))
                                   .arg(Money::fromCents(unbilled.fields(1).toInteger()).euroText()));
    });
    const qint64 missing = anomalies::count(m_connection);
    lines << (missing == 0
                  ? QStringLiteral("Nessuna anomalia nelle registrazioni")
                  : QStringLiteral("Anomalie nelle registrazioni: %1 (menu «Segnalazioni»)").arg(italian.toString(missing)));
    const QList<backup::Copy> copies = backup::list(backup::folderOf(m_connection.path()));
    if (!copies.isEmpty())
        lines << QStringLiteral("Ultima copia di sicurezza: %1")
                     .arg(italian.toString(copies.first().made, QStringLiteral("dddd d MMMM yyyy, HH:mm")));
    lines << QString()
          << QStringLiteral("Per iniziare: «Velmora» per le prestazioni, «Gestione Clienti» per l'anagrafe, "
                            "«Gestione Parcellazione» per parcellare");
    return lines.join(QLatin1Char('\n'));
}
