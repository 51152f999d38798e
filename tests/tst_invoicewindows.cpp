#include "programundertest.h"
#include "testserver.h"
#include "testenvironment.h"
#include "windowdriver.h"
#include "invoicebills.h"
#include "store/schema.h"
#include "invoicewindows/invoiceswindow.h"
#include "invoicewindows/officewindow.h"
#include "clients/clientwindow.h"
#include "ui/gridlist.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

// The electronic invoices' windows on a real store: the office profile,
// a reason's invoice data, and the bills of a year made into files.
class InvoiceWindowsTest : public QObject, private WindowDriver
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_program.stop(); }
    void theOfficeIsDescribedAndABadCodeIsToldNotBlocked();
    void aReasonGetsItsVatRateAndTheBillsBecomeFiles();
    void aClientAbroadIsDescribedAndABadNumberToldNotBlocked();

private:
    void trigger(const char *name) { m_program.main().findChild<QAction *>(name)->trigger(); }
    void choose(const char *name, const QString &code)
    {
        auto *choice = get<QComboBox>(name);
        QVERIFY2(choice, name);
        choice->setCurrentIndex(choice->findData(code));
    }
    ScriptedMessages &messages() { return m_program.messages(); }

    ProgramUnderTest m_program;
};

void InvoiceWindowsTest::init()
{
    QVERIFY(m_program.start([](TestStore &store) { schema::ensureInvoiceTables(store.connection()); }));
}

void InvoiceWindowsTest::theOfficeIsDescribedAndABadCodeIsToldNotBlocked()
{
    trigger("ArchivioStudio");
    auto *office = m_program.window<OfficeWindow>();
    QVERIFY(office && office->isVisible());
    drive(office);
    type("DENOMINAZIONE", "STUDIO LEGALE ROSSI");
    type("PIVA", "01234560018");
    choose("REGIME", "RF01");
    choose("CASSA", "TC01");
    type("ALCASSA", "quattro");
    press("CmdSalva");
    QVERIFY(messages().last().text.startsWith("Il campo Aliquota cassa % non è valido"));
    QCOMPARE(m_program.store().count("SELECT ID FROM STUDIO"), 0);

    type("ALCASSA", "4,5");
    press("CmdSalva");
    QVERIFY2(messages().last().text.startsWith("Dati dello Studio salvati.\n\nAttenzione:\nLa partita IVA è non valida"),
             qPrintable(messages().last().text));
    // A number, as scripts read it.
    const bool server = testserver::inUse();
    QCOMPARE(
        m_program.store().text(QString("SELECT PIVA || ' ' || REGIME || ' ' || CASSA || ' ' || %1(ALCASSA) || ' ' || ALCASSA "
                                       "FROM STUDIO")
                                   .arg(server ? "pg_typeof" : "typeof")),
        QString("01234560018 RF01 TC01 %1 4.5").arg(server ? "double precision" : "real"));
    type("PIVA", "01234560017");
    press("CmdSalva");
    QCOMPARE(messages().last().text, "Dati dello Studio salvati.");
    QCOMPARE(m_program.store().count("SELECT ID FROM STUDIO"), 1);
}

