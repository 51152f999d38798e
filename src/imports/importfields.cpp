#include "importfields.h"

#include "counted.h"

#include <algorithm>

namespace importfields {

namespace {

struct Spelling
{
    const char *key;
    const char *caption;
    const char *headers; // comma-separated, in compared form
};

QList<Field> fieldsFrom(std::initializer_list<Spelling> spellings)
{
    QList<Field> fields;
    for (const Spelling &s : spellings)
        fields.append(
            {QString::fromLatin1(s.key), QString::fromUtf8(s.caption), QString::fromLatin1(s.headers).split(QLatin1Char(','))});
    return fields;
}

}

QString compared(const QString &header)
{
    QString plain;
    for (const QChar c : header.normalized(QString::NormalizationForm_D).toLower())
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            plain += c;
    return plain;
}

QString nameOf(Table table)
{
    static const char *const names[] = {"clienti", "causali", "operatori", "prestazioni"};
    return QString::fromLatin1(names[int(table)]);
}

QString countOf(Table table, qsizetype rows)
{
    static const char *const one[] = {"cliente", "causale", "operatore", "prestazione"};
    return counted(rows, one[int(table)], nameOf(table).toUtf8().constData());
}

std::optional<Table> tableNamed(const QString &name)
{
    for (Table table : {Table::Clients, Table::Reasons, Table::Operators, Table::Services})
        if (nameOf(table) == name.toLower())
            return table;
    return std::nullopt;
}

QString storeTableOf(Table table)
{
    static const char *const tables[] = {"SOGGETTI", "CAUSALE", "OPERATORE", "PRESTAZIONI"};
    return QString::fromLatin1(tables[int(table)]);
}

const QList<Field> &fieldsOf(Table table)
{
    static const QList<Field> clients = fieldsFrom({
        {"Soggetto", "Cognome Nome e Ragione Sociale",
         "soggetto,ragionesociale,cognomenome,cognomeenome,nominativo,denominazione,cliente,nomecliente,"
         "cognomenomeeragionesociale,intestatario"},
        {"Cognome", "Cognome", "cognome"},
        {"Nome", "Nome", "nome"},
        {"DataN", "Data Nascita", "datan,datanascita,datadinascita,natoil,nascita"},
        {"ComuneN", "Comune di Nascita", "comunen,comunedinascita,comunenascita,luogodinascita,luogonascita,natoa"},
        {"PrN", "Prov. di nascita", "prn,provnascita,provdinascita,provinciadinascita,provincianascita,prnascita"},
        {"Indirizzo", "Indirizzo", "indirizzo,via,sede,indirizzoresidenza,indirizzodiresidenza"},
        {"ComuneR", "Comune di Residenza", "comuner,comune,comunediresidenza,comuneresidenza,citta,localita,residenza"},
        {"PrR", "Prov.", "prr,prov,provincia,pr,provresidenza,provinciadiresidenza,sigla"},
        {"CAP", "C.A.P.", "cap,codicepostale"},
        {"Codice", "Codice Fiscale", "codice,codicefiscale,cf,codfiscale,codfisc,codicefisc"},
        {"PIVA", "Partita IVA", "piva,partitaiva,pi,partiva,codiceiva"},
        {"IBAN", "IBAN", "iban"},
        {"Attivita", "Attività", "attivita,settore,professione"},
        {"Tipo", "Tipo documento", "tipo,tipodocumento,tipodoc,documento"},
        {"Ndoc", "Numero documento", "ndoc,numerodocumento,ndocumento,numdocumento,nrdocumento"},
        {"Scad", "Scadenza", "scad,scadenza,scadenzadocumento"},
        {"Pag", "Modalità di pagamento", "pag,pagamento,modalitadipagamento,modalitapagamento,condizionidipagamento"},
        {"Tel", "Telefono", "tel,telefono,telefonofisso,tel1"},
        {"Cell", "Cellulare", "cell,cellulare,mobile,telefonocellulare"},
        {"Fax", "Fax", "fax"},
        {"Email", "E-mail", "email,mail,posta,postaelettronica,indirizzoemail"},
        {"Note", "Note", "note,annotazioni"},
        {"Stato", "Cliente Attivo", "stato,attivo,clienteattivo"},
    });
    static const QList<Field> reasons = fieldsFrom({
        {"CAUSALE", "Causale", "causale,descrizione,prestazione,voce"},
        {"IMPORTO", "Importo", "importo,prezzo,tariffa,prezzounitario,costo"},
    });
    static const QList<Field> operators = fieldsFrom({
        {"OPERATORE", "Operatore", "operatore,nome,nominativo,collaboratore"},
    });
    static const QList<Field> services = fieldsFrom({
        {"DATAR", "Data", "datar,data,dataprestazione,giorno"},
        {"CLIENTE", "Cliente", "cliente,soggetto,ragionesociale,nominativo,cognomenome,cognomeenome"},
        {"CAUSALE", "Causale", "causale,descrizione,prestazione"},
        {"OPERATORE", "Operatore", "operatore"},
        {"GG", "Giorni", "gg,giorni"},
        {"ORE", "Ore", "ore"},
        {"MIN", "Minuti", "min,minuti"},
        {"QTA", "Quantità", "qta,quantita,qt"},
        {"IMPORTO", "Importo", "importo,totale,ammontare,euro"},
        {"PARC", "Parcellata", "parc,parcellata,parcellato,fatturata,fatturato"},
        {"DATAP", "Data parcella", "datap,dataparcella,datafattura,datadiparcellazione"},
        {"NR", "Numero parcella", "nr,numeroparcella,nparcella,numerofattura,nfattura,nrparcella"},
        {"NOTE", "Note", "note,annotazioni"},
    });
    static const QList<Field> *const all[] = {&clients, &reasons, &operators, &services};
    return *all[int(table)];
}

Mapping match(Table table, const QStringList &headers)
{
    Mapping mapping;
    QList<bool> taken(fieldsOf(table).size(), false);
    for (const QString &header : headers) {
        const QString plain = compared(header);
        int found = -1;
        for (int f = 0; f < fieldsOf(table).size() && found < 0; ++f)
            if (!taken.at(f) && !plain.isEmpty() && fieldsOf(table).at(f).headers.contains(plain))
                found = f;
        if (found >= 0)
            taken[found] = true;
        mapping << found;
    }
    return mapping;
}

void assign(Mapping &mapping, qsizetype column, int field)
{
    if (field >= 0)
        std::replace(mapping.begin(), mapping.end(), field, -1);
    mapping.replace(column, field);
}

Sheet headed(Table table, const Sheet &sheet)
{
    const auto named = [table](const QStringList &cells) {
        const Mapping mapping = match(table, cells);
        return mapping.size() - mapping.count(-1);
    };
    qsizetype best = named(sheet.headers);
    int chosen = -1;
    for (int row = 0; row < qMin<qsizetype>(10, sheet.rows.size()); ++row)
        if (const qsizetype fields = named(sheet.rows.at(row).cells); fields > best) {
            best = fields;
            chosen = row;
        }
    if (chosen < 0)
        return sheet;
    Sheet below{sheet.rows.at(chosen).cells, sheet.rows.mid(chosen + 1)};
    for (QString &header : below.headers)
        header = header.simplified();
    return below;
}

int fieldNamed(Table table, const QString &name)
{
    const QString plain = compared(name);
    const QList<Field> &fields = fieldsOf(table);
    for (int f = 0; f < fields.size(); ++f)
        if (compared(fields.at(f).key) == plain || compared(fields.at(f).caption) == plain
            || fields.at(f).headers.contains(plain))
            return f;
    return -1;
}

}
