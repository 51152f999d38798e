#include "servercommands.h"

#include "store/connection.h"
#include "store/postgres/serverarchive.h"
#include "store/storeerror.h"

#include <QFile>
#include <termios.h>
#include <unistd.h>

namespace {

const char *const Usage =
    "Uso: velmora-cli server prepara SERVER\n"
    "     velmora-cli server utente NOME SERVER\n"
    "\n"
    "SERVER è una stringa di connessione di PostgreSQL (\"postgresql://host/db\",\n"
    "\"service=studio\" o \"host=... dbname=...\").\n"
    "  prepara   su un database vuoto, come suo proprietario: tabelle, comuni e il\n"
    "            gruppo delle postazioni, che leggono e scrivono i dati ma non\n"
    "            cambiano le tabelle\n"
    "  utente    un accesso per una persona nel gruppo delle postazioni; la password\n"
    "            si legge dallo standard input, o si chiede se è un terminale\n";

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
    out << "archivio preparato: " << archive.path() << "; gruppo delle postazioni: "
        << serverarchive::desksGroup(archive) << '\n';
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

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const QString action = arguments.value(0);
    try {
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
