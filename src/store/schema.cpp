#include "schema.h"

#include "connection.h"
#include "engine.h"
#include "statement.h"

#include <algorithm>

namespace {

using T = ColumnType;

QList<ColumnDefinition> columns(std::initializer_list<ColumnDefinition> list)
{
    return QList<ColumnDefinition>(list);
}

void makeTables(Connection &connection, const QList<TableDefinition> &tables)
{
    for (const TableDefinition &table : tables)
        Statement(connection, connection.engine().definitionOf(table).toUtf8()).run();
}

struct IndexDefinition
{
    const char *name;
    const char *on; // the table and what it orders, the same text on every engine
};

// A table made by an earlier version gets the columns added since.
void addMissingColumns(Connection &connection, const TableDefinition &table)
{
    bool added = false;
    for (const ColumnDefinition &column : table.columns) {
        const auto &stored = connection.columnsOf(table.name);
        const bool present = std::any_of(stored.begin(), stored.end(), [&](const ColumnDefinition &c) {
            return c.name.compare(column.name, Qt::CaseInsensitive) == 0;
        });
        if (present)
            continue;
        Statement(connection,
                  QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                      .arg(table.name, column.name, connection.engine().declarationOf(column.type, table.collated))
                      .toUtf8())
            .run();
        added = true;
    }
    if (added)
        connection.forgetColumns(table.name);
}

// Makes what is missing of these tables, their columns and indexes, and
// drops an index no longer used; one look when all is as it should be, so
// that a desk that may not create anything on the server never tries.
void ensure(Connection &connection, const QList<TableDefinition> &tables, std::initializer_list<IndexDefinition> indexes,
            const char *obsolete = nullptr)
{
    const QStringList stored = connection.engine().tablesAndIndexes();
    bool complete = !obsolete || !stored.contains(QLatin1String(obsolete));
    for (const TableDefinition &table : tables) {
        const bool present = stored.contains(table.name);
        if (present)
            addMissingColumns(connection, table);
        complete = complete && present;
    }
    for (const IndexDefinition &index : indexes)
        complete = complete && stored.contains(QLatin1String(index.name));
    if (complete)
        return;
    makeTables(connection, tables);
    for (const IndexDefinition &index : indexes)
        Statement(connection, QByteArray("CREATE INDEX IF NOT EXISTS ") + index.name + " ON " + index.on).run();
    if (obsolete)
        Statement(connection, QByteArray("DROP INDEX IF EXISTS ") + obsolete).run();
}

}

const QList<TableDefinition> &schema::tables()
{
    static const QList<TableDefinition> all = {
        {QStringLiteral("PRESTAZIONI"),
         columns({{"ANNO", T::Integer},
                  {"MESE", T::Integer},
                  {"ID_CL", T::Integer},
                  {"ID_OPER", T::Integer},
                  {"ID_CAUS", T::Integer},
                  {"DATAR", T::Date},
                  {"CLIENTE", T::Text},
                  {"CAUSALE", T::Text},
                  {"GG", T::Number},
                  {"ORE", T::Number},
                  {"MIN", T::Number},
                  {"QTA", T::Number},
                  {"IMPORTO", T::Money},
                  {"OPERATORE", T::Text},
                  {"PARC", T::Text},
                  {"DATAP", T::Date},
                  {"NR", T::Text},
                  {"NOTE", T::Text},
                  {"AGG", T::Date}})},
        {QStringLiteral("SOGGETTI"),
         columns({{"Stato", T::Text},     {"Soggetto", T::Text}, {"DataN", T::Date},    {"ComuneN", T::Text}, {"PrN", T::Text},
                  {"Indirizzo", T::Text}, {"ComuneR", T::Text},  {"PrR", T::Text},      {"CAP", T::Text},     {"Codice", T::Text},
                  {"PIVA", T::Text},      {"IBAN", T::Text},     {"Attivita", T::Text}, {"Tipo", T::Text},    {"Ndoc", T::Text},
                  {"Scad", T::Date},      {"Pag", T::Text},      {"Tel", T::Text},      {"Cell", T::Text},    {"Fax", T::Text},
                  {"Email", T::Text},     {"Note", T::Text},     {"Agg", T::Date}})},
        {QStringLiteral("CAUSALE"), columns({{"CAUSALE", T::Text}, {"IMPORTO", T::Money}})},
        {QStringLiteral("OPERATORE"), columns({{"OPERATORE", T::Text}})},
        {QStringLiteral("DATI"), columns({{"COMUNE", T::Text}, {"PR", T::Text}, {"CAP", T::Text}})},
    };
    return all;
}

