#pragma once

#include "einvoice/extrarow.h"

#include <QHash>
#include <QList>
#include <QWidget>

class Connection;
class Messages;
class QComboBox;
class QLineEdit;

// Fields over the columns of one row of an electronic-invoice table, laid
// out in captioned columns: texts, percentages, S/N choices and the codes
// of the official schema with their descriptions. Each field is named by
// its column.
struct FormField
{
    enum class Kind { Text, Capitals, Percent, YesNo, Code };
    const char *column;
    const char *caption;
    Kind kind = Kind::Text;
    int maxLength = 60;
    const char *codeType = nullptr; // the schema's simple type of a Code field
};

class RowForm : public QWidget
{
    Q_OBJECT

public:
    RowForm(const QList<FormField> &fields, int formColumns, QWidget *parent = nullptr);

    QStringList columns() const;
    void setValues(const QHash<QString, QString> &values);
    QHash<QString, QString> values() const;
    // Writes the fields into the row; a field that cannot be saved ("Il
    // campo ... non è valido") or a store failure is told under the title,
    // and nothing is written. Returns whether the row was written.
    bool save(Connection &connection, Messages &messages, const extrarow::Key &key, const QString &title);

private:
    // Why a field cannot be saved, with the field focused; empty when every
    // field can.
    QString refusal();
    QWidget *makeField(const FormField &field);

    QList<FormField> m_fields;
    QHash<QString, QLineEdit *> m_texts;
    QHash<QString, QComboBox *> m_choices;
};
