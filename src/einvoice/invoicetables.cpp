#include "invoicetables.h"

#include "store/connection.h"
#include "store/recordset.h"

void invoicetables::ensure(Connection &connection)
{
    // Called before every use: one look when the tables are there already.
    if (Recordset(connection, QStringLiteral("SELECT name FROM sqlite_master WHERE name IN "
                                             "('STUDIO', 'FE_CLIENTI', 'FE_CAUSALI', 'FE_FILE', 'FE_FILE_PARCELLA', "
                                             "'PRESTAZIONI_NR')"))
            .recordCount()
        == 6)
        return;
    // Percentages are plain numbers (4 means 4 %), as the office types them.
    const char *tables[] = {
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
    };
    for (const char *sql : tables)
        connection.execute(QString::fromLatin1(sql));
}
