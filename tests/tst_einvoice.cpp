#include "invoicebills.h"
#include "testenvironment.h"
#include "testserver.h"
#include "teststore.h"

#include "einvoice/invoicefiles.h"
#include "einvoice/invoicerefused.h"
#include "store/schema.h"
#include "einvoice/schemacheck.h"
#include "einvoice/sdirules.h"
#include "killedrun.h"
#include "store/durablefile.h"
#include "store/recordset.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

// Bills of the register made into FatturaPA files, figure by figure, each
// file checked against the official schema and the SdI's rules.
class EinvoiceTest : public QObject
{
    Q_OBJECT

private slots:
    void aLawyersBillToTheCentThroughTheCommandLine();
    void aFlatRateBillToAPrivateClient();
    void aPublicAdministrationPaysTheVatItself();
    void aCreditNoteAndTwoRates();
    void mistakesAreRefusedWithNothingWritten();
    void killedRunsLeaveNoFileWithoutItsRecordNorAProgressiveTwice();
    void aDamagedStoreTakesNoInvoice();
};

void EinvoiceTest::aLawyersBillToTheCentThroughTheCommandLine()
{
    Bills b;
    b.office({});
    const qint64 client = b.client("STUDIO BIANCHI SRL", {{"CODDEST", "M5UXCR1"}});
    b.service(client, b.reason("ONORARI"), "100");
    b.service(client, b.reason("SPESE GENERALI 15%"), "15");
    b.service(client, b.reason("ALTRO CLIENTE, ALTRO ANNO"), "50", "12", QDate(2025, 11, 30));

    QProcess cli;
    cli.start(QStringLiteral(VELMORA_CLI),
              {"fattura", "12", "2026", "--cartella", b.folder.filePath("2026/novembre"), "--archivio", b.store.path()});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    const QString path = QString::fromUtf8(cli.readAllStandardOutput()).trimmed().split('\n').last();
    QCOMPARE(QFileInfo(path).fileName(), "IT" + OfficeCode + "_00001.xml");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray xml = file.readAll();
    QCOMPARE(schemacheck::faults(xml), QStringList());
    QCOMPARE(sdirules::faults(xml), QStringList());

    const Leaves x(xml);
    QCOMPARE(x.one("FormatoTrasmissione"), "FPR12");
    QCOMPARE(x.one("CodiceDestinatario"), "M5UXCR1");
    QCOMPARE(x.one("ProgressivoInvio"), "00001");
    QCOMPARE(x.one("TipoDocumento"), "TD01");
    QCOMPARE(x.one("DatiGeneraliDocumento/Data"), "2026-11-30");
    QCOMPARE(x["DettaglioLinee/PrezzoTotale"], QStringList({"100.00", "15.00"}));
    QCOMPARE(x["DettaglioLinee/Ritenuta"], QStringList({"SI", "SI"}));
    QCOMPARE(x.one("DatiCassaPrevidenziale/ImponibileCassa"), "115.00");
    QCOMPARE(x.one("DatiCassaPrevidenziale/ImportoContributoCassa"), "4.60");
    QCOMPARE(x.one("DatiCassaPrevidenziale/AliquotaIVA"), "22.00");
    QCOMPARE(x["DatiCassaPrevidenziale/Ritenuta"], QStringList());
    QCOMPARE(x["DatiRiepilogo/ImponibileImporto"], QStringList({"119.60"}));
    QCOMPARE(x["DatiRiepilogo/Imposta"], QStringList({"26.31"}));
    QCOMPARE(x.one("DatiRitenuta/ImportoRitenuta"), "23.00");
    QCOMPARE(x.one("DatiRitenuta/AliquotaRitenuta"), "20.00");
    QCOMPARE(x.one("ImportoTotaleDocumento"), "145.91");
    QCOMPARE(x.one("ImportoPagamento"), "122.91");
    QCOMPARE(x.one("DettaglioPagamento/IBAN"), "IT60X0542811101000000123456");

    // Written again after a correction: a new progressive, the old record kept.
    QCOMPARE(QFileInfo(invoicefiles::generate(b.store.connection(), "12", 2026, b.folder.path())).fileName(),
             "IT" + OfficeCode + "_00002.xml");
    QCOMPARE(b.store.count("SELECT ID FROM FE_FILE WHERE NR = '12' AND ANNO = 2026"), 2);
    QCOMPARE(b.store.text("SELECT PROGRESSIVO FROM STUDIO"), "2");
    const auto bills = invoicefiles::ofYear(b.store.connection(), 2026);
    QCOMPARE(bills.size(), 1);
    QCOMPARE(bills.first().fileName, "IT" + OfficeCode + "_00002.xml");
    QCOMPARE(bills.first().cents, 11500);
}

