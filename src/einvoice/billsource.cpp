#include "billsource.h"

#include "figures.h"
#include "invoicerefused.h"

#include "store/connection.h"
#include "store/recordset.h"
#include "taxcodes/codecheck.h"

namespace {

QString dayText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString billName(const BillSource &bill)
{
    return QStringLiteral("La parcella n. %1 del %2").arg(bill.number).arg(bill.year);
}

// By the bill's number: the billed state alone would lead the engine
// through every billed service of the register.
void readServices(Connection &connection, BillSource &bill)
{
    Recordset rows(
        connection,
        QStringLiteral("SELECT P.ID, P.DATAR, P.CAUSALE, P.NOTE, P.QTA, P.IMPORTO, P.DATAP, P.ID_CL, P.CLIENTE, "
                       "F.ALIQUOTA, F.NATURA, F.CASSA, F.RITENUTA, C.IMPORTO FROM PRESTAZIONI AS P WITH (INDEX(PRESTAZIONI_NR)) "
                       "LEFT JOIN FE_CAUSALI AS F ON F.ID_CAUS = P.ID_CAUS LEFT JOIN CAUSALE AS C ON C.ID = P.ID_CAUS "
                       "WHERE P.NR = ? AND P.PARC = 'S' AND P.DATAP >= ? AND P.DATAP <= ? ORDER BY P.DATAR, P.ID"),
        {bill.number, QDate(bill.year, 1, 1), QDate(bill.year, 12, 31)});
    QString clientName;
    for (; !rows.eof(); rows.moveNext()) {
        BillService service;
        service.id = rows.fields(0).toInteger();
        service.datar = rows.fields(1).toDate();
        service.causale = rows.fields(2).text().trimmed();
        service.note = rows.fields(3).text().trimmed();
        service.qta = rows.fields(4).text().trimmed();
        service.cents = rows.fields(5).toMoney().cents();
        const QDate date = rows.fields(6).toDate();
        const QString client = rows.fields(8).text().trimmed();
        if (rows.fields(7).isNull())
            throw InvoiceRefused{QStringLiteral("%1: la prestazione del %2 (%3) non è collegata a un cliente")
                                     .arg(billName(bill), dayText(service.datar), service.causale)};
        const qint64 clientId = rows.fields(7).toInteger();
        if (bill.services.isEmpty()) {
            bill.date = date;
            bill.client.id = clientId;
            bill.client.soggetto = client;
            clientName = client;
        } else if (clientId != bill.client.id) {
            throw InvoiceRefused{
                QStringLiteral("%1 riunisce prestazioni di due clienti: %2 e %3").arg(billName(bill), clientName, client)};
        } else if (date != bill.date) {
            throw InvoiceRefused{QStringLiteral("%1 ha due date di parcellazione: %2 e %3")
                                     .arg(billName(bill), dayText(bill.date), dayText(date))};
        }
        const QString rate = rows.fields(9).text().trimmed();
        if (!rate.isEmpty()) {
            service.aliquota = figures::percentFromText(rate);
            if (!service.aliquota)
                throw InvoiceRefused{QStringLiteral("L'aliquota IVA «%1» della causale %2 non è una percentuale valida")
                                         .arg(rate, service.causale)};
        }
        service.natura = rows.fields(10).text().trimmed().toUpper();
        service.cassa = rows.fields(11).text().trimmed().toUpper();
        service.ritenuta = rows.fields(12).text().trimmed().toUpper();
        service.priceCents = rows.fields(13).toMoney().cents();
        bill.services << service;
    }
    if (bill.services.isEmpty())
        throw InvoiceRefused{
            QStringLiteral("Nessuna prestazione parcellata con il numero %1 nel %2").arg(bill.number).arg(bill.year)};
}

void readClient(Connection &connection, BillClient &client)
{
    Recordset row(connection,
                  QStringLiteral("SELECT S.Soggetto, S.Indirizzo, S.ComuneR, S.PrR, S.CAP, S.Codice, S.PIVA, "
                                 "F.CODDEST, F.PEC, F.NOME, F.COGNOME, F.RITENUTA, F.NAZIONE, F.PIVAESTERA, F.CAPESTERO, S.Pag, "
                                 "A.ORDINE, A.CONTRATTO, A.CIG, A.CUP, A.RIFAMM FROM SOGGETTI AS S "
                                 "LEFT JOIN FE_CLIENTI AS F ON F.ID_CL = S.ID LEFT JOIN FE_CLIENTI_PA AS A ON A.ID_CL = S.ID "
                                 "WHERE S.ID = ?"),
                  {client.id});
    if (row.eof())
        throw InvoiceRefused{QStringLiteral("Il cliente %1 delle prestazioni non è più in anagrafica").arg(client.soggetto)};
    QString *fields[] = {&client.soggetto, &client.indirizzo, &client.comune,    &client.pr,         &client.cap,
                         &client.codice,   &client.piva,      &client.codDest,   &client.pec,        &client.nome,
                         &client.cognome,  &client.ritenuta,  &client.nazione,   &client.pivaEstera, &client.capEstero,
                         &client.pag,      &client.ordine,    &client.contratto, &client.cig,        &client.cup,
                         &client.rifAmm};
    for (int i = 0; i < 21; ++i)
        *fields[i] = row.fields(i).text().trimmed();
    client.pr = client.pr.toUpper();
    client.codDest = client.codDest.toUpper();
    client.ritenuta = client.ritenuta.toUpper();
    client.nazione = client.nazione.toUpper();
    client.cig = client.cig.toUpper();
    client.cup = client.cup.toUpper();
}

}

