#pragma once

#include "importpreview.h"

#include <QDate>
#include <QVariant>

#include <optional>

// One row of a preview as it is worked out: the file's cells by field, the
// values set column by column, then checked as a save of the windows checks
// them (the column's kind, its length and characters), never cut.
class RowDraft
{
public:
    RowDraft(const importpreview::Preview &preview, const SheetRow &row, const importfields::Mapping &mapping);

    // The file's text for the field of that key, its blanks trimmed; empty
    // when no column fills it.
    QString cell(const QString &key) const;
    bool has(const QString &key) const { return !cell(key).isEmpty(); }
    void set(const QString &column, const QVariant &value, const QString &shown);
    void setText(const QString &column, const QString &text) { set(column, text, text); }
    // A date, shown as the date fields show it.
    void setDay(const QString &column, const QDate &date);
    // The file's date for that column, read in the Italian forms; none when
    // the file gives none, or when it cannot be read (the row then fails,
    // saying what it is).
    std::optional<QDate> setDate(const QString &column, const QString &what);
    void note(const QString &text) { m_row.notes << text; }
    // The first reason given is the one the row is left out for.
    void fail(const QString &why);
    importpreview::Row &row() { return m_row; }
    importpreview::Row finish();

private:
    const importpreview::Preview &m_preview;
    const QList<importfields::Field> &m_fields;
    importpreview::Row m_row;
    QStringList m_cells; // by field
    QList<std::pair<QVariant, QString>> m_set; // by column of the preview
};

namespace importrows {

// The columns a table's import writes, in order, with their kinds.
void setColumns(importpreview::Preview &preview, const QStringList &columns);

// Each table's rows: the columns written and the rows worked out.
void clients(Connection &connection, const Sheet &sheet, const importfields::Mapping &mapping, importpreview::Preview &preview);
void names(Connection &connection, const Sheet &sheet, const importfields::Mapping &mapping, importpreview::Preview &preview);
void services(Connection &connection, const Sheet &sheet, const importfields::Mapping &mapping, importpreview::Preview &preview);

}
