#pragma once

#include "reportlayout.h"

#include <functional>
#include <optional>

// A layout a window keeps: made on first use, and given its design back
// before every later use, so no report shows the captions of the last one.
class LayoutSlot
{
public:
    explicit LayoutSlot(std::function<ReportLayout()> make) : m_make(std::move(make)) {}

    ReportLayout &forUse();

private:
    std::function<ReportLayout()> m_make;
    std::optional<ReportLayout> m_layout;
};
