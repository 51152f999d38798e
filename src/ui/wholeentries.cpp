#include "wholeentries.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QScrollBar>
#include <QStyle>

void widenToEntries(QComboBox *choice)
{
    QAbstractItemView *list = choice->view();
    const QFontMetrics metrics = list->fontMetrics();
    int widest = 0;
    for (int i = 0; i < choice->count(); ++i)
        widest = qMax(widest, metrics.horizontalAdvance(choice->itemText(i)));
    // The entry's own margins, the list's frame and its scroll bar.
    const int margins = 4 * list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 8;
    const int frame = 2 * list->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, list);
    list->setMinimumWidth(widest + margins + frame + list->verticalScrollBar()->sizeHint().width());
}
