#include "clirun.h"
#include "invoicebills.h"
#include "testenvironment.h"

#include "einvoice/codelists.h"
#include "einvoice/invoicefiles.h"
#include "einvoice/schemacheck.h"
#include "einvoice/sdirules.h"
#include "store/schema.h"
#include "store/statement.h"
#include "testserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

// Bills to every kind of client, and what the SdI would reject refused
// before a file is written.
class EinvoiceClientsTest : public QObject
{
    Q_OBJECT

private slots:
    void whoWithholds();
    void clientsAbroad();
    void aStoreOfTheEarlierVersionTakesClientsAbroad();
    void whatTheSdiRejectsIsRefused();
    void aNameAlreadyRecordedIsNeverGivenAgain();
    void theStampIsDueWhateverTheOfficeChose();
    void notesAndRatesReachTheFileWhole();
    void theSdiCodesOfTheChecks();
    void aCreditNoteNamesTheBillItCorrects();
    void paymentFollowsTheClientsTerms();
};

void EinvoiceClientsTest::whoWithholds()
{
    Bills b;
    b.office({});
    const qint64 fees = b.reason("ONORARI");
    // A private person: the office's "withholding yes" is not for a consumer.
    const qint64 person = b.client("BIANCHI LUCA", {{"NOME", "LUCA"}, {"COGNOME", "BIANCHI"}}, "", "BNCLCU75C12F205G");
    b.service(person, fees, "1000");
    Leaves x = b.invoice();
    QCOMPARE(b.lastFaults, QStringList());
    QCOMPARE(x["DatiRitenuta/ImportoRitenuta"], QStringList());
    QCOMPARE(x["DettaglioLinee/Ritenuta"], QStringList());
    QCOMPARE(x.one("ImportoTotaleDocumento"), "1268.80");
    QCOMPARE(x.one("ImportoPagamento"), "1268.80");

    // A condominium has only a tax code of digits, and withholds when it
    // says so.
    const qint64 condominium = b.client("CONDOMINIO VIA VERDI 2", {{"CODDEST", "M5UXCR1"}, {"RITENUTA", "S"}}, "", "97123450153");
    b.service(condominium, fees, "1000", "13");
    x = b.invoice("13");
    QCOMPARE(x.one("DatiRitenuta/ImportoRitenuta"), "200.00");
    QCOMPARE(x.one("ImportoPagamento"), "1068.80");

    // A business takes the office's default.
    b.service(b.client("STUDIO VERDI SRL", {{"CODDEST", "M5UXCR1"}}), fees, "1000", "14");
    QCOMPARE(b.invoice("14").one("DatiRitenuta/ImportoRitenuta"), "200.00");
}

