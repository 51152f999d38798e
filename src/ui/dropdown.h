#pragma once

#include <QComboBox>

#include <memory>

// A drop-down list as the windows use it: filled from code it shows an empty
// text, it reacts only to the user's pick (never to fills or to text set from
// code), and a stored name selects its entry without regard to case.
class DropDown : public QComboBox
{
    Q_OBJECT

public:
    enum class Typing { PickOnly, Editable };

    explicit DropDown(Typing typing, QWidget *parent = nullptr);

    // Opens the entries as wide as the widest of them.
    void showPopup() override;
    // Replaces the entries; the text stays empty.
    void setEntries(const QStringList &entries);
    void addEntry(const QString &entry);
    // An entry that carries the id of its row, so that of two namesakes the
    // picked one is known.
    void addEntry(const QString &entry, const QVariant &id);
    // The id of the entry shown, or none.
    QVariant entryId() const;
    void clearEntries();
    // What the entries were filled from (a query), and the store's change
    // count of its tables then; any other change of the entries forgets it.
    // Emptied, such entries are put aside, and a fill from the same source
    // at the same count takes them back instead of reading them again.
    void setFilledFrom(const QString &source, quint64 changeCount);
    bool takeBackEntries(const QString &source, quint64 changeCount);

    QString text() const;
    // Selects the entry of that name; an editable list takes any text, a
    // pick-only list shows a name that is not among its entries as it is.
    void setText(const QString &text);
    // An editable list of many entries: typing offers the entries that
    // start with the text, any case; Enter or a click picks one as a pick
    // from the list would.
    void completeAsTyped();

signals:
    void picked(const QString &text);

private:
    void pickEntry(int index);

    QString m_unlisted;
    struct Filled
    {
        QString source;
        quint64 changeCount = 0;
        bool isFrom(const QString &s, quint64 count) const { return !source.isEmpty() && source == s && changeCount == count; }
    };
    Filled m_filled;
    Filled m_putAside;
    std::unique_ptr<QAbstractItemModel> m_asideEntries;
};
