#pragma once

#include <QGroupBox>

class TickBox;

// The print panel ("Stampa"): one tick box per client list; ticking one
// unticks the others and prints its list.
class ClientPrintPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit ClientPrintPanel(QWidget *parent = nullptr);

    void untickAll();

signals:
    // The statement of the list to print through the client report.
    void printRequested(const QString &sql);
    void closed();

private:
    void ticked(TickBox *box, const QString &sql);

    QList<TickBox *> m_boxes;
};
