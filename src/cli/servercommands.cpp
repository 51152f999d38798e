#include "servercommands.h"

#include "storeoption.h"
#include "store/connection.h"
#include "store/money.h"
#include "store/postgres/postgresengine.h"
#include "store/postgres/serverarchive.h"
#include "store/storeerror.h"
#include "store/storefile.h"

#include <QFile>
#include <termios.h>
#include <unistd.h>

namespace {

const char *const Usage = "Uso: velmora-cli server prepara SERVER\n"
                          "     velmora-cli server utente NOME SERVER\n"
                          "     velmora-cli server importa --archivio FILE SERVER [--forza]\n"
                          "     velmora-cli server ripristina COPIA SERVER [--forza]\n"
                          "     velmora-cli server aggiorna SERVER [--forza]\n"
                          "\n"
                          "SERVER è una stringa di connessione di PostgreSQL (\"postgresql://host/db\",\n"
                          "\"service=studio\" o \"host=... dbname=...\").\n"
                          "  prepara   su un database vuoto, come suo proprietario: tabelle, comuni e il\n"
                          "            gruppo delle postazioni, che leggono e scrivono i dati ma non\n"
                          "            cambiano le tabelle\n"
                          "  utente    un accesso per una persona nel gruppo delle postazioni; la password\n"
                          "            si legge dallo standard input, o si chiede se è un terminale\n"
                          "  importa   porta l'archivio di un file sul server, vuoto, in una transazione:\n"
                          "            confronta tabella per tabella righe, somme degli importi, ID e\n"
                          "            impronta delle righe, e conferma solo se tutto coincide; il file\n"
                          "            non viene modificato\n"
                          "  ripristina  rimette una copia al posto dei dati del server, come suo\n"
                          "            proprietario, con gli stessi controlli\n"
                          "  aggiorna  porta alla versione di questo programma, come suo proprietario e\n"
                          "            in una transazione, un archivio preparato dalla precedente\n"
                          "Importazione, ripristino e aggiornamento vogliono l'archivio da soli:\n"
                          "rifiutati mentre un altro è in corso e, salvo --forza, mentre altre\n"
                          "postazioni sono collegate (sono nominate).\n";

// One line of standard input, not echoed when it is a terminal.
QByteArray readPassword(QTextStream &err)
{
    const bool terminal = isatty(STDIN_FILENO);
    termios saved{};
    if (terminal) {
        err << "Password: " << Qt::flush;
        tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    QFile input;
    input.open(stdin, QIODevice::ReadOnly);
    QByteArray line = input.readLine();
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        err << '\n';
    }
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

int prepara(const QString &server, QTextStream &out)
{
    Connection archive;
    archive.openServer(server, {}, {}, Connection::Prepared::NotYet);
    serverarchive::prepare(archive);
    out << "archivio preparato: " << archive.path() << "; gruppo delle postazioni: " << serverarchive::desksGroup(archive)
        << '\n';
    return 0;
}

int utente(const QString &name, const QString &server, QTextStream &out, QTextStream &err)
{
    Connection archive;
    archive.openServer(server);
    serverarchive::addDesk(archive, name, readPassword(err));
    out << "accesso pronto: " << name << " nel gruppo " << serverarchive::desksGroup(archive) << '\n';
    return 0;
}

QString figureText(const tablecopy::Figures &f)
{
    QStringList amounts;
    for (qint64 cents : f.amountSums)
        amounts << Money::fromCents(cents).euroText();
    return QStringLiteral("%1 righe, importi %2, ID %3-%4, impronta %5")
        .arg(f.rows)
        .arg(amounts.isEmpty() ? QStringLiteral("-") : amounts.join(QStringLiteral(" + ")))
        .arg(f.firstId)
        .arg(f.lastId)
        .arg(QString::fromLatin1(f.checksum));
}

// Every table as the file holds it and as the server does after the move.
int report(const serverarchive::Moved &moved, const char *done, QTextStream &out, QTextStream &err)
{
    for (const tablecopy::Figures &file : moved.file) {
        const auto found = std::find_if(moved.server.begin(), moved.server.end(),
                                        [&](const tablecopy::Figures &f) { return f.table == file.table; });
        const bool same = found != moved.server.end() && *found == file;
        out << file.table.leftJustified(20) << ' ' << figureText(file)
            << (same ? QStringLiteral(": uguale sul server")
                     : QStringLiteral(": DIVERSO sul server (%1)")
                           .arg(found == moved.server.end() ? QStringLiteral("manca") : figureText(*found)))
            << '\n';
    }
    if (!moved.committed) {
        err << "Operazione non eseguita: i dati sul server non coincidono con quelli del file; sul server non è stato "
               "scritto nulla.\n";
        return 1;
    }
    out << done << '\n';
    return 0;
}

int moveFile(const QString &path, const QString &server, bool restoring, bool forced, QTextStream &out, QTextStream &err)
{
    if (storefile::isServerAddress(path) || !QFile::exists(path)) {
        err << "Il file " << path << " non esiste.\n";
        return 1;
    }
    if (const QString damage = damageOf(path); !damage.isEmpty()) {
        err << "Operazione non eseguita: " << damage << ".\n";
        return 1;
    }
    Connection file;
    file.open(path, storefile::password);
    Connection archive;
    archive.openServer(server, {}, {}, restoring ? Connection::Prepared::Required : Connection::Prepared::NotYet);
    const serverarchive::ExclusiveJob alone(
        archive, forced ? serverarchive::ExclusiveJob::Others::Allowed : serverarchive::ExclusiveJob::Others::Refused);
    const auto progress = [&](const QString &table, qint64 rows) { err << table << ": " << rows << " righe\n" << Qt::flush; };
    if (restoring)
        return report(serverarchive::restoreCopy(file, archive, progress), "copia rimessa sul server", out, err);
    return report(serverarchive::importStore(file, archive, progress), "archivio importato sul server", out, err);
}

int ripristina(QStringList arguments, QTextStream &out, QTextStream &err)
{
    const bool forced = arguments.removeAll(QStringLiteral("--forza")) > 0;
    if (arguments.size() != 2)
        return -1;
    return moveFile(arguments.at(0), arguments.at(1), true, forced, out, err);
}

int aggiorna(QStringList arguments, QTextStream &out)
{
    const bool forced = arguments.removeAll(QStringLiteral("--forza")) > 0;
    if (arguments.size() != 1)
        return -1;
    Connection archive;
    archive.openServer(arguments.at(0), {}, {}, Connection::Prepared::NotYet);
    const serverarchive::ExclusiveJob alone(
        archive, forced ? serverarchive::ExclusiveJob::Others::Allowed : serverarchive::ExclusiveJob::Others::Refused);
    const int was = serverarchive::upgrade(archive);
    if (was == PostgresEngine::SchemaVersion)
        out << "l'archivio è già alla versione " << was << '\n';
    else
        out << "archivio aggiornato dalla versione " << was << " alla " << PostgresEngine::SchemaVersion << '\n';
    return 0;
}

int run(const QStringList &given, QTextStream &out, QTextStream &err)
{
    QStringList arguments = given;
    const QString action = arguments.value(0);
    try {
        if (action == QLatin1String("importa")) {
            const QString file = takeOption(arguments, QStringLiteral("--archivio"));
            const bool forced = arguments.removeAll(QStringLiteral("--forza")) > 0;
            if (arguments.size() == 2 && !file.isEmpty() && file != QLatin1String("-"))
                return moveFile(file, arguments.at(1), false, forced, out, err);
        }
        if (action == QLatin1String("ripristina"))
            if (const int status = ripristina(arguments.mid(1), out, err); status >= 0)
                return status;
        if (action == QLatin1String("aggiorna"))
            if (const int status = aggiorna(arguments.mid(1), out); status >= 0)
                return status;
        if (action == QLatin1String("prepara") && arguments.size() == 2)
            return prepara(arguments.at(1), out);
        if (action == QLatin1String("utente") && arguments.size() == 3)
            return utente(arguments.at(1), arguments.at(2), out, err);
    } catch (const StoreError &error) {
        err << "Operazione non eseguita: " << error.message() << ".\n";
        return 1;
    }
    err << Usage;
    return 2;
}

}

const Subcommand serverCommand{"server", "prepara un archivio su un server PostgreSQL, con i suoi utenti", Usage, run};
