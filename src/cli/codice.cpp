#include "codice.h"

#include "taxcodes/taxcode.h"

namespace {

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.size() != 1) {
        err << "Indicare un solo codice: velmora-cli codice CODICE\n";
        return 2;
    }
    std::optional<taxcode::Birth> birth;
    const CodeCheck check = taxcode::check(arguments.first(), &birth);
    out << check.text() << '\n';
    if (birth) {
        out << "data di nascita: " << birth->date.toString(QStringLiteral("dd/MM/yyyy")) << '\n';
        out << "sesso: " << birth->sex << '\n';
        const territory::Place &place = *birth->place;
        out << "luogo di nascita: " << place.name << " (" << (place.abroad ? QStringLiteral("estero") : place.province) << ")\n";
    }
    return check.isValid() ? 0 : 1;
}

}

const Subcommand codiceCommand{
    "codice",
    "verifica un codice fiscale o una partita IVA",
    "velmora-cli codice CODICE\n"
    "  Verifica il codice fiscale o la partita IVA CODICE, senza collegarsi ad alcun servizio.\n"
    "  Prima riga: \"valido\", \"non valido: <motivo>\" o \"non verificabile: <motivo>\"; per un codice\n"
    "  fiscale valido di una persona seguono data di nascita, sesso e luogo di nascita.\n"
    "  Uscita 0 se il codice è valido, 1 altrimenti.\n",
    run,
};
