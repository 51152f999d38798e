#include "textmeasure.h"

#include <QImage>
#include <QRegularExpression>
#include <algorithm>

#include <memory>
#include <vector>

namespace {

// Metrics taken at the resolution the PDFs are written at (the painter's
// fonts round their advances to its dots), then brought back to points.
constexpr qreal Dpi = 300;
constexpr qreal Scale = Dpi / 72.0;

const QPaintDevice *paper()
{
    thread_local QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(Dpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

}

TextMeasure &TextMeasure::of(const QFont &font)
{
    // A layout uses a handful of fonts: a short list beats hashing a key.
    thread_local std::vector<std::pair<QFont, std::unique_ptr<TextMeasure>>> measures;
    for (auto &[known, measure] : measures)
        if (known == font)
            return *measure;
    measures.emplace_back(font, std::make_unique<TextMeasure>(font));
    return *measures.back().second;
}

TextMeasure::TextMeasure(const QFont &font) : m_metrics(font, paper()) {}

qreal TextMeasure::width(const QString &text)
{
    auto found = m_widths.constFind(text);
    if (found == m_widths.constEnd())
        found = m_widths.insert(text, m_metrics.horizontalAdvance(text) / Scale);
    return *found;
}

qreal TextMeasure::lineHeight() const
{
    return m_metrics.lineSpacing() / Scale;
}

qreal TextMeasure::widestWord(const QString &text)
{
    qreal widest = 0;
    for (const QString &word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        widest = std::max(widest, width(word));
    return widest;
}

bool TextMeasure::fitsOneLine(const QString &text, qreal width)
{
    return !text.contains(QLatin1Char('\n')) && this->width(text) <= width;
}

QStringList TextMeasure::lines(const QString &text, qreal width)
{
    if (text.isEmpty())
        return {};
    if (fitsOneLine(text, width))
        return {text};
    QStringList lines;
    for (const QString &paragraph : text.split(QLatin1Char('\n')))
        breakParagraph(paragraph, width, lines);
    return lines;
}

// The longest start of the word that fits, at least one character.
int TextMeasure::fittingPrefix(const QString &word, qreal width) const
{
    int low = 1, high = int(word.size());
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (m_metrics.horizontalAdvance(word.left(middle)) / Scale <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

void TextMeasure::breakParagraph(const QString &paragraph, qreal width, QStringList &lines)
{
    QString line;
    for (QString word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (this->width(joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.isEmpty())
            lines << line;
        const QString hyphen = QStringLiteral("-");
        while (this->width(word) > width) {
            const int fits = fittingPrefix(word, width - this->width(hyphen));
            lines << word.left(fits) + hyphen;
            word.remove(0, fits);
        }
        line = word;
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
}
