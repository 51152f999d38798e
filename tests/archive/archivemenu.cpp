#include "archive/backup.h"
#include "archivewindows/archivemenu.h"
#include "archivewindows/restorewindow.h"
#include "archivewindows/undobillingwindow.h"
#include "store/storefile.h"
#include "massbilling/bulkbilling.h"
#include "programundertest.h"
#include "testenvironment.h"
#include "testserver.h"
#include "ui/gridlist.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>

// The "Archivio" menu of the running program: copies, checks, exports, the
// putting back of a copy and the undoing of a billing run.
class ArchiveMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void theArchiveMenuCopiesAndChecksTheStore();
    void aCopyIsChosenAndPutBack();
    void aBillingRunIsUndoneButNotWhatChangedSince();
    void theExitCopiesOnlyWhatNoCopyHoldsYet_data();
    void theExitCopiesOnlyWhatNoCopyHoldsYet();
    void theExitLeavesItsCopyToAProgramOfItsOwn();

private:
    void trigger(const char *name) { m_window->findChild<QAction *>(name)->trigger(); }

    ProgramUnderTest m_program;
    MainWindow *m_window = nullptr;
};

void ArchiveMenuTest::init()
{
    QVERIFY(m_program.start());
    m_window = &m_program.main();
}

void ArchiveMenuTest::cleanup()
{
    m_program.stop();
}

void ArchiveMenuTest::theArchiveMenuCopiesAndChecksTheStore()
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
    const qsizetype shown = m_program.messages().shown().size();
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

void ArchiveMenuTest::aCopyIsChosenAndPutBack()
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

void ArchiveMenuTest::aBillingRunIsUndoneButNotWhatChangedSince()
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

void ArchiveMenuTest::theExitCopiesOnlyWhatNoCopyHoldsYet_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("copied");
    QTest::newRow("nothing changed") << QString() << false;
    QTest::newRow("changed here") << "here" << true;
    QTest::newRow("changed by another program") << "elsewhere" << true;
}

// A copy made in this run, with nothing changed since it began, is the copy
// of the exit too; a change by this program or another one after it is not.
void ArchiveMenuTest::theExitCopiesOnlyWhatNoCopyHoldsYet()
{
    QFETCH(QString, change);
    QFETCH(bool, copied);
    Connection &store = m_program.store().connection();
    const QString folder = backup::folderOf(m_program.store().path());
    trigger("ArchivioCopia");
    const QString made = backup::list(folder).first().path;
    if (change == "here")
        m_program.store().add("OPERATORE", {{"OPERATORE", "NERI"}});
    if (change == "elsewhere") {
        const quint64 before = store.lastChange();
        Connection other;
        storefile::openOrCreate(other, m_program.store().path());
        other.execute("INSERT INTO OPERATORE (OPERATORE) VALUES ('BIANCHI')");
        // On a server another desk's commit is told a moment later.
        QTRY_VERIFY(store.lastChange() != before);
    }
    m_program.messages().answer(true);
    trigger("MenuEsci");
    QVERIFY(!m_window->isVisible());
    // The day keeps its newest copy only: the exit's, when it made one.
    QCOMPARE(backup::list(folder).first().path != made, copied);
}

// The program ends at once; velmora-cli, started on its own, makes the
// copy and leaves no mark of an unfinished one.
void ArchiveMenuTest::theExitLeavesItsCopyToAProgramOfItsOwn()
{
    if (m_program.store().connection().isServer())
        QSKIP("on a server the exit copies itself: the copier would lack the login");
    m_window->findChild<ArchiveMenu *>()->setCopyProgram(VELMORA_CLI);
    const QString folder = backup::folderOf(m_program.store().path());
    m_program.store().add("OPERATORE", {{"OPERATORE", "NERI"}});
    m_program.messages().answer(true);
    trigger("MenuEsci");
    QVERIFY(!m_window->isVisible());
    QVERIFY(backup::list(folder).isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(backup::list(folder).size() == 1 && QDir(folder).entryList({"copia-in-corso*"}).isEmpty(), 30000);
    QVERIFY(backup::isSound(backup::list(folder).first()));
    QCOMPARE(backup::unfinished(folder), std::nullopt);
}

VELMORA_SUITE_CASE(ArchiveMenuTest)
#include "archivemenu.moc"
