#include "dropdown.h"

#include <QLineEdit>

DropDown::DropDown(Typing typing, QWidget *parent)
    : QComboBox(parent)
{
    setEditable(typing == Typing::Editable);
    if (isEditable()) {
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);
    }
    setMinimumContentsLength(12);
    connect(this, &QComboBox::activated, this, [this](int index) {
        m_unlisted.clear();
        setPlaceholderText(QString());
        emit picked(itemText(index));
    });
}

void DropDown::setEntries(const QStringList &entries)
{
    clearEntries();
    addItems(entries);
    setText(QString());
}

void DropDown::addEntry(const QString &entry)
{
    const QString before = text();
    addItem(entry);
    setText(before); // the first entry added must not become the text
}

void DropDown::addEntry(const QString &entry, const QVariant &id)
{
    addEntry(entry);
    setItemData(count() - 1, id);
}

QVariant DropDown::entryId() const
{
    return currentIndex() >= 0 ? itemData(currentIndex()) : QVariant();
}

void DropDown::clearEntries()
{
    clear();
    setText(QString());
}

QString DropDown::text() const
{
    if (isEditable())
        return currentText();
    return currentIndex() >= 0 ? currentText() : m_unlisted;
}

void DropDown::setText(const QString &text)
{
    const int index = text.isEmpty() ? -1 : findText(text, Qt::MatchFixedString);
    setCurrentIndex(index);
    m_unlisted = index < 0 ? text : QString();
    if (isEditable())
        setEditText(index >= 0 ? itemText(index) : text);
    else
        setPlaceholderText(m_unlisted);
}
