#pragma once

#include "store/rowversion.h"

#include <QGroupBox>

class ClientCodes;
class ClientFields;
class Connection;
class DropDown;
class Messages;
class QLineEdit;
class QPushButton;

// The client editor panel: the fields, the lists that feed them, and the
// action button that inserts, changes or deletes by its caption.
class ClientEditor : public QGroupBox
{
    Q_OBJECT

public:
    ClientEditor(Connection &connection, Messages &messages, QWidget *parent = nullptr);

    ClientFields *fields() const { return m_fields; }
    void setAction(const QString &caption);
    // The client picked in a list; its change or deletion is written only
    // while it is still as loaded.
    void load(const QStringList &cells, const RowVersion &loaded);

    void loadComuni();
    void loadAttivita();
    void loadPagamenti();
    void loadDocumentTypes();

signals:
    // Written, the success shown: the window takes the next step.
    void inserted();
    void updated();
    void deleted();

private:
    void saveClient();
    bool nameGiven();
    void warnIfInactive(const QString &text);
    // Codes not valid are told in the save's own question, so that one
    // answer saves them; empty when all are valid.
    QString codesNotice(bool changing) const;
    void insertClient();
    void updateClient();
    void deleteClient();
    void lookupComune(DropDown *municipality, DropDown *province, QLineEdit *postalCode);

    Connection &m_connection;
    Messages &m_messages;
    ClientFields *m_fields;
    ClientCodes *m_codes;
    QPushButton *m_action; // Cmd2
    RowVersion m_loaded;
};
