// velmora-cli: the program's work for scripts and cron, without windows.
#include "archivecommands.h"
#include "codice.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

const Subcommand *const Subcommands[] = {&verificaCommand, &copiaCommand, &ripristinaCommand, &esportaCommand,
                                              &codiceCommand};

void listSubcommands(QTextStream &out)
{
    out << "Uso: velmora-cli SOTTOCOMANDO [ARGOMENTI] [--archivio FILE]\n\nSottocomandi:\n";
    for (const Subcommand *command : Subcommands)
        out << "  " << QString::fromLatin1(command->name).leftJustified(12) << QString::fromUtf8(command->summary) << '\n';
    out << "\n\"velmora-cli SOTTOCOMANDO --help\" descrive un sottocomando.\n";
}

}

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = application.arguments().mid(1);
    if (arguments.isEmpty() || arguments.first() == QLatin1String("--help")) {
        listSubcommands(arguments.isEmpty() ? err : out);
        return arguments.isEmpty() ? 2 : 0;
    }
    const QString name = arguments.takeFirst();
    for (const Subcommand *command : Subcommands) {
        if (name != QLatin1String(command->name))
            continue;
        if (arguments.contains(QStringLiteral("--help"))) {
            out << QString::fromUtf8(command->usage);
            return 0;
        }
        return command->run(arguments, out, err);
    }
    err << "Sottocomando sconosciuto: " << name << "\n\n";
    listSubcommands(err);
    return 2;
}
