#pragma once

#include <QGroupBox>

class Connection;
class Messages;
class QLineEdit;
class TickBox;

// The step before every new client: its tax code or VAT number, refused
// when a stored client has it already.
class CodeEntryPanel : public QGroupBox
{
    Q_OBJECT

public:
    CodeEntryPanel(Connection &connection, Messages &messages, QWidget *parent = nullptr);

    QLineEdit *code() const { return m_code; } // Text26
    TickBox *force() const { return m_force; }

signals:
    // A new code (empty when forced): the editor opens for a new client.
    void newClient(const QString &code);
    // A duplicate was refused: the editor's ID field is emptied.
    void duplicateRefused();
    void left();

private:
    void proceedWithCode();

    Connection &m_connection;
    Messages &m_messages;
    QLineEdit *m_code;
    TickBox *m_force;
};
