#include "archive/backup.h"
#include "programundertest.h"
#include "testserver.h"
#include "massbilling/bulkbilling.h"
#include "archivewindows/restorewindow.h"
#include "archivewindows/undobillingwindow.h"
#include "ui/gridlist.h"
#include "testenvironment.h"

#include <QAction>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensWithNoPanelAndRefusesItsClose();
    void switchesPanels();
    void exitsOnlyAfterYes();
    void theArchiveMenuCopiesAndChecksTheStore();
    void aCopyIsChosenAndPutBack();
    void aBillingRunIsUndoneButNotWhatChangedSince();
    void activationRunsOnEveryReturn();

private:
    QWidget *widget(const char *name) { return m_window->findChild<QWidget *>(name); }
    void trigger(const char *name) { m_window->findChild<QAction *>(name)->trigger(); }
    void click(const char *name) { m_window->findChild<QToolButton *>(name)->click(); }
    bool shown(const char *name) { return widget(name)->isVisible(); }

    ProgramUnderTest m_program;
    MainWindow *m_window = nullptr;
};

void MainWindowTest::init()
{
    QVERIFY(m_program.start());
    m_window = &m_program.main();
}

void MainWindowTest::cleanup()
{
    m_program.stop();
}

void MainWindowTest::opensWithNoPanelAndRefusesItsClose()
{
    QCOMPARE(m_window->windowTitle(), QString("Velmora Ostrevia"));
    QStringList menus;
    for (QAction *action : m_window->menuBar()->actions())
        menus << action->text();
    QCOMPARE(menus,
             QStringList({"&Esci dal programma", "&Velmora", "Gestione &Clienti", "Gestione  &Causali", "Gestione &Operatori",
                          "Gestione &Parcellazione", "&Segnalazioni", "&Archivio"}));
    QStringList billing;
    for (QAction *action : m_window->findChild<QMenu *>("GParcellazione")->actions())
        billing << action->text();
    // The register's own two entries; the electronic invoices are under
    // "Archivio", after the office's data.
    QCOMPARE(billing, QStringList({"Gestione Singola", "Gestione Massiva"}));
    QStringList archive;
    for (QAction *action : m_window->findChild<QMenu *>("MenuArchivio")->actions())
        archive << action->text();
    QCOMPARE(archive.mid(archive.size() - 2), QStringList({"Dati dello Studio...", "Fatture elettroniche"}));
    for (const char *panel : {"Frame1", "Frame2", "Frame4", "Frame6", "Frame7", "Frame9", "Picture7"})
        QVERIFY2(!shown(panel), panel);
    // Where no panel is open, a summary of the day's figures, text only.
    QVERIFY(shown("Riepilogo"));
    QVERIFY(qobject_cast<QLabel *>(widget("Riepilogo"))->text().startsWith("Nessuna prestazione da parcellare\n"));
    QVERIFY(!m_window->close());
    QVERIFY(m_window->isVisible());
    trigger("GPrestazioni");
    QVERIFY(!m_window->close());
    QVERIFY(shown("Frame4"));
    QTRY_VERIFY(!shown("Riepilogo"));
    m_program.store().add("PRESTAZIONI", {{"CLIENTE", "ROSSI"}, {"IMPORTO", "1234,5"}, {"PARC", "N"}});
    click("Picture7"); // the command bar closes: the summary comes back with the figures of now
    QTRY_VERIFY(shown("Riepilogo"));
    QVERIFY(qobject_cast<QLabel *>(widget("Riepilogo"))->text().startsWith("Prestazioni da parcellare: 1, per € 1.234,50\n"));
}

