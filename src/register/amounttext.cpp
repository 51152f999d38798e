#include "amounttext.h"

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
