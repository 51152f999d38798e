#include "reportdata.h"

ReportData::ReportData(std::shared_ptr<const ResultTable> rows) : m_rows(std::move(rows)) {}

ReportData::ReportData(std::shared_ptr<const ResultTable> parents, QList<std::shared_ptr<const ResultTable>> children)
    : m_rows(std::move(parents)), m_children(std::move(children)), m_grouped(true)
{}