void EinvoiceClientsTest::clientsAbroad()
{
    Bills b;
    b.office({});
    const qint64 abroad = b.reason("CONSULENZA", {{"ALIQUOTA", "0"}, {"NATURA", "N2.1"}});
    // A firm in Berlin, its country from its invoice data; withholding is
    // not for a client abroad, and it needs no channel code of ours.
    const qint64 berlin = b.client("MUELLER GMBH", {{"NAZIONE", "DE"}, {"PIVAESTERA", "DE123456789"}, {"CAPESTERO", "10117"}},
                                   "");
    b.store.connection().execute("UPDATE SOGGETTI SET Indirizzo = 'FRIEDRICHSTRASSE 12', ComuneR = 'BERLIN', PrR = 'EE', "
                                 "CAP = NULL WHERE ID = ?",
                                 {berlin});
    b.service(berlin, abroad, "500");
    Leaves x = b.invoice();
    QCOMPARE(b.lastFaults, QStringList());
    QCOMPARE(x.one("CodiceDestinatario"), "XXXXXXX");
    QCOMPARE(x.one("CessionarioCommittente/DatiAnagrafici/IdFiscaleIVA/IdPaese"), "DE");
    QCOMPARE(x.one("CessionarioCommittente/DatiAnagrafici/IdFiscaleIVA/IdCodice"), "123456789");
    QCOMPARE(x.one("CessionarioCommittente/Sede/Nazione"), "DE");
    QCOMPARE(x.one("CessionarioCommittente/Sede/CAP"), "10117");
    QCOMPARE(x["CessionarioCommittente/Sede/Provincia"], QStringList());
    QCOMPARE(x.one("CedentePrestatore/Sede/Nazione"), "IT");
    QVERIFY2(x.one("RiferimentoNormativo").contains("art. 7-ter"), qPrintable(x.one("RiferimentoNormativo")));
    QCOMPARE(x["DatiRitenuta/ImportoRitenuta"], QStringList());
    QCOMPARE(x.one("ImportoTotaleDocumento"), "520.00");

    // A London firm known by its VAT number alone, with a postal code of
    // its own kind.
    const qint64 london = b.client("SMITH LTD", {{"PIVAESTERA", "GB123456789"}, {"CAPESTERO", "SW1A 1AA"}}, "");
    b.store.connection().execute("UPDATE SOGGETTI SET ComuneR = 'LONDON', PrR = '' WHERE ID = ?", {london});
    b.service(london, abroad, "100", "13");
    x = b.invoice("13");
    QCOMPARE(b.lastFaults, QStringList());
    QCOMPARE(x.one("CessionarioCommittente/Sede/CAP"), "00000");
    QCOMPARE(x.one("CessionarioCommittente/Sede/Comune"), "SW1A 1AA LONDON");
    QCOMPARE(x.one("CessionarioCommittente/Sede/Nazione"), "GB");

    // A private person in Switzerland, with no number at all.
    const qint64 geneva = b.client("DUPONT JEAN", {{"NAZIONE", "CH"}, {"NOME", "JEAN"}, {"COGNOME", "DUPONT"}}, "");
    b.service(geneva, b.reason("PARERE", {{"ALIQUOTA", "0"}, {"NATURA", "N2.2"}}), "100", "14");
    x = b.invoice("14");
    QCOMPARE(b.lastFaults, QStringList());
    QCOMPARE(x.one("CessionarioCommittente/DatiAnagrafici/IdFiscaleIVA/IdPaese"), "CH");
    QCOMPARE(x.one("CessionarioCommittente/DatiAnagrafici/IdFiscaleIVA/IdCodice"), "99999999999");
    QCOMPARE(x["CessionarioCommittente/DatiAnagrafici/CodiceFiscale"], QStringList());

    const qint64 nowhere = b.client("ALTROVE SA", {{"NAZIONE", "X"}}, "");
    b.service(nowhere, abroad, "100", "15");
    QVERIFY2(b.refusal("15").contains("La nazione «X» del cliente ALTROVE SA deve essere il codice di due lettere"),
             qPrintable(b.refusal("15")));
}

void EinvoiceClientsTest::aStoreOfTheEarlierVersionTakesClientsAbroad()
{
    FILE_STORE_ONLY();
    Bills b;
    b.office({});
    const qint64 client = b.client("MUELLER GMBH", {}, "");
    Connection &store = b.store.connection();
    store.execute("DROP TABLE FE_CLIENTI");
    Statement(store,
              "CREATE TABLE FE_CLIENTI (ID INTEGER PRIMARY KEY AUTOINCREMENT, ID_CL INTEGER UNIQUE, CODDEST TEXT, "
              "PEC TEXT, NOME TEXT, COGNOME TEXT, RITENUTA TEXT)")
        .run();
    store.execute("INSERT INTO FE_CLIENTI (ID_CL, CODDEST) VALUES (?, 'XXXXXXX')", {client});

    // Brought up as every use of the invoice tables does.
    schema::ensureInvoiceTables(store);
    store.execute("UPDATE FE_CLIENTI SET NAZIONE = 'AT', PIVAESTERA = 'ATU12345678' WHERE ID_CL = ?", {client});
    b.service(client, b.reason("CONSULENZA", {{"ALIQUOTA", "0"}, {"NATURA", "N2.1"}}), "100");
    const Leaves x = b.invoice();
    QCOMPARE(b.lastFaults, QStringList());
    QCOMPARE(x.one("CessionarioCommittente/DatiAnagrafici/IdFiscaleIVA/IdCodice"), "U12345678");
}