void EinvoiceTest::aFlatRateBillToAPrivateClient()
{
    Bills b;
    b.office({.regime = "RF19", .cassa = "TC22", .aliquota = "0", .natura = "N2.2", .bollo = "S"});
    const qint64 client = b.client("BIANCHI LUCA", {{"NOME", "LUCA"}, {"COGNOME", "BIANCHI"}, {"RITENUTA", "S"}}, "",
                                   "BNCLCU75C12F205G");
    b.service(client, b.reason("CONSULENZA"), "100", "3/2026", QDate(2026, 3, 2), "3", "pratica “Verdi” – €");
    b.service(client, b.reason("SOPRALLUOGO"), "200", "3/2026", QDate(2026, 3, 2), "1,5");

    const Leaves x = b.invoice("3/2026");
    QCOMPARE(b.lastFaults, QStringList());
    QCOMPARE(x.one("CodiceDestinatario"), "0000000");
    QCOMPARE(x["CessionarioCommittente/DatiAnagrafici/IdFiscaleIVA/IdCodice"], QStringList());
    QCOMPARE(x.one("CessionarioCommittente/DatiAnagrafici/CodiceFiscale"), "BNCLCU75C12F205G");
    QCOMPARE(x.one("CessionarioCommittente/DatiAnagrafici/Anagrafica/Nome"), "LUCA");
    QCOMPARE(x.one("RegimeFiscale"), "RF19");
    // The stamp charged to the client is a line of its own, outside VAT.
    QCOMPARE(x["DettaglioLinee/Descrizione"],
             QStringList({"CONSULENZA - pratica \"Verdi\" - EUR", "SOPRALLUOGO", "Imposta di bollo"}));
    QCOMPARE(x["DettaglioLinee/Quantita"], QStringList({"3.00", "1.50"}));
    QCOMPARE(x["DettaglioLinee/PrezzoUnitario"], QStringList({"33.33333333", "133.33333333", "2.00"}));
    QCOMPARE(x["DettaglioLinee/Natura"], QStringList({"N2.2", "N2.2", "N1"}));
    QCOMPARE(x["DatiRitenuta/ImportoRitenuta"], QStringList()); // no withholding on a flat-rate bill
    QCOMPARE(x["DettaglioLinee/Ritenuta"], QStringList());
    QCOMPARE(x.one("DatiCassaPrevidenziale/ImportoContributoCassa"), "12.00");
    QCOMPARE(x.one("DatiCassaPrevidenziale/Natura"), "N2.2");
    QCOMPARE(x["DatiRiepilogo/ImponibileImporto"], QStringList({"312.00", "2.00"}));
    QCOMPARE(x["DatiRiepilogo/Imposta"], QStringList({"0.00", "0.00"}));
    QVERIFY(x["RiferimentoNormativo"].value(0).contains("190/2014"));
    QVERIFY(x["RiferimentoNormativo"].value(1).contains("art. 15"));
    QCOMPARE(x.one("DatiBollo/ImportoBollo"), "2.00");
    QCOMPARE(x.one("ImportoTotaleDocumento"), "314.00");
    QCOMPARE(x.one("ImportoPagamento"), "314.00");
}

void EinvoiceTest::aPublicAdministrationPaysTheVatItself()
{
    Bills b;
    b.office({.cassa = "", .ritenuta = "N"});
    const qint64 client = b.client("COMUNE DI MILANO", {{"CODDEST", "UF1Y2Z"}}, "07431100150");
    b.service(client, b.reason("PERIZIA"), "1.000");
    b.store.add("FE_CLIENTI_PA",
                {{"ID_CL", client},
                 {"CIG", "z1a2b3c4d"},
                 {"CUP", "J41E20000120001"},
                 {"ORDINE", "DET. 45/2026"},
                 {"RIFAMM", "UFFICIO TECNICO"}});
    QCOMPARE(b.refusal(), "Il CIG del cliente COMUNE DI MILANO deve avere 10 lettere o cifre");
    b.store.connection().execute("UPDATE FE_CLIENTI_PA SET CIG = 'Z1A2B3C4D5'");

    const Leaves x = b.invoice();
    QCOMPARE(b.lastFaults, QStringList());
    QCOMPARE(x.one("DatiOrdineAcquisto/IdDocumento"), "DET. 45/2026");
    QCOMPARE(x.one("DatiOrdineAcquisto/CodiceCIG"), "Z1A2B3C4D5");
    QCOMPARE(x.one("DatiOrdineAcquisto/CodiceCUP"), "J41E20000120001");
    QCOMPARE(x["DatiContratto/IdDocumento"], QStringList());
    QCOMPARE(x.one("CedentePrestatore/RiferimentoAmministrazione"), "UFFICIO TECNICO");
    QCOMPARE(x.one("FormatoTrasmissione"), "FPA12");
    QCOMPARE(x.one("CodiceDestinatario"), "UF1Y2Z");
    QCOMPARE(x.one("EsigibilitaIVA"), "S");
    QCOMPARE(x.one("DatiRiepilogo/Imposta"), "220.00");
    QCOMPARE(x.one("ImportoTotaleDocumento"), "1220.00");
    QCOMPARE(x.one("ImportoPagamento"), "1000.00");
}

