#include "daysummary.h"

#include "archive/backup.h"
#include "store/connection.h"
#include "store/money.h"
#include "store/recordset.h"
#include "store/storeerror.h"

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
    const bool anyOpen = std::any_of(m_panels.cbegin(), m_panels.cend(),
                                     [](QWidget *panel) { return !panel->isHidden(); });
    if (!anyOpen && isHidden())
        setText(figures()); // coming back after a panel: the figures of now
    setVisible(!anyOpen);
}

QString DaySummary::figures() const
{
    QStringList lines;
    try {
        // The indexes named, or SQLite would read every row: each holds only
        // the rows counted.
        Recordset unbilled(m_connection,
                           QStringLiteral("SELECT count(*), coalesce(sum(IMPORTO), 0) FROM PRESTAZIONI "
                                          "INDEXED BY PRESTAZIONI_DA_PARCELLARE WHERE PARC = 'N'"));
        const qint64 count = unbilled.fields(0).toInteger();
        lines << (count == 0 ? QStringLiteral("Nessuna prestazione da parcellare")
                             : QStringLiteral("Prestazioni da parcellare: %1, per € %2")
                                   .arg(count)
                                   .arg(Money::fromCents(unbilled.fields(1).toInteger()).groupedText()));
        Recordset anomalies(m_connection, QStringLiteral("SELECT count(*) FROM PRESTAZIONI INDEXED BY PRESTAZIONI_ANOMALIE "
                                                         "WHERE ID_CL IS NULL OR ID_OPER IS NULL OR ID_CAUS IS NULL"));
        const qint64 missing = anomalies.fields(0).toInteger();
        lines << (missing == 0 ? QStringLiteral("Nessuna anomalia nelle registrazioni")
                               : QStringLiteral("Anomalie nelle registrazioni: %1 (menu «Segnalazioni»)").arg(missing));
    } catch (const StoreError &) {
        // The figures are a courtesy: a store that can't give them is
        // reported by the windows that need it.
    }
    const QList<backup::Copy> copies = backup::list(backup::folderOf(m_connection.path()));
    if (!copies.isEmpty())
        lines << QStringLiteral("Ultima copia di sicurezza: %1")
                     .arg(QLocale(QLocale::Italian, QLocale::Italy).toString(copies.first().made, QStringLiteral("dddd d MMMM yyyy, HH:mm")));
    lines << QString()
          << QStringLiteral("Per iniziare: «Velmora» per le prestazioni, «Gestione Clienti» per l'anagrafe, "
                            "«Gestione Parcellazione» per parcellare");
    return lines.join(QLatin1Char('\n'));
}