namespace {

QList<const TableDefinition *> everyTable()
{
    QList<const TableDefinition *> every;
    for (const auto *all : {&schema::tables(), &schema::billingRunTables(), &schema::invoiceTables(), &schema::importRunTables()})
        for (const TableDefinition &table : *all)
            every << &table;
    return every << &schema::historyTable();
}

}

const QStringList &schema::tableNames()
{
    static const QStringList names = [] {
        QStringList all;
        for (const TableDefinition *table : everyTable())
            all << table->name;
        return all;
    }();
    return names;
}

const TableDefinition *schema::definitionNamed(const QString &name)
{
    static const QList<const TableDefinition *> every = everyTable();
    for (const TableDefinition *table : every)
        if (table->name.compare(name, Qt::CaseInsensitive) == 0)
            return table;
    return nullptr;
}

ColumnType schema::typeOfColumn(const QString &name)
{
    for (const auto &table : tables())
        for (const auto &column : table.columns)
            if (column.name.compare(name, Qt::CaseInsensitive) == 0)
                return column.type;
    return ColumnType::Unknown;
}

const QList<TableDefinition> &schema::billingRunTables()
{
    static const QList<TableDefinition> all = {
        {QStringLiteral("PARCELLAZIONI"),
         columns({{"QUANDO", T::Text},
                  {"PANNELLO", T::Text},
                  {"PRESTAZIONI", T::Integer},
                  {"TOTALE", T::Integer},
                  {"ANNULLATA", T::Text}}),
         true, false},
        {QStringLiteral("PARCELLAZIONI_RIGHE"),
         columns({{"ID_PARC", T::Integer},
                  {"ID_PREST", T::Integer},
                  {"PARC_PRIMA", T::Text},
                  {"DATAP_PRIMA", T::Date},
                  {"NR_PRIMA", T::Text},
                  {"PARC_DOPO", T::Text},
                  {"DATAP_DOPO", T::Date},
                  {"NR_DOPO", T::Text}}),
         false, false},
    };
    return all;
}

const QList<TableDefinition> &schema::importRunTables()
{
    // STORIA_FINO: the history's last entry when the import was written;
    // a row with a later entry was changed since.
    static const QList<TableDefinition> all = {
        {QStringLiteral("IMPORTAZIONI"),
         columns({{"QUANDO", T::Text},
                  {"TABELLA", T::Text},
                  {"FILE", T::Text},
                  {"RIGHE", T::Integer},
                  {"STORIA_FINO", T::Integer},
                  {"ANNULLATA", T::Text}}),
         true, false},
        {QStringLiteral("IMPORTAZIONI_RIGHE"), columns({{"ID_IMP", T::Integer}, {"TABELLA", T::Text}, {"ID_RIGA", T::Integer}}),
         false, false},
    };
    return all;
}

