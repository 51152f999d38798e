#include "pagemodel.h"

#include <QPageSize>

QStringList PageModel::texts(int page) const
{
    QStringList texts;
    for (const PlacedBox &box : pages.at(page).boxes)
        if (!box.text.isEmpty())
            texts << box.text;
    return texts;
}

QPageLayout PageModel::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4),
                       pageSize.width() > pageSize.height() ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}
