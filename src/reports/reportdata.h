#pragma once

#include "store/resulttable.h"

#include <memory>

// The rows a layout prints, as the window hands them over: one level of
// rows, or parent rows each with the child rows printed under it. The data
// keeps its rows alive for as long as a preview shows them.
class ReportData
{
public:
    explicit ReportData(std::shared_ptr<const ResultTable> rows);
    ReportData(std::shared_ptr<const ResultTable> parents, QList<std::shared_ptr<const ResultTable>> children);

    bool grouped() const { return m_grouped; }
    const ResultTable &rows() const { return *m_rows; }
    const ResultTable &children(int parent) const { return *m_children.at(parent); }

private:
    std::shared_ptr<const ResultTable> m_rows;
    QList<std::shared_ptr<const ResultTable>> m_children;
    bool m_grouped = false;
};
