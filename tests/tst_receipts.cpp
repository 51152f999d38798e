#include "invoicebills.h"
#include "clirun.h"
#include "testenvironment.h"

#include "einvoice/invoicefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

// A PEC delivery as a mail program saves it: the provider's envelope
// around the SdI's own message, which carries the notification.
QByteArray pecMail(const QString &attachment, const QByteArray &xml)
{
    const QByteArray inner =
        "From: Sistema di Interscambio <sdi27@pec.fatturapa.it>\r\nSubject: Consegna\r\nMIME-Version: 1.0\r\n"
        "Content-Type: multipart/mixed; boundary=\"interno\"\r\n\r\n"
        "--interno\r\nContent-Type: text/plain\r\n\r\nRicevuta di consegna\r\n"
        "--interno\r\nContent-Type: application/xml; name=\""
        + attachment.toUtf8() + "\"\r\nContent-Transfer-Encoding: base64\r\nContent-Disposition: attachment; filename=\""
        + attachment.toUtf8() + "\"\r\n\r\n" + xml.toBase64() + "\r\n--interno--\r\n";
    return "From: posta-certificata@pec.it\r\nSubject: POSTA CERTIFICATA: Consegna\r\nMIME-Version: 1.0\r\n"
           "Content-Type: multipart/mixed;\r\n boundary=\"esterno\"\r\n\r\n"
           "--esterno\r\nContent-Type: text/plain\r\n\r\nMessaggio di posta certificata\r\n"
           "--esterno\r\nContent-Type: application/xml; name=\"daticert.xml\"\r\n\r\n<postacert/>\r\n"
           "--esterno\r\nContent-Type: message/rfc822; name=\"postacert.eml\"\r\n"
           "Content-Disposition: inline; filename=\"postacert.eml\"\r\n\r\n"
        + inner + "\r\n--esterno--\r\n";
}

}

// The SdI's answers read, matched to the files sent and kept, and the
// state of every bill they give.
class ReceiptsTest : public QObject
{
    Q_OBJECT

private slots:
    void everyAnswerGivesItsBillsState();
};

void ReceiptsTest::everyAnswerGivesItsBillsState()
{
    Bills b;
    b.office({.cassa = "", .ritenuta = "N"});
    const qint64 fees = b.reason("PERIZIA");
    b.service(b.client("BIANCHI SRL", {{"CODDEST", "M5UXCR1"}}), fees, "100", "1");
    b.service(b.client("VERDI SRL", {{"CODDEST", "M5UXCR1"}}), fees, "100", "2");
    b.service(b.client("COMUNE DI MILANO", {{"CODDEST", "UF1Y2Z"}}, "07431100150"), fees, "1000", "3");
    const invoicefiles::Batch written = invoicefiles::generate(b.store.connection(), {"1", "2", "3"}, 2026, b.folder.path());
    QCOMPARE(written.written.size(), 3);
    const QString prefix = "IT" + OfficeCode + "_0000";

    QTemporaryDir received;
    writeFile(received.path(), prefix + "1_RC_001.xml", sdiNotification("RC", prefix + "1.xml.p7m"));
    writeFile(received.path(), prefix + "2_NS_001.xml", sdiNotification("NS", prefix + "2.xml"));
    writeFile(received.path(), prefix + "3_DT_001.xml", sdiNotification("DT", prefix + "3.xml"));
    writeFile(received.path(), "IT09876543210_00007_RC_001.xml", sdiNotification("RC", "IT09876543210_00007.xml"));
    writeFile(received.path(), prefix + "1_MC_002.xml", "<RicevutaConsegna>non firmata</RicevutaConsegna>");
    writeFile(received.path(), "fattura di prova.xml", "<qualsiasi/>"); // not named as a notification: left alone
    CliRun run = runCli({"ricevute", received.path(), "--archivio", b.store.path()});
    QCOMPARE(run.status, 1); // two files not taken
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.at(0),
             "IT09876543210_00007_RC_001.xml: non corrisponde a nessuna fattura (nessun file inviato si chiama "
             "IT09876543210_00007.xml)");
    QCOMPARE(lines.at(1),
             prefix
                 + "1_MC_002.xml: non è una notifica valida (riga 1, Element 'RicevutaConsegna': No matching "
                   "global declaration available for the validation root.)");
    QCOMPARE(lines.at(2), prefix + "1_RC_001.xml: parcella 1 del 2026 (" + prefix + "1.xml): consegnata");
    QCOMPARE(lines.at(3),
             prefix + "2_NS_001.xml: parcella 2 del 2026 (" + prefix
                 + "2.xml): scartata (00100 Certificato di "
                   "firma scaduto) - correggere e generare di nuovo il file entro cinque giorni: stesso numero "
                   "e data, nuovo progressivo");
    QCOMPARE(lines.at(4), prefix + "3_DT_001.xml: parcella 3 del 2026 (" + prefix + "3.xml): decorrenza termini");
    QCOMPARE(b.store.count("SELECT ID FROM FE_RICEVUTE"), 3);
    QVERIFY(b.store.text("SELECT CONTENUTO FROM FE_RICEVUTE WHERE TIPO = 'RC'").contains("<ds:Signature"));

    // Read again: nothing kept twice.
    run = runCli({"ricevute", received.path(), "--archivio", b.store.path()});
    QVERIFY(run.out.contains(prefix + "1_RC_001.xml: già letta, parcella 1 del 2026"));
    QCOMPARE(b.store.count("SELECT ID FROM FE_RICEVUTE"), 3);

    // The rejected bill corrected and written again; the public
    // administration's answer and a failed delivery, from saved PEC mails.
    const QString again = invoicefiles::generate(b.store.connection(), "2", 2026, b.folder.path());
    QCOMPARE(QFileInfo(again).fileName(), prefix + "4.xml");
    QTemporaryDir mails;
    writeFile(mails.path(), "consegna.eml", pecMail(prefix + "4_MC_001.xml", sdiNotification("MC", prefix + "4.xml")));
    writeFile(mails.path(), "esito.eml", pecMail(prefix + "3_NE_001.xml", sdiNotification("NE", prefix + "3.xml", "EC02")));
    run = runCli({"ricevute", mails.path(), "--archivio", b.store.path()});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out,
             "consegna.eml: " + prefix + "4_MC_001.xml: parcella 2 del 2026 (" + prefix
                 + "4.xml): non consegnata - "
                   "avvisare il cliente che la trova nella sua area riservata\n"
                   "esito.eml: "
                 + prefix + "3_NE_001.xml: parcella 3 del 2026 (" + prefix + "3.xml): rifiutata\n");

    QCOMPARE(b.store.text("SELECT PECSDI FROM STUDIO"), "sdi27@pec.fatturapa.it"); // where the next files go

    run = runCli({"fatture", "2026", "--archivio", b.store.path()});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out,
             "1\t30/11/2026\tBIANCHI SRL\t122,00\t" + prefix
                 + "1.xml\tconsegnata\n"
                   "2\t30/11/2026\tVERDI SRL\t122,00\t"
                 + prefix
                 + "4.xml\tnon consegnata\n"
                   "3\t30/11/2026\tCOMUNE DI MILANO\t1220,00\t"
                 + prefix + "3.xml\trifiutata\n");
}

VELMORA_TEST_MAIN(ReceiptsTest)

#include "tst_receipts.moc"
