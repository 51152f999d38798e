#include "postgresengine.h"

#include "postgreserror.h"
#include "postgresstatement.h"
#include "postgrestypes.h"
#include "store/connection.h"
#include "store/sqltext.h"

#include <libpq-fe.h>

namespace {

// More texts than a session ever needs at once; beyond, they are prepared
// again as they come.
constexpr int PreparedLimit = 1000;

// The column's name as the program spells it ("Soggetto", where the server
// folds names to "soggetto").
QString canonicalName(const TableDefinition *table, const QString &stored)
{
    if (stored.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("ID");
    if (table)
        for (const ColumnDefinition &column : table->columns)
            if (column.name.compare(stored, Qt::CaseInsensitive) == 0)
                return column.name;
    return stored;
}

}

PostgresEngine::~PostgresEngine()
{
    PQfinish(m_connection);
}

void PostgresEngine::fail(const PGresult *result)
{
    const StoreError error = postgres::errorOf(m_connection, result);
    PQclear(const_cast<PGresult *>(result));
    if (!postgres::isConnectionLost(m_connection))
        throw error;
    // What was open is rolled back by the server; the next action connects
    // again.
    PQfinish(m_connection);
    m_connection = nullptr;
    throw StoreError(QStringLiteral("la connessione al server dell'archivio si è interrotta: l'operazione non è stata "
                                    "eseguita; la prossima operazione si ricollega (%1)")
                         .arg(error.message()),
                     StoreError::Kind::Failure, error.code());
}

void PostgresEngine::run(const QByteArray &sql)
{
    if (!m_connection)
        connect();
    PGresult *result = PQexec(m_connection, sql.constData());
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        fail(result);
    PQclear(result);
}

QStringList PostgresEngine::firstColumn(const QByteArray &sql)
{
    PostgresStatement statement(*this, sql);
    QStringList values;
    while (statement.step()) {
        const EngineCell cell = statement.cell(0);
        values << (cell.kind == StoredValue::Kind::Text ? QString::fromUtf8(cell.text, cell.length)
                                                        : QString::number(cell.integer));
    }
    return values;
}

PostgresEngine::Prepared PostgresEngine::prepared(const QByteArray &sql)
{
    if (!m_connection)
        connect();
    const auto found = m_prepared.constFind(sql);
    if (found != m_prepared.constEnd())
        return *found;
    if (m_prepared.size() >= PreparedLimit) {
        run("DEALLOCATE ALL");
        m_prepared.clear();
    }
    static quint64 counter = 0;
    Prepared made{"velmora_" + QByteArray::number(++counter), {}};
    PGresult *result = PQprepare(m_connection, made.name.constData(), sql.constData(), 0, nullptr);
    if (PQresultStatus(result) != PGRES_COMMAND_OK)
        fail(result);
    PQclear(result);
    result = PQdescribePrepared(m_connection, made.name.constData());
    if (PQresultStatus(result) != PGRES_COMMAND_OK)
        fail(result);
    for (int i = 0; i < PQnparams(result); ++i)
        made.valueTypes << PQparamtype(result, i);
    PQclear(result);
    // A table made or changed: its columns are read again.
    const QByteArray verb = sql.trimmed().left(6).toUpper();
    if (verb == "CREATE" || verb == "ALTER " || verb == "DROP T")
        m_catalogRead = false;
    m_prepared.insert(sql, made);
    return made;
}

const dialect::Spelling &PostgresEngine::spelling() const
{
    return postgres::spelling();
}

QString PostgresEngine::location() const
{
    // As the office names it: the same text opens it again.
    return m_server;
}

std::unique_ptr<EngineStatement> PostgresEngine::prepare(const QByteArray &sql)
{
    return std::make_unique<PostgresStatement>(*this, sql);
}

void PostgresEngine::begin(Intent intent)
{
    m_writing.clear();
    if (intent == Intent::Read) {
        // A read sees one state of the archive throughout, while desks write.
        run("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
        return;
    }
    run("BEGIN");
    // The transaction's number, to ask after a commit whose answer was lost.
    m_writing = firstColumn("SELECT txid_current()").value(0).toLatin1();
}

void PostgresEngine::commit()
{
    if (!m_connection)
        throw StoreError(QStringLiteral("la connessione al server si è interrotta: nulla è stato salvato"));
    const QByteArray writing = m_writing;
    m_writing.clear();
    PGresult *result = PQexec(m_connection, "COMMIT");
    if (PQresultStatus(result) != PGRES_COMMAND_OK) {
        if (!writing.isEmpty() && postgres::isConnectionLost(m_connection)) {
            PQclear(result);
            return commitLost(writing);
        }
        fail(result);
    }
    // A transaction a failure had already ended answers a commit with a
    // rollback: nothing of it was written.
    const bool rolledBack = qstrcmp(PQcmdStatus(result), "ROLLBACK") == 0;
    PQclear(result);
    if (rolledBack)
        throw StoreError(QStringLiteral("il server aveva già annullato l'operazione: nulla è stato salvato"));
}

void PostgresEngine::commitLost(const QByteArray &transaction)
{
    // The server may have written it before the line fell: ask it, on a new
    // connection, and tell the user what happened.
    PQfinish(m_connection);
    m_connection = nullptr;
    QString outcome;
    try {
        connect();
        outcome = firstColumn("SELECT txid_status(" + transaction + ")").value(0);
    } catch (const StoreError &) {
        throw StoreError(QStringLiteral("la connessione al server si è interrotta durante il salvataggio e il server "
                                        "non risponde: al ricollegamento controllare se la modifica c'è"));
    }
    if (outcome != QLatin1String("committed"))
        throw StoreError(QStringLiteral("la connessione al server si è interrotta durante il salvataggio: la modifica "
                                        "non è stata salvata"));
}

void PostgresEngine::rollback()
{
    m_writing.clear();
    if (!m_connection)
        return;
    PQclear(PQexec(m_connection, "ROLLBACK"));
    // A list read inside the transaction may show rows that are gone now.
    noteAnyChange();
}

void PostgresEngine::readCatalog()
{
    if (m_catalogRead)
        return;
    // Set first: the catalog's own columns are looked up too.
    m_catalogRead = true;
    m_tables.clear();
    m_columns.clear();
    PostgresStatement catalog(*this,
                              "SELECT c.oid, c.relname, a.attnum, a.attname, format_type(a.atttypid, NULL) FROM pg_class c "
                              "JOIN pg_attribute a ON a.attrelid = c.oid WHERE c.relnamespace = current_schema()::regnamespace "
                              "AND c.relkind = 'r' AND a.attnum > 0 AND NOT a.attisdropped ORDER BY c.oid, a.attnum");
    while (catalog.step()) {
        const auto text = [&](int c) {
            const EngineCell cell = catalog.cell(c);
            return QString::fromUtf8(cell.text, cell.length);
        };
        const QString table = text(1).toUpper();
        const TableDefinition *definition = schema::definitionNamed(table);
        const ColumnDefinition column{canonicalName(definition, text(3)), postgres::typeOfDeclaration(text(4))};
        m_tables[table].append(column);
        m_columns.insert(quint64(catalog.cell(0).integer) << 16 | quint64(catalog.cell(2).integer), column);
    }
}

const ColumnDefinition *PostgresEngine::columnOf(unsigned table, int place)
{
    if (table == 0 || place <= 0)
        return nullptr;
    readCatalog();
    const auto found = m_columns.constFind(quint64(table) << 16 | quint64(place));
    return found == m_columns.constEnd() ? nullptr : &*found;
}

QStringList PostgresEngine::tables()
{
    return firstColumn("SELECT upper(relname) FROM pg_class WHERE relnamespace = current_schema()::regnamespace "
                       "AND relkind = 'r' AND relname <> 'velmora_stato' ORDER BY upper(relname) COLLATE \"C\"");
}

QStringList PostgresEngine::tablesAndIndexes()
{
    return firstColumn("SELECT upper(relname) FROM pg_class WHERE relnamespace = current_schema()::regnamespace "
                       "AND relkind IN ('r', 'i') AND relname <> 'velmora_stato'");
}

QList<ColumnDefinition> PostgresEngine::columnsOf(const QString &table)
{
    readCatalog();
    return m_tables.value(table.toUpper());
}

QString PostgresEngine::definitionOf(const TableDefinition &table) const
{
    return schema::createStatement(table, QStringLiteral("ID bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"),
                                   postgres::declarationOf);
}

QString PostgresEngine::declarationOf(ColumnType type, bool collated) const
{
    return postgres::declarationOf(type, collated);
}

QStringList PostgresEngine::structureProblems(bool)
{
    // The server keeps its own files sound; what the program can see is
    // whether every table it needs is there.
    QStringList problems;
    const QStringList present = tables();
    for (const TableDefinition &table : schema::tables())
        if (!present.contains(table.name))
            problems << QStringLiteral("manca la tabella %1").arg(table.name);
    return problems;
}

void PostgresEngine::checkPrepared()
{
    if (!tablesAndIndexes().isEmpty()
        && firstColumn("SELECT to_regclass('velmora_stato') IS NOT NULL").value(0) == QLatin1String("1")) {
        const int version = firstColumn("SELECT versione_schema FROM velmora_stato").value(0).toInt();
        if (version == SchemaVersion)
            return;
        throw StoreError(version > SchemaVersion
                             ? QStringLiteral("l'archivio è stato preparato da una versione più recente di Velmora: "
                                              "aggiornare il programma su questa postazione")
                             : QStringLiteral("l'archivio è stato preparato da una versione precedente di Velmora: "
                                              "il suo proprietario lo aggiorna con «velmora-cli server aggiorna»"));
    }
    throw StoreError(QStringLiteral("il database non contiene l'archivio di Velmora"));
}

void PostgresEngine::keysCopied(const QString &table)
{
    const TableDefinition *definition = schema::definitionNamed(table);
    if (!definition || !definition->keyed)
        return;
    const QByteArray name = quotedText(table.toLower()).toUtf8();
    run("SELECT setval(pg_get_serial_sequence(" + name + ", 'id'), coalesce(max(id), 0) + 1, false) FROM "
        + table.toLower().toUtf8());
}

int PostgresEngine::listVersion()
{
    const QStringList version = firstColumn("SELECT versione_comuni FROM velmora_stato");
    return version.isEmpty() ? 0 : version.first().toInt();
}

void PostgresEngine::setListVersion(int version)
{
    run("UPDATE velmora_stato SET versione_comuni = " + QByteArray::number(version));
}

PostgresEngine *postgresEngineOf(Connection &connection)
{
    return dynamic_cast<PostgresEngine *>(&connection.engine());
}
