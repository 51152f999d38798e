#include "filenametext.h"

#include <QRegularExpression>

QString fileNameText(const QString &text, const QString &replacement)
{
    static const QRegularExpression unsafe(QStringLiteral(R"([/\\:*?"<>|\x00-\x1f]+)"));
    return QString(text).replace(unsafe, replacement);
}