void MainWindowTest::switchesPanels()
{
    trigger("GPrestazioni");
    QVERIFY(shown("Frame4") && widget("Frame4")->isEnabled() && shown("Picture7"));
    click("Picture7");
    QVERIFY(!shown("Frame4") && !shown("Picture7"));

    trigger("GPrestazioni");
    trigger("GCausali");
    QVERIFY(shown("Frame2") && shown("Frame5") && !shown("Frame3"));
    QVERIFY(!widget("Frame4")->isEnabled());
    click("Picture4");
    QVERIFY(!shown("Frame2") && !shown("Picture7"));
    QVERIFY(widget("Frame4")->isEnabled());

    trigger("Goperatori");
    QVERIFY(shown("Frame2") && shown("Frame3") && !shown("Frame5"));
    click("Picture2");
    QVERIFY(!shown("Frame2") && widget("Frame4")->isEnabled());

    trigger("GSingola");
    QVERIFY(shown("Frame7") && !shown("Frame4") && !shown("Picture7"));
    QCOMPARE(m_window->findChild<QGroupBox *>("Frame7")->title(), QString("Gestione Parcellazione"));
    click("Picture6");
    QVERIFY(!shown("Frame7"));

    trigger("GPrestazioni");
    trigger("Segnalazioni");
    QVERIFY(shown("Frame9") && !shown("Frame4") && !widget("Frame4")->isEnabled() && !shown("Picture7"));
    QCOMPARE(m_window->findChild<QGroupBox *>("Frame9")->title(), QString("Anomalie nelle Registrazioni"));
    widget("Cmd3")->setEnabled(false);
    click("Picture8");
    QVERIFY(!shown("Frame9") && widget("Frame4")->isEnabled() && widget("Cmd3")->isEnabled());

    // The editor's and the search list's close pictures give the command bar back.
    trigger("GPrestazioni");
    for (const char *button : {"Cmd3", "Cmd4", "Cmd5", "Cmd6", "Cmd7", "Cmd9"})
        widget(button)->setEnabled(false);
    click("Picture1");
    QVERIFY(shown("Frame4") && shown("Picture7"));
    for (const char *button : {"Cmd3", "Cmd4", "Cmd5", "Cmd6", "Cmd7", "Cmd9"})
        QVERIFY2(widget(button)->isEnabled(), button);
    widget("Frame4")->setEnabled(false);
    widget("Cmd6")->setEnabled(false);
    click("Picture5");
    QVERIFY(widget("Frame4")->isEnabled() && widget("Cmd6")->isEnabled());

    const QStringList captions = {"Nuova  &Prestazione", "&Modifica", "&Elimina", "&Stampa", "&Ricerca/Stampa", "&Pulisci"};
    const char *names[] = {"Cmd3", "Cmd4", "Cmd5", "Cmd6", "Cmd7", "Cmd9"};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(m_window->findChild<QPushButton *>(names[i])->text(), captions[i]);
}

void MainWindowTest::exitsOnlyAfterYes()
{
    trigger("GPrestazioni");
    trigger("MenuEsci");
    QCOMPARE(m_program.messages().last().title, QString("Velmora............................"));
    QCOMPARE(m_program.messages().last().text, QString(" Sei sicuro di voler uscire ?"));
    QVERIFY(m_program.messages().last().question);
    QVERIFY(m_program.store().connection().isOpen());
    QVERIFY(m_window->isVisible() && shown("Frame4") && shown("Picture7"));

    const QString copies = backup::folderOf(m_program.store().path());
    m_program.messages().answer(true);
    trigger("MenuEsci");
    QVERIFY(!m_program.store().connection().isOpen());
    QVERIFY(!m_window->isVisible());
    // The store is copied on the way out.
    QCOMPARE(backup::list(copies).size(), 1);
}

void MainWindowTest::theArchiveMenuCopiesAndChecksTheStore()
{
    trigger("ArchivioCopia");
    QCOMPARE(m_program.messages().last().title, QString("Velmora - COPIA DI SICUREZZA"));
    const auto copies = backup::list(backup::folderOf(m_program.store().path()));
    QCOMPARE(copies.size(), 1);
    QVERIFY2(m_program.messages().last().text.endsWith(copies.first().path), qPrintable(m_program.messages().last().text));
    trigger("ArchivioVerifica");
    QCOMPARE(m_program.messages().last().title, QString("Velmora - VERIFICA ARCHIVIO"));
    QCOMPARE(m_program.messages().last().text, "L'archivio è integro:\n" + m_program.store().path());

    // The export: given up, nothing; chosen, written and said.
    QTemporaryDir out;
    const int shown = m_program.messages().shown().size();
    trigger("EsportaXlsx");
    QCOMPARE(m_program.messages().shown().size(), shown);
    m_program.messages().choose(out.filePath("archivio.xlsx"));
    trigger("EsportaXlsx");
    QCOMPARE(m_program.messages().last().text, "Archivio esportato in:\n" + out.filePath("archivio.xlsx"));
    QVERIFY(QFileInfo(out.filePath("archivio.xlsx")).size() > 0);
    m_program.messages().choose(out.path());
    trigger("EsportaCsv");
    QVERIFY(QFileInfo(out.filePath("PRESTAZIONI.csv")).isFile());
}