void EinvoiceClientsTest::whatTheSdiRejectsIsRefused()
{
    Bills b;
    b.office({});
    const qint64 fees = b.reason("ONORARI");
    b.service(b.client("STUDIO VERDI SRL", {{"CODDEST", "M5UXCR1"}}), fees, "100", "1", QDate::currentDate().addDays(1));
    QVERIFY2(b.refusal("1").contains("dopo oggi: il SdI scarta le fatture con data futura (regola SdI 00403)"),
             qPrintable(b.refusal("1")));

    b.service(b.client("BIANCHI SRL", {{"CODDEST", "XXXXXXX"}}), fees, "100", "2");
    QCOMPARE(b.refusal("2"),
             "Il codice destinatario XXXXXXX del cliente BIANCHI SRL è solo per i clienti esteri: il cliente è "
             "in Italia (regola SdI 00313)");

    b.service(b.client("ROSSI MARIA", {{"CODDEST", "M5UXCR1"}}, "01234560017"), fees, "100", "3");
    QCOMPARE(b.refusal("3"),
             "La partita IVA del cliente ROSSI MARIA è quella dello Studio: una fattura non si emette a sé "
             "stessi (regola SdI 00471)");

    b.service(b.client("NERI SRL", {{"CODDEST", "M5UXCR1"}}, "12345670018"), fees, "100", "4");
    QCOMPARE(b.refusal("4"), "La partita IVA del cliente NERI SRL non è valida: cifra di controllo errata: attesa 7");

    // The generic natures are no longer offered, and a reason that still
    // has one is told which detailed one to choose.
    QVERIFY(!codelists::natura().contains("N2") && !codelists::natura().contains("N6"));
    QVERIFY(codelists::natura().contains("N2.1") && codelists::natura().contains("N6.9"));
    const qint64 generic = b.reason("NON SOGGETTA", {{"ALIQUOTA", "0"}, {"NATURA", "N2"}});
    b.service(b.client("GIALLI SRL", {{"CODDEST", "M5UXCR1"}}), generic, "100", "5");
    const QString refused = b.refusal("5");
    QVERIFY2(refused.startsWith("La natura generica «N2» per la causale NON SOGGETTA non è più ammessa (regola SdI 00445): "
                                "scegliere una fra N2.1 (Non soggette ad IVA ai sensi degli artt. da 7 a 7-septies del DPR "
                                "633/72), N2.2 (Non soggette - altri casi)"),
             qPrintable(refused));
    QCOMPARE(QDir(b.folder.path()).entryList(QDir::Files), QStringList());
    QCOMPARE(b.store.text("SELECT PROGRESSIVO FROM STUDIO"), "0");
}

void EinvoiceClientsTest::aNameAlreadyRecordedIsNeverGivenAgain()
{
    Bills b;
    b.office({});
    b.service(b.client("STUDIO VERDI SRL", {{"CODDEST", "M5UXCR1"}}), b.reason("ONORARI"), "100");
    QCOMPARE(QFileInfo(invoicefiles::generate(b.store.connection(), "12", 2026, b.folder.path())).fileName(),
             "IT" + OfficeCode + "_00001.xml");
    // The office's counter put back, and another folder: the name sent
    // before is passed over.
    b.store.connection().execute("UPDATE STUDIO SET PROGRESSIVO = 0");
    b.folder.remove();
    QTemporaryDir elsewhere;
    QCOMPARE(QFileInfo(invoicefiles::generate(b.store.connection(), "12", 2026, elsewhere.path())).fileName(),
             "IT" + OfficeCode + "_00002.xml");
    QCOMPARE(b.store.text("SELECT PROGRESSIVO FROM STUDIO"), "2");
}

void EinvoiceClientsTest::theStampIsDueWhateverTheOfficeChose()
{
    Bills b;
    b.office({.regime = "RF19", .cassa = "", .aliquota = "0", .natura = "N2.2", .bollo = "N"});
    const qint64 client = b.client("BIANCHI LUCA", {{"NOME", "LUCA"}, {"COGNOME", "BIANCHI"}}, "", "BNCLCU75C12F205G");
    b.service(client, b.reason("CONSULENZA"), "100");
    Leaves x = b.invoice();
    QCOMPARE(b.lastFaults, QStringList());
    // Borne by the office: declared, on no line and not in the total.
    QCOMPARE(x.one("DatiBollo/ImportoBollo"), "2.00");
    QCOMPARE(x["DettaglioLinee/Descrizione"], QStringList({"CONSULENZA"}));
    QCOMPARE(x.one("ImportoTotaleDocumento"), "100.00");

    b.service(client, b.reason("PARERE BREVE"), "77,47", "13");
    QCOMPARE(b.invoice("13")["DatiBollo/ImportoBollo"], QStringList()); // not above the threshold
}

