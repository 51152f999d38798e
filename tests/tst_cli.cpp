#include "clirun.h"
#include "testenvironment.h"
#include "testserver.h"
#include "teststore.h"
#include "store/recordset.h"
#include "store/storefile.h"
#include "store/storelock.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

// velmora-cli as a script calls it: its output and exit statuses.
class CliTest : public QObject
{
    Q_OBJECT

private slots:
    void codiceTellsTheVerdictAndTheBirth();
    void verificaAndCopiaOnARealStore();
    void estrattiPrintsOnePdfPerClientOfThePeriod();
    void aWrongCommandLineExitsWithTwo();
};

void CliTest::codiceTellsTheVerdictAndTheBirth()
{
    CliRun r = runCli({"codice", "rssmra80a41h501y"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QString("valido\ndata di nascita: 01/01/1980\nsesso: F\nluogo di nascita: ROMA (RM)\n"));
    r = runCli({"codice", "VRDGPP85T10Z404L"});
    QCOMPARE(r.out.split('\n').value(3), QString("luogo di nascita: STATI UNITI D'AMERICA (estero)"));
    r = runCli({"codice", "RSSMRA80A01H501A"});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QString("non valido: carattere di controllo errato: atteso U\n"));
    r = runCli({"codice", "01234560017"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QString("valido\n"));
    r = runCli({"codice", "DE123456789"});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QString("non verificabile: codice estero (DE)\n"));
}

void CliTest::verificaAndCopiaOnARealStore()
{
    TestStore store;
    store.add("SOGGETTI", {{"Soggetto", "ROSSI"}, {"Stato", "S"}});
    CliRun r = runCli({"verifica", "--archivio", store.path()});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, "archivio integro: " + store.path() + ", 1 clienti, 0 prestazioni\n");

    QTemporaryDir elsewhere;
    r = runCli({"copia", "--cartella", elsewhere.path(), "--archivio", store.path()});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const QString copy = r.out.trimmed().split('\n').last();
    QVERIFY2(copy.startsWith(elsewhere.path() + "/Database-") && QFileInfo(copy).isFile(), qPrintable(r.out));
    // It holds the clients' tax codes: its user's alone.
    QCOMPARE(QFile::permissions(copy) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther), QFile::Permissions());
    QCOMPARE(runCli({"verifica", "--archivio", copy}).status, 0);
    // A shared archive is put back by its owner only.
    if (testserver::inUse()) {
        r = runCli({"ripristina", copy, "--archivio", store.path()});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("velmora-cli server ripristina"), qPrintable(r.err));
        return;
    }
    // Put back, but never under a running program.
    store.connection().execute("DELETE FROM SOGGETTI");
    {
        StoreLock running(store.path());
        running.acquire();
        QCOMPARE(runCli({"ripristina", copy, "--archivio", store.path()}).status, 1);
    }
    r = runCli({"ripristina", copy, "--archivio", store.path()});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out.trimmed().split('\n').last(), store.path());
    QCOMPARE(store.text("SELECT Soggetto FROM SOGGETTI"), QString("<eof>")); // this connection saw the old file
    Connection reopened;
    reopened.open(store.path(), storefile::password);
    QCOMPARE(Recordset(reopened, "SELECT * FROM SOGGETTI").recordCount(), 1);
    reopened.close();
    r = runCli({"esporta", "--formato", "csv", elsewhere.filePath("csv"), "--archivio", store.path()});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out.trimmed().split('\n').size(), 6);
    QVERIFY(QFileInfo(r.out.trimmed().split('\n').last()).isFile());
    r = runCli({"esporta", "--formato", "sqlite", copy, "--archivio", store.path()}); // never over a file
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains("esiste già"), qPrintable(r.err));

    // Damaged, the store is said so and exits with 1.
    store.connection().close();
    QFile file(store.path());
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.seek(file.size() / 2);
    file.write(QByteArray(8192, '\x5a'));
    file.close();
    r = runCli({"verifica", "--archivio", store.path()});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.startsWith("Archivio danneggiato: "), qPrintable(r.err));
    r = runCli({"copia", "--archivio", store.path()});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains("danneggiat") && !r.err.contains("SQL logic error"), qPrintable(r.err));
    // An export of it never passes for a sound one.
    r = runCli({"esporta", "--formato", "csv", elsewhere.filePath("salvato"), "--archivio", store.path()});
    QVERIFY2(r.status == 1 && r.err.contains("danneggiato"), qPrintable(r.err));
    QCOMPARE(runCli({"verifica", "--archivio", elsewhere.filePath("nessuno.db")}).status, 1);
}

