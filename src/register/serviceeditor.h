#pragma once

#include "servicecheck.h"
#include "store/money.h"
#include "store/rowversion.h"
#include "ui/panelframe.h"

#include <optional>

class Connection;
class DropDown;
class GridList;
class Messages;
class QLineEdit;
class QPushButton;
class ServiceFields;
class TickBox;
struct ServiceEntry;

// The service editor (Frame1): records a new service, or changes or
// deletes the one picked in the search list, by the caption of its action
// button; with the short list of services (ListView3) below the fields.
class ServiceEditor : public PanelFrame
{
    Q_OBJECT

public:
    ServiceEditor(Connection &connection, Messages &messages, QWidget *parent = nullptr);

    // Empties every text of the window, then the editor's own fields.
    void clear();
    void fillPickLists();
    void fillReasons();
    void fillOperators();
    void fillNewestFirst();
    void setAction(const QString &caption);
    // A row of the search list, copied in for change or deletion.
    // The service picked in a list; its change or deletion is written only
    // while it is still as loaded.
    void loadService(const QStringList &cells, const RowVersion &loaded);

    ServiceFields *fields() const { return m_fields; }
    GridList *list() const { return m_list; }

signals:
    // A change or deletion is done: back to the search list.
    void backToSearch();
    void captionClicked();

private:
    void buildActions(QWidget *bar);
    void connectLookups();
    void lookUpId(DropDown *list, QLineEdit *idField, const QString &sqlUpToName);
    void lookUpReason();
    void showStatement(bool ticked);
    void act();
    void insertService();
    void updateService();
    void deleteService();
    // The checks before the question; false after showing the first problem.
    bool passesChecks(bool inserting);
    void showProblem(const servicecheck::Problem &problem);
    void refuseTotal();

    Connection &m_connection;
    Messages &m_messages;
    ServiceFields *m_fields;
    GridList *m_list; // ListView3
    QPushButton *m_action; // Cmd1
    QPushButton *m_newest; // Command1
    QPushButton *m_oldest; // Command2
    TickBox *m_statement; // C3
    // The unit price behind the total shown in T7 after a question answered
    // No, so that asking again does not multiply twice.
    std::optional<Money> m_unitPrice;
    RowVersion m_loaded;
    QString m_totalShown;
};
