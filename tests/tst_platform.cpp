#include "store/recordset.h"
#include "testenvironment.h"
#include "teststore.h"
#include "scriptedmessages.h"
#include "ui/datefield.h"
#include "ui/dropdown.h"
#include "ui/enterfocus.h"
#include "ui/gridlist.h"
#include "ui/gridmodel.h"
#include "ui/keyedrows.h"
#include "ui/fieldrule.h"
#include "ui/resultrows.h"
#include "ui/storeguard.h"
#include "ui/textrows.h"
#include "ui/tickbox.h"
#include "ui/uppercase.h"
#include "ui/windowplacement.h"

#include <QAbstractItemModelTester>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QScreen>
#include <QPushButton>
#include <QVBoxLayout>
#include <QCompleter>
#include <QSignalSpy>
#include <QTimer>

class PlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void gridListShowsTheRowsOfAQuery();
    void gridListTicksRows();
    void aComposedListSortsByValueAndFindsAsTheOfficeReads();
    void aLongListReadsItsRowsAsTheyAreShown();
    void tickBoxRunsItsHandlingOnEveryRealChange();
    void dropDownReactsOnlyToThePick();
    void dateFieldReportsAnImpossibleDateOnce();
    void keyFiltersAndUpperCaseFields();
    void enterMovesTheFocusWithoutPressingTheDefaultButton();
    void windowsFitTheScreenAndOpenWhereTheyWereLeft();
    void storeFailureEndsTheEventWithAMessage();
};

