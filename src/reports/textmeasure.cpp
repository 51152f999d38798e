#include "textmeasure.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>

#include <memory>
#include <vector>

namespace textmeasure {

namespace {

// Metrics taken at the resolution the PDFs are written at (the painter's
// fonts round their advances to its dots), then brought back to points.
constexpr qreal Scale = 300 / 72.0;

struct FontMeasure
{
    explicit FontMeasure(const QFont &font, const QPaintDevice *device) : metrics(font, device) {}

    qreal width(const QString &text)
    {
        auto found = widths.constFind(text);
        if (found == widths.constEnd())
            found = widths.insert(text, metrics.horizontalAdvance(text) / Scale);
        return *found;
    }

    QFontMetricsF metrics;
    QHash<QString, qreal> widths;
};

FontMeasure &measureOf(const QFont &font)
{
    thread_local QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(300 / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    // A layout uses a handful of fonts: a short list beats hashing a key.
    thread_local std::vector<std::pair<QFont, std::unique_ptr<FontMeasure>>> measures;
    for (auto &[known, measure] : measures)
        if (known == font)
            return *measure;
    measures.emplace_back(font, std::make_unique<FontMeasure>(font, &device));
    return *measures.back().second;
}

// The longest start of the word that fits, at least one character.
int fittingPrefix(FontMeasure &measure, const QString &word, qreal width)
{
    int low = 1, high = word.size();
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (measure.metrics.horizontalAdvance(word.left(middle)) / Scale <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

void breakParagraph(FontMeasure &measure, const QString &paragraph, qreal width, QStringList &lines)
{
    QString line;
    for (QString word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (measure.width(joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.isEmpty())
            lines << line;
        while (measure.width(word) > width) {
            const int fits = fittingPrefix(measure, word, width);
            lines << word.left(fits);
            word.remove(0, fits);
        }
        line = word;
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
}

}

qreal width(const QString &text, const QFont &font)
{
    return measureOf(font).width(text);
}

qreal lineHeight(const QFont &font)
{
    return measureOf(font).metrics.lineSpacing() / Scale;
}

QStringList lines(const QString &text, const QFont &font, qreal width)
{
    if (text.isEmpty())
        return {};
    FontMeasure &measure = measureOf(font);
    if (!text.contains(QLatin1Char('\n')) && measure.width(text) <= width)
        return {text};
    QStringList lines;
    for (const QString &paragraph : text.split(QLatin1Char('\n')))
        breakParagraph(measure, paragraph, width, lines);
    return lines;
}

}