void MainWindowTest::aCopyIsChosenAndPutBack()
{
    TestStore &store = m_program.store();
    if (testserver::inUse()) {
        trigger("ArchivioRipristina");
        QVERIFY2(m_program.messages().last().text.contains("velmora-cli server ripristina COPIA \"" + store.path() + "\""),
                 qPrintable(m_program.messages().last().text));
        return;
    }
    store.add("PRESTAZIONI", {{"CLIENTE", "ROSSI"}, {"DATAR", "01/03/2026"}, {"PARC", "S"}, {"IMPORTO", "10"}});
    trigger("ArchivioCopia");
    store.connection().execute("DELETE FROM PRESTAZIONI");
    // A later copy, damaged on its disk since.
    const QString sound = backup::list(backup::folderOf(store.path())).first().path;
    const QString later = backup::newPath(backup::folderOf(store.path()));
    QVERIFY(QFile::copy(sound, later));
    QFile damaged(later);
    QVERIFY(damaged.open(QIODevice::ReadWrite));
    damaged.seek(damaged.size() / 2);
    damaged.write(QByteArray(8192, '\x5a'));
    damaged.close();
    trigger("ArchivioRipristina");
    auto *window = m_program.window<RestoreWindow>();
    QVERIFY(window && window->isVisible());
    auto *copies = window->findChild<GridList *>("ListaCopie");
    QCOMPARE(copies->count(), 2);
    QVERIFY2(copies->cells(0).last().startsWith("No: "), qPrintable(copies->cells(0).last()));
    QCOMPARE(copies->cells(1).mid(2), QStringList({"0", "1", "1", "01/03/2026", "Sì"}));
    QCOMPARE(copies->selectedRow(), 1); // the newest sound copy, ready
    QFile::remove(later);
    m_program.messages().answer(true);
    window->findChild<QPushButton *>("CmdRipristina")->click();
    QVERIFY2(m_program.messages().last().text.startsWith("Ripristino eseguito."), qPrintable(m_program.messages().last().text));
    QVERIFY(!window->isVisible());
    QCOMPARE(store.count("SELECT * FROM PRESTAZIONI"), 1);
    // The store before it is among the copies now.
    trigger("ArchivioRipristina");
    QCOMPARE(copies->count(), 2);
    QVERIFY(copies->rowText(0).endsWith("(prima del ripristino)"));
    QCOMPARE(copies->subItem(0, 3), QString("0"));
    window->findChild<QPushButton *>("CmdChiudi")->click();
}

void MainWindowTest::aBillingRunIsUndoneButNotWhatChangedSince()
{
    TestStore &store = m_program.store();
    QList<qint64> ids;
    for (int i = 0; i < 3; ++i)
        ids << store.add("PRESTAZIONI", {{"CLIENTE", "ROSSI"}, {"DATAR", "01/11/2026"}, {"PARC", "N"}, {"IMPORTO", "10"}});
    QCOMPARE(billServices(store.connection(), ids, QDate(2026, 11, 30)).run.services, 3);
    // One of them changed by hand since.
    store.connection().execute("UPDATE PRESTAZIONI SET NR = '77' WHERE ID = ?", {ids[1]});

    trigger("ArchivioAnnulla");
    auto *window = m_program.window<UndoBillingWindow>();
    QVERIFY(window && window->isVisible());
    auto *runs = window->findChild<GridList *>("ListaParcellazioni");
    QCOMPARE(runs->count(), 1);
    QCOMPARE(runs->cells(0).mid(2), QStringList({"Gestione Massiva", "3", "€ 30,00", "in vigore"}));
    runs->selectRow(0);
    m_program.messages().answer(true);
    window->findChild<QPushButton *>("CmdAnnulla")->click();
    QCOMPARE(m_program.messages().last().text,
             QString("Parcellazione annullata: 2 prestazioni sono tornate com'erano prima.\n\n"
                     "Lasciate come sono, perché cambiate dopo la parcellazione: %1.")
                 .arg(ids[1]));
    for (qint64 id : {ids[0], ids[2]})
        QCOMPARE(store.row("PRESTAZIONI", id).mid(15, 3), QStringList({"N", "", ""}));
    QCOMPARE(store.row("PRESTAZIONI", ids[1]).mid(15, 3), QStringList({"S", "30/11/2026", "77"}));
    QVERIFY(runs->subItem(0, 5).startsWith("annullata il "));
    // Undone once only.
    runs->selectRow(0);
    m_program.messages().answer(true);
    window->findChild<QPushButton *>("CmdAnnulla")->click();
    QVERIFY2(m_program.messages().last().text.contains("già stata annullata"), qPrintable(m_program.messages().last().text));
    window->findChild<QPushButton *>("CmdChiudi")->click();
}

void MainWindowTest::activationRunsOnEveryReturn()
{
    QSignalSpy activations(m_window, &ProgramWindow::activated);
    // The first showing, in init(), was an activation already.
    QTRY_VERIFY(m_window->findChild<QTimer *>("Timer4")->isActive());

    m_window->hide(); // another window of the program in front
    m_window->findChild<QTimer *>("Timer4")->stop();
    m_window->show();
    QTRY_COMPARE(activations.count(), 1);
    QVERIFY(m_window->findChild<QTimer *>("Timer4")->isActive());

    QDialog box(m_window); // our own message box opening and closing
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.close();
    QCoreApplication::processEvents();
    QCOMPARE(activations.count(), 1);

    QDialog preview(m_window); // a modal preview it opened
    QTimer::singleShot(0, &preview, &QDialog::accept);
    m_window->showModal(preview);
    QCOMPARE(activations.count(), 2);
}

VELMORA_TEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
