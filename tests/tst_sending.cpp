#include "clirun.h"
#include "invoicebills.h"
#include "testenvironment.h"
#include "testsmtpserver.h"

#include "programundertest.h"
#include "windowdriver.h"

#include "einvoice/invoicefiles.h"
#include "invoicewindows/invoiceswindow.h"
#include "ui/gridlist.h"

#include <QAction>
#include <QSpinBox>

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

// Invoice files sent from the office's PEC mailbox to a mail server the
// test runs on 127.0.0.1 over TLS: nothing ever leaves this machine.
class SendingTest : public QObject, private WindowDriver
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("VELMORA_PEC_CA", TestSmtpServer::certificatePath().toUtf8()); }
    void aFileGoesOnceAndIsKeptAsSent();
    void theWindowSendsTheChosenBillsAskingThePasswordOnce();
};

void SendingTest::aFileGoesOnceAndIsKeptAsSent()
{
    TestSmtpServer server("segreta");
    Bills b;
    b.office({.cassa = "", .ritenuta = "N"});
    b.store.connection().execute(
        "UPDATE STUDIO SET PEC = 'studio.rossi@pec.example.it', PECSERVER = ?, PECUTENTE = 'studio.rossi'", {server.url()});
    b.service(b.client("BIANCHI SRL", {{"CODDEST", "M5UXCR1"}}), b.reason("PERIZIA"), "100", "1");
    const QString path = invoicefiles::generate(b.store.connection(), "1", 2026, b.folder.path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray xml = file.readAll();
    file.close();
    const QString name = "IT" + OfficeCode + "_00001.xml";
    const QStringList send{"invia", "1", "2026", "--archivio", b.store.path()};

    QCOMPARE(runCli(send).status, 2); // no password given
    CliRun run = runCli(send, "sbagliata\n");
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains("non ha accettato il messaggio"), qPrintable(run.err));
    QCOMPARE(b.store.count("SELECT ID FROM FE_INVII"), 0);

    run = runCli(send, "segreta\n");
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QRegularExpressionMatch told =
        QRegularExpression("^" + name + " inviato a sdi01@pec.fatturapa.it, Message-ID (\\S+)\n$").match(run.out);
    QVERIFY2(told.hasMatch(), qPrintable(run.out));
    QCOMPARE(server.received().size(), 1);
    const TestSmtpServer::Received mail = server.received().first();
    QCOMPARE(mail.login, "studio.rossi");
    QCOMPARE(mail.from, "<studio.rossi@pec.example.it>");
    QCOMPARE(mail.to, QStringList({"<sdi01@pec.fatturapa.it>"}));
    QVERIFY(mail.data.contains("Message-ID: <" + told.captured(1).toUtf8() + ">"));
    QVERIFY(mail.data.contains("Content-Disposition: attachment; filename=\"" + name.toUtf8() + "\""));
    const QByteArray attached = mail.data.mid(mail.data.indexOf("\r\n\r\n", mail.data.indexOf("filename=")) + 4);
    QCOMPARE(QByteArray::fromBase64(attached.left(attached.indexOf("--"))), xml);
    QCOMPARE(b.store.text("SELECT HASH FROM FE_INVII"),
             QString(QCryptographicHash::hash(xml, QCryptographicHash::Sha256).toHex()));
    QCOMPARE(b.store.text("SELECT MESSAGEID FROM FE_INVII"), told.captured(1));
    QVERIFY(runCli({"fatture", "2026", "--archivio", b.store.path()}).out.endsWith("\t" + name + "\tinviata\n"));

    // Never twice without saying so; once the SdI assigned its own
    // address, to that one.
    run = runCli(send, "segreta\n");
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.startsWith("Il file " + name + " è già stato inviato il "), qPrintable(run.err));
    b.store.connection().execute("UPDATE STUDIO SET PECSDI = 'sdi27@pec.fatturapa.it'");
    QCOMPARE(runCli(send + QStringList{"--ancora"}, "segreta\n").status, 0);
    QCOMPARE(server.received().last().to, QStringList({"<sdi27@pec.fatturapa.it>"}));

    // A mail the server does not take is not recorded as sent.
    server.refuseNext();
    run = runCli(send + QStringList{"--ancora"}, "segreta\n");
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains("non ha accettato il messaggio"), qPrintable(run.err));
    QCOMPARE(b.store.count("SELECT ID FROM FE_INVII"), 2);

    // A file sent is never changed: a copy edited since is not sent.
    QVERIFY(file.open(QIODevice::Append));
    file.write("\n");
    file.close();
    run = runCli(send + QStringList{"--ancora"}, "segreta\n");
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains("è cambiato dopo l'invio"), qPrintable(run.err));
    QCOMPARE(server.received().size(), 2);

    // The year for the legal archiving: the file as sent, with the SdI's
    // answer and an index, whatever became of the copy in the folder.
    QTemporaryDir received;
    writeFile(received.path(), "IT" + OfficeCode + "_00001_RC_001.xml", sdiNotification("RC", name));
    QCOMPARE(runCli({"ricevute", received.path(), "--archivio", b.store.path()}).status, 0);
    QTemporaryDir kept;
    run = runCli({"conserva", "2026", "--cartella", kept.path(), "--archivio", b.store.path()});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QString zip = kept.filePath("Fatture elettroniche 2026.zip");
    QCOMPARE(run.out, zip + "\n");
    const auto unzipped = [&](const QStringList &arguments) {
        QProcess unzip;
        unzip.start("unzip", arguments);
        unzip.waitForFinished(30000);
        return unzip.readAllStandardOutput();
    };
    QCOMPARE(unzipped({"-p", zip, "fatture/" + name}), xml);
    QVERIFY(unzipped({"-p", zip, "notifiche/IT" + OfficeCode + "_00001_RC_001.xml"}).contains("<DataOraConsegna>"));
    const QStringList index = QString::fromUtf8(unzipped({"-p", zip, "indice.csv"})).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(index.size(), 2);
    QVERIFY(index.at(0).endsWith("Numero;Data;Cliente;Totale;File;Inviato il;Impronta SHA-256;Stato;Notifiche"));
    QVERIFY2(index.at(1).startsWith("1;30/11/2026;BIANCHI SRL;122,00;" + name + ";"), qPrintable(index.at(1)));
    QVERIFY(index.at(1).endsWith(";" + QString(QCryptographicHash::hash(xml, QCryptographicHash::Sha256).toHex())
                                 + ";consegnata;IT" + OfficeCode + "_00001_RC_001.xml"));

    b.store.connection().execute("UPDATE FE_INVII SET CONTENUTO = 'altro'");
    run = runCli({"conserva", "2026", "--cartella", kept.path(), "--archivio", b.store.path()});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains("non corrisponde all'impronta"), qPrintable(run.err));
    QCOMPARE(unzipped({"-p", zip, "fatture/" + name}), xml); // the earlier ZIP stays whole
}

