#include "programundertest.h"
#include "store/storefile.h"
#include "store/transaction.h"
#include "testenvironment.h"
#include "testserver.h"
#include "windowdriver.h"
#include "clients/clientwindow.h"
#include "massbilling/massbillingwindow.h"
#include "archivewindows/deskswindow.h"
#include "ui/dropdown.h"
#include "ui/gridlist.h"
#include "ui/historywindow.h"
#include "register/servicelists.h"

#include <QSysInfo>
#include <functional>

#include <QAction>
#include <QLineEdit>

// Two desks on one store: this program and a second connection to the same
// file. A row this program loaded and the other desk changed or deleted
// meanwhile is never overwritten: nothing is written and the user is told.
class TwoDesksTest : public QObject, private WindowDriver
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aServiceChangedMeanwhileIsNotSaved();
    void aServiceChangedMeanwhileIsNotDeleted();
    void aServiceBilledMeanwhileIsNotBilledAgain();
    void aReasonChangedMeanwhileKeepsTheOtherDesksPrice();
    void aClientChangedMeanwhileKeepsTheOtherDesksData();
    void anotherDesksChangeShowsOnTheOpenList();
    void thePickListsShowEveryDesksChanges();
    void theEditorsListShowsEveryDesksServices();
    void theDesksAtWorkAreListed();

private:
    QString text(const QString &sql) { return m_program.store().text(sql); }
    void refused(const char *what);
    // The texts of the rows whose column holds that value, each as shown.
    static QStringList rowsWhere(GridList *list, int column, const QString &value, const std::function<QString(int row)> &shown);
    void trigger(const char *name) { m_program.main().findChild<QAction *>(name)->trigger(); }

    ProgramUnderTest m_program;
    Connection m_otherDesk;
    qint64 m_service = 0;
};

void TwoDesksTest::init()
{
    QVERIFY(m_program.start([this](TestStore &store) {
        const qint64 client = store.add("SOGGETTI", {{"Soggetto", "ROSSI"}, {"Stato", "S"}});
        const qint64 reason = store.add("CAUSALE", {{"CAUSALE", "VISITA"}, {"IMPORTO", "30"}});
        const qint64 worker = store.add("OPERATORE", {{"OPERATORE", "NERI"}});
        m_service = store.add("PRESTAZIONI",
                              {{"ANNO", 2026},
                               {"MESE", 3},
                               {"ID_CL", client},
                               {"ID_CAUS", reason},
                               {"ID_OPER", worker},
                               {"DATAR", "01/03/2026"},
                               {"CLIENTE", "ROSSI"},
                               {"CAUSALE", "VISITA"},
                               {"QTA", "1"},
                               {"IMPORTO", "30"},
                               {"OPERATORE", "NERI"},
                               {"PARC", "N"},
                               {"NOTE", "PRIMA"}});
    }));
    storefile::openOrCreate(m_otherDesk, m_program.store().path());
    drive(&m_program.main());
}

void TwoDesksTest::cleanup()
{
    m_otherDesk.close();
    m_program.stop();
}

void TwoDesksTest::refused(const char *what)
{
    const auto told = m_program.messages().last();
    QVERIFY2(told.title == "Velmora - ERRORE", qPrintable(told.title + ": " + told.text));
    QVERIFY2(told.text.contains(what) && told.text.contains("I dati non sono stati modificati"), qPrintable(told.text));
    // Who did it, from the history.
    QVERIFY2(told.text.contains("(postazione " + QSysInfo::machineHostName() + ")"), qPrintable(told.text));
}

QStringList TwoDesksTest::rowsWhere(GridList *list, int column, const QString &value,
                                    const std::function<QString(int row)> &shown)
{
    QStringList found;
    for (int row = 0; row < list->count(); ++row)
        if (list->subItem(row, column) == value)
            found << shown(row);
    return found;
}

