#pragma once

#include "store/rowversion.h"
#include "ui/panelframe.h"

class Connection;
class DropDown;
class GridList;
class Messages;
class QLabel;

// The service search panel (Frame6): a filter chooses which services the
// full list (ListView4) shows, or one client's; a click on a row hands the
// record to the editor for change or deletion.
class ServiceSearch : public PanelFrame
{
    Q_OBJECT

public:
    enum class Mode { Modify, Delete };

    ServiceSearch(Connection &connection, Messages &messages, QWidget *parent = nullptr);

    void open(Mode mode);
    // After a change or deletion: no rows, no filter text; the mode stays.
    void reset();

    GridList *list() const { return m_list; }
    DropDown *clientList() const { return m_clients; }
    // The other list of service clients, filled whenever this one is.
    void shareClientNames(DropDown *other);

signals:
    void servicePicked(const QStringList &cells, const RowVersion &loaded);

private:
    void filterChosen(const QString &filter);
    void fillClientFilter();
    void searchClient(const QString &name);
    void pickRow(int row);

    Connection &m_connection;
    Messages &m_messages;
    DropDown *m_filter; // Cbo5
    DropDown *m_clients; // Cbo8
    DropDown *m_otherClients = nullptr;
    QLabel *m_clientId; // Label21
    GridList *m_list; // ListView4
};
