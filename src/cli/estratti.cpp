#include "estratti.h"

#include "reports/statementrun.h"
#include "storeoption.h"
#include "store/valueconversion.h"

namespace {

std::optional<QDate> takeDate(QStringList &arguments, const char *option)
{
    return parseDayFirstDate(takeOption(arguments, QString::fromLatin1(option)));
}

int estratti(const QStringList &given, QTextStream &out, QTextStream &err)
{
    QStringList arguments = given;
    const QString path = takeStorePath(arguments);
    const QString folder = takeFolder(arguments);
    const auto from = takeDate(arguments, "--dal");
    const auto to = takeDate(arguments, "--al");
    if (path.isEmpty() || folder.isEmpty() || folder == QLatin1String("-") || !from || !to || !arguments.isEmpty()) {
        err << "Uso: velmora-cli estratti --dal GG/MM/AAAA --al GG/MM/AAAA --cartella DIR [--archivio FILE]\n";
        return 2;
    }
    if (*to < *from) {
        err << "Periodo non valido: la data finale precede quella iniziale.\n";
        return 2;
    }
    return onStore(path, "Estratti non stampati: ", err, [&](Connection &store) {
        const statementrun::Outcome outcome = statementrun::write(store, *from, *to, folder);
        for (const QString &file : outcome.files)
            out << file << '\n';
        if (outcome.unlinked > 0)
            err << outcome.unlinked << " prestazioni del periodo senza cliente non sono negli estratti.\n";
        if (!outcome.failure.isEmpty()) {
            err << "Impossibile scrivere " << outcome.failure << ".\n";
            return 1;
        }
        if (outcome.files.isEmpty())
            err << "Nessuna prestazione nel periodo: nessun estratto.\n";
        return 0;
    });
}

}

const Subcommand estrattiCommand{
    "estratti",
    "stampa in PDF l'estratto conto di ogni cliente con prestazioni nel periodo",
    "velmora-cli estratti --dal GG/MM/AAAA --al GG/MM/AAAA --cartella DIR [--archivio FILE]\n"
    "  Scrive nella cartella DIR un PDF per cliente con le prestazioni del periodo, chiamato\n"
    "  \"CLIENTE - dal GG-MM-AAAA al GG-MM-AAAA.pdf\". Stampa i file scritti, uno per riga.\n",
    estratti,
};
