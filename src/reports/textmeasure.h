#pragma once

#include <QFont>
#include <QStringList>

// Texts measured as the painter prints them, in points of the paper, so a
// layout can size its boxes to what they will hold.
namespace textmeasure {

qreal width(const QString &text, const QFont &font);
// The distance from one printed line to the next.
qreal lineHeight(const QFont &font);
// The text broken into lines no wider than the width: at blanks where it
// can, inside a word only when the word alone is wider. No lines for an
// empty text.
QStringList lines(const QString &text, const QFont &font, qreal width);

}