void EinvoiceTest::aCreditNoteAndTwoRates()
{
    Bills b;
    b.office({.cassa = "TC22"});
    const qint64 client = b.client("STUDIO BIANCHI SRL", {{"PEC", "bianchi@pec.it"}});
    const qint64 fees = b.reason("ONORARI");
    const qint64 costs = b.reason("SPESE ANTICIPATE", {{"ALIQUOTA", "0"}, {"NATURA", "N1"}, {"CASSA", "N"}, {"RITENUTA", "N"}});
    b.service(client, fees, "200");
    b.service(client, costs, "30,50");

    Leaves x = b.invoice();
    QCOMPARE(b.lastFaults, QStringList());
    QCOMPARE(x.one("CodiceDestinatario"), "0000000");
    QCOMPARE(x.one("PECDestinatario"), "bianchi@pec.it");
    QCOMPARE(x["DatiRiepilogo/AliquotaIVA"], QStringList({"22.00", "0.00"}));
    QCOMPARE(x["DatiRiepilogo/ImponibileImporto"], QStringList({"208.00", "30.50"}));
    QCOMPARE(x["DatiRiepilogo/Imposta"], QStringList({"45.76", "0.00"}));
    QCOMPARE(x["DettaglioLinee/Ritenuta"], QStringList({"SI"}));
    QCOMPARE(x.one("DatiCassaPrevidenziale/Ritenuta"), "SI"); // the INPS 4 % bears the withholding
    QCOMPARE(x.one("DatiRitenuta/ImportoRitenuta"), "41.60"); // 20 % of 200.00 + 8.00
    QCOMPARE(x.one("ImportoTotaleDocumento"), "284.26");
    QCOMPARE(x.one("ImportoPagamento"), "242.66");

    b.service(client, fees, "-200", "13");
    b.service(client, fees, "50", "13");
    x = b.invoice("13");
    QCOMPARE(b.lastFaults, QStringList());
    QCOMPARE(x.one("TipoDocumento"), "TD04");
    QCOMPARE(x["DettaglioLinee/PrezzoTotale"], QStringList({"200.00", "-50.00"}));
    QCOMPARE(x.one("DatiCassaPrevidenziale/ImportoContributoCassa"), "6.00");
    QCOMPARE(x.one("ImportoTotaleDocumento"), "190.32");
    QCOMPARE(x.one("DatiRitenuta/ImportoRitenuta"), "31.20");
    QCOMPARE(x.one("ImportoPagamento"), "159.12");
}

void EinvoiceTest::mistakesAreRefusedWithNothingWritten()
{
    Bills b;
    const qint64 rossi = b.client("ROSSI MARIO", {});
    const qint64 verdi = b.client("VERDI ANNA", {}, "", "");
    const qint64 fees = b.reason("ONORARI");
    b.service(rossi, fees, "100");
    QVERIFY(b.refusal().startsWith("Mancano i dati dello Studio"));
    b.office({});
    QCOMPARE(b.refusal(), "Manca il codice destinatario o la PEC del cliente ROSSI MARIO");
    b.service(verdi, fees, "100");
    QCOMPARE(b.refusal(), "La parcella n. 12 del 2026 riunisce prestazioni di due clienti: ROSSI MARIO e VERDI ANNA");
    b.service(verdi, fees, "100", "AB");
    QCOMPARE(b.refusal("AB"),
             "Mancano la partita IVA e il codice fiscale del cliente VERDI ANNA (regola SdI 00417)\n"
             "Il numero della parcella «AB» non contiene cifre (regola SdI 00425)");
    b.service(rossi, b.reason("ESENTE", {{"ALIQUOTA", "0"}}), "10", "14");
    b.store.add("FE_CLIENTI", {{"ID_CL", rossi}, {"CODDEST", "ABC"}});
    QCOMPARE(b.refusal("14"),
             "Il codice destinatario del cliente ROSSI MARIO deve avere 7 caratteri, o 6 per la pubblica "
             "amministrazione (regola SdI 00427)\n"
             "Aliquota IVA 0 senza natura per la causale ESENTE (regola SdI 00400)");
    QCOMPARE(b.refusal("99"), "Nessuna prestazione parcellata con il numero 99 nel 2026");
    b.service(rossi, fees, "10", "15", QDate(2026, 6, 1));
    b.service(rossi, fees, "10", "15", QDate(2026, 6, 2));
    QCOMPARE(b.refusal("15"), "La parcella n. 15 del 2026 ha due date di parcellazione: 01/06/2026 e 02/06/2026");
    const qint64 bianchi = b.client("BIANCHI LUCA", {{"CODDEST", "M5UXCR1"}}, "", "RSSMRA80A01H501A");
    b.service(bianchi, fees, "10", "16");
    QCOMPARE(b.refusal("16"), "Il codice fiscale del cliente BIANCHI LUCA non è valido: carattere di controllo errato: atteso U");

    QProcess cli;
    cli.start(QStringLiteral(VELMORA_CLI),
              {"fattura", "AB", "2026", "--cartella", b.folder.path(), "--archivio", b.store.path()});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 1);
    QVERIFY(QString::fromUtf8(cli.readAllStandardError()).contains("regola SdI 00417"));
    QCOMPARE(QDir(b.folder.path()).entryList(QDir::Files), QStringList());
    QCOMPARE(b.store.text("SELECT PROGRESSIVO FROM STUDIO"), "0");
    QCOMPARE(b.store.count("SELECT ID FROM FE_FILE"), 0);
}

