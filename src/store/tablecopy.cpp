#include "tablecopy.h"

#include "connection.h"
#include "engine.h"
#include "statement.h"
#include "storeerror.h"

#include <QCryptographicHash>

namespace {

// A cell as both engines agree to read it: an empty text is no value, as a
// server takes an empty number or date.
StoredValue valueOf(const EngineCell &cell)
{
    switch (cell.kind) {
    case StoredValue::Kind::Integer:
        return StoredValue::ofInteger(cell.integer);
    case StoredValue::Kind::Real:
        return StoredValue::ofReal(cell.real);
    case StoredValue::Kind::Text:
        return cell.length == 0 ? StoredValue::null() : StoredValue::ofText(QByteArray(cell.text, cell.length));
    case StoredValue::Kind::Null:
        break;
    }
    return StoredValue::null();
}

void addTo(QCryptographicHash &hash, const StoredValue &value)
{
    switch (value.kind) {
    case StoredValue::Kind::Null:
        hash.addData("N;");
        return;
    case StoredValue::Kind::Integer:
        hash.addData("I" + QByteArray::number(value.integer) + ';');
        return;
    case StoredValue::Kind::Real:
        hash.addData("R" + QByteArray::number(value.real, 'g', 17) + ';');
        return;
    case StoredValue::Kind::Text:
        hash.addData("T" + QByteArray::number(value.text.size()) + ':' + value.text);
        return;
    }
}

// Values per statement on the way in: many rows a statement, within the
// file's limit on a statement's values.
constexpr int BatchValues = 900;

}

QList<tablecopy::Figures> tablecopy::figuresOf(Connection &connection, const QStringList &tables)
{
    QList<Figures> all;
    for (const QString &table : tables) {
        const QList<ColumnDefinition> &columns = connection.columnsOf(table);
        const bool keyed = columns.first().name.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0;
        Figures figures{table, 0, {}, 0, 0, {}};
        QList<int> amounts;
        for (int c = 0; c < columns.size(); ++c)
            if (columns.at(c).type == ColumnType::Money)
                amounts << c;
        figures.amountSums.fill(0, amounts.size());
        QCryptographicHash hash(QCryptographicHash::Sha256);
        Statement rows(connection, connection.translated(connection.inKeyOrder(table)));
        const int width = rows.rows().columnCount();
        while (rows.step()) {
            for (int c = 0; c < width; ++c)
                addTo(hash, valueOf(rows.rows().cell(c)));
            for (int a = 0; a < amounts.size(); ++a)
                figures.amountSums[a] += rows.rows().cell(amounts.at(a)).integer;
            if (keyed) {
                const qint64 id = rows.integer(0);
                figures.firstId = figures.rows == 0 ? id : qMin(figures.firstId, id);
                figures.lastId = qMax(figures.lastId, id);
            }
            ++figures.rows;
        }
        figures.checksum = hash.result().toHex().left(16);
        all << figures;
    }
    return all;
}

void tablecopy::copyRows(Connection &from, Connection &to, const QStringList &tables, const Progress &progress)
{
    for (const QString &table : tables) {
        Statement rows(from, from.translated(from.inKeyOrder(table)));
        const int width = rows.rows().columnCount();
        QStringList names;
        for (int c = 0; c < width; ++c)
            names << QLatin1Char('[') + rows.rows().columnName(c) + QLatin1Char(']');
        const QString row = QLatin1Char('(') + QStringList(width, QStringLiteral("?")).join(QLatin1Char(',')) + QLatin1Char(')');
        const QString head = QStringLiteral("INSERT INTO [%1] (%2) VALUES ").arg(table, names.join(QLatin1Char(',')));
        QList<StoredValue> pending;
        const int batch = qMax(1, BatchValues / width);
        qint64 copied = 0;
        const auto flush = [&] {
            if (pending.isEmpty())
                return;
            const int count = int(pending.size()) / width;
            Statement insert(to, to.translated(head + QStringList(count, row).join(QLatin1Char(','))));
            for (int i = 0; i < pending.size(); ++i)
                insert.bind(i + 1, pending.at(i));
            insert.run();
            pending.clear();
        };
        while (rows.step()) {
            for (int c = 0; c < width; ++c)
                pending << valueOf(rows.rows().cell(c));
            if (++copied % batch == 0)
                flush();
        }
        flush();
        to.engine().keysCopied(table);
        if (progress)
            progress(table, copied);
    }
}

QStringList tablecopy::differing(const QList<Figures> &expected, const QList<Figures> &found)
{
    QStringList tables;
    for (const Figures &figures : expected) {
        const auto match = std::find_if(found.begin(), found.end(), [&](const Figures &f) { return f.table == figures.table; });
        if (match == found.end() || !(*match == figures))
            tables << figures.table;
    }
    return tables;
}