void TwoDesksTest::aServiceChangedMeanwhileIsNotSaved()
{
    trigger("GPrestazioni");
    press("Cmd4");
    pick("Cbo5", "Tutti");
    clickRow("ListView4", 0);
    pick("Cbo2", "VISITA");
    type("T2", "DI QUESTA POSTAZIONE");
    m_otherDesk.execute("UPDATE PRESTAZIONI SET NOTE = 'DELL''ALTRA POSTAZIONE' WHERE ID = ?", {m_service});
    m_program.messages().answer(true);
    press("Cmd1");
    refused("modificato nel frattempo");
    QCOMPARE(text("SELECT NOTE FROM PRESTAZIONI"), QString("DELL'ALTRA POSTAZIONE"));

    // Loaded again, it is saved.
    press("Cmd4");
    pick("Cbo5", "Tutti");
    clickRow("ListView4", 0);
    pick("Cbo2", "VISITA");
    type("T2", "DI QUESTA POSTAZIONE");
    m_program.messages().answer(true);
    press("Cmd1");
    QCOMPARE(text("SELECT NOTE FROM PRESTAZIONI"), QString("DI QUESTA POSTAZIONE"));

    // Its history: the insertion, the other desk's change, this one's.
    press("Cmd4");
    pick("Cbo5", "Tutti");
    clickRow("ListView4", 0);
    list("ListView4")->findChild<QAction *>("StoriaModifiche")->trigger();
    auto *history = m_program.main().findChild<HistoryWindow *>();
    QVERIFY(history);
    auto *lines = history->findChild<GridList *>("ListStoria");
    const QStringList notes = rowsWhere(lines, 4, "NOTE",
                                        [&](int row) { return lines->subItem(row, 5) + ">" + lines->subItem(row, 6); });
    QCOMPARE(notes, QStringList({">PRIMA", "PRIMA>DELL'ALTRA POSTAZIONE", "DELL'ALTRA POSTAZIONE>DI QUESTA POSTAZIONE"}));
    QCOMPARE(lines->subItem(0, 3), QString("INSERIMENTO"));
    history->close();
}

void TwoDesksTest::aServiceChangedMeanwhileIsNotDeleted()
{
    trigger("GPrestazioni");
    press("Cmd5");
    pick("Cbo5", "Tutti");
    clickRow("ListView4", 0);
    m_otherDesk.execute("UPDATE PRESTAZIONI SET QTA = 2 WHERE ID = ?", {m_service});
    m_program.messages().answer(true);
    press("Cmd1");
    refused("modificato nel frattempo");
    QCOMPARE(m_program.store().count("SELECT * FROM PRESTAZIONI"), 1);
}

void TwoDesksTest::aServiceBilledMeanwhileIsNotBilledAgain()
{
    trigger("GSingola");
    pick("Cbo6", "Non Parcellati");
    clickRow("ListView5", 0);
    type("D4", "15/04/2026");
    type("T19", "9");
    m_otherDesk.execute("UPDATE PRESTAZIONI SET PARC = 'S', DATAP = '2026-04-10', NR = '7' WHERE ID = ?", {m_service});
    m_program.messages().answer(true);
    press("Cmd10");
    refused("modificato nel frattempo");
    QCOMPARE(text("SELECT NR FROM PRESTAZIONI") + " " + text("SELECT DATAP FROM PRESTAZIONI"), QString("7 10/04/2026"));
}

void TwoDesksTest::aReasonChangedMeanwhileKeepsTheOtherDesksPrice()
{
    trigger("GCausali");
    tick("C8");
    clickRow("ListView1", 0);
    type("T11", "45");
    m_otherDesk.execute("UPDATE CAUSALE SET IMPORTO = 4000");
    m_program.messages().answer(true);
    press("Cmd8");
    refused("modificato nel frattempo");
    QCOMPARE(text("SELECT IMPORTO FROM CAUSALE"), QString("40"));

    // Deleted meanwhile: said so, and nothing comes back.
    clickRow("ListView1", 0);
    m_otherDesk.execute("DELETE FROM CAUSALE");
    m_program.messages().answer(true);
    press("Cmd8");
    refused("eliminato nel frattempo");
    QCOMPARE(m_program.store().count("SELECT * FROM CAUSALE"), 0);
}

