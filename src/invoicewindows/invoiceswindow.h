#pragma once

#include <QDialog>

class Connection;
class GridList;
class Messages;
class QLabel;
class QSpinBox;

// "Fatture elettroniche": the bills of a year with their figures and
// their latest file; the FatturaPA files of the ticked bills (or of the
// one selected, or of all not yet written) into the folder chosen once,
// the credit note and the courtesy copy of the selected bill, and the
// folder itself.
class InvoicesWindow : public QDialog
{
    Q_OBJECT

public:
    InvoicesWindow(Connection &connection, Messages &messages, QWidget *parent);

    void refill();

private:
    QStringList chosenNumbers() const;
    // The remembered folder, or one asked for now; empty when not given.
    QString folder(bool askAgain = false);
    void generate();
    // The latest files of the chosen bills, sent to the SdI by PEC.
    void sendFiles();
    // The credit note of the selected bill, for the services the office
    // leaves ticked.
    void creditNote();
    // The SdI's notifications of a folder, kept with the bills' files.
    void readReceipts();
    // The year's files sent and notifications, in one ZIP for the legal
    // archiving.
    void keepYear();
    void courtesyCopy();
    void openFolder();

    Connection &m_connection;
    Messages &m_messages;
    QSpinBox *m_year;
    GridList *m_list;
    QLabel *m_folder;
    QByteArray m_pecPassword;
};
