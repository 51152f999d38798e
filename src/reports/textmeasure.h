#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QStringList>

// Texts measured as the painter prints them, in points of the paper, so a
// layout can size its boxes to what they will hold. One measure per font,
// kept for the thread's life with the widths it has taken.
class TextMeasure
{
public:
    static TextMeasure &of(const QFont &font);

    qreal width(const QString &text);
    // The distance from one printed line to the next.
    qreal lineHeight() const;
    // Whether the text prints on one line within the width.
    bool fitsOneLine(const QString &text, qreal width);
    // The text broken into lines no wider than the width: at blanks where
    // it can, inside a word only when the word alone is wider, with a
    // hyphen. No lines for an empty text.
    QStringList lines(const QString &text, qreal width);
    // The width of the text's widest word.
    qreal widestWord(const QString &text);

    explicit TextMeasure(const QFont &font);

private:
    void breakParagraph(const QString &paragraph, qreal width, QStringList &lines);
    int fittingPrefix(const QString &word, qreal width) const;

    QFontMetricsF m_metrics;
    QHash<QString, qreal> m_widths;
};
