#include "importruns.h"

#include "store/connection.h"
#include "store/recordset.h"
#include "store/schema.h"
#include "store/statement.h"
#include "store/storeerror.h"
#include "store/transaction.h"

#include <QFileInfo>
#include <QHash>

namespace importruns {

namespace {

QString now()
{
    return QDateTime::currentDateTime().toString(Qt::ISODate);
}

// One prepared insert for every row of a table, each row kept in the run.
class Inserter
{
public:
    Inserter(Connection &connection, qint64 run, const QString &table, const QStringList &columns)
        : m_connection(connection), m_table(table),
          m_insert(connection,
                   connection.translated(QStringLiteral("INSERT INTO [%1] ([%2]) VALUES (%3)")
                                             .arg(table, columns.join(QStringLiteral("],[")),
                                                  QStringList(columns.size(), QStringLiteral("?")).join(QLatin1Char(','))))),
          m_kept(connection,
                 connection.translated(
                     QStringLiteral("INSERT INTO IMPORTAZIONI_RIGHE (ID_IMP, TABELLA, ID_RIGA) VALUES (?, ?, ?)"))),
          m_run(run)
    {}

    qint64 insert(const QList<StoredValue> &values)
    {
        for (int i = 0; i < values.size(); ++i)
            m_insert.bind(i + 1, values.at(i));
        m_insert.run();
        m_insert.reset();
        const qint64 id = m_connection.lastInsertId();
        m_kept.bind(1, StoredValue::ofInteger(m_run));
        m_kept.bind(2, StoredValue::ofText(m_table.toUtf8()));
        m_kept.bind(3, StoredValue::ofInteger(id));
        m_kept.run();
        m_kept.reset();
        return id;
    }

private:
    Connection &m_connection;
    QString m_table;
    Statement m_insert;
    Statement m_kept;
    qint64 m_run;
};

// The reasons or operators the services lack, by name in capitals.
QHash<QString, qint64> make(Connection &connection, qint64 run, const QString &table, const QStringList &names)
{
    QHash<QString, qint64> made;
    if (names.isEmpty())
        return made;
    Inserter inserter(connection, run, table, {table});
    for (const QString &name : names)
        made.insert(
            name.toUpper(),
            inserter.insert({StoredValue::ofText((table == QLatin1String("OPERATORE") ? name.toUpper() : name).toUtf8())}));
    return made;
}

// An import's rows are told apart from later changes by the history: a
// store of an earlier version opened from the command line gets it first,
// outside the import's transaction, which would take it back on a failure.
void keepHistory(Connection &connection)
{
    schema::ensureHistory(connection);
    connection.keepHistory();
    schema::ensureImportRuns(connection);
}

}

Written write(Connection &connection, const importpreview::Preview &preview, const QString &file)
{
    keepHistory(connection);
    Transaction transaction(connection);
    const QString table = importfields::storeTableOf(preview.table);
    connection.execute(QStringLiteral("INSERT INTO IMPORTAZIONI (QUANDO, TABELLA, FILE, RIGHE) VALUES (?, ?, ?, 0)"),
                       {now(), importfields::nameOf(preview.table), QFileInfo(file).fileName()});
    Written written;
    written.run = connection.lastInsertId();
    const QHash<QString, qint64> reasons = make(connection, written.run, QStringLiteral("CAUSALE"), preview.reasonsToMake);
    const QHash<QString, qint64> operators = make(connection, written.run, QStringLiteral("OPERATORE"), preview.operatorsToMake);
    written.reasonsMade = int(reasons.size());
    written.operatorsMade = int(operators.size());
    const qsizetype reasonLink = preview.columns.indexOf(QStringLiteral("ID_CAUS"));
    const qsizetype operatorLink = preview.columns.indexOf(QStringLiteral("ID_OPER"));
    Inserter inserter(connection, written.run, table, preview.columns);
    for (const importpreview::Row &row : preview.rows) {
        if (!row.error.isEmpty())
            continue;
        QList<StoredValue> values = row.values;
        if (!row.reasonToMake.isEmpty())
            values[reasonLink] = StoredValue::ofInteger(reasons.value(row.reasonToMake.toUpper()));
        if (!row.operatorToMake.isEmpty())
            values[operatorLink] = StoredValue::ofInteger(operators.value(row.operatorToMake.toUpper()));
        inserter.insert(values);
        ++written.rows;
    }
    connection.execute(
        QStringLiteral("UPDATE IMPORTAZIONI SET RIGHE = ?, STORIA_FINO = (SELECT max(ID) FROM STORIA) WHERE ID = ?"),
        {written.rows, written.run});
    transaction.commit();
    return written;
}

QList<Run> recent(Connection &connection, int most)
{
    QList<Run> runs;
    if (!connection.hasAll({QStringLiteral("IMPORTAZIONI")}))
        return runs;
    Recordset rows(
        connection,
        QStringLiteral("SELECT ID, QUANDO, TABELLA, FILE, RIGHE, ANNULLATA FROM IMPORTAZIONI ORDER BY ID DESC LIMIT ?"), {most});
    for (; !rows.eof(); rows.moveNext())
        runs.append({rows.fields(0).toInteger(), QDateTime::fromString(rows.fields(1).text(), Qt::ISODate), rows.fields(2).text(),
                     rows.fields(3).text(), int(rows.fields(4).toInteger()),
                     QDateTime::fromString(rows.fields(5).text(), Qt::ISODate)});
    return runs;
}

Undone undo(Connection &connection, qint64 run)
{
    keepHistory(connection);
    Transaction transaction(connection);
    Recordset state(connection, QStringLiteral("SELECT ANNULLATA FROM IMPORTAZIONI WHERE ID = ?"), {run});
    if (state.eof() || !state.fields(0).isNull())
        throw StoreError(QStringLiteral("l'importazione %1 è già stata annullata").arg(run));
    Undone undone;
    // Services first: those of this run no longer hold its reasons and operators.
    const struct
    {
        const char *table, *what, *name, *link;
    } tables[] = {
        {"PRESTAZIONI", "prestazione", "CLIENTE", nullptr},
        {"SOGGETTI", "cliente", "Soggetto", "ID_CL"},
        {"CAUSALE", "causale", "CAUSALE", "ID_CAUS"},
        {"OPERATORE", "operatore", "OPERATORE", "ID_OPER"},
    };
    const QString ofRun = QStringLiteral("SELECT ID_RIGA FROM IMPORTAZIONI_RIGHE WHERE ID_IMP = %1 AND TABELLA = '%2'");
    for (const auto &t : tables) {
        const QString table = QLatin1String(t.table);
        const QString rows = ofRun.arg(run).arg(table);
        // Changed or deleted since, by this desk or another; or, for what
        // services link to, named by a service now.
        QString kept = QStringLiteral("EXISTS (SELECT 1 FROM STORIA s WHERE s.TABELLA = '%1' AND s.ID_RIGA = x.ID "
                                      "AND s.ID > (SELECT STORIA_FINO FROM IMPORTAZIONI WHERE ID = %2))")
                           .arg(table)
                           .arg(run);
        if (t.link)
            kept += QStringLiteral(" OR EXISTS (SELECT 1 FROM PRESTAZIONI p WHERE p.%1 = x.ID)").arg(QLatin1String(t.link));
        for (Recordset left(connection,
                            QStringLiteral("SELECT x.ID, x.%1 FROM %2 x WHERE x.ID IN (%3) AND (%4) ORDER BY x.ID")
                                .arg(QLatin1String(t.name), table, rows, kept));
             !left.eof(); left.moveNext())
            undone.leftAlone
                << QStringLiteral("%1 %2 (%3)").arg(QLatin1String(t.what), left.fields(0).text(), left.fields(1).text());
        undone.removed += connection.execute(
            QStringLiteral("DELETE * FROM %1 WHERE ID IN (SELECT x.ID FROM %1 x WHERE x.ID IN (%2) AND NOT (%3))")
                .arg(table, rows, kept));
    }
    connection.execute(QStringLiteral("UPDATE IMPORTAZIONI SET ANNULLATA = ? WHERE ID = ?"), {now(), run});
    transaction.commit();
    return undone;
}

}