void PlatformTest::gridListShowsTheRowsOfAQuery()
{
    TestStore store;
    store.add("PRESTAZIONI", {{"DATAR", "02/03/2026"}, {"CLIENTE", "ROSSI"}, {"IMPORTO", "1.234,5"}});
    store.add("PRESTAZIONI", {{"DATAR", "01/03/2026"}, {"CLIENTE", "BIANCHI"}});
    Recordset rs(store.connection(), "SELECT ID,DATAR,CLIENTE,IMPORTO FROM PRESTAZIONI ORDER BY DATAR DESC");
    const auto rows = std::make_shared<ResultRows>(
        rs.rows(), QHash<int, ResultRows::Format>{{3, [](const Field &f) { return f.toMoney().plainText(); }}});
    rs.close(); // the list keeps the rows it shows

    GridList list;
    QAbstractItemModelTester tester(list.gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    list.setColumns({{"ID", 500}, {"REG.", 1200, Qt::AlignHCenter}, {"CLIENTE", 3000}, {"IMPORTO", 1800, Qt::AlignRight}});
    list.setRows(rows);
    list.setBoldColumns({3});
    list.resize(800, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    QCOMPARE(list.count(), 2);
    QCOMPARE(list.rowText(0), QString("1"));
    QCOMPARE(list.subItem(0, 1), QString("02/03/2026"));
    QCOMPARE(list.subItem(0, 3), QString("1234,50"));
    QCOMPARE(list.subItem(1, 3), QString()); // a Null amount shows empty
    QCOMPARE(list.header(1), QString("REG."));
    const QModelIndex amount = list.gridModel()->index(0, 3);
    QVERIFY(amount.data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(amount.data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(list.columnWidth(3), GridList::pixelsFromTwips(1800, list.logicalDpiX()));

    QSignalSpy clicked(&list, &GridList::rowClicked);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(list.gridModel()->index(1, 2)).center());
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), 1);
    QCOMPARE(list.selectedRow(), 1);

    list.setColumns({{"ID", 500}});
    QCOMPARE(list.count(), 0); // new headers start an empty list
}

void PlatformTest::aLongListReadsItsRowsAsTheyAreShown()
{
    TestStore store;
    Connection &connection = store.connection();
    connection.execute("BEGIN");
    for (int i = 0; i < 1000; ++i)
        connection.execute(QString("INSERT INTO PRESTAZIONI (DATAR, CLIENTE, IMPORTO) VALUES ('%1', 'CLIENTE %2', %3)")
                               .arg(QDate(2020, 1, 1).addDays(i % 400).toString(Qt::ISODate))
                               .arg(i)
                               .arg(i * 100));
    connection.execute("COMMIT");
    const QString sql = "SELECT ID,DATAR,CLIENTE,IMPORTO FROM PRESTAZIONI ORDER BY DATAR DESC, ID";
    const QHash<int, ResultRows::Format> formats{{3, [](const Field &f) { return f.toMoney().plainText(); }}};
    const auto lazy = KeyedRows::open(connection, sql, formats);
    QVERIFY(lazy);
    QVERIFY(!KeyedRows::open(connection, "SELECT DISTINCT CLIENTE FROM PRESTAZIONI", formats)); // read whole, as before
    const ResultRows whole(Recordset(connection, sql).rows(), formats);

    GridList list;
    QAbstractItemModelTester tester(list.gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    list.setColumns({{"ID", 500}, {"REG.", 1200}, {"CLIENTE", 3000}, {"IMPORTO", 1800}});
    list.setRows(lazy);
    list.resize(800, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.scrollToBottom();
    // Every row as the whole read gives it, in the statement's order, with its version.
    QCOMPARE(list.count(), whole.rowCount());
    for (int row = 0; row < whole.rowCount(); ++row)
        for (int column = 0; column < 4; ++column)
            QCOMPARE(list.gridModel()->text(row, column), whole.text(row, column));
    QCOMPARE(list.rowVersion(700), whole.version(700));
    // A row deleted since the fill keeps its place, empty, until the next fill.
    list.setRows(KeyedRows::open(connection, sql, formats));
    connection.execute(QString("DELETE FROM PRESTAZIONI WHERE ID = %1").arg(whole.text(500, 0)));
    QCOMPARE(list.count(), 1000);
    QCOMPARE(list.subItem(500, 2), QString());
    QCOMPARE(list.subItem(501, 2), whole.text(501, 2));
}

void PlatformTest::gridListTicksRows()
{
    TestStore store;
    for (int i = 0; i < 3; ++i)
        store.add("OPERATORE", {{"OPERATORE", QString("OP%1").arg(i)}});
    Recordset rs(store.connection(), "SELECT * FROM OPERATORE");
    GridList list;
    QAbstractItemModelTester tester(list.gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    list.setColumns({{"ID", 500}, {"OPERATORE", 2000}});
    list.setCheckBoxes(true);
    list.setRows(std::make_shared<ResultRows>(rs.rows()));
    QSignalSpy changed(&list, &GridList::checkedChanged);

    QVERIFY(list.gridModel()->setData(list.gridModel()->index(1, 0), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(list.isChecked(1));
    QCOMPARE(changed.count(), 1);
    list.setChecked(1, true); // no change, no signal
    QCOMPARE(changed.count(), 1);
    list.setAllChecked(true);
    QVERIFY(list.isChecked(0) && list.isChecked(2));
    list.setRows(std::make_shared<ResultRows>(rs.rows()));
    QVERIFY(!list.isChecked(0) && !list.isChecked(1)); // every fill starts unticked
}

// Rows a window composes are sorted and searched in memory: amounts and
// dates by value, texts as the store compares them.
void PlatformTest::aComposedListSortsByValueAndFindsAsTheOfficeReads()
{
    GridList list;
    list.setColumns({{"NR", 500}, {"DATA", 1200}, {"IMPORTO", 1200}, {"CLIENTE", 2000}, {"NASCOSTA", 1}});
    list.setRows(std::make_shared<TextRows>(QList<QStringList>{
        {"1", "10/01/2026", "1.234,50", "Perù", "x"}, {"2", "02/03/2025", "9,00", "CANTÙ", ""}, {"3", "", "10,00", "peru", ""}}));
    list.show();
    const auto column = [&list](int c) {
        QStringList cells;
        for (int row = 0; row < list.count(); ++row)
            cells << list.subItem(row, c);
        return cells;
    };
    emit list.horizontalHeader()->sectionClicked(2);
    QCOMPARE(column(2), QStringList({"9,00", "10,00", "1.234,50"}));
    emit list.horizontalHeader()->sectionClicked(1);
    QCOMPARE(column(0), QStringList({"2", "1", "3"})); // the empty date last
    list.setFocus();
    QTest::keyClicks(&list, "PERÙ");
    QTRY_COMPARE(column(0), QStringList({"1"})); // as the store compares: case aside, accents not
    QTest::keyClick(list.findField(), Qt::Key_Backspace);
    QTRY_COMPARE(column(0), QStringList({"1", "3"}));
    list.findField()->setText("x"); // a hidden column is not searched
    emit list.findField()->textEdited("x");
    QTRY_COMPARE(list.count(), 0);
}

void PlatformTest::tickBoxRunsItsHandlingOnEveryRealChange()
{
    // Two exclusive boxes as the maintenance panels build them: either
    // change unticks the other, which runs the other's own handling.
    TickBox insert("Inserisci"), update("Aggiorna");
    QStringList handled;
    auto exclusive = [&handled](TickBox &self, TickBox &other) {
        QObject::connect(&self, &TickBox::ticked, [&handled, &self, &other](bool on) {
            handled << self.text() + (on ? "+" : "-");
            other.setTicked(false);
        });
    };
    exclusive(insert, update);
    exclusive(update, insert);
    insert.show();
    QTest::mouseClick(&insert, Qt::LeftButton);
    QCOMPARE(handled, QStringList{"Inserisci+"});
    insert.setTicked(true); // no change: nothing runs
    QCOMPARE(handled.size(), 1);
    // Ticking the second box from code cascades to no box ticked.
    update.setTicked(true);
    QCOMPARE(handled, QStringList({"Inserisci+", "Aggiorna+", "Inserisci-", "Aggiorna-"}));
    QVERIFY(!update.isTicked() && !insert.isTicked());
}

void PlatformTest::dropDownReactsOnlyToThePick()
{
    DropDown clients(DropDown::Typing::PickOnly);
    QSignalSpy picked(&clients, &DropDown::picked);
    clients.addEntry("BIANCHI");
    QCOMPARE(clients.text(), QString()); // the first entry added is not chosen
    clients.setEntries({"BIANCHI", "D'ANGELO", "ROSSI"});
    QCOMPARE(clients.text(), QString());
    clients.setText("d'angelo"); // a stored name, whatever its case
    QCOMPARE(clients.text(), QString("D'ANGELO"));
    QCOMPARE(clients.currentIndex(), 1);
    clients.setText("VERDI"); // no longer among the entries: shown as it is
    QCOMPARE(clients.text(), QString("VERDI"));
    QCOMPARE(clients.currentIndex(), -1);
    QCOMPARE(picked.count(), 0);

    clients.setText("ROSSI");
    QTest::keyClick(&clients, Qt::Key_Up);
    QCOMPARE(picked.count(), 1);
    QCOMPARE(picked.at(0).at(0).toString(), QString("D'ANGELO"));
    QCOMPARE(clients.text(), QString("D'ANGELO"));

    DropDown towns(DropDown::Typing::Editable);
    towns.setEntries({"CANTÙ", "ROMA"});
    QCOMPARE(towns.currentText(), QString());
    towns.setText("roma");
    QCOMPARE(towns.text(), QString("ROMA"));
    towns.setText("NUOVO COMUNE");
    QCOMPARE(towns.text(), QString("NUOVO COMUNE"));
    QCOMPARE(towns.count(), 2); // typing never adds entries
    QCOMPARE(picked.count(), 1);

    // A long list completes what is typed, any case; Enter picks the first.
    QSignalSpy townPicked(&towns, &DropDown::picked);
    towns.setEntries({"CANTELLO", "CANTÙ", "ROMA"});
    towns.completeAsTyped();
    towns.show();
    towns.setFocus();
    QTest::keyClicks(towns.lineEdit(), "cant");
    QCOMPARE(towns.completer()->completionCount(), 2);
    QTest::keyClick(towns.lineEdit(), Qt::Key_Return);
    QCOMPARE(towns.text(), QString("CANTELLO"));
    QCOMPARE(townPicked.count(), 1);
    QCOMPARE(townPicked.last().first().toString(), QString("CANTELLO"));
}

void PlatformTest::dateFieldReportsAnImpossibleDateOnce()
{
    DateField field;
    QSignalSpy invalid(&field, &DateField::invalidDate);
    QTest::keyClicks(&field, "31/02/2026");
    QTest::keyClick(&field, Qt::Key_Return);
    QTest::keyClick(&field, Qt::Key_Return); // leaving again for the message box
    QCOMPARE(invalid.count(), 1);
    QVERIFY(!field.date().isValid());
    field.reset();
    QCOMPARE(field.text(), QString());

    QTest::keyClicks(&field, "1/2/26");
    QCOMPARE(field.dateText(), QString("01/02/2026")); // as a save reads it, still in the field
    QTest::keyClick(&field, Qt::Key_Return);
    QCOMPARE(field.text(), QString("01/02/2026"));
    QCOMPARE(invalid.count(), 1);
    const QDate today(2026, 12, 9);
    QCOMPARE(readTypedDate("1/1/36", today), QDate(2036, 1, 1)); // ten years ahead: this century
    QCOMPARE(readTypedDate("1/1/37", today), QDate(1937, 1, 1));
    QVERIFY(!readTypedDate("1/1/202", today).isValid());
    field.clear();
    QTest::keyClicks(&field, "31/02/26");
    QTest::keyClick(&field, Qt::Key_Return);
    QCOMPARE(invalid.count(), 2);

    field.clear();
    QTest::keyClicks(&field, "1/2/2026xx");
    QTest::keyClick(&field, Qt::Key_Return);
    QCOMPARE(field.text(), QString("01/02/2026"));
    QCOMPARE(field.date(), QDate(2026, 2, 1));
    field.clear();
    QTest::keyClick(&field, Qt::Key_Return);
    QCOMPARE(invalid.count(), 2); // empty is allowed

    // Digits alone get their slashes as they are typed.
    QTest::keyClicks(&field, "15031980");
    QCOMPARE(field.text(), QString("15/03/1980"));
    QTest::keyClick(&field, Qt::Key_Return);
    QCOMPARE(field.date(), QDate(1980, 3, 15));
    field.clear();
    QTest::keyClicks(&field, "310226");
    QTest::keyClick(&field, Qt::Key_Return);
    QCOMPARE(field.text(), QString("31/02/26"));
    QCOMPARE(invalid.count(), 3); // still four-digit years, still a real day
}

void PlatformTest::keyFiltersAndUpperCaseFields()
{
    QLineEdit amount, phone, notes;
    FieldRule::acceptOnly(&amount, "-,0123456789", FieldRule::Dot::AsComma);
    FieldRule::acceptOnly(&phone, "0123456789", FieldRule::Dot::Kept);
    QTest::keyClicks(&amount, "12.5a-");
    QCOMPARE(amount.text(), QString("12,5-"));
    QTest::keyClick(&amount, Qt::Key_Backspace);
    QCOMPARE(amount.text(), QString("12,5"));
    QTest::keyClicks(&phone, "02.12 34");
    QCOMPARE(phone.text(), QString("021234"));

    uppercase::apply(&notes);
    QTest::keyClicks(&notes, "d'angelo");
    QCOMPARE(notes.text(), QString("D'ANGELO"));
    notes.setCursorPosition(2);
    QTest::keyClicks(&notes, "x");
    QCOMPARE(notes.text(), QString("D'XANGELO"));
    QCOMPARE(notes.cursorPosition(), 3);
    notes.setText("perché dal programma"); // text put in by the program, accents too
    QCOMPARE(notes.text(), QString("PERCHÉ DAL PROGRAMMA"));
}

void PlatformTest::enterMovesTheFocusWithoutPressingTheDefaultButton()
{
    QDialog dialog;
    auto *reason = new QLineEdit(&dialog);
    auto *amount = new QLineEdit(&dialog);
    auto *save = new QPushButton("Inserisci", &dialog);
    save->setDefault(true);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(reason);
    layout->addWidget(amount);
    layout->addWidget(save);
    EnterFocus::install(reason, amount);
    QSignalSpy pressed(save, &QPushButton::clicked);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QApplication::setActiveWindow(&dialog);
    reason->setFocus();
    QTRY_VERIFY(reason->hasFocus());
    QTest::keyClick(reason, Qt::Key_Return);
    QTRY_VERIFY(amount->hasFocus());
    QCOMPARE(pressed.count(), 0);
    QTest::keyClick(amount, Qt::Key_Return); // a field without the filter: the dialog's own Enter
    QCOMPARE(pressed.count(), 1);
}

void PlatformTest::windowsFitTheScreenAndOpenWhereTheyWereLeft()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(screen.size(), QSize(1366, 768)); // the tests' screen: the smallest the windows must fit
    const auto window = [](const char *name, QSize design) {
        auto made = std::make_unique<QMainWindow>();
        made->setObjectName(name);
        made->resize(design);
        windowplacement::follow(made.get());
        return made;
    };
    auto large = window("Grande", {1180, 760});
    large->show();
    QVERIFY(large->isMaximized()); // with its title bar it would not fit
    auto small = window("Piccola", {560, 330});
    small->show();
    QVERIFY(!small->isMaximized());
    QVERIFY(qAbs(small->frameGeometry().center().x() - screen.center().x()) <= 1);
    small->setGeometry(QRect(40, 60, 600, 400));
    small->hide();
    // The next run: the same window opens as the user left it.
    auto again = window("Piccola", {560, 330});
    auto *content = new QWidget;
    auto *panel = new QWidget(content);
    (new QVBoxLayout(content))->addWidget(panel);
    panel->hide();
    again->setCentralWidget(content);
    again->show();
    QCOMPARE(again->geometry(), QRect(40, 60, 600, 400));
    // A panel shown later grows the window up to the screen, not past it,
    // and a size kept that no longer fits is not taken.
    panel->setMinimumHeight(500);
    panel->show();
    QTRY_VERIFY(again->height() >= 500);
    QVERIFY(again->frameGeometry().bottom() <= screen.bottom());
    panel->setMinimumHeight(900);
    QTRY_VERIFY(again->height() > 600);
    QVERIFY2(again->height() <= screen.height() - 8, qPrintable(QString::number(again->height())));
    QVERIFY(panel->visibleRegion().boundingRect().height() < 900); // the rest scrolls
    again->resize(1366, 770);
    again->hide();
    auto third = window("Piccola", {560, 330});
    third->show();
    QCOMPARE(third->size(), QSize(560, 330));
}

void PlatformTest::storeFailureEndsTheEventWithAMessage()
{
    TestStore store;
    ScriptedMessages messages;
    bool reachedAfterFailure = false;
    const bool done = guarded(messages, nullptr, [&] {
        store.add("PRESTAZIONI", {{"DATAR", "31/02/2026"}});
        reachedAfterFailure = true;
    });
    QVERIFY(!done);
    QVERIFY(!reachedAfterFailure);
    QCOMPARE(messages.last().title, QString("Velmora - ERRORE"));
    QVERIFY2(messages.last().text.contains("31/02/2026"), qPrintable(messages.last().text));
    QCOMPARE(store.count("SELECT * FROM PRESTAZIONI"), 0);
}

VELMORA_TEST_MAIN(PlatformTest)
#include "tst_platform.moc"
