#include "layoutslot.h"

ReportLayout &LayoutSlot::forUse()
{
    if (m_layout)
        m_layout->restoreDesign();
    else
        m_layout.emplace(m_make());
    return *m_layout;
}
