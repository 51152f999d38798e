#include "cleartexts.h"

#include "dropdown.h"

#include <QLineEdit>
#include <QPlainTextEdit>

void clearTexts(QWidget *window)
{
    for (auto *field : window->findChildren<QLineEdit *>())
        field->clear();
    for (auto *field : window->findChildren<QPlainTextEdit *>())
        field->clear();
    for (auto *list : window->findChildren<DropDown *>())
        list->setText(QString());
}