QString BillClient::country() const
{
    if (!nazione.isEmpty())
        return nazione;
    const QString code = normalizedCode(pivaEstera);
    if (code.size() > 2 && code.at(0).isLetter() && code.at(1).isLetter())
        return code.left(2);
    return QStringLiteral("IT");
}

QString BillClient::foreignId() const
{
    for (const QString &number : {pivaEstera, piva, codice})
        if (!normalizedCode(number).isEmpty())
            return normalizedCode(number);
    return QStringLiteral("99999999999");
}

bool BillClient::withholds(bool officeDefault) const
{
    if (isForeign())
        return false;
    if (piva.isEmpty())
        return ritenuta == QLatin1String("S") && normalizedCode(codice).size() == 11;
    return ritenuta == QLatin1String("S") || (ritenuta != QLatin1String("N") && officeDefault);
}

BillSource BillSource::read(Connection &connection, const QString &number, int year)
{
    Recordset note(connection,
                   QStringLiteral("SELECT DATA, NR_FATTURA, ANNO_FATTURA, PRESTAZIONI FROM FE_NOTE WHERE NR = ? AND ANNO = ?"),
                   {number.trimmed(), year});
    BillSource bill;
    bill.number = note.eof() ? number.trimmed() : note.fields(1).text();
    bill.year = note.eof() ? year : int(note.fields(2).toInteger());
    readServices(connection, bill);
    readClient(connection, bill.client);
    if (note.eof())
        return bill;
    // The note carries the services it credits, under its own number and
    // date.
    const QStringList credited = note.fields(3).text().split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (!credited.isEmpty())
        bill.services.removeIf([&](const BillService &service) { return !credited.contains(QString::number(service.id)); });
    if (bill.services.isEmpty())
        throw InvoiceRefused{QStringLiteral("Le prestazioni della nota di credito %1 non sono più nella parcella %2")
                                 .arg(number.trimmed(), bill.number)};
    bill.corrects = CorrectedBill{bill.number, bill.date, bill.year};
    bill.number = number.trimmed();
    bill.year = year;
    bill.date = note.fields(0).toDate();
    return bill;
}
