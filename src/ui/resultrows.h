#pragma once

#include "gridrows.h"
#include "store/resulttable.h"

#include <QHash>
#include <functional>
#include <memory>

// The rows of a query as a grid list shows them: list column i is field i of
// the record as text, or as the column's format gives it (amounts "0.00").
class ResultRows : public GridRows
{
public:
    using Format = std::function<QString(const Field &)>;

    explicit ResultRows(std::shared_ptr<const ResultTable> table, QHash<int, Format> formats = {});

    int rowCount() const override;
    QString text(int row, int column) const override;
    RowVersion version(int row) const override { return m_table->version(row); }

private:
    std::shared_ptr<const ResultTable> m_table;
    QHash<int, Format> m_formats;
};