void EinvoiceClientsTest::notesAndRatesReachTheFileWhole()
{
    Bills b;
    b.office({.cassa = "", .ritenuta = "N"});
    const qint64 client = b.client("STUDIO VERDI SRL", {{"CODDEST", "M5UXCR1"}});
    QString note = "sopralluogo a Łódź, Đakovo e Œuvre;";
    while (note.size() < 2400)
        note += " verifica della documentazione";
    b.service(client, b.reason("PERIZIA"), "100", "12", QDate(2026, 11, 30), "1", note);
    // An hourly rate of 61.37 for a third of an hour, the amount rounded.
    b.service(client, b.reason("ASSISTENZA ORARIA", {}, "61,37"), "20,44", "12", QDate(2026, 11, 30), "0,333");
    const Leaves x = b.invoice();
    QCOMPARE(b.lastFaults, QStringList());
    const QStringList descriptions = x["DettaglioLinee/Descrizione"];
    QCOMPARE(descriptions.size(), 4);
    QVERIFY2(descriptions.first().startsWith("PERIZIA - sopralluogo a Lódz, Dakovo e OEuvre;"), qPrintable(descriptions.first()));
    QString whole;
    for (int i = 0; i < 3; ++i) {
        QVERIFY(descriptions.at(i).size() <= 1000);
        whole += (i ? " " : "") + descriptions.at(i);
    }
    QCOMPARE(whole.size(), QString("PERIZIA - ").size() + note.size() + 1); // Œ written OE
    QVERIFY(whole.endsWith(" verifica della documentazione"));
    QCOMPARE(x["DettaglioLinee/PrezzoTotale"], QStringList({"100.00", "0.00", "0.00", "20.44"}));
    QCOMPARE(x["DettaglioLinee/NumeroLinea"], QStringList({"1", "2", "3", "4"}));
    QCOMPARE(x["DettaglioLinee/PrezzoUnitario"].last(), "61.37");
    QCOMPARE(x.one("ImportoTotaleDocumento"), "146.94"); // 120.44 + 22 %
}

