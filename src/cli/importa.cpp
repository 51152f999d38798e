#include "importa.h"

#include "imports/counted.h"
#include "imports/importruns.h"
#include "imports/sheetfile.h"
#include "storeoption.h"

namespace {

struct Options
{
    importfields::Table table = importfields::Table::Clients;
    QString file, sheet, errorsFile;
    QStringList columns; // "NOME=CAMPO"
    bool trial = false, skipErrors = false, makeMissing = false, duplicates = false;
};

bool takeFlag(QStringList &arguments, const char *name)
{
    return arguments.removeAll(QLatin1String(name)) > 0;
}

// The mapping the headers give, changed as the command line says; a wrong
// --colonna is told and gives none.
std::optional<importfields::Mapping> mappingOf(const Options &options, const Sheet &sheet, QTextStream &err)
{
    importfields::Mapping mapping = importfields::match(options.table, sheet.headers);
    for (const QString &given : options.columns) {
        const qsizetype equals = given.indexOf(QLatin1Char('='));
        const qsizetype column = sheet.headers.indexOf(given.left(equals).trimmed());
        const QString fieldName = given.mid(equals + 1).trimmed();
        const int field = fieldName.isEmpty() ? -1 : importfields::fieldNamed(options.table, fieldName);
        if (equals < 0 || column < 0 || (field < 0 && !fieldName.isEmpty())) {
            err << "Colonna non valida: \"" << given << "\" (serve NOME=CAMPO, con NOME un'intestazione del file e CAMPO "
                << "uno dei campi del sottocomando).\n";
            return std::nullopt;
        }
        importfields::assign(mapping, column, field);
    }
    return mapping;
}

void tellMapping(const importpreview::Preview &preview, const importfields::Mapping &mapping, QTextStream &out)
{
    const QList<importfields::Field> &fields = importfields::fieldsOf(preview.table);
    for (int column = 0; column < mapping.size(); ++column)
        if (mapping.at(column) >= 0)
            out << "colonna \"" << preview.headers.at(column) << "\": " << fields.at(mapping.at(column)).caption << '\n';
    if (!preview.leftOut.isEmpty())
        out << "colonne lasciate fuori: " << preview.leftOut.join(QStringLiteral(", ")) << '\n';
}

void tellRows(const importpreview::Preview &preview, bool everyRow, QTextStream &out, QTextStream &err)
{
    for (const importpreview::Row &row : preview.rows) {
        if (!row.error.isEmpty())
            err << "riga " << row.number << ": " << row.error << '\n';
        else if (everyRow)
            out << "riga " << row.number << ": " << row.shown.join(QStringLiteral(" | "))
                << (row.notes.isEmpty() ? QString() : QStringLiteral(" — ") + row.notes.join(QStringLiteral("; "))) << '\n';
    }
}

int importFile(Connection &store, const Options &options, QTextStream &out, QTextStream &err)
{
    const sheetfile::Read read = sheetfile::read(options.file, options.sheet);
    const Sheet sheet = importfields::headed(options.table, read.sheet);
    out << "file: " << options.file << ", " << read.form << ", " << counted(sheet.rows.size(), "riga", "righe") << '\n';
    const auto mapping = mappingOf(options, sheet, err);
    if (!mapping)
        return 2;
    const importpreview::Preview preview = importpreview::build(store, options.table, sheet, *mapping, options.duplicates);
    tellMapping(preview, *mapping, out);
    tellRows(preview, options.trial, out, err);
    const bool errorsSaved = !options.errorsFile.isEmpty() && preview.errors() > 0;
    if (errorsSaved)
        importpreview::saveErrors(preview, options.errorsFile);
    const QString made = (preview.reasonsToMake + preview.operatorsToMake).join(QStringLiteral(", "));
    QString refused;
    if (preview.errors() > 0 && !options.skipErrors)
        refused =
            QStringLiteral("%1 con errori (--salta-errate importa le altre)").arg(counted(preview.errors(), "riga", "righe"));
    else if (!made.isEmpty() && !options.makeMissing)
        refused = QStringLiteral("causali od operatori da creare: %1 (--crea-mancanti li crea)").arg(made);
    else if (preview.imported() == 0)
        refused = QStringLiteral("nessuna riga da importare");
    if (!refused.isEmpty() || options.trial) {
        if (!refused.isEmpty())
            err << "Importazione non eseguita: " << refused << ".\n";
        else
            out << "prova: " << counted(preview.imported(), "riga", "righe") << " da importare, " << preview.errors()
                << " con errori; nulla è stato scritto\n";
        if (errorsSaved)
            out << options.errorsFile << '\n';
        return refused.isEmpty() ? 0 : 1;
    }
    const importruns::Written written = importruns::write(store, preview, options.file);
    out << "importazione " << written.run << ": " << importfields::countOf(options.table, written.rows);
    if (written.reasonsMade > 0)
        out << ", " << counted(written.reasonsMade, "causale creata", "causali create");
    if (written.operatorsMade > 0)
        out << ", " << counted(written.operatorsMade, "operatore creato", "operatori creati");
    if (preview.errors() > 0)
        out << ", " << counted(preview.errors(), "riga con errori lasciata fuori", "righe con errori lasciate fuori");
    out << '\n';
    if (errorsSaved)
        out << options.errorsFile << '\n';
    return 0;
}

int undoRun(Connection &store, const QString &run, QTextStream &out)
{
    const importruns::Undone undone = importruns::undo(store, run.toLongLong());
    out << "importazione " << run << " annullata: " << counted(undone.removed, "riga tolta", "righe tolte") << '\n';
    for (const QString &left : undone.leftAlone)
        out << "lasciata perché cambiata o usata dopo l'importazione: " << left << '\n';
    return 0;
}

int importa(const QStringList &given, QTextStream &out, QTextStream &err)
{
    QStringList arguments = given;
    const QString path = takeStorePath(arguments);
    Options options;
    const QString tableName = takeOption(arguments, QStringLiteral("--tabella"));
    const QString undo = takeOption(arguments, QStringLiteral("--annulla"));
    options.sheet = takeOption(arguments, QStringLiteral("--foglio"));
    options.errorsFile = takeOption(arguments, QStringLiteral("--errori"));
    for (QString column = takeOption(arguments, QStringLiteral("--colonna")); !column.isEmpty();
         column = takeOption(arguments, QStringLiteral("--colonna")))
        options.columns << column;
    options.trial = takeFlag(arguments, "--prova");
    options.skipErrors = takeFlag(arguments, "--salta-errate");
    options.makeMissing = takeFlag(arguments, "--crea-mancanti");
    options.duplicates = takeFlag(arguments, "--anche-doppioni");
    const auto table = importfields::tableNamed(tableName);
    const bool undoing = !undo.isEmpty() && undo != QLatin1String("-") && undo.toLongLong() > 0;
    const bool importing = table && arguments.size() == 1 && !options.columns.contains(QStringLiteral("-"))
        && options.sheet != QLatin1String("-") && options.errorsFile != QLatin1String("-");
    if (path.isEmpty() || undoing == importing || (undoing && !arguments.isEmpty())) {
        err << "Uso: velmora-cli importa --tabella clienti|causali|operatori|prestazioni FILE [--archivio FILE]\n"
               "     velmora-cli importa --annulla N [--archivio FILE]\n";
        return 2;
    }
    if (const QString damaged = damageOf(path); !damaged.isEmpty()) {
        err << "Importazione non eseguita: " << damaged << ".\n";
        return 1;
    }
    if (importing) {
        options.table = *table;
        options.file = arguments.first();
    }
    return onStore(path, undoing ? "Importazione non annullata: " : "Importazione non eseguita: ", err,
                   [&](Connection &store) { return undoing ? undoRun(store, undo, out) : importFile(store, options, out, err); });
}

}