void CliTest::estrattiPrintsOnePdfPerClientOfThePeriod()
{
    TestStore store;
    const QString longName = "D'ANGELO COSTRUZIONI E RESTAURI SOCIETA' A RESPONSABILITA' LIMITATA / SEDE";
    const qint64 angelo = store.add("SOGGETTI", {{"Soggetto", longName}, {"Stato", "S"}});
    const qint64 rossi = store.add("SOGGETTI", {{"Soggetto", "ROSSI MARIO"}, {"Stato", "S"}});
    const auto service = [&](qint64 client, const QString &name, const QString &date, const QString &amount) {
        store.add("PRESTAZIONI",
                  {{"ID_CL", client},
                   {"CLIENTE", name},
                   {"DATAR", date},
                   {"IMPORTO", amount},
                   {"CAUSALE", "CONSULENZA"},
                   {"PARC", "N"}});
    };
    service(angelo, longName, "03/11/2026", "9999999,99");
    service(angelo, longName, "30/11/2026", "9999999,99");
    service(rossi, "ROSSI MARIO", "15/11/2026", "100");
    service(rossi, "ROSSI MARIO", "01/12/2026", "777"); // after the period
    service(0, "SENZA LEGAME", "10/11/2026", "5");
    QTemporaryDir out;
    const CliRun r = runCli({"estratti", "--dal", "01/11/2026", "--al", "30/11/2026", "--cartella", out.filePath("novembre"),
                             "--archivio", store.path()});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.contains("1 prestazioni del periodo senza cliente"), qPrintable(r.err));
    const QStringList files = r.out.trimmed().split('\n');
    QCOMPARE(files.size(), 2);
    const QString angeloFile = out.filePath("novembre/D'ANGELO COSTRUZIONI E RESTAURI SOCIETA' A RESPONSABILITA' LIMITATA _ SEDE"
                                            " - dal 01-11-2026 al 30-11-2026.pdf");
    QVERIFY2(files.contains(angeloFile), qPrintable(r.out));
    QProcess text;
    text.start("pdftotext", {"-layout", out.filePath("novembre/ROSSI MARIO - dal 01-11-2026 al 30-11-2026.pdf"), "-"});
    QVERIFY(text.waitForFinished());
    const QString rossiText = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    QVERIFY2(rossiText.contains("ROSSI MARIO dal 01/11/2026 al 30/11/2026") && rossiText.contains("€ 100,00")
                 && !rossiText.contains("777"),
             qPrintable(rossiText));
    text.start("pdftotext", {angeloFile, "-"});
    QVERIFY(text.waitForFinished());
    QVERIFY(QString::fromUtf8(text.readAllStandardOutput()).contains("€ 19.999.999,98"));
}

void CliTest::aWrongCommandLineExitsWithTwo()
{
    QCOMPARE(runCli({}).status, 2);
    QCOMPARE(runCli({"codice"}).status, 2);
    QCOMPARE(runCli({"sconosciuto"}).status, 2);
    QCOMPARE(runCli({"verifica", "--archivio"}).status, 2);
    QCOMPARE(runCli({"copia", "--cartella"}).status, 2);
    QCOMPARE(runCli({"esporta", "--formato", "pdf", "x"}).status, 2);
    QCOMPARE(runCli({"esporta", "--formato", "csv"}).status, 2);
    QCOMPARE(runCli({"estratti", "--dal", "31/02/2026", "--al", "01/03/2026", "--cartella", "x"}).status, 2);
    QCOMPARE(runCli({"estratti", "--dal", "01/03/2026", "--al", "01/02/2026", "--cartella", "x"}).status, 2);
    const CliRun help = runCli({"--help"});
    QCOMPARE(help.status, 0);
    QVERIFY2(help.out.contains("codice"), qPrintable(help.out));
    QCOMPARE(runCli({"codice", "--help"}).status, 0);
}

VELMORA_TEST_MAIN(CliTest)
#include "tst_cli.moc"
