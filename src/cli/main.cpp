// velmora-cli: the program's work for scripts and cron, without windows.
#include "archivecommands.h"
#include "codice.h"
#include "estratti.h"
#include "fattura.h"
#include "importa.h"
#include "ricevute.h"
#include "servercommands.h"
#include "store/privacy.h"
#include "store/storefile.h"

#include <QGuiApplication>
#include <QTextStream>

namespace {

const Subcommand *const Subcommands[] = {
    &verificaCommand, &copiaCommand, &ripristinaCommand, &esportaCommand, &estrattiCommand, &codiceCommand, &fatturaCommand,
    &notaCommand,     &inviaCommand, &ricevuteCommand,   &fattureCommand, &conservaCommand, &importaCommand, &serverCommand};

void listSubcommands(QTextStream &out)
{
    out << "Uso: velmora-cli SOTTOCOMANDO [ARGOMENTI] [--archivio FILE]\n\nSottocomandi:\n";
    for (const Subcommand *command : Subcommands)
        out << "  " << QString::fromLatin1(command->name).leftJustified(12) << QString::fromUtf8(command->summary) << '\n';
    out << "\n\"velmora-cli SOTTOCOMANDO --help\" descrive un sottocomando.\n";
}

// Qt's own notices (a missing runtime folder under cron, a font
// substitution) are not the user's business; its errors are.
void quietNotices(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        QTextStream(stderr) << message << '\n';
}

}

int main(int argc, char **argv)
{
    qInstallMessageHandler(quietNotices);
    // Statements are laid out with fonts, which need a platform; cron has no
    // display, and this tool never opens a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora-cli"));
    privacy::keepPrivate(storefile::location(QCoreApplication::applicationDirPath()));
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
