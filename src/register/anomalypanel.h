#pragma once

#include "store/rowversion.h"
#include "ui/panelframe.h"

class Connection;
class GridList;

// The anomaly panel (Frame9): the services with a missing link, as they
// were when the panel opened; a click hands a row to the service editor
// for correction.
class AnomalyPanel : public PanelFrame
{
    Q_OBJECT

public:
    AnomalyPanel(Connection &connection, QWidget *parent = nullptr);

    void open();
    GridList *list() const { return m_list; }

signals:
    // The row's twenty cells, in the order of the table's columns.
    void servicePicked(const QStringList &cells, const RowVersion &loaded);

private:
    Connection &m_connection;
    GridList *m_list; // ListView6
};
