#include "windowdriver.h"

#include "ui/dropdown.h"
#include "ui/gridlist.h"
#include "ui/tickbox.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

QLineEdit *WindowDriver::field(const char *name) const
{
    return get<QLineEdit>(name);
}

GridList *WindowDriver::list(const char *name) const
{
    return get<GridList>(name);
}

void WindowDriver::press(const char *name)
{
    auto *button = get<QAbstractButton>(name);
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowDriver::tick(const char *name)
{
    auto *box = get<TickBox>(name);
    QVERIFY2(box, name);
    box->click();
}

void WindowDriver::pickIndex(const char *name, int index)
{
    auto *dropDown = get<DropDown>(name);
    QVERIFY2(dropDown && index >= 0 && index < dropDown->count(), name);
    dropDown->setCurrentIndex(index);
    emit dropDown->activated(index);
}

void WindowDriver::pick(const char *name, const QString &text)
{
    auto *dropDown = get<DropDown>(name);
    QVERIFY2(dropDown, name);
    const int index = dropDown->findText(text, Qt::MatchFixedString);
    QVERIFY2(index >= 0, qPrintable(text));
    pickIndex(name, index);
}

void WindowDriver::type(const char *name, const QString &text)
{
    QLineEdit *f = field(name);
    QVERIFY2(f, name);
    f->setFocus();
    f->selectAll();
    QTest::keyClick(f, Qt::Key_Backspace);
    QTest::keyClicks(f, text);
}

void WindowDriver::clickRow(const char *name, int row, int column)
{
    GridList *l = list(name);
    QVERIFY2(l, name);
    const QModelIndex index = l->model()->index(row, column);
    l->scrollTo(index);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualRect(index).center());
}
