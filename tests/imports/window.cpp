#include "archivewindows/importwindow.h"
#include "archivewindows/undoimportwindow.h"
#include "officefiles.h"
#include "programundertest.h"
#include "testenvironment.h"
#include "ui/gridlist.h"
#include "ui/tickbox.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

// "Importa..." and "Annulla un'importazione..." in the running program.
class ImportWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_program.start()); }
    void cleanup() { m_program.stop(); }
    void theRowsAreShownCheckedBeforeAnythingIsWritten();

private:
    void trigger(const char *name) { m_program.main().findChild<QAction *>(name)->trigger(); }
    template<typename Widget>
    Widget *in(QWidget *window, const char *name)
    {
        auto *found = window->findChild<Widget *>(name);
        return found ? found : (qFatal("%s missing", name), nullptr);
    }

    ProgramUnderTest m_program;
    QTemporaryDir m_dir;
};

void ImportWindowTest::theRowsAreShownCheckedBeforeAnythingIsWritten()
{
    TestStore &store = m_program.store();
    store.add("SOGGETTI", {{"Stato", "S"}, {"Soggetto", "ROSSI MARIO"}, {"Codice", "RSSMRA80A01H501U"}});
    const int before = store.count("SELECT ID FROM SOGGETTI");
    const QString file = m_dir.filePath("anagrafica.ods");
    officefiles::writeOds(file,
                          {{"Ragione sociale", "C.F.", "Comune", "Prov."},
                           {"Verdi  Anna", "", "Cantù", ""},
                           {"Rossi Mario", "RSSMRA80A01H501U", "Roma", "RM"},
                           {"Bianchi Srl", "", "Milano", "MI"}});
    trigger("ArchivioImporta");
    auto *window = m_program.window<ImportWindow>();
    QVERIFY(window && window->isVisible());
    // A file that is not a spreadsheet is told and read no further.
    officefiles::writeBytes(m_dir.filePath("fattura.pdf"), "%PDF-1.7\n");
    m_program.messages().choose(m_dir.filePath("fattura.pdf"));
    in<QPushButton>(window, "CmdSfoglia")->click();
    QCOMPARE(m_program.messages().last().text,
             QString("Il file non si può importare: il file è un PDF, non un foglio di calcolo."));
    QVERIFY(in<QLineEdit>(window, "ImportaFile")->text().isEmpty());
    m_program.messages().choose(file);
    in<QPushButton>(window, "CmdSfoglia")->click();
    auto *preview = in<GridList>(window, "ImportaAnteprima");
    auto *summary = in<QLabel>(window, "ImportaRiepilogo");
    QTRY_COMPARE(preview->count(), 3);
    QCOMPARE(summary->text(), QString("ODS, foglio \"Foglio1\": 3 righe, 2 da importare, 1 con errori."));
    QCOMPARE(preview->cells(0).mid(3, 2), QStringList({"S", "VERDI ANNA"}));
    QCOMPARE(preview->subItem(0, 1), QString("da importare"));
    QVERIFY2(preview->subItem(0, 2).contains("comune trovato: CANTÙ (CO)"), qPrintable(preview->subItem(0, 2)));
    QVERIFY(preview->subItem(1, 1).startsWith("ERRORE: già in anagrafica"));
    QCOMPARE(store.count("SELECT ID FROM SOGGETTI"), before);
    // A client already in the registry, imported all the same if asked.
    auto *duplicates = in<TickBox>(window, "ImportaDoppioni");
    duplicates->click();
    QTRY_VERIFY(summary->text().contains("3 da importare, 0 con errori"));
    QVERIFY(preview->subItem(1, 2).contains("doppione: già in anagrafica"));
    duplicates->click();
    QTRY_VERIFY(summary->text().contains("2 da importare, 1 con errori"));

    // The municipality left out: the preview follows the mapping.
    auto *municipality = in<QComboBox>(window, "Campo2");
    municipality->setCurrentIndex(0);
    emit municipality->activated(0);
    QTRY_VERIFY(summary->text().endsWith("Colonne lasciate fuori: Comune."));
    QCOMPARE(preview->subItem(0, 9), QString());
    // A field given to a second column leaves the first.
    auto *province = in<QComboBox>(window, "Campo3");
    const int provinceField = province->currentIndex();
    municipality->setCurrentIndex(provinceField);
    emit municipality->activated(provinceField);
    QCOMPARE(province->currentIndex(), 0);
    QTRY_VERIFY(summary->text().contains("Colonne lasciate fuori: Prov."));
    province->setCurrentIndex(provinceField);
    emit province->activated(provinceField);
    QCOMPARE(municipality->currentIndex(), 0);
    QTRY_VERIFY(summary->text().endsWith("Colonne lasciate fuori: Comune."));

    // The rows with errors saved to correct, then the others written.
    m_program.messages().choose(m_dir.filePath("da-correggere.xlsx"));
    in<QPushButton>(window, "CmdSalvaErrori")->click();
    QVERIFY(QFileInfo(m_dir.filePath("da-correggere.xlsx")).size() > 0);
    m_program.messages().answer(true);
    in<QPushButton>(window, "CmdImporta")->click();
    QCOMPARE(m_program.messages().shown().at(m_program.messages().shown().size() - 2).text,
             QString("Importare 2 clienti da anagrafica.ods ?\n\n1 riga con errori sarà lasciata fuori."));
    QVERIFY2(m_program.messages().last().text.startsWith("Importazione 1 eseguita: 2 righe importate (clienti)."),
             qPrintable(m_program.messages().last().text));
    QCOMPARE(store.count("SELECT ID FROM SOGGETTI"), before + 2);
    QTRY_COMPARE(summary->text(),
                 QString("ODS, foglio \"Foglio1\": 3 righe, 0 da importare, 3 con errori. "
                         "Colonne lasciate fuori: Comune."));
    in<QPushButton>(window, "CmdChiudi")->click();
    // Opened again, it starts afresh.
    trigger("ArchivioImporta");
    QVERIFY(in<QLineEdit>(window, "ImportaFile")->text().isEmpty());
    QCOMPARE(preview->count(), 0);
    in<QPushButton>(window, "CmdChiudi")->click();

    trigger("ArchivioAnnullaImportazione");
    auto *undo = m_program.window<UndoImportWindow>();
    auto *runs = in<GridList>(undo, "ListaImportazioni");
    QCOMPARE(runs->count(), 1);
    QCOMPARE(runs->cells(0).mid(2), QStringList({"clienti", "anagrafica.ods", "2", "in vigore"}));
    runs->selectRow(0);
    m_program.messages().answer(true);
    in<QPushButton>(undo, "CmdAnnulla")->click();
    QCOMPARE(m_program.messages().last().text, QString("Importazione annullata: 2 righe tolte."));
    QCOMPARE(store.count("SELECT ID FROM SOGGETTI"), before);
    QVERIFY(runs->subItem(0, 5).startsWith("annullata il "));
}

VELMORA_SUITE_CASE(ImportWindowTest)
#include "window.moc"