void InvoiceWindowsTest::aReasonGetsItsVatRateAndTheBillsBecomeFiles()
{
    TestStore &store = m_program.store();
    const qint64 reason = store.add("CAUSALE", {{"CAUSALE", "PERIZIA"}, {"IMPORTO", "100"}});
    trigger("GCausali");
    drive(&m_program.main());
    clickRow("ListView1", 0);
    QTRY_VERIFY(get<QWidget>("FrameFatturaCausale")->isEnabled());
    type("ALIQUOTA", "0");
    choose("NATURA", "N4");
    press("CmdSalvaFattura");
    QCOMPARE(store.text(QString("SELECT ALIQUOTA || NATURA FROM FE_CAUSALI WHERE ID_CAUS = %1").arg(reason)), "0N4");

    store.add("STUDIO",
              {{"DENOMINAZIONE", "STUDIO ROSSI"},
               {"PIVA", "01234560017"},
               {"REGIME", "RF01"},
               {"INDIRIZZO", "VIA ROMA 1"},
               {"CAP", "00184"},
               {"COMUNE", "ROMA"},
               {"PR", "RM"},
               {"IBAN", "IT60X0542811101000000123456"},
               {"ALIQUOTA", "22"},
               {"BOLLO", "S"}});
    const qint64 client = store.add("SOGGETTI",
                                    {{"Soggetto", "BIANCHI SRL"},
                                     {"Indirizzo", "VIA VERDI 2"},
                                     {"ComuneR", "MILANO"},
                                     {"CAP", "20121"},
                                     {"PIVA", "12345670017"}});
    store.add("FE_CLIENTI", {{"ID_CL", client}, {"CODDEST", "M5UXCR1"}});
    for (const char *number : {"1", "2"})
        store.add("PRESTAZIONI",
                  {{"ID_CL", client},
                   {"CLIENTE", "BIANCHI SRL"},
                   {"ID_CAUS", reason},
                   {"CAUSALE", "PERIZIA"},
                   {"DATAR", QDate(2026, 5, 4)},
                   {"QTA", "1"},
                   {"IMPORTO", "100"},
                   {"PARC", "S"},
                   {"DATAP", QDate(2026, 5, 31)},
                   {"NR", number}});

    trigger("ArchivioFatture");
    auto *invoices = m_program.window<InvoicesWindow>();
    QVERIFY(invoices && invoices->isVisible());
    drive(invoices);
    QSpinBox *year = get<QSpinBox>("Anno");
    year->setFocus();
    QTest::keyClick(year, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(year, "2026");
    QSignalSpy pressed(get<QPushButton>("CmdCartella"), &QPushButton::clicked);
    QTest::keyClick(year, Qt::Key_Return); // the year, and no button pressed
    QCOMPARE(pressed.count(), 0);
    GridList *bills = list("ListaFatture");
    QTRY_COMPARE(bills->count(), 2);
    QCOMPARE(bills->cells(0).mid(0, 7),
             QStringList({"1", "31/05/2026", "BIANCHI SRL", "€ 100,00", "€ 0,00", "€ 102,00", "senza file"}));

    QTemporaryDir folder;
    messages().choose(folder.path());
    clickRow("ListaFatture", 1);
    press("CmdGenera");
    QVERIFY2(messages().last().text.startsWith("File scritti nella cartella " + folder.path() + ": 1."),
             qPrintable(messages().last().text));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList({"IT01234560017_00001.xml"}));
    QCOMPARE(bills->subItem(1, 7), "IT01234560017_00001.xml");
    QCOMPARE(bills->subItem(0, 7), "");

    press("CmdCortesia"); // the folder is remembered
    QVERIFY(QFileInfo(folder.filePath("Copia di cortesia - parcella 2 del 2026.pdf")).size() > 1000);

    press("CmdGenera"); // a bill with its file: written again only on a Yes
    QVERIFY(messages().last().question);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).filter(".xml").size(), 1);

    bills->clearSelection();
    messages().answer(true);
    press("CmdGenera"); // none selected: every bill without its file
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).filter(".xml").size(), 2);
    QCOMPARE(bills->subItem(0, 7), "IT01234560017_00002.xml");
    QCOMPARE(bills->subItem(0, 6), "da inviare");

    // The SdI's answers, read from a folder of their own.
    QTemporaryDir received;
    writeFile(received.path(), "IT01234560017_00002_RC_001.xml", sdiNotification("RC", "IT01234560017_00002.xml"));
    writeFile(received.path(), "IT01234560017_00001_NS_001.xml", sdiNotification("NS", "IT01234560017_00001.xml"));
    messages().choose(received.path());
    press("CmdRicevute");
    QCOMPARE(messages().last().text.section('\n', 0, 0), "Notifiche lette dalla cartella " + received.path() + ": 2.");
    QCOMPARE(bills->subItem(0, 6), "consegnata");
    QCOMPARE(bills->subItem(1, 6), "scartata (00100 Certificato di firma scaduto)");
    // Written again without the question of a file already written, but
    // asked about: the SdI's sample rejection is years old.
    clickRow("ListaFatture", 1);
    press("CmdGenera");
    QVERIFY(messages().last().question);
    QVERIFY2(messages().last().text.startsWith("Sono passati più di cinque giorni dallo scarto delle parcelle 2 (scartata il "
                                               "06/06/2013)"),
             qPrintable(messages().last().text));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).filter(".xml").size(), 2);

    // A credit note for the first bill, in full: it names the bill and is
    // listed in the year of its own date.
    clickRow("ListaFatture", 0);
    press("CmdNota");
    auto *note = invoices->findChild<QDialog *>("FormNotaCredito");
    QTRY_VERIFY(note && note->isVisible());
    drive(note);
    QCOMPARE(list("ListaPrestazioni")->count(), 1);
    QVERIFY(list("ListaPrestazioni")->isChecked(0));
    press("CmdEmetti");
    QVERIFY2(messages().last().text.startsWith("Nota di credito scritta:\n" + folder.path()), qPrintable(messages().last().text));
    drive(invoices);
    year->setValue(QDate::currentDate().year());
    QTRY_VERIFY(bills->count() > 0);
    const int noteRow = int(bills->count()) - 1;
    QCOMPARE(bills->rowText(noteRow), "NC1");
    QCOMPARE(bills->subItem(noteRow, 1), QDate::currentDate().toString("dd/MM/yyyy"));
    QCOMPARE(bills->subItem(noteRow, 2), "BIANCHI SRL");
    QCOMPARE(bills->subItem(noteRow, 7), "IT01234560017_00003.xml");
    QCOMPARE(bills->subItem(noteRow, 8), "1/2026");
}