void TwoDesksTest::aClientChangedMeanwhileKeepsTheOtherDesksData()
{
    trigger("MenuClienti");
    auto *clients = m_program.window<ClientWindow>();
    QVERIFY(clients);
    drive(clients);
    press("CmdModifica");
    WindowDriver::clickRow("ListView1", 0, 2);
    QTest::keyClicks(field("Text3"), "via roma 1");
    m_otherDesk.execute("UPDATE SOGGETTI SET Tel = '0612345'");
    m_program.messages().answer(true);
    press("Cmd2");
    refused("modificato nel frattempo");
    QCOMPARE(text("SELECT Tel FROM SOGGETTI") + "|" + text("SELECT Indirizzo FROM SOGGETTI"), QString("0612345|"));
}

// The editor's lists are read again only when their tables changed: a change
// made here, by the other desk, or undone, still shows at the next opening.
void TwoDesksTest::thePickListsShowEveryDesksChanges()
{
    trigger("GPrestazioni");
    const auto opened = [this](const char *name) {
        press("Cmd3");
        QStringList entries;
        auto *list = get<DropDown>(name);
        for (int i = 0; i < list->count(); ++i)
            entries << list->itemText(i);
        return entries;
    };
    QCOMPARE(opened("Cbo1"), QStringList({"ROSSI"}));
    pick("Cbo1", "ROSSI");
    QCOMPARE(opened("Cbo1"), QStringList({"ROSSI"}));
    QCOMPARE(get<DropDown>("Cbo1")->text(), QString());

    m_program.store().add("OPERATORE", {{"OPERATORE", "BIANCHI"}});
    QCOMPARE(opened("Cbo4"), QStringList({"BIANCHI", "NERI"}));

    m_otherDesk.execute("INSERT INTO SOGGETTI (Soggetto, Stato) VALUES ('VERDI', 'S')");
    m_otherDesk.execute("UPDATE CAUSALE SET CAUSALE = 'CONTROLLO'");
    m_otherDesk.execute("DELETE * FROM OPERATORE WHERE OPERATORE = 'NERI'");
    // On the server the other desk's commit is told a moment later.
    QTRY_COMPARE(opened("Cbo1"), QStringList({"ROSSI", "VERDI"}));
    QCOMPARE(get<DropDown>("Cbo2")->itemText(0), QString("CONTROLLO"));
    QCOMPARE(opened("Cbo4"), QStringList({"BIANCHI"}));

    {
        Transaction undone(m_program.store().connection());
        m_program.store().connection().execute("INSERT INTO OPERATORE (OPERATORE) VALUES ('GIALLI')");
        QCOMPARE(opened("Cbo4"), QStringList({"BIANCHI", "GIALLI"}));
    }
    QCOMPARE(opened("Cbo4"), QStringList({"BIANCHI"}));
}

