#include "clirun.h"
#include "officefiles.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QFile>
#include <QTemporaryDir>

// "velmora-cli importa" on a real store: what it reads, refuses and writes,
// and the run taken back.
class ImportCliTest : public QObject
{
    Q_OBJECT

private slots:
    void clientsComeInCheckedAndGoBackOut();
    void servicesFindTheirLinksAndMakeWhatIsMissing();
    void aFileThatIsNotASpreadsheetChangesNothing();

private:
    CliRun import(const QString &table, const QString &file, const QStringList &more = {})
    {
        return runCli(QStringList{"importa", "--tabella", table, file, "--archivio", m_store->path()} + more);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TestStore> m_store;
};

void ImportCliTest::clientsComeInCheckedAndGoBackOut()
{
    m_store = std::make_unique<TestStore>();
    TestStore &store = *m_store;
    store.add("SOGGETTI", {{"Stato", "S"}, {"Soggetto", "ROSSI MARIO"}, {"Codice", "RSSMRA80A01H501U"}});
    const int before = store.count("SELECT ID FROM SOGGETTI");
    const QString file = m_dir.filePath("clienti.csv");
    officefiles::writeBytes(file,
                            "Cognome;Nome;Codice fiscale;Partita IVA;Comune;CAP;Telefono;Note;Colore\n"
                            "Verdi;Anna;;;Cantù;;+39 031 123456;prima;rosso\n"
                            "Rossi;Mario;rssmra 80a01 h501u;;Roma;;;;\n"
                            "Gialli;Srl;;IT01234567890;;;;;\n"
                            "Gialli;Due;;01234567890;;;;;\n"
                            "=1+1;;;;;;;;\n"
                            "Lunga;Nota;;;;;;"
                                + QByteArray(20000, 'x')
                                + ";\n"
                                  "Neri;Luca;;;;186;;;\n");

    // Rows with errors: nothing is written, each is named.
    CliRun run = import("clienti", file);
    QCOMPARE(run.status, 1);
    QVERIFY2(run.out.contains("colonne lasciate fuori: Colore"), qPrintable(run.out));
    for (const char *told :
         {"riga 3: già in anagrafica (stesso codice RSSMRA80A01H501U): ROSSI MARIO",
          "riga 5: stesso codice 01234567890 della riga 4", "riga 6: la colonna \"Cognome\" contiene una formula",
          "riga 7: Il campo NOTE non è valido: il testo è di 20000 caratteri", "Importazione non eseguita: 4 righe con errori"})
        QVERIFY2(run.err.contains(QString::fromUtf8(told)), qPrintable(run.err));
    QCOMPARE(store.count("SELECT ID FROM SOGGETTI"), before);

    // The others, with the rows to correct saved apart.
    const QString errors = m_dir.filePath("da-correggere.csv");
    run = import("clienti", file, {"--salta-errate", "--errori", errors});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.out.contains("importazione 1: 3 clienti, 4 righe con errori lasciate fuori"), qPrintable(run.out));
    QCOMPARE(run.out.trimmed().split('\n').last(), errors);
    QFile saved(errors);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(saved.readAll()).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    QVERIFY2(lines.at(3).startsWith("6;\"la colonna") && lines.at(3).contains(";'=1+1;"), qPrintable(lines.at(3)));
    QCOMPARE(store.count("SELECT ID FROM SOGGETTI"), before + 3);
    const qint64 verdi = store.text("SELECT ID FROM SOGGETTI WHERE Soggetto = 'VERDI ANNA'").toLongLong();
    const QStringList row = store.row("SOGGETTI", verdi);
    // Province and postal code from the municipalities, the phone as digits.
    QCOMPARE((QStringList{row[1], row[7], row[8], row[9], row[18], row[22]}),
             QStringList({"S", "CANTÙ", "CO", "22063", "0039031123456", "PRIMA"}));
    QCOMPARE(store.text("SELECT CAP FROM SOGGETTI WHERE Soggetto = 'NERI LUCA'"), QString("00186"));

    // Again: every row is in the registry now.
    run = import("clienti", file, {"--prova"});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains("riga 2: già in anagrafica (stesso nome): VERDI ANNA"), qPrintable(run.err));
    // Unless the office wants them all the same.
    run = import("clienti", file, {"--prova", "--anche-doppioni"});
    QVERIFY2(run.out.contains("doppione: già in anagrafica (stesso nome): VERDI ANNA"), qPrintable(run.out));
    QVERIFY2(!run.err.contains("riga 2:"), qPrintable(run.err));

    // Taken back, but for the client a service has named since.
    store.add("PRESTAZIONI", {{"ID_CL", verdi}, {"CLIENTE", "VERDI ANNA"}, {"DATAR", "01/12/2026"}, {"PARC", "N"}});
    run = runCli({"importa", "--annulla", "1", "--archivio", store.path()});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.out.contains("importazione 1 annullata: 2 righe tolte"), qPrintable(run.out));
    QVERIFY2(run.out.contains(QString("cliente %1 (VERDI ANNA)").arg(verdi)), qPrintable(run.out));
    QCOMPARE(store.count("SELECT ID FROM SOGGETTI"), before + 1);
    QCOMPARE(runCli({"importa", "--annulla", "1", "--archivio", store.path()}).status, 1);
}