const QList<TableDefinition> &schema::invoiceTables()
{
    // Percentages are plain numbers (4 means 4 %), as the office types them.
    static const QList<TableDefinition> all = {
        {QStringLiteral("STUDIO"),
         columns({{"DENOMINAZIONE", T::Text},
                  {"NOME", T::Text},
                  {"COGNOME", T::Text},
                  {"PIVA", T::Text},
                  {"CODICE", T::Text},
                  {"REGIME", T::Text},
                  {"INDIRIZZO", T::Text},
                  {"CAP", T::Text},
                  {"COMUNE", T::Text},
                  {"PR", T::Text},
                  {"PEC", T::Text},
                  {"EMAIL", T::Text},
                  {"TEL", T::Text},
                  {"IBAN", T::Text},
                  {"CASSA", T::Text},
                  {"ALCASSA", T::Number},
                  {"RITENUTA", T::Text},
                  {"ALRITENUTA", T::Number},
                  {"TIPORITENUTA", T::Text},
                  {"CAUSALEPAG", T::Text},
                  {"ALIQUOTA", T::Number},
                  {"NATURA", T::Text},
                  {"BOLLO", T::Text},
                  {"PROGRESSIVO", T::Integer},
                  // The office's PEC mailbox the files leave from (never its
                  // password), and the SdI's address once it assigned one.
                  {"PECSERVER", T::Text},
                  {"PECUTENTE", T::Text},
                  {"PECSDI", T::Text}}),
         true, false},
        {QStringLiteral("FE_CLIENTI"),
         columns({{"ID_CL", T::Integer, true},
                  {"CODDEST", T::Text},
                  {"PEC", T::Text},
                  {"NOME", T::Text},
                  {"COGNOME", T::Text},
                  {"RITENUTA", T::Text},
                  // A client abroad: its country, its own VAT number and
                  // postal code, which the register's fields do not take.
                  {"NAZIONE", T::Text},
                  {"PIVAESTERA", T::Text},
                  {"CAPESTERO", T::Text}}),
         true, false},
        {QStringLiteral("FE_CAUSALI"),
         columns({{"ID_CAUS", T::Integer, true},
                  {"ALIQUOTA", T::Number},
                  {"NATURA", T::Text},
                  {"CASSA", T::Text},
                  {"RITENUTA", T::Text}}),
         true, false},
        // What a public administration asks to find on its invoices.
        {QStringLiteral("FE_CLIENTI_PA"),
         columns({{"ID_CL", T::Integer, true},
                  {"ORDINE", T::Text},
                  {"CONTRATTO", T::Text},
                  {"CIG", T::Text},
                  {"CUP", T::Text},
                  {"RIFAMM", T::Text}}),
         true, false},
        // The credit notes, each for a bill of the register, whole or for
        // some of its services (their IDs, comma-separated; empty for all).
        {QStringLiteral("FE_NOTE"),
         columns({{"NR", T::Text},
                  {"ANNO", T::Integer},
                  {"DATA", T::Date},
                  {"NR_FATTURA", T::Text},
                  {"ANNO_FATTURA", T::Integer},
                  {"PRESTAZIONI", T::Text}}),
         true, false},
        // The SdI's notifications on the files sent, as they came, matched to
        // the file they name.
        {QStringLiteral("FE_RICEVUTE"),
         columns({{"NOMEFILE", T::Text},
                  {"TIPO", T::Text},
                  {"IDSDI", T::Text},
                  {"QUANDO", T::Text},
                  {"LETTA", T::Text},
                  {"ESITO", T::Text},
                  {"DESCRIZIONE", T::Text},
                  {"ERRORI", T::Text},
                  {"ORIGINE", T::Text},
                  {"CONTENUTO", T::Text}}),
         true, false},
        // Every file sent, as it was sent and with its hash.
        {QStringLiteral("FE_INVII"),
         columns({{"NOMEFILE", T::Text},
                  {"QUANDO", T::Text},
                  {"DESTINATARIO", T::Text},
                  {"MESSAGEID", T::Text},
                  {"HASH", T::Text},
                  {"CONTENUTO", T::Text}}),
         true, false},
        // Every file written, the old ones too when a bill is written again.
        {QStringLiteral("FE_FILE"),
         columns({{"NR", T::Text},
                  {"ANNO", T::Integer},
                  {"PROGRESSIVO", T::Integer},
                  {"NOMEFILE", T::Text},
                  {"CARTELLA", T::Text},
                  {"QUANDO", T::Text},
                  {"TOTALE", T::Integer}}),
         true, false},
    };
    return all;
}

QString schema::createStatement(const TableDefinition &table, const QString &idColumn,
                                QString (*declarationOf)(ColumnType type, bool collated))
{
    QStringList columns;
    if (table.keyed)
        columns << idColumn;
    for (const ColumnDefinition &column : table.columns)
        columns << column.name + QLatin1Char(' ') + declarationOf(column.type, table.collated)
                + (column.unique ? QStringLiteral(" UNIQUE") : QString());
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(table.name, columns.join(QStringLiteral(", ")));
}

