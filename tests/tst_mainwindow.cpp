#include "archive/backup.h"
#include "programundertest.h"
#include "store/transaction.h"
#include "testenvironment.h"

#include <QAction>
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
    // Counts are written as the amounts are, with their thousands (the
    // store keeps amounts in cents: 1 is € 0,01).
    {
        Transaction many(m_program.store().connection());
        for (int i = 0; i < 1233; ++i)
            m_program.store().connection().execute("INSERT INTO PRESTAZIONI (CLIENTE, IMPORTO, PARC) VALUES ('ROSSI', 1, 'N')");
        many.commit();
    }
    trigger("GPrestazioni");
    QTRY_VERIFY(!shown("Riepilogo"));
    click("Picture7");
    QTRY_VERIFY(shown("Riepilogo"));
    QVERIFY2(qobject_cast<QLabel *>(widget("Riepilogo"))->text().startsWith("Prestazioni da parcellare: 1.234, per € 1.246,83\n"),
             qPrintable(qobject_cast<QLabel *>(widget("Riepilogo"))->text()));
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
