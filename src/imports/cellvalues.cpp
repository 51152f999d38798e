#include "spreadsheetfile.h"

#include "store/storeerror.h"

namespace cellvalues {

QString number(double value)
{
    QString text = QString::number(value, 'g', 15);
    if (text.contains(QLatin1Char('e')))
        text = QString::number(value, 'f', 2);
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

int indexOfSheet(const QStringList &names, const QString &name)
{
    if (names.isEmpty())
        throw StoreError(QStringLiteral("il foglio di calcolo non contiene fogli"), StoreError::Kind::Invalid);
    if (name.isEmpty())
        return 0;
    for (int i = 0; i < names.size(); ++i)
        if (names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    throw StoreError(QStringLiteral("il foglio \"%1\" non c'è; i fogli sono: %2").arg(name, names.join(QStringLiteral(", "))),
                     StoreError::Kind::Invalid);
}

}