const TableDefinition &schema::historyTable()
{
    static const TableDefinition history{QStringLiteral("STORIA"),
                                         columns({{"QUANDO", T::Text},
                                                  {"CHI", T::Text},
                                                  {"POSTAZIONE", T::Text},
                                                  {"TABELLA", T::Text},
                                                  {"ID_RIGA", T::Integer},
                                                  {"AZIONE", T::Text},
                                                  {"PRIMA", T::Text},
                                                  {"DOPO", T::Text}}),
                                         true, false};
    return history;
}

QStringList schema::historyKept()
{
    return {QStringLiteral("PRESTAZIONI"), QStringLiteral("SOGGETTI"), QStringLiteral("CAUSALE"), QStringLiteral("OPERATORE")};
}

void schema::install(Connection &connection)
{
    connection.engine().installFoundations();
    makeTables(connection, tables());
    ensureIndexes(connection);
    ensureHistory(connection);
}

void schema::ensureHistory(Connection &connection)
{
    // A row's history is read by its ID, then its table: an index of the ID
    // alone is half the size, and each service a billing changes adds to it.
    ensure(connection, {historyTable()}, {{"STORIA_ID_RIGA", "STORIA (ID_RIGA)"}}, "STORIA_RIGA");
}

void schema::ensureIndexes(Connection &connection)
{
    // The lists order services by date (the billed and unbilled ones within
    // their state), the per-client searches go by link and
    // by name, the lookups by name. The anomaly check and the main window's
    // summary run at every activation of the main window: their indexes hold
    // only the rows with a missing link, and the amounts still to bill (with
    // their state, so the summary reads the index alone); the
    // links pointing to deleted rows are found through the links' indexes.
    ensure(connection, {},
           {{"PRESTAZIONI_DATAR", "PRESTAZIONI (DATAR)"},
            {"PRESTAZIONI_PARC_DATAR", "PRESTAZIONI (PARC, DATAR)"},
            {"PRESTAZIONI_ID_CL", "PRESTAZIONI (ID_CL)"},
            {"PRESTAZIONI_ID_OPER", "PRESTAZIONI (ID_OPER)"},
            {"PRESTAZIONI_ID_CAUS", "PRESTAZIONI (ID_CAUS)"},
            {"PRESTAZIONI_CLIENTE", "PRESTAZIONI (CLIENTE)"},
            {"PRESTAZIONI_ANOMALIE", "PRESTAZIONI (CLIENTE) WHERE ID_CL IS NULL OR ID_OPER IS NULL OR ID_CAUS IS NULL"},
            {"PRESTAZIONI_IMPORTI_DA_PARCELLARE", "PRESTAZIONI (IMPORTO, PARC) WHERE PARC = 'N'"},
            {"SOGGETTI_SOGGETTO", "SOGGETTI (Soggetto)"},
            {"DATI_COMUNE", "DATI (COMUNE)"}},
           // Without PARC, read from each row for the index's condition: a
           // random read of every unbilled service at each summary.
           "PRESTAZIONI_DA_PARCELLARE");
}

void schema::ensureBillingRuns(Connection &connection)
{
    // A run's rows are found by run and service, so undoing one reads each
    // service once.
    ensure(connection, billingRunTables(), {{"PARCELLAZIONI_RIGHE_PRESTAZIONE", "PARCELLAZIONI_RIGHE (ID_PARC, ID_PREST)"}},
           "PARCELLAZIONI_RIGHE_RUN");
}

void schema::ensureImportRuns(Connection &connection)
{
    ensure(connection, importRunTables(), {{"IMPORTAZIONI_RIGHE_IMPORTAZIONE", "IMPORTAZIONI_RIGHE (ID_IMP, TABELLA, ID_RIGA)"}});
}

void schema::ensureInvoiceTables(Connection &connection)
{
    ensure(connection, invoiceTables(),
           {{"FE_FILE_PARCELLA", "FE_FILE (ANNO, NR)"},
            {"FE_FILE_NOME", "FE_FILE (NOMEFILE)"},
            {"FE_RICEVUTE_FILE", "FE_RICEVUTE (NOMEFILE)"},
            {"FE_INVII_FILE", "FE_INVII (NOMEFILE)"},
            {"PRESTAZIONI_NR", "PRESTAZIONI (NR)"}});
}
