#include "pagemodel.h"

QStringList PageModel::texts(int page) const
{
    QStringList texts;
    for (const PlacedBox &box : pages.at(page).boxes)
        if (!box.text.isEmpty())
            texts << box.text;
    return texts;
}