void EinvoiceClientsTest::theSdiCodesOfTheChecks()
{
    Bills b;
    b.office({.cassa = "TC22"});
    const qint64 client = b.client("STUDIO VERDI SRL", {{"CODDEST", "M5UXCR1"}});
    b.service(client, b.reason("ONORARI"), "100");
    b.service(client, b.reason("SPESE", {{"ALIQUOTA", "0"}, {"NATURA", "N1"}, {"CASSA", "N"}, {"RITENUTA", "N"}}), "10");
    b.invoice();
    QCOMPARE(b.lastFaults, QStringList());
    QFile file(b.folder.filePath("IT" + OfficeCode + "_00001.xml"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(file.readAll());
    const auto without = [&](const QString &element) {
        QString cut = xml;
        cut.remove(QRegularExpression(QString("<%1>.*?</%1>").arg(element), QRegularExpression::DotMatchesEverythingOption));
        return sdirules::faults(cut.toUtf8());
    };
    const QStringList noWithholding = without("DatiRitenuta");
    QCOMPARE(noWithholding.size(), 2);
    QVERIFY2(noWithholding.at(0).startsWith("00411: righe con Ritenuta SI"), qPrintable(noWithholding.at(0)));
    QVERIFY2(noWithholding.at(1).startsWith("00415: cassa previdenziale con Ritenuta SI"), qPrintable(noWithholding.at(1)));
    QString lastSummary = xml;
    lastSummary.remove(lastSummary.lastIndexOf("<DatiRiepilogo>"),
                       lastSummary.lastIndexOf("</DatiRiepilogo>") + 16 - lastSummary.lastIndexOf("<DatiRiepilogo>"));
    QCOMPARE(sdirules::faults(lastSummary.toUtf8()), QStringList({"00444: manca il riepilogo dell'aliquota 0.00 N1"}));
}

void EinvoiceClientsTest::aCreditNoteNamesTheBillItCorrects()
{
    Bills b;
    b.office({});
    const qint64 client = b.client("STUDIO BIANCHI SRL", {{"CODDEST", "M5UXCR1"}});
    b.service(client, b.reason("ONORARI"), "100");
    b.service(client, b.reason("SPESE GENERALI 15%"), "15");
    b.invoice();
    QCOMPARE(b.lastFaults, QStringList());
    const int thisYear = QDate::currentDate().year();

    // The whole bill, into the folder of its file.
    const QStringList whole{"nota", "12", "2026", "--archivio", b.store.path()};
    CliRun run = runCli(whole);
    QCOMPARE(run.status, 0);
    const QString path = run.out.trimmed();
    QCOMPARE(path, b.folder.filePath("IT" + OfficeCode + "_00002.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray xml = file.readAll();
    QCOMPARE(schemacheck::faults(xml) + sdirules::faults(xml), QStringList());
    Leaves x(xml);
    QCOMPARE(x.one("TipoDocumento"), "TD04");
    QCOMPARE(x.one("DatiGeneraliDocumento/Numero"), "NC1");
    QCOMPARE(x.one("DatiGeneraliDocumento/Data"), QDate::currentDate().toString(Qt::ISODate));
    QCOMPARE(x.one("DatiFattureCollegate/IdDocumento"), "12");
    QCOMPARE(x.one("DatiFattureCollegate/Data"), "2026-11-30");
    QCOMPARE(x["DettaglioLinee/PrezzoTotale"], QStringList({"100.00", "15.00"}));
    QCOMPARE(x.one("ImportoTotaleDocumento"), "145.91");
    QCOMPARE(x.one("ImportoPagamento"), "122.91");
    // The register keeps its bill and gives the note no number of its.
    QCOMPARE(b.store.count("SELECT ID FROM PRESTAZIONI WHERE NR = '12'"), 2);
    QCOMPARE(b.store.count("SELECT ID FROM PRESTAZIONI WHERE NR = 'NC1'"), 0);

    run = runCli(whole);
    QCOMPARE(run.status, 1);
    QCOMPARE(run.err, "La parcella n. 12 del 2026 ha già la nota di credito NC1\n");

    // Part of it: the general expenses alone.
    const qint64 expenses = b.store.text("SELECT ID FROM PRESTAZIONI WHERE CAUSALE = 'SPESE GENERALI 15%'").toLongLong();
    QFile part(invoicefiles::creditNote(b.store.connection(), "12", 2026, {expenses}, b.folder.path()));
    QVERIFY(part.open(QIODevice::ReadOnly));
    x = Leaves(part.readAll());
    QCOMPARE(x.one("DatiGeneraliDocumento/Numero"), "NC2");
    QCOMPARE(x["DettaglioLinee/PrezzoTotale"], QStringList({"15.00"}));
    QCOMPARE(x.one("DatiCassaPrevidenziale/ImponibileCassa"), "15.00");

    QStringList listed;
    for (const invoicefiles::Bill &bill : invoicefiles::ofYear(b.store.connection(), thisYear))
        listed << bill.number + " " + bill.client + " " + bill.corrects + " " + QString::number(bill.cents) + " " + bill.fileName;
    QCOMPARE(listed.mid(listed.size() - 2),
             QStringList({"NC1 STUDIO BIANCHI SRL 12/2026 11960 IT" + OfficeCode + "_00002.xml",
                          "NC2 STUDIO BIANCHI SRL 12/2026 1560 IT" + OfficeCode + "_00003.xml"}));
}

void EinvoiceClientsTest::paymentFollowsTheClientsTerms()
{
    Bills b;
    b.office({.cassa = "", .ritenuta = "N"});
    const qint64 fees = b.reason("PERIZIA");
    const auto clientPaying = [&](const QString &name, const QString &terms) {
        const qint64 id = b.client(name, {{"CODDEST", "M5UXCR1"}});
        b.store.connection().execute("UPDATE SOGGETTI SET Pag = ? WHERE ID = ?", {terms, id});
        return id;
    };
    // Three bank receipts at month's end: the cents left go on the last.
    b.service(clientPaying("BIANCHI SRL", "RIBA 30/60/90 FM"), fees, "1000", "1");
    Leaves x = b.invoice("1");
    QCOMPARE(b.lastFaults, QStringList());
    QCOMPARE(x.one("CondizioniPagamento"), "TP01");
    QCOMPARE(x["DettaglioPagamento/ModalitaPagamento"], QStringList({"MP12", "MP12", "MP12"}));
    QCOMPARE(x["DettaglioPagamento/DataScadenzaPagamento"], QStringList({"2026-12-31", "2027-01-31", "2027-02-28"}));
    QCOMPARE(x["DettaglioPagamento/ImportoPagamento"], QStringList({"406.66", "406.66", "406.68"}));
    QCOMPARE(x["DettaglioPagamento/IBAN"], QStringList());

    b.service(clientPaying("VERDI SRL", "BONIFICO 30 GG DF"), fees, "1000", "2");
    x = b.invoice("2");
    QCOMPARE(x.one("CondizioniPagamento"), "TP02");
    QCOMPARE(x.one("DettaglioPagamento/ModalitaPagamento"), "MP05");
    QCOMPARE(x.one("DettaglioPagamento/DataScadenzaPagamento"), "2026-12-30");
    QCOMPARE(x.one("DettaglioPagamento/IBAN"), "IT60X0542811101000000123456");

    b.service(clientPaying("NERI SRL", "CONTANTI"), fees, "1000", "3");
    x = b.invoice("3");
    QCOMPARE(x.one("DettaglioPagamento/ModalitaPagamento"), "MP01");
    QCOMPARE(x["DettaglioPagamento/DataScadenzaPagamento"], QStringList());
    QCOMPARE(x.one("ImportoPagamento"), "1220.00");
}

VELMORA_TEST_MAIN(EinvoiceClientsTest)

#include "tst_einvoiceclients.moc"