const Subcommand importaCommand{
    "importa",
    "importa clienti, causali, operatori o prestazioni da CSV, XLSX o ODS",
    "velmora-cli importa --tabella clienti|causali|operatori|prestazioni FILE [--foglio NOME]\n"
    "                    [--colonna NOME=CAMPO]... [--prova] [--salta-errate] [--crea-mancanti]\n"
    "                    [--anche-doppioni]\n"
    "                    [--errori FILE] [--archivio FILE]\n"
    "velmora-cli importa --annulla N [--archivio FILE]\n"
    "  Legge un file CSV (separatore \";\", \",\" o tabulazione; UTF-8 o Windows-1252), XLSX o ODS\n"
    "  (il primo foglio, o quello di --foglio) e ne abbina le colonne ai campi per intestazione\n"
    "  (\"Ragione sociale\", \"C.F.\", \"P.IVA\", \"Comune\", \"Data\", \"Importo\", ...). --colonna NOME=CAMPO\n"
    "  abbina la colonna NOME al campo CAMPO (CAMPO vuoto la lascia fuori).\n"
    "  Ogni riga è controllata prima di scrivere: codice fiscale e partita IVA, comune, date e\n"
    "  importi, doppioni in anagrafica e nel file (lasciati fuori, o importati con --anche-doppioni\n"
    "  se sono clienti). Le righe con errori sono elencate sull'errore\n"
    "  standard e, con --errori FILE, salvate in un file da correggere (XLSX se il nome finisce\n"
    "  così, altrimenti CSV). Con righe errate non importa nulla, se non con --salta-errate; le\n"
    "  causali e gli operatori che le prestazioni nominano e mancano li crea solo con --crea-mancanti.\n"
    "  --prova mostra ogni riga come sarebbe scritta e non scrive nulla.\n"
    "  Tutto è scritto in una transazione, come importazione N; --annulla N la toglie, tranne\n"
    "  le righe cambiate dopo (o i clienti, le causali e gli operatori usati da prestazioni).\n",
    importa,
};
