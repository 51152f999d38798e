#pragma once

#include <QList>
#include <QPair>
#include <QVariant>

class Connection;
class RowVersion;

// The client window's reads and writes on SOGGETTI. A write is one
// statement: a value a column refuses fails it before anything is written.
namespace clientrecords {

using ColumnValues = QList<QPair<QString, QVariant>>;

void insert(Connection &connection, const ColumnValues &values);
// Returns the rows written; refused when the client is no longer as loaded.
int update(Connection &connection, qint64 id, const RowVersion &loaded, const ColumnValues &values);
int remove(Connection &connection, qint64 id, const RowVersion &loaded);

// Whether a stored client has the code, trimmed and without regard to case,
// as its tax code or as its VAT number.
bool codeExists(Connection &connection, const QString &code);

}
