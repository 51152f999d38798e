#include "massbilling/massbillingwindow.h"
#include "programundertest.h"
#include "testserver.h"
#include "windowdriver.h"
#include "testenvironment.h"
#include "ui/datefield.h"
#include "ui/dropdown.h"
#include "ui/gridlist.h"
#include "store/recordset.h"

#include "ui/tickbox.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QStatusBar>
#include <QToolButton>

// Mass billing through its window, opened from the main window, on a real store.
class MassBillingTest : public QObject, private WindowDriver
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensFromTheMainWindowAndResetsOnEveryReturn();
    void filtersByYearOrByMonthAlone();
    void selectAllTicksEveryRowAndCascadesFromCode();
    void billsExactlyTheTickedRowsStillUnbilled();
    void fiftyThousandRowsTickedAreBilledExactly();
    void failurePartWayBillsNothingAndCancelWritesNothing();
    void sortsByAHeaderAndKeepsTheRowsFoundWithTheirTicks();

private:
    GridList *list() { return WindowDriver::list("ListView1"); }
    void open();
    qint64 addService(const QString &date, const QString &billed = "N", const QString &number = QString());
    QStringList wholeRow(qint64 id);

    ProgramUnderTest m_program;
    MassBillingWindow *m_window = nullptr;
};

void MassBillingTest::init()
{
    QVERIFY(m_program.start());
}

void MassBillingTest::cleanup()
{
    m_program.stop();
}

void MassBillingTest::open()
{
    m_program.main().findChild<QAction *>("GMassiva")->trigger();
    m_window = m_program.window<MassBillingWindow>();
    QVERIFY(m_window);
    drive(m_window);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QCoreApplication::processEvents(); // the window's activation, which resets it
}

qint64 MassBillingTest::addService(const QString &date, const QString &billed, const QString &number)
{
    const QDate d = QDate::fromString(date, "dd/MM/yyyy");
    return m_program.store().add("PRESTAZIONI",
                                 {{"DATAR", date},
                                  {"ANNO", d.year()},
                                  {"MESE", d.month()},
                                  {"CLIENTE", "ROSSI"},
                                  {"CAUSALE", "VISITA"},
                                  {"IMPORTO", "12,5"},
                                  {"PARC", billed},
                                  {"NR", number},
                                  {"NOTE", "N" + date},
                                  {"QTA", "1,5"},
                                  {"ID_CL", 7}});
}

QStringList MassBillingTest::wholeRow(qint64 id)
{
    return m_program.store().row("PRESTAZIONI", id);
}

