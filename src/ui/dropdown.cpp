#include "dropdown.h"

#include "wholeentries.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QStandardItemModel>

void DropDown::showPopup()
{
    widenToEntries(this);
    QComboBox::showPopup();
}

DropDown::DropDown(Typing typing, QWidget *parent) : QComboBox(parent)
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

void DropDown::completeAsTyped()
{
    auto *completer = new QCompleter(model(), this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchStartsWith);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setMaxVisibleItems(12);
    setCompleter(completer);
    connect(completer, qOverload<const QString &>(&QCompleter::activated), this,
            [this](const QString &entry) { pickEntry(findText(entry, Qt::MatchFixedString)); });
    // Enter with nothing highlighted takes the first entry offered.
    connect(lineEdit(), &QLineEdit::returnPressed, this, [this, completer] {
        if (completer->popup()->isVisible() && completer->popup()->currentIndex().isValid())
            return; // the completer picks the highlighted entry itself
        const QString typed = currentText();
        if (typed.isEmpty())
            return;
        int index = findText(typed, Qt::MatchFixedString);
        if (index >= 0 && index == currentIndex() && itemText(index) == typed)
            return; // the completer's own pick, already made
        if (index < 0) {
            if (completer->completionPrefix() != typed)
                completer->setCompletionPrefix(typed);
            if (completer->completionCount() > 0)
                index = findText(completer->currentCompletion(), Qt::MatchFixedString);
        }
        pickEntry(index);
    });
}

void DropDown::pickEntry(int index)
{
    if (index < 0)
        return;
    setCurrentIndex(index);
    setEditText(itemText(index));
    emit activated(index);
}

void DropDown::setEntries(const QStringList &entries)
{
    clearEntries();
    addItems(entries);
    setText(QString());
}

void DropDown::addEntry(const QString &entry)
{
    m_filled = {};
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
    if (!m_filled.source.isEmpty() && count() > 0) {
        // Unparented first: setModel deletes a model the list owns.
        QAbstractItemModel *entries = model();
        entries->setParent(nullptr);
        m_asideEntries.reset(entries);
        m_putAside = std::exchange(m_filled, {});
        setModel(new QStandardItemModel(0, 1, this));
    } else {
        m_filled = {};
        clear();
    }
    setText(QString());
}

void DropDown::setFilledFrom(const QString &source, quint64 changeCount)
{
    m_filled = {source, changeCount};
}

bool DropDown::takeBackEntries(const QString &source, quint64 changeCount)
{
    if (m_filled.isFrom(source, changeCount))
        return true;
    if (!m_asideEntries || !m_putAside.isFrom(source, changeCount))
        return false;
    QAbstractItemModel *entries = m_asideEntries.release();
    entries->setParent(this);
    setModel(entries);
    m_filled = std::exchange(m_putAside, {});
    setText(QString());
    return true;
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
