#include "columnmapping.h"

#include <QComboBox>
#include <QHeaderView>
#include <QSignalBlocker>

ColumnMapping::ColumnMapping(QWidget *parent) : QTableWidget(0, 2, parent)
{
    setHorizontalHeaderLabels({QStringLiteral("Colonna del file"), QStringLiteral("Campo")});
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void ColumnMapping::show(importfields::Table table, const QStringList &headers, const importfields::Mapping &mapping)
{
    setRowCount(int(headers.size()));
    for (int row = 0; row < headers.size(); ++row) {
        setItem(row, 0, new QTableWidgetItem(headers.at(row)));
        auto *fields = new QComboBox(this);
        fields->setObjectName(QStringLiteral("Campo%1").arg(row));
        fields->addItem(QStringLiteral("(lasciata fuori)"), -1);
        const QList<importfields::Field> &all = importfields::fieldsOf(table);
        for (int f = 0; f < all.size(); ++f)
            fields->addItem(all.at(f).caption, f);
        fields->setCurrentIndex(fields->findData(mapping.value(row, -1)));
        connect(fields, &QComboBox::activated, this, [this, row] { chosen(row); });
        setCellWidget(row, 1, fields);
    }
}

importfields::Mapping ColumnMapping::mapping() const
{
    importfields::Mapping mapping;
    for (int row = 0; row < rowCount(); ++row)
        mapping << static_cast<QComboBox *>(cellWidget(row, 1))->currentData().toInt();
    return mapping;
}

void ColumnMapping::chosen(int row)
{
    importfields::Mapping changed = mapping();
    importfields::assign(changed, row, changed.at(row));
    for (int other = 0; other < rowCount(); ++other) {
        auto *fields = static_cast<QComboBox *>(cellWidget(other, 1));
        if (fields->currentData().toInt() != changed.at(other)) {
            const QSignalBlocker quiet(fields);
            fields->setCurrentIndex(fields->findData(changed.at(other)));
        }
    }
    emit mappingChanged();
}
