#include "amounttext.h"

#include <QLineEdit>

std::optional<Money> amountValue(const QString &text)
{
    QString bare = text.trimmed();
    if (bare.startsWith(QStringLiteral("€")))
        bare = bare.mid(1);
    return Money::fromText(bare);
}

QString CtrNumD(const std::optional<Money> &amount)
{
    return amount ? amount->groupedText() : QString();
}

void formatAmountOnLeave(QLineEdit *field)
{
    QObject::connect(field, &QLineEdit::editingFinished, field, [field] {
        if (const auto amount = amountValue(field->text()))
            field->setText(CtrNumD(amount));
    });
}