VELMORA_TEST_MAIN(EinvoiceTest)
void EinvoiceTest::killedRunsLeaveNoFileWithoutItsRecordNorAProgressiveTwice()
{
    Bills b;
    b.office({});
    const qint64 client = b.client("STUDIO BIANCHI SRL", {{"CODDEST", "M5UXCR1"}});
    for (int line = 0; line < 200; ++line)
        b.service(client, b.reason(QString("ONORARI %1").arg(line)), "100");
    const QString folder = b.folder.filePath("fatture");
    const QStringList run{"fattura", "12", "2026", "--cartella", folder, "--archivio", b.store.path()};
    const int whole = wholeRunMilliseconds(QStringLiteral(VELMORA_CLI), run);
    // Over the whole run, and closely over its end, where the file and its
    // record are written.
    QList<int> moments;
    for (int step = 0; step < 10; ++step)
        moments << whole * step / 10;
    for (int step = 0; step < 30; ++step)
        moments << whole * 6 / 10 + whole * step / 60;
    int killed = 0;
    for (int at : moments)
        killed += runKilledAfter(QStringLiteral(VELMORA_CLI), run, at);
    QVERIFY(killed > 10);
    // A whole run afterwards settles what the killed ones left.
    QVERIFY(!runKilledAfter(QStringLiteral(VELMORA_CLI), run, 60000));

    const QStringList files = QDir(folder).entryList(QDir::Files);
    QStringList recorded;
    for (Recordset rows(b.store.connection(), "SELECT NOMEFILE, PROGRESSIVO FROM FE_FILE ORDER BY PROGRESSIVO"); !rows.eof();
         rows.moveNext()) {
        recorded << rows.fields(0).text();
        QCOMPARE(rows.fields(1).toInteger(), qint64(recorded.size())); // gapless, never twice
    }
    QCOMPARE(files, recorded);
    QCOMPARE(b.store.text("SELECT PROGRESSIVO FROM STUDIO"), QString::number(recorded.size()));
}

void EinvoiceTest::aDamagedStoreTakesNoInvoice()
{
    FILE_STORE_ONLY();
    Bills b;
    b.office({});
    b.service(b.client("STUDIO BIANCHI SRL", {{"CODDEST", "M5UXCR1"}}), b.reason("ONORARI"), "100");
    for (int line = 0; line < 3000; ++line)
        b.store.add("SOGGETTI", {{"Soggetto", QString("CLIENTE %1").arg(line)}, {"Stato", "S"}});
    b.store.connection().close();
    QFile file(b.store.path());
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.seek(file.size() / 2);
    file.write(QByteArray(8192, 'x'));
    file.close();
    const QByteArray before = [&] {
        QFile f(b.store.path());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    QProcess cli;
    cli.start(QStringLiteral(VELMORA_CLI),
              {"fattura", "12", "2026", "--cartella", b.folder.path(), "--archivio", b.store.path()});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 1);
    QVERIFY(QString::fromUtf8(cli.readAllStandardError()).contains("l'archivio è danneggiato e nessun comando vi scrive"));
    QFile after(b.store.path());
    QVERIFY(after.open(QIODevice::ReadOnly));
    QVERIFY(after.readAll() == before);
    QCOMPARE(QDir(b.folder.path()).entryList(QDir::Files), QStringList());
}

#include "tst_einvoice.moc"