void ImportCliTest::servicesFindTheirLinksAndMakeWhatIsMissing()
{
    m_store = std::make_unique<TestStore>();
    TestStore &store = *m_store;
    const qint64 client = store.add("SOGGETTI", {{"Stato", "S"}, {"Soggetto", "ROSSI MARIO"}});
    const qint64 reason = store.add("CAUSALE", {{"CAUSALE", "Visita"}, {"IMPORTO", "50"}});
    const qint64 worker = store.add("OPERATORE", {{"OPERATORE", "BIANCHI"}});
    const QString file = m_dir.filePath("prestazioni.xlsx");
    officefiles::writeXlsx(
        file,
        {{"Elenco delle prestazioni"},
         {"Data", "Cliente", "Causale", "Operatore", "Quantità", "Importo", "Fatturata", "Data fattura", "N. fattura"},
         {"03/02/2026", "rossi mario", "visita", "bianchi", "2"},
         {"04/02/2026", "ROSSI MARIO", "Consulenza", "Neri", "1", "1234,50", "S", "10/02/2026", "15"},
         {"05/02/2026", "Nessuno", "Visita", "Bianchi", "1", "5,00"},
         {"31/02/2026", "ROSSI MARIO", "Visita"}},
        "Prestazioni");
    // A store of an earlier version, without its history, as the command
    // line finds it before the program ever opened it.
    if (!store.connection().isServer())
        store.connection().execute("DROP TABLE STORIA");
    CliRun run = import("prestazioni", file, {"--foglio", "Prestazioni", "--salta-errate"});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains("riga 5: cliente non trovato in anagrafica: Nessuno"), qPrintable(run.err));
    QVERIFY2(run.err.contains("riga 6: data non leggibile"), qPrintable(run.err));
    QVERIFY2(run.err.contains("causali od operatori da creare: Consulenza, NERI (--crea-mancanti li crea)"), qPrintable(run.err));
    QCOMPARE(store.count("SELECT ID FROM PRESTAZIONI"), 0);

    run = import("prestazioni", file, {"--foglio", "Prestazioni", "--salta-errate", "--crea-mancanti"});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.out.contains("2 prestazioni, 1 causale creata, 1 operatore creato"), qPrintable(run.out));
    const qint64 made = store.text("SELECT ID FROM CAUSALE WHERE CAUSALE = 'Consulenza'").toLongLong();
    const qint64 madeWorker = store.text("SELECT ID FROM OPERATORE WHERE OPERATORE = 'NERI'").toLongLong();
    QVERIFY(made > 0 && madeWorker > 0);
    // As "Inserisci" writes them: year and month, the reason's price times
    // the quantity, unbilled unless the file says so.
    const auto service = [&](const QString &reasonName) {
        return store.row("PRESTAZIONI",
                         store.text("SELECT ID FROM PRESTAZIONI WHERE CAUSALE = '" + reasonName + "'").toLongLong());
    };
    QStringList visit = service("Visita");
    QCOMPARE(visit.mid(1, 8),
             QStringList({"2026", "2", QString::number(client), QString::number(worker), QString::number(reason), "03/02/2026",
                          "ROSSI MARIO", "Visita"}));
    QCOMPARE((QStringList{visit[12], visit[13], visit[14], visit[15], visit[16]}), QStringList({"2", "100", "BIANCHI", "N", ""}));
    QStringList consulting = service("Consulenza");
    QCOMPARE((QStringList{consulting[4], consulting[5], consulting[13], consulting[15], consulting[16], consulting[17]}),
             QStringList({QString::number(madeWorker), QString::number(made), "1234,5", "S", "10/02/2026", "15"}));

    // Undone: the services, and the reason and operator made for them.
    run = runCli({"importa", "--annulla", "1", "--archivio", store.path()});
    QVERIFY2(run.out.contains("4 righe tolte"), qPrintable(run.out));
    QCOMPARE(store.count("SELECT ID FROM PRESTAZIONI"), 0);
    QCOMPARE(store.count("SELECT ID FROM CAUSALE"), 1);
    QCOMPARE(store.count("SELECT ID FROM OPERATORE"), 1);
}

void ImportCliTest::aFileThatIsNotASpreadsheetChangesNothing()
{
    m_store = std::make_unique<TestStore>();
    const QString file = m_dir.filePath("fattura.pdf");
    officefiles::writeBytes(file, "%PDF-1.7\n1 0 obj\n");
    const int before = m_store->count("SELECT ID FROM SOGGETTI");
    const CliRun run = import("clienti", file);
    QCOMPARE(run.status, 1);
    QCOMPARE(run.err.trimmed(), QString("Importazione non eseguita: il file è un PDF, non un foglio di calcolo."));
    QCOMPARE(m_store->count("SELECT ID FROM SOGGETTI"), before);
    QCOMPARE(runCli({"importa", "--tabella", "fatture", file}).status, 2);
}

VELMORA_SUITE_CASE(ImportCliTest)
#include "cli.moc"