void InvoiceWindowsTest::aClientAbroadIsDescribedAndABadNumberToldNotBlocked()
{
    const qint64 client = m_program.store().add("SOGGETTI", {{"Soggetto", "DUPONT SARL"}, {"Stato", "S"}});
    trigger("MenuClienti");
    auto *clients = m_program.window<ClientWindow>();
    QVERIFY(clients);
    drive(clients);
    press("CmdModifica");
    clickRow("ListView1", 0, 2);
    QTRY_VERIFY(get<QWidget>("FrameFatturaCliente")->isEnabled());
    type("NAZIONE", "fr");
    type("PIVAESTERA", "FR1234");
    type("CAPESTERO", "75008");
    press("CmdSalvaFattura");
    QCOMPARE(messages().last().text,
             "Dati per la fattura elettronica salvati.\n\nAttenzione:\nLa partita IVA estera non è "
             "valida: la partita IVA FR ha 2 lettere o cifre e 9 cifre dopo FR.");
    QCOMPARE(m_program.store().text(QString("SELECT NAZIONE || ' ' || PIVAESTERA || ' ' || CAPESTERO FROM FE_CLIENTI "
                                            "WHERE ID_CL = %1")
                                        .arg(client)),
             "FR FR1234 75008");
    type("PIVAESTERA", "FR40303265045");
    press("CmdSalvaFattura");
    QCOMPARE(messages().last().text, "Dati per la fattura elettronica salvati.");

    // What a public administration asks for, in a dialog of its own.
    press("CmdDatiPA");
    auto *references = clients->findChild<QDialog *>("FormDatiPA");
    QTRY_VERIFY(references && references->isVisible());
    drive(references);
    type("CIG", "z1a2b3c4d5");
    type("CONTRATTO", "REP. 12/2026");
    press("CmdSalvaFattura");
    QCOMPARE(m_program.store().text(QString("SELECT CIG || ' ' || CONTRATTO FROM FE_CLIENTI_PA WHERE ID_CL = %1").arg(client)),
             "Z1A2B3C4D5 REP. 12/2026");
    press("CmdChiudi");
    QTRY_VERIFY(!clients->findChild<QDialog *>("FormDatiPA"));
}

VELMORA_TEST_MAIN(InvoiceWindowsTest)
#include "tst_invoicewindows.moc"
