#pragma once

#include <QLabel>

class Connection;

// What the main window shows where no panel is open: the services to bill
// and their amount, the anomalies, the last copy of the store, and where to
// begin. Text only; it steps aside as soon as any of the panels shows.
class DaySummary : public QLabel
{
    Q_OBJECT

public:
    DaySummary(Connection &connection, QList<QWidget *> panels, QWidget *parent);

    // Reads the figures again when shown; shows them when no panel is open.
    void refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString figures() const;
    void followPanels();

    Connection &m_connection;
    QList<QWidget *> m_panels;
};
