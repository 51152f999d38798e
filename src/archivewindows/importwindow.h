#pragma once

#include "imports/importpreview.h"
#include "imports/sheetfile.h"

#include <QDialog>

class ColumnMapping;
class Connection;
class GridList;
class Messages;
class QComboBox;
class QLabel;
class QLineEdit;
class TickBox;

// "Importa...": a CSV, XLSX or ODS file chosen, the table it fills, its
// columns matched to the fields, and every row as it would be stored with
// its verdicts, before anything is written. "&Importa" writes the rows
// without errors in one import run, after one question that also names
// the reasons and operators to make; the rows with errors can be saved as
// a file to correct.
class ImportWindow : public QDialog
{
    Q_OBJECT

public:
    ImportWindow(Connection &connection, Messages &messages, QWidget *parent);

private:
    void chooseFile();
    void readFile(const QString &sheet);
    // The table chosen for the file.
    importfields::Table chosenTable() const;
    void rematch();
    void refresh();
    void saveErrors();
    void import();
    // Closed: the file and its rows are let go, which at 100,000 services
    // hold hundreds of megabytes.
    void forget();

    Connection &m_connection;
    Messages &m_messages;
    QLineEdit *m_file;
    QComboBox *m_table;
    QComboBox *m_sheet;
    TickBox *m_duplicates;
    QLabel *m_summary;
    ColumnMapping *m_mapping;
    GridList *m_list;
    sheetfile::Read m_read;
    Sheet m_headed; // its headers found for the table chosen
    importpreview::Preview m_preview;
};
