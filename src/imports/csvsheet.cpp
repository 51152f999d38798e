#include "csvsheet.h"

#include "store/storeerror.h"
#include "textencoding.h"

namespace csvsheet {

namespace {

// The records of a CSV text one at a time, each as its cells; a line break
// inside quotes stays in its cell.
class Records
{
public:
    Records(const QString &text, QChar separator) : m_text(text), m_separator(separator) {}

    bool atEnd() const { return m_at >= m_text.size(); }

    QStringList next()
    {
        QStringList cells;
        QString cell;
        bool quoted = false;
        while (m_at < m_text.size()) {
            const QChar c = m_text.at(m_at++);
            if (quoted) {
                if (c != QLatin1Char('"'))
                    cell += c;
                else if (m_at < m_text.size() && m_text.at(m_at) == QLatin1Char('"'))
                    cell += m_text.at(m_at++);
                else
                    quoted = false;
            } else if (c == QLatin1Char('"') && cell.trimmed().isEmpty()) {
                cell.clear();
                quoted = true;
            } else if (c == m_separator) {
                cells << cell;
                cell.clear();
            } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                if (c == QLatin1Char('\r') && m_at < m_text.size() && m_text.at(m_at) == QLatin1Char('\n'))
                    ++m_at;
                break;
            } else {
                cell += c;
            }
        }
        cells << cell;
        return cells;
    }

private:
    const QString &m_text;
    QChar m_separator;
    qsizetype m_at = 0;
};

// The separator that gives the first rows most cells, alike in each.
QChar separatorOf(const QString &text)
{
    QChar best = QLatin1Char(';');
    qsizetype bestCells = 1;
    for (const QChar candidate : {QLatin1Char(';'), QLatin1Char('\t'), QLatin1Char(',')}) {
        Records records(text, candidate);
        const qsizetype cells = records.next().size();
        bool alike = true;
        for (int row = 0; row < 20 && !records.atEnd(); ++row) {
            const qsizetype size = records.next().size();
            alike = alike && (size == cells || size == 1);
        }
        if (alike && cells > bestCells) {
            best = candidate;
            bestCells = cells;
        }
    }
    return best;
}

void refuseControls(const QString &text)
{
    int row = 1;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n'))
            ++row;
        else if (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\r') && c != QLatin1Char('\f'))
            throw StoreError(QStringLiteral("il file non è un testo CSV: alla riga %1 contiene caratteri di controllo "
                                            "(forse è un file di un altro formato)")
                                 .arg(row),
                             StoreError::Kind::Invalid);
    }
}

}

Read read(const QByteArray &bytes)
{
    const textencoding::Decoded decoded = textencoding::decode(bytes);
    QString text = decoded.text;
    refuseControls(text);
    QChar separator;
    // "sep=;" on the first line: how Excel is told the separator.
    if (text.startsWith(QLatin1String("sep="), Qt::CaseInsensitive) && text.size() > 4) {
        separator = text.at(4);
        const qsizetype end = text.indexOf(QLatin1Char('\n'));
        text = end < 0 ? QString() : text.mid(end + 1);
    } else {
        separator = separatorOf(text);
    }
    QList<SheetRow> rows;
    Records records(text, separator);
    for (int number = 1; !records.atEnd(); ++number)
        rows.append({number, records.next()});
    return {sheetrows::fromRows(std::move(rows)), decoded.encoding, separator};
}

}
