#include "schema.h"

#include "connection.h"

namespace {

using T = ColumnType;

QList<ColumnDefinition> columns(std::initializer_list<ColumnDefinition> list)
{
    return QList<ColumnDefinition>(list);
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

void schema::install(Connection &connection)
{
    for (const auto &table : tables()) {
        QStringList definitions{QStringLiteral("ID INTEGER PRIMARY KEY AUTOINCREMENT")};
        for (const auto &column : table.columns)
            definitions << column.name + QLatin1Char(' ') + columnDeclaration(column.type);
        connection.execute(QStringLiteral("CREATE TABLE %1 (%2)").arg(table.name, definitions.join(QStringLiteral(", "))));
    }
    ensureIndexes(connection);
}

void schema::ensureIndexes(Connection &connection)
{
    // The lists order services by date (the billed and unbilled ones within
    // their state), the per-client searches go by link and
    // by name, the lookups by name. The anomaly check and the main window's
    // summary run at every activation of the main window: their indexes hold
    // only the rows with a missing link, and the amounts still to bill.
    const char *indexes[] = {
        "CREATE INDEX IF NOT EXISTS PRESTAZIONI_DATAR ON PRESTAZIONI (DATAR)",
        "CREATE INDEX IF NOT EXISTS PRESTAZIONI_PARC_DATAR ON PRESTAZIONI (PARC, DATAR)",
        "CREATE INDEX IF NOT EXISTS PRESTAZIONI_ID_CL ON PRESTAZIONI (ID_CL)",
        "CREATE INDEX IF NOT EXISTS PRESTAZIONI_CLIENTE ON PRESTAZIONI (CLIENTE)",
        "CREATE INDEX IF NOT EXISTS PRESTAZIONI_ANOMALIE ON PRESTAZIONI (CLIENTE) "
        "WHERE ID_CL IS NULL OR ID_OPER IS NULL OR ID_CAUS IS NULL",
        "CREATE INDEX IF NOT EXISTS PRESTAZIONI_DA_PARCELLARE ON PRESTAZIONI (IMPORTO) WHERE PARC = 'N'",
        "CREATE INDEX IF NOT EXISTS SOGGETTI_SOGGETTO ON SOGGETTI (Soggetto)",
        "CREATE INDEX IF NOT EXISTS DATI_COMUNE ON DATI (COMUNE)",
    };
    for (const char *sql : indexes)
        connection.execute(QString::fromLatin1(sql));
}

namespace {

void runAll(Connection &connection, std::initializer_list<const char *> statements)
{
    for (const char *sql : statements)
        connection.execute(QString::fromLatin1(sql));
}

}

void schema::ensureBillingRuns(Connection &connection)
{
    // A run's rows are found by run and service, so undoing one reads each
    // service once.
    runAll(connection,
           {"CREATE TABLE IF NOT EXISTS PARCELLAZIONI (ID INTEGER PRIMARY KEY AUTOINCREMENT, QUANDO TEXT, "
            "PANNELLO TEXT, PRESTAZIONI INTEGER, TOTALE INTEGER, ANNULLATA TEXT)",
            "CREATE TABLE IF NOT EXISTS PARCELLAZIONI_RIGHE (ID_PARC INTEGER, ID_PREST INTEGER, "
            "PARC_PRIMA TEXT, DATAP_PRIMA TEXT, NR_PRIMA TEXT, PARC_DOPO TEXT, DATAP_DOPO TEXT, NR_DOPO TEXT)",
            "CREATE INDEX IF NOT EXISTS PARCELLAZIONI_RIGHE_PRESTAZIONE ON PARCELLAZIONI_RIGHE (ID_PARC, ID_PREST)",
            "DROP INDEX IF EXISTS PARCELLAZIONI_RIGHE_RUN"});
}

void schema::ensureInvoiceTables(Connection &connection)
{
    if (connection.hasAll({QStringLiteral("STUDIO"), QStringLiteral("FE_CLIENTI"), QStringLiteral("FE_CAUSALI"),
                           QStringLiteral("FE_FILE"), QStringLiteral("FE_FILE_PARCELLA"), QStringLiteral("PRESTAZIONI_NR")}))
        return;
    // Percentages are plain numbers (4 means 4 %), as the office types them.
    runAll(connection, {
        "CREATE TABLE IF NOT EXISTS STUDIO (ID INTEGER PRIMARY KEY AUTOINCREMENT, DENOMINAZIONE TEXT, NOME TEXT, "
        "COGNOME TEXT, PIVA TEXT, CODICE TEXT, REGIME TEXT, INDIRIZZO TEXT, CAP TEXT, COMUNE TEXT, PR TEXT, PEC TEXT, "
        "EMAIL TEXT, TEL TEXT, IBAN TEXT, CASSA TEXT, ALCASSA NUMBER, RITENUTA TEXT, ALRITENUTA NUMBER, "
        "TIPORITENUTA TEXT, CAUSALEPAG TEXT, ALIQUOTA NUMBER, NATURA TEXT, BOLLO TEXT, PROGRESSIVO INTEGER)",
        "CREATE TABLE IF NOT EXISTS FE_CLIENTI (ID INTEGER PRIMARY KEY AUTOINCREMENT, ID_CL INTEGER UNIQUE, "
        "CODDEST TEXT, PEC TEXT, NOME TEXT, COGNOME TEXT, RITENUTA TEXT)",
        "CREATE TABLE IF NOT EXISTS FE_CAUSALI (ID INTEGER PRIMARY KEY AUTOINCREMENT, ID_CAUS INTEGER UNIQUE, "
        "ALIQUOTA NUMBER, NATURA TEXT, CASSA TEXT, RITENUTA TEXT)",
        // Every file written, the old ones too when a bill is written again.
        "CREATE TABLE IF NOT EXISTS FE_FILE (ID INTEGER PRIMARY KEY AUTOINCREMENT, NR TEXT, ANNO INTEGER, "
        "PROGRESSIVO INTEGER, NOMEFILE TEXT, CARTELLA TEXT, QUANDO TEXT, TOTALE INTEGER)",
        "CREATE INDEX IF NOT EXISTS FE_FILE_PARCELLA ON FE_FILE (ANNO, NR)",
        "CREATE INDEX IF NOT EXISTS PRESTAZIONI_NR ON PRESTAZIONI (NR)",
    });
}
