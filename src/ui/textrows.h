#pragma once

#include "gridrows.h"

#include <QList>
#include <QStringList>

// Rows a window composes itself, each a list of cell texts.
class TextRows : public GridRows
{
public:
    explicit TextRows(QList<QStringList> rows) : m_rows(std::move(rows)) {}
    int rowCount() const override { return int(m_rows.size()); }
    QString text(int row, int column) const override { return m_rows.at(row).value(column); }

private:
    QList<QStringList> m_rows;
};