// After "Inserisci" the editor's list takes the new service in its place
// rather than reading every service again: it stays what reading it again
// shows, with a day shared by two services, the other desk's insert, this
// desk's change, and an insert undone.
void TwoDesksTest::theEditorsListShowsEveryDesksServices()
{
    trigger("GPrestazioni");
    press("Cmd3");
    const auto rows = [](GridList *list) {
        QStringList all;
        for (int row = 0; row < list->count(); ++row)
            all << list->cells(row).join('|');
        return all;
    };
    const auto readAgain = [&] {
        GridList fresh;
        fillServiceList(fresh, m_program.store().connection(), ServiceFill::NewestFirst);
        return rows(&fresh);
    };
    const auto inserted = [this](const QString &date, const QString &note) {
        type("D1", date);
        pick("Cbo1", "ROSSI");
        pick("Cbo2", "VISITA");
        pick("Cbo4", "NERI");
        type("T2", note);
        m_program.messages().answer(true);
        press("Cmd1");
        return list("ListView3");
    };
    // Each insert first: the two sides of a comparison run in either order.
    GridList *shown = inserted("01/03/2026", "STESSO GIORNO");
    QCOMPARE(rows(shown), readAgain());
    inserted("01/01/2025", "PIU VECCHIA");
    QCOMPARE(rows(shown), readAgain());
    QCOMPARE(shown->subItem(0, 6), QString("STESSO GIORNO"));

    m_otherDesk.execute("INSERT INTO PRESTAZIONI (ANNO, MESE, DATAR, CLIENTE, CAUSALE, PARC, NOTE) "
                        "VALUES (2026, 3, ?, 'ROSSI', 'VISITA', 'N', 'ALTRA')",
                        {QDate(2026, 3, 15)});
    inserted("01/02/2026", "DOPO L'ALTRA");
    QCOMPARE(rows(shown), readAgain());
    QCOMPARE(shown->subItem(0, 6), QString("ALTRA"));

    m_program.store().connection().execute("UPDATE PRESTAZIONI SET DATAR = #12/31/2026# WHERE NOTE = 'PIU VECCHIA'");
    inserted("02/02/2026", "DOPO IL CAMBIO");
    QCOMPARE(rows(shown), readAgain());
    QCOMPARE(shown->subItem(0, 6), QString("PIU VECCHIA"));

    {
        Transaction undone(m_program.store().connection());
        m_program.store().connection().execute("INSERT INTO PRESTAZIONI (DATAR, NOTE) VALUES (?, 'ANNULLATA')",
                                               {QDate(2027, 1, 1)});
        fillServiceList(*shown, m_program.store().connection(), ServiceFill::NewestFirst);
        QCOMPARE(shown->subItem(0, 6), QString("ANNULLATA"));
    }
    inserted("03/02/2026", "DOPO L'ANNULLO");
    QCOMPARE(rows(shown), readAgain());
    QCOMPARE(shown->count(), 7);
}

void TwoDesksTest::anotherDesksChangeShowsOnTheOpenList()
{
    if (!testserver::inUse())
        QSKIP("the file has one program at a time");
    trigger("GMassiva");
    auto *billing = m_program.window<MassBillingWindow>();
    QVERIFY(billing);
    drive(billing);
    QVERIFY(QTest::qWaitForWindowExposed(billing));
    QCoreApplication::processEvents(); // the window's activation, which fills it
    GridList *services = list("ListView1");
    QCOMPARE(services->count(), 1);
    services->setChecked(0, true);

    // A new service of the other desk comes in; the ticked one stays ticked.
    m_otherDesk.execute("INSERT INTO PRESTAZIONI (ANNO, MESE, DATAR, CLIENTE, CAUSALE, PARC, NOTE) "
                        "VALUES (2026, 2, '01/02/2026', 'ROSSI', 'VISITA', 'N', 'NUOVA')");
    QTRY_COMPARE(services->count(), 2);
    QCOMPARE(services->rowText(0), QString::number(m_service)); // the latest first
    QVERIFY(services->isChecked(0) && !services->isChecked(1));

    // Billed there, it leaves this desk's list.
    m_otherDesk.execute("UPDATE PRESTAZIONI SET PARC = 'S' WHERE ID = ?", {m_service});
    QTRY_COMPARE(services->count(), 1);
    QVERIFY(services->cells(0).contains("NUOVA") && !services->isChecked(0));
}

void TwoDesksTest::theDesksAtWorkAreListed()
{
    trigger("ArchivioPostazioni");
    auto *window = m_program.main().findChild<DesksWindow *>();
    QVERIFY(window);
    auto *desks = window->findChild<GridList *>("ListPostazioni");
    // On a server the other desk too; on the file this program alone.
    const QStringList own = rowsWhere(desks, 4, "questa postazione", [&](int row) { return desks->subItem(row, 1); });
    QCOMPARE(own, QStringList{QSysInfo::machineHostName()});
    QVERIFY(desks->count() >= (testserver::inUse() ? 2 : 1));
    QVERIFY(!desks->subItem(0, 3).isEmpty());
    window->close();
}

VELMORA_TEST_MAIN(TwoDesksTest)
#include "tst_twodesks.moc"