void SendingTest::theWindowSendsTheChosenBillsAskingThePasswordOnce()
{
    TestSmtpServer server("segreta");
    ProgramUnderTest program;
    QTemporaryDir files;
    QVERIFY(program.start([&](TestStore &store) {
        Bills b(store);
        b.office({.cassa = "", .ritenuta = "N"});
        store.connection().execute("UPDATE STUDIO SET PEC = 'studio.rossi@pec.example.it', PECSERVER = ?", {server.url()});
        for (const char *number : {"1", "2"})
            b.service(b.client(QString("CLIENTE %1 SRL").arg(number), {{"CODDEST", "M5UXCR1"}}), b.reason("PERIZIA"), "100",
                      number);
        invoicefiles::generate(store.connection(), {"1", "2"}, 2026, files.path());
    }));
    program.main().findChild<QAction *>("ArchivioFatture")->trigger();
    auto *invoices = program.window<InvoicesWindow>();
    QVERIFY(invoices);
    drive(invoices);
    invoices->findChild<QSpinBox *>("Anno")->setValue(2026);
    GridList *bills = list("ListaFatture");
    QTRY_COMPARE(bills->count(), 2);
    bills->setChecked(0, true);
    bills->setChecked(1, true);
    program.messages().typePassword("segreta");
    press("CmdInvia");
    QCOMPARE(program.messages().last().text,
             "Parcella 1: IT" + OfficeCode
                 + "_00001.xml inviato a sdi01@pec.fatturapa.it.\n"
                   "Parcella 2: IT"
                 + OfficeCode + "_00002.xml inviato a sdi01@pec.fatturapa.it.");
    QCOMPARE(server.received().size(), 2);
    QCOMPARE(bills->subItem(0, 6), "inviata");
    // Again: asked first, and No sends nothing; the password is not asked
    // twice while the window is open.
    bills->setChecked(0, true);
    press("CmdInvia");
    QVERIFY(program.messages().last().question);
    QCOMPARE(server.received().size(), 2);
    program.messages().answer(true);
    bills->setChecked(0, true);
    press("CmdInvia");
    QCOMPARE(server.received().size(), 3);
    int passwordsAsked = 0;
    for (const ScriptedMessages::Shown &shown : program.messages().shown())
        passwordsAsked += shown.title == "Velmora - PEC dello Studio";
    QCOMPARE(passwordsAsked, 1);
    program.stop();
}

VELMORA_TEST_MAIN(SendingTest)

#include "tst_sending.moc"
