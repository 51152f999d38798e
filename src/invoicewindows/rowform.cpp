#include "rowform.h"

#include "einvoice/codelists.h"
#include "einvoice/figures.h"
#include "ui/messages.h"
#include "ui/storeguard.h"
#include "ui/uppercase.h"
#include "ui/wholeentries.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>

RowForm::RowForm(const QList<FormField> &fields, int formColumns, QWidget *parent) : QWidget(parent), m_fields(fields)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const int perColumn = int((fields.size() + formColumns - 1) / formColumns);
    QFormLayout *form = nullptr;
    for (int i = 0; i < fields.size(); ++i) {
        if (i % perColumn == 0) {
            form = new QFormLayout;
            layout->addLayout(form, 1);
        }
        form->addRow(QString::fromUtf8(fields.at(i).caption), makeField(fields.at(i)));
    }
}

QWidget *RowForm::makeField(const FormField &field)
{
    const QString column = QLatin1String(field.column);
    if (field.kind == FormField::Kind::YesNo || field.kind == FormField::Kind::Code) {
        auto *choice = new QComboBox(this);
        choice->addItem(QString(), QString());
        if (field.kind == FormField::Kind::YesNo) {
            choice->addItem(QStringLiteral("S - sì"), QStringLiteral("S"));
            choice->addItem(QStringLiteral("N - no"), QStringLiteral("N"));
        } else {
            for (const codelists::Code &code : codelists::of(QLatin1String(field.codeType)))
                choice->addItem(code.description.isEmpty() ? code.code
                                                           : QStringLiteral("%1 - %2").arg(code.code, code.description),
                                code.code);
        }
        choice->setObjectName(column);
        choice->setMinimumContentsLength(field.kind == FormField::Kind::Code ? 24 : 6);
        choice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        widenToEntries(choice);
        m_choices.insert(column, choice);
        return choice;
    }
    auto *text = new QLineEdit(this);
    text->setObjectName(column);
    text->setMaxLength(field.maxLength);
    // Wide enough for what it usually holds, however many columns share
    // the panel.
    text->setMinimumWidth(text->fontMetrics().averageCharWidth() * (qBound(4, field.maxLength, 18) + 2));
    if (field.kind == FormField::Kind::Capitals)
        uppercase::apply(text);
    m_texts.insert(column, text);
    return text;
}

QStringList RowForm::columns() const
{
    QStringList names;
    for (const FormField &field : m_fields)
        names << QLatin1String(field.column);
    return names;
}

void RowForm::setValues(const QHash<QString, QString> &values)
{
    for (auto text = m_texts.begin(); text != m_texts.end(); ++text)
        (*text)->setText(values.value(text.key()));
    for (auto choice = m_choices.begin(); choice != m_choices.end(); ++choice) {
        const QString value = values.value(choice.key()).trimmed().toUpper();
        int index = (*choice)->findData(value);
        if (index < 0) { // a code the list lacks stays as stored
            (*choice)->addItem(value, value);
            index = (*choice)->count() - 1;
        }
        (*choice)->setCurrentIndex(index);
    }
}

QHash<QString, QString> RowForm::values() const
{
    QHash<QString, QString> values;
    for (auto text = m_texts.begin(); text != m_texts.end(); ++text)
        values.insert(text.key(), (*text)->text().trimmed());
    // Percentages are stored as numbers ("4,5" as 4.5), as scripts read them.
    for (const FormField &field : m_fields)
        if (field.kind == FormField::Kind::Percent)
            values[QLatin1String(field.column)].replace(QLatin1Char(','), QLatin1Char('.'));
    for (auto choice = m_choices.begin(); choice != m_choices.end(); ++choice)
        values.insert(choice.key(), (*choice)->currentData().toString());
    return values;
}

bool RowForm::save(Connection &connection, Messages &messages, const extrarow::Key &key, const QString &title)
{
    const QString refused = refusal();
    if (!refused.isEmpty()) {
        messages.inform(this, title, refused, Messages::Icon::Critical);
        return false;
    }
    return guarded(messages, this, [&] { extrarow::write(connection, key, values()); });
}

QString RowForm::refusal()
{
    for (const FormField &field : m_fields) {
        if (field.kind != FormField::Kind::Percent)
            continue;
        QLineEdit *text = m_texts.value(QLatin1String(field.column));
        if (!text->text().trimmed().isEmpty() && !figures::percentFromText(text->text())) {
            text->setFocus();
            return QStringLiteral("Il campo %1 non è valido: serve una percentuale da 0 a 100, come 22 o 4,5.")
                .arg(QString::fromUtf8(field.caption).remove(QLatin1Char('&')));
        }
    }
    return QString();
}