void MassBillingTest::opensFromTheMainWindowAndResetsOnEveryReturn()
{
    addService("10/03/2026");
    addService("10/03/2024");
    addService("10/03/2025", "S");
    QSignalSpy mainActivations(&m_program.main(), &ProgramWindow::activated);
    open();
    QVERIFY(!m_program.main().isVisible());
    QCOMPARE(m_window->windowTitle(), QString("Parcellazione Massiva"));
    QVERIFY(!m_window->close());
    QVERIFY(m_window->isVisible());

    auto *years = get<DropDown>("Cbo1");
    QCOMPARE(years->count(), 3);
    QCOMPARE(years->itemText(0), QString("2024"));
    QCOMPARE(years->itemText(2), QString("2026"));
    QCOMPARE(years->text(), QString());
    auto *months = get<DropDown>("Cbo2");
    QStringList items;
    for (int i = 0; i < months->count(); ++i)
        items << months->itemText(i);
    QCOMPARE(items, QStringList({"", "Tutti", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", ""}));
    QCOMPARE(list()->count(), 2);
    QCOMPARE(list()->header(4), QString("IMPORTO"));
    QCOMPARE(list()->subItem(0, 4), QString("12,50"));
    QCOMPARE(list()->subItem(0, 1), QString("10/03/2026"));
    QTRY_VERIFY(get<QTimer>("Timer1")->isActive());

    // Leaving shows the main window again, which runs its activation.
    m_window->findChild<QAction *>("Chiudi")->trigger();
    QVERIFY(!m_window->isVisible() && m_program.main().isVisible());
    QTRY_COMPARE(mainActivations.count(), 1);

    // Back in: the window resets with what the store holds now.
    addService("01/01/2027");
    open();
    QCOMPARE(list()->count(), 3);
    QCOMPARE(get<DropDown>("Cbo1")->count(), 4);
    get<QToolButton>("Picture1")->click();
    QVERIFY(!m_window->isVisible() && m_program.main().isVisible());
}

void MassBillingTest::filtersByYearOrByMonthAlone()
{
    addService("05/03/2025");
    addService("06/03/2026");
    addService("07/04/2026");
    addService("08/03/2026", "S");
    open();
    pickIndex("Cbo1", get<DropDown>("Cbo1")->findText("2026"));
    QCOMPARE(list()->count(), 2);
    // The month acts alone: March of every year.
    pickIndex("Cbo2", get<DropDown>("Cbo2")->findText("3"));
    QCOMPARE(list()->count(), 2);
    QCOMPARE(list()->subItem(0, 1), QString("06/03/2026"));
    QCOMPARE(list()->subItem(1, 1), QString("05/03/2025"));
    pickIndex("Cbo2", 0);
    QCOMPARE(list()->count(), 0);
    pickIndex("Cbo2", 14);
    QCOMPARE(list()->count(), 0);
    pickIndex("Cbo2", 1);
    QCOMPARE(list()->count(), 3);
}

void MassBillingTest::selectAllTicksEveryRowAndCascadesFromCode()
{
    for (int day = 1; day <= 4; ++day)
        addService(QString("0%1/05/2026").arg(day));
    open();
    auto *all = get<TickBox>("Check1");
    QTest::mouseClick(all, Qt::LeftButton, {}, QPoint(5, all->height() / 2));
    QVERIFY(all->isTicked());
    for (int row = 0; row < 4; ++row)
        QVERIFY(list()->isChecked(row));
    QCOMPARE(list()->selectionModel()->selectedRows().size(), 4);
    QTest::mouseClick(all, Qt::LeftButton, {}, QPoint(5, all->height() / 2));
    QVERIFY(!list()->isChecked(0) && !list()->isChecked(3));
    QCOMPARE(list()->selectionModel()->selectedRows().size(), 0);

    // A filter chosen unticks the box, and its cascade, from code.
    all->setTicked(true);
    pickIndex("Cbo2", 1);
    QVERIFY(!all->isTicked());
    for (int row = 0; row < 4; ++row)
        QVERIFY(!list()->isChecked(row));
    // Every fill starts unticked.
    list()->setChecked(2, true);
    pickIndex("Cbo1", 0);
    QVERIFY(!list()->isChecked(2));
}

void MassBillingTest::billsExactlyTheTickedRowsStillUnbilled()
{
    const qint64 ticked = addService("01/06/2026", "N", "12");
    const qint64 billedMeanwhile = addService("02/06/2026");
    const qint64 unticked = addService("03/06/2026");
    const qint64 billedBefore = addService("04/06/2026", "S", "9");
    open();
    QCOMPARE(list()->count(), 3);
    const QStringList tickedBefore = wholeRow(ticked);
    const QStringList untickedBefore = wholeRow(unticked);
    const QStringList billedBeforeRow = wholeRow(billedBefore);
    for (int row = 0; row < list()->count(); ++row)
        if (list()->rowText(row) != QString::number(unticked))
            list()->setChecked(row, true);

    press("Cmd1");
    QVERIFY(get("Frame1")->isVisible());
    QVERIFY(!list()->isEnabled());
    QCOMPARE(get<DateField>("D1")->date(), QDate::currentDate());

    // An empty date does nothing at all; an impossible one is refused.
    get<DateField>("D1")->clear();
    press("Cmd2");
    QVERIFY(get("Frame1")->isVisible());
    QVERIFY(m_program.messages().shown().isEmpty());
    get<DateField>("D1")->setText("31/02/2026");
    press("Cmd2");
    QCOMPARE(m_program.messages().last().text, QString("La Data di Parcellazione non è valida "));
    QCOMPARE(m_program.store().count("SELECT * FROM PRESTAZIONI WHERE PARC = 'S'"), 1);

    m_program.store().connection().execute(
        QString("UPDATE PRESTAZIONI SET PARC = 'S', DATAP = '2026-06-10', NR = '44' WHERE ID = %1").arg(billedMeanwhile));
    const QStringList billedMeanwhileRow = wholeRow(billedMeanwhile);
    get<DateField>("D1")->setText("15/11/2026");
    press("Cmd2");

    QStringList expected = tickedBefore;
    expected[15] = "S"; // PARC
    expected[16] = "15/11/2026"; // DATAP
    QCOMPARE(wholeRow(ticked), expected);
    QCOMPARE(wholeRow(billedMeanwhile), billedMeanwhileRow);
    QCOMPARE(wholeRow(unticked), untickedBefore);
    QCOMPARE(wholeRow(billedBefore), billedBeforeRow);

    // The window resets: panel closed, filters empty, the full unbilled list.
    QVERIFY(!get("Frame1")->isVisible());
    QVERIFY(list()->isEnabled());
    QCOMPARE(get<DropDown>("Cbo1")->text(), QString());
    QCOMPARE(get<DropDown>("Cbo2")->text(), QString());
    QCOMPARE(list()->count(), 1);
    QCOMPARE(list()->rowText(0), QString::number(unticked));
    // The status bar says what was done: one row billed, the other billed
    // meanwhile, which the user is told of.
    QCOMPARE(m_program.messages().last().text, QString("1 prestazioni erano già state parcellate da un'altra postazione"));
    QCOMPARE(m_window->statusBar()->currentMessage(), QString("Parcellate 1 prestazioni al 15/11/2026 per un totale di € 12,50"));
}

void MassBillingTest::fiftyThousandRowsTickedAreBilledExactly()
{
    // 50,000 unbilled services over 2025 and 2026, written at once.
    Connection &store = m_program.store().connection();
    store.execute("BEGIN");
    const QString day = testserver::inUse() ? "DATE '2025-01-01' + (i % 700)" : "date('2025-01-01', '+' || (i % 700) || ' days')";
    store.execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50000) "
                  "INSERT INTO PRESTAZIONI (DATAR, ANNO, CLIENTE, CAUSALE, IMPORTO, PARC) "
                  "SELECT "
                  + day + ", 2025, 'CLIENTE ' || i, 'VISITA', i, 'N' FROM n");
    store.execute("COMMIT");
    open();
    QCOMPARE(list()->count(), 50000);
    auto *all = get<TickBox>("Check1");
    QTest::mouseClick(all, Qt::LeftButton, {}, QPoint(5, all->height() / 2));
    QVERIFY(list()->isChecked(0) && list()->isChecked(49999));
    // One more service comes after the list was read: not ticked, not billed.
    const qint64 late = addService("01/06/2026");
    press("Cmd1");
    get<DateField>("D1")->setText("31/12/2026");
    press("Cmd2");
    QCOMPARE(m_program.store().count("SELECT * FROM PRESTAZIONI WHERE PARC = 'S' AND DATAP = '2026-12-31'"), 50000);
    QCOMPARE(m_program.store().text(QString("SELECT PARC FROM PRESTAZIONI WHERE ID = %1").arg(late)), QString("N"));
    QCOMPARE(list()->count(), 1);
    QCOMPARE(m_window->statusBar()->currentMessage(),
             QString("Parcellate 50000 prestazioni al 31/12/2026 per un totale di € 12.500.250,00"));
}

void MassBillingTest::failurePartWayBillsNothingAndCancelWritesNothing()
{
    qint64 last = 0;
    for (int i = 0; i < 1200; ++i)
        last = addService(QDate(2026, 1, 1).addDays(i % 300).toString("dd/MM/yyyy"));
    open();
    get<TickBox>("Check1")->setTicked(true);
    press("Cmd1");
    // The store refuses the last two rows, billed last, on one date.
    m_program.store().connection().execute(
        QString("CREATE UNIQUE INDEX guasto ON PRESTAZIONI (DATAP) WHERE ID >= %1").arg(last - 1));
    press("Cmd2");
    QCOMPARE(m_program.messages().last().title, QString("Velmora - ERRORE"));
    QCOMPARE(m_program.store().count("SELECT * FROM PRESTAZIONI WHERE PARC = 'S'"), 0);
    QCOMPARE(m_program.store().count("SELECT * FROM PRESTAZIONI WHERE DATAP IS NOT NULL"), 0);

    get<QToolButton>("Picture2")->click();
    QVERIFY(!get("Frame1")->isVisible());
    QVERIFY(!get<TickBox>("Check1")->isTicked());
    QCOMPARE(list()->count(), 1200);
    QCOMPARE(m_program.store().count("SELECT * FROM PRESTAZIONI WHERE PARC = 'S'"), 0);
}

// A header click sorts (again: the other way); typing in the list keeps the
// rows holding the text, read as the list shows it; a tick hidden by the
// search comes back with its row, and the next fill has the list's own order.
void MassBillingTest::sortsByAHeaderAndKeepsTheRowsFoundWithTheirTicks()
{
    const struct
    {
        const char *date, *client, *amount;
    } services[] = {{"03/02/2026", "VERDI", "9"},
                    {"05/02/2026", "rossi", "1234,5"},
                    {"04/02/2026", "ROSSETTI", "10"},
                    {"01/02/2026", "BIANCHI", "80"}};
    for (const auto &s : services)
        m_program.store().add(
            "PRESTAZIONI",
            {{"DATAR", s.date}, {"ANNO", 2026}, {"MESE", 2}, {"CLIENTE", s.client}, {"IMPORTO", s.amount}, {"PARC", "N"}});
    open();
    GridList *shown = list();
    const auto column = [shown](int c) {
        QStringList cells;
        for (int row = 0; row < shown->count(); ++row)
            cells << shown->subItem(row, c);
        return cells;
    };
    const auto clickHeader = [shown](int c) {
        QHeaderView *header = shown->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(c) + header->sectionSize(c) / 2, header->height() / 2));
    };
    QCOMPARE(column(2), QStringList({"rossi", "ROSSETTI", "VERDI", "BIANCHI"}));
    clickHeader(2);
    QCOMPARE(column(2), QStringList({"BIANCHI", "ROSSETTI", "rossi", "VERDI"}));
    clickHeader(2);
    QCOMPARE(column(2), QStringList({"VERDI", "rossi", "ROSSETTI", "BIANCHI"}));
    clickHeader(4); // amounts by value
    QCOMPARE(column(4), QStringList({"9,00", "10,00", "80,00", "1234,50"}));
    shown->setChecked(0, true); // VERDI

    shown->setFocus();
    QTest::keyClicks(shown, "ROS");
    auto *find = shown->findChild<QLineEdit *>("Cerca");
    QVERIFY(find->isVisible() && find->hasFocus());
    QTRY_COMPARE(column(2), QStringList({"ROSSETTI", "rossi"}));
    for (auto [typed, found] : {std::pair{"1.234,50", "rossi"}, std::pair{"3/2/26", "VERDI"}}) {
        find->selectAll();
        QTest::keyClicks(find, typed);
        QTRY_COMPARE(column(2), QStringList{found});
    }
    find->selectAll();
    QTest::keyClicks(find, "ross");
    QTRY_COMPARE(shown->count(), 2);
    QVERIFY(!shown->isChecked(0) && !shown->isChecked(1));
    QTest::keyClick(find, Qt::Key_Escape);
    QVERIFY(!find->isVisible());
    QCOMPARE(column(2), QStringList({"VERDI", "ROSSETTI", "BIANCHI", "rossi"}));
    QVERIFY(shown->isChecked(0));

    m_window->hide();
    open();
    QCOMPARE(column(2), QStringList({"rossi", "ROSSETTI", "VERDI", "BIANCHI"}));
}

VELMORA_TEST_MAIN(MassBillingTest)
#include "tst_massbilling.moc"
