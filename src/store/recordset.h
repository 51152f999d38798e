#pragma once

#include "field.h"
#include "resulttable.h"
#include "schema.h"
#include "storedvalue.h"

#include <QList>
#include <QPair>
#include <QString>
#include <memory>

class Connection;

// A short-lived set of rows opened on the shared connection, in the manner
// the windows were written for: open on SQL text or on a table name, read
// with EOF / MoveNext / Fields, add or change a row with AddNew / Update.
//
// On a table name nothing is read: the recordset serves AddNew. On
// "SELECT ... FROM <one table> ..." the current row can be changed when the
// result carries its ID. Values are converted when assigned, so a value the
// column cannot take fails there and nothing is written.
class Recordset
{
public:
    // Values for the "?" marks of the SQL are bound, never pasted in.
    Recordset(Connection &connection, const QString &source, const QList<QVariant> &values = {});

    int recordCount();
    bool eof();
    void moveNext();
    Field fields(int position);
    Field fields(const QString &name);
    int fieldCount();
    QString fieldName(int position);

    // The current row is changed only while it is still as the window
    // loaded it; a loaded row that is gone already is refused here.
    void expect(const RowVersion &loaded);
    void addNew();
    void setField(const QString &name, const QVariant &value);
    // Writes the new or changed row in one statement; returns the rows
    // written (0 when the row to change is gone meanwhile).
    int update();
    void close();

    // The rows as read, for lists that show them after the recordset closed.
    std::shared_ptr<const ResultTable> rows();

private:
    const ResultTable &table();
    int positionOf(const QString &name);
    const ColumnDefinition &columnOf(const QString &name);
    // The table that addNew and update write: read from the query only when
    // first needed, refused when the rows come from more than one table.
    const QString &writtenTable();

    Connection *m_connection;
    QString m_table; // the table opened, or the one written by update()
    QString m_query;
    std::shared_ptr<ResultTable> m_rows;
    int m_current = 0;
    bool m_adding = false;
    QList<QPair<QString, StoredValue>> m_changes;
    RowVersion m_loaded;
};
