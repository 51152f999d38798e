#include "schema.h"

#include "connection.h"
#include "engine.h"
#include "statement.h"

namespace {

using T = ColumnType;

QList<ColumnDefinition> columns(std::initializer_list<ColumnDefinition> list)
{
    return QList<ColumnDefinition>(list);
}

// Statements of the engine's own SQL, the same text on every engine.
void runAll(Connection &connection, std::initializer_list<const char *> statements)
{
    for (const char *sql : statements)
        Statement(connection, QByteArray(sql)).run();
}

void makeTables(Connection &connection, const QList<TableDefinition> &tables)
{
    for (const TableDefinition &table : tables)
        Statement(connection, connection.engine().definitionOf(table).toUtf8()).run();
}

}

const QList<TableDefinition> &schema::tables()
{
    static const QList<TableDefinition> all = {
        {QStringLiteral("PRESTAZIONI"),
         columns({{"ANNO", T::Integer},   {"MESE", T::Integer},     {"ID_CL", T::Integer},
                  {"ID_OPER", T::Integer}, {"ID_CAUS", T::Integer},  {"DATAR", T::Date},
                  {"CLIENTE", T::Text},    {"CAUSALE", T::Text},     {"GG", T::Number},
                  {"ORE", T::Number},      {"MIN", T::Number},       {"QTA", T::Number},
                  {"IMPORTO", T::Money},   {"OPERATORE", T::Text},   {"PARC", T::Text},
                  {"DATAP", T::Date},      {"NR", T::Text},          {"NOTE", T::Text},
                  {"AGG", T::Date}})},
        {QStringLiteral("SOGGETTI"),
         columns({{"Stato", T::Text},    {"Soggetto", T::Text}, {"DataN", T::Date},
                  {"ComuneN", T::Text},  {"PrN", T::Text},      {"Indirizzo", T::Text},
                  {"ComuneR", T::Text},  {"PrR", T::Text},      {"CAP", T::Text},
                  {"Codice", T::Text},   {"PIVA", T::Text},     {"IBAN", T::Text},
                  {"Attivita", T::Text}, {"Tipo", T::Text},     {"Ndoc", T::Text},
                  {"Scad", T::Date},     {"Pag", T::Text},      {"Tel", T::Text},
                  {"Cell", T::Text},     {"Fax", T::Text},      {"Email", T::Text},
                  {"Note", T::Text},     {"Agg", T::Date}})},
        {QStringLiteral("CAUSALE"), columns({{"CAUSALE", T::Text}, {"IMPORTO", T::Money}})},
        {QStringLiteral("OPERATORE"), columns({{"OPERATORE", T::Text}})},
        {QStringLiteral("DATI"), columns({{"COMUNE", T::Text}, {"PR", T::Text}, {"CAP", T::Text}})},
    };
    return all;
}

