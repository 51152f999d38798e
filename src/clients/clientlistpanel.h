#pragma once

#include "store/rowversion.h"

#include <QGroupBox>

class Connection;
class DropDown;
class GridList;
class QLabel;
class TickBox;

// The client list panel: the mode label that says what a row click does,
// the 24-column list of clients, the letter filter and the switch to the
// inactive clients.
class ClientListPanel : public QGroupBox
{
    Q_OBJECT

public:
    static const QString ModifyMode;
    static const QString DeleteMode;

    ClientListPanel(Connection &connection, QWidget *parent = nullptr);

    void listActiveClients();
    void listInactiveClients();
    void listClientsByInitial(const QString &initial);
    // Empty, "Tutti" and the letters A to Z, enabled.
    void resetLetterFilter();
    void setMode(const QString &mode);
    QLabel *modeLabel() const { return m_mode; }
    TickBox *inactive() const { return m_inactive; }
    GridList *list() const { return m_list; }

signals:
    // A row clicked in a picking mode: every column of the client, and the
    // editor action the mode gives.
    void clientPicked(const QStringList &cells, const RowVersion &loaded, const QString &action);
    void sortCaptionClicked();

private:
    void fill(const QString &sql, int idTwips);
    void letterChosen(const QString &letter);
    void pickClient();

    Connection &m_connection;
    QLabel *m_mode;
    GridList *m_list;
    DropDown *m_letters;
    TickBox *m_inactive;
};