bool schema::isDateColumn(const QString &name)
{
    for (const auto &table : tables())
        for (const auto &column : table.columns)
            if (column.type == ColumnType::Date && column.name.compare(name, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

const QList<TableDefinition> &schema::billingRunTables()
{
    static const QList<TableDefinition> all = {
        {QStringLiteral("PARCELLAZIONI"),
         columns({{"QUANDO", T::Text}, {"PANNELLO", T::Text}, {"PRESTAZIONI", T::Integer}, {"TOTALE", T::Integer},
                  {"ANNULLATA", T::Text}}),
         true, false},
        {QStringLiteral("PARCELLAZIONI_RIGHE"),
         columns({{"ID_PARC", T::Integer}, {"ID_PREST", T::Integer}, {"PARC_PRIMA", T::Text}, {"DATAP_PRIMA", T::Text},
                  {"NR_PRIMA", T::Text}, {"PARC_DOPO", T::Text}, {"DATAP_DOPO", T::Text}, {"NR_DOPO", T::Text}}),
         false, false},
    };
    return all;
}

const QList<TableDefinition> &schema::invoiceTables()
{
    // Percentages are plain numbers (4 means 4 %), as the office types them.
    static const QList<TableDefinition> all = {
        {QStringLiteral("STUDIO"),
         columns({{"DENOMINAZIONE", T::Text}, {"NOME", T::Text},      {"COGNOME", T::Text},    {"PIVA", T::Text},
                  {"CODICE", T::Text},        {"REGIME", T::Text},    {"INDIRIZZO", T::Text},  {"CAP", T::Text},
                  {"COMUNE", T::Text},        {"PR", T::Text},        {"PEC", T::Text},        {"EMAIL", T::Text},
                  {"TEL", T::Text},           {"IBAN", T::Text},      {"CASSA", T::Text},      {"ALCASSA", T::Number},
                  {"RITENUTA", T::Text},      {"ALRITENUTA", T::Number}, {"TIPORITENUTA", T::Text},
                  {"CAUSALEPAG", T::Text},    {"ALIQUOTA", T::Number}, {"NATURA", T::Text},    {"BOLLO", T::Text},
                  {"PROGRESSIVO", T::Integer}}),
         true, false},
        {QStringLiteral("FE_CLIENTI"),
         columns({{"ID_CL", T::Integer, true}, {"CODDEST", T::Text}, {"PEC", T::Text}, {"NOME", T::Text},
                  {"COGNOME", T::Text}, {"RITENUTA", T::Text}}),
         true, false},
        {QStringLiteral("FE_CAUSALI"),
         columns({{"ID_CAUS", T::Integer, true}, {"ALIQUOTA", T::Number}, {"NATURA", T::Text}, {"CASSA", T::Text},
                  {"RITENUTA", T::Text}}),
         true, false},
        // Every file written, the old ones too when a bill is written again.
        {QStringLiteral("FE_FILE"),
         columns({{"NR", T::Text}, {"ANNO", T::Integer}, {"PROGRESSIVO", T::Integer}, {"NOMEFILE", T::Text},
                  {"CARTELLA", T::Text}, {"QUANDO", T::Text}, {"TOTALE", T::Integer}}),
         true, false},
    };
    return all;
}

void schema::install(Connection &connection)
{
    makeTables(connection, tables());
    ensureIndexes(connection);
}

void schema::ensureIndexes(Connection &connection)
{
    // The lists order services by date (the billed and unbilled ones within
    // their state), the per-client searches go by link and
    // by name, the lookups by name. The anomaly check and the main window's
    // summary run at every activation of the main window: their indexes hold
    // only the rows with a missing link, and the amounts still to bill.
    runAll(connection,
           {"CREATE INDEX IF NOT EXISTS PRESTAZIONI_DATAR ON PRESTAZIONI (DATAR)",
            "CREATE INDEX IF NOT EXISTS PRESTAZIONI_PARC_DATAR ON PRESTAZIONI (PARC, DATAR)",
            "CREATE INDEX IF NOT EXISTS PRESTAZIONI_ID_CL ON PRESTAZIONI (ID_CL)",
            "CREATE INDEX IF NOT EXISTS PRESTAZIONI_CLIENTE ON PRESTAZIONI (CLIENTE)",
            "CREATE INDEX IF NOT EXISTS PRESTAZIONI_ANOMALIE ON PRESTAZIONI (CLIENTE) "
            "WHERE ID_CL IS NULL OR ID_OPER IS NULL OR ID_CAUS IS NULL",
            "CREATE INDEX IF NOT EXISTS PRESTAZIONI_DA_PARCELLARE ON PRESTAZIONI (IMPORTO) WHERE PARC = 'N'",
            "CREATE INDEX IF NOT EXISTS SOGGETTI_SOGGETTO ON SOGGETTI (Soggetto)",
            "CREATE INDEX IF NOT EXISTS DATI_COMUNE ON DATI (COMUNE)"});
}

void schema::ensureBillingRuns(Connection &connection)
{
    makeTables(connection, billingRunTables());
    // A run's rows are found by run and service, so undoing one reads each
    // service once.
    runAll(connection,
           {"CREATE INDEX IF NOT EXISTS PARCELLAZIONI_RIGHE_PRESTAZIONE ON PARCELLAZIONI_RIGHE (ID_PARC, ID_PREST)",
            "DROP INDEX IF EXISTS PARCELLAZIONI_RIGHE_RUN"});
}

void schema::ensureInvoiceTables(Connection &connection)
{
    QStringList made{QStringLiteral("FE_FILE_PARCELLA"), QStringLiteral("PRESTAZIONI_NR")};
    for (const TableDefinition &table : invoiceTables())
        made << table.name;
    if (connection.hasAll(made))
        return;
    makeTables(connection, invoiceTables());
    runAll(connection, {"CREATE INDEX IF NOT EXISTS FE_FILE_PARCELLA ON FE_FILE (ANNO, NR)",
                        "CREATE INDEX IF NOT EXISTS PRESTAZIONI_NR ON PRESTAZIONI (NR)"});
}
