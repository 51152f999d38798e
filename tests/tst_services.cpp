#include "programundertest.h"
#include "testenvironment.h"
#include "ui/clickablelabel.h"
#include "windowdriver.h"
#include "ui/datefield.h"
#include "ui/dropdown.h"
#include "ui/gridlist.h"
#include "ui/tickbox.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

// The services register through the main window: entering a service in the
// editor, finding it in the lists, changing and deleting it, on a real store.
class ServicesTest : public QObject, private WindowDriver
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void entersServiceAndFindsItInBothLists();
    void checksFieldsInOrderAndWritesNothingOnBadInput();
    void aReasonPickedAfterANoBringsItsOwnPrice();
    void deletingWithNoServicePickedSaysSo();
    void updateRecomputesAmountYearAndMonthAndRoundTripsTheRow();
    void lookupsFindApostrophesAccentsAndThePickedNamesake();
    void deletesExactlyThePickedRow();
    void fillsShowNullLinksAmountsAndClientSearches();
    void aListIsExportedAsShownWithItsTotal();

private:
    void openSearch(const char *command, const QString &filter);
    QString lastText() { return m_program.messages().last().text; }
    QStringList row(qint64 id, const QStringList &columns);

    qint64 addClient(const QString &name, const QString &state = "S");
    qint64 addService(const QList<QPair<QString, QVariant>> &values);

    ProgramUnderTest m_program;
    MainWindow *m_window = nullptr;
};

void ServicesTest::init()
{
    QVERIFY(m_program.start());
    m_window = &m_program.main();
    drive(m_window);
    m_window->findChild<QAction *>("GPrestazioni")->trigger();
}

void ServicesTest::cleanup()
{
    m_program.stop();
}

void ServicesTest::openSearch(const char *command, const QString &filter)
{
    press(command);
    pick("Cbo5", filter);
}

QStringList ServicesTest::row(qint64 id, const QStringList &columns)
{
    QStringList values;
    for (const QString &column : columns)
        values << m_program.store().text(QString("SELECT %1 FROM PRESTAZIONI WHERE ID = %2").arg(column).arg(id));
    return values;
}

qint64 ServicesTest::addClient(const QString &name, const QString &state)
{
    return m_program.store().add("SOGGETTI", {{"Soggetto", name}, {"Stato", state}});
}

qint64 ServicesTest::addService(const QList<QPair<QString, QVariant>> &values)
{
    return m_program.store().add("PRESTAZIONI", values);
}

void ServicesTest::aReasonPickedAfterANoBringsItsOwnPrice()
{
    addClient("ROSSI");
    m_program.store().add("CAUSALE", {{"CAUSALE", "A"}, {"IMPORTO", "10"}});
    m_program.store().add("CAUSALE", {{"CAUSALE", "B"}, {"IMPORTO", "20"}});
    m_program.store().add("OPERATORE", {{"OPERATORE", "NERI"}});
    press("Cmd3");
    pick("Cbo1", "ROSSI");
    pick("Cbo4", "NERI");
    pick("Cbo2", "A");
    type("T6", "2");
    m_program.messages().answer(false);
    press("Cmd1");
    QCOMPARE(field("T7")->text(), QString("20,00"));
    // B's price reads as A's total, yet it is B's unit price.
    pick("Cbo2", "B");
    m_program.messages().answer(true);
    press("Cmd1");
    QCOMPARE(m_program.store().text("SELECT IMPORTO FROM PRESTAZIONI"), QString("40"));
}

void ServicesTest::deletingWithNoServicePickedSaysSo()
{
    press("Cmd3");
    QTest::mouseClick(m_window->findChild<ClickableLabel *>("Label4"), Qt::LeftButton);
    press("Cmd5");
    m_program.messages().answer(true);
    press("Cmd1");
    QCOMPARE(m_program.messages().shown().size(), 1); // no question first
    QCOMPARE(lastText(), QString("ERRORE - Occorre selezionare una Prestazione !"));
}

void ServicesTest::entersServiceAndFindsItInBothLists()
{
    const qint64 client = addClient("D'Angelo Maria");
    addClient("Rossi Inattivo", "N");
    const qint64 reason = m_program.store().add("CAUSALE", {{"CAUSALE", "VISITA"}, {"IMPORTO", "1.234,50"}});
    const qint64 worker = m_program.store().add("OPERATORE", {{"OPERATORE", "Bianchi"}});

    press("Cmd3");
    QVERIFY(get("Frame1")->isVisible() && !get("Picture7")->isVisible());
    QVERIFY(get("Cmd3")->isEnabled() && get("Cmd9")->isEnabled());
    for (const char *off : {"Cmd4", "Cmd5", "Cmd6", "Cmd7"})
        QVERIFY2(!get(off)->isEnabled(), off);
    QCOMPARE(get<QPushButton>("Cmd1")->text(), QString("Inserisci"));
    QCOMPARE(get<DropDown>("Cbo1")->count(), 1); // active clients only
    QCOMPARE(get<DropDown>("Cbo1")->text(), QString());
    QCOMPARE(get<DateField>("D1")->date(), QDate::currentDate());
    QCOMPARE(field("T6")->text(), QString("1"));
    // "Pulisci" empties the editor and its three lists; "Nuova Prestazione"
    // fills them again.
    press("Cmd9");
    for (const char *list : {"Cbo1", "Cbo2", "Cbo4"})
        QVERIFY2(get<DropDown>(list)->count() == 0, list);
    QCOMPARE(field("T6")->text(), QString("1"));
    press("Cmd3");
    QCOMPARE(get<DropDown>("Cbo1")->count(), 1);

    pick("Cbo1", "D'Angelo Maria");
    pick("Cbo2", "VISITA");
    pick("Cbo4", "Bianchi");
    QCOMPARE(field("T15")->text(), QString::number(client));
    QCOMPARE(field("T16")->text(), QString::number(reason));
    QCOMPARE(field("T13")->text(), QString::number(worker));
    QCOMPARE(field("T7")->text(), QString("1.234,50"));
    QCOMPARE(field("Text1")->text(), QString("€ 1.234,50"));

    type("D1", "31/12/25");
    type("T6", "2.5"); // a typed dot is a comma; letters are swallowed
    QCOMPARE(field("T6")->text(), QString("2,5"));
    QTest::keyClicks(field("T6"), "x");
    QCOMPARE(field("T6")->text(), QString("2,5"));
    type("T2", "prima visita");
    QCOMPARE(field("T2")->text(), QString("PRIMA VISITA"));

    m_program.messages().answer(true);
    press("Cmd1");
    const auto &shown = m_program.messages().shown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0].title, QString("Velmora ..........-INSERIMENTO"));
    QCOMPARE(shown[0].text, QString("L'importo della Prestazione inserita è di €  3.086,25   Vuoi Inserire questi dati ?"));
    QCOMPARE(shown[1].title, QString("Velmora................   - INSERIMENTO"));
    QCOMPARE(shown[1].text, QString("L' inserimento è avvenuto con successo !"));

    const qint64 id = m_program.store().connection().lastInsertId();
    QCOMPARE(row(id,
                 {"DATAR", "CLIENTE", "CAUSALE", "QTA", "IMPORTO", "PARC", "DATAP", "NOTE", "ANNO", "MESE", "ID_OPER", "ID_CAUS",
                  "ID_CL", "OPERATORE", "AGG", "GG"}),
             QStringList({"31/12/2025", "D'ANGELO MARIA", "VISITA", "2,5", "3086,25", "N", "", "PRIMA VISITA", "2025", "12",
                          QString::number(worker), QString::number(reason), QString::number(client), "BIANCHI",
                          QDate::currentDate().toString("dd/MM/yyyy"), ""}));

    // The editor is cleared for the next service and its list shows the new one.
    QCOMPARE(get<QPushButton>("Cmd1")->text(), QString("Inserisci"));
    QCOMPARE(field("T15")->text(), QString());
    QCOMPARE(get<DropDown>("Cbo2")->count(), 1);
    GridList *shortList = list("ListView3");
    QCOMPARE(shortList->count(), 1);
    QCOMPARE(shortList->rowText(0), QString::number(id));
    QStringList cells;
    for (int i = 1; i < 7; ++i)
        cells << shortList->subItem(0, i);
    QCOMPARE(cells, QStringList({"31/12/2025", "D'ANGELO MARIA", "VISITA", "3086,25", "BIANCHI", "PRIMA VISITA"}));
    QCOMPARE(shortList->header(4), QString("IMPORTO"));
    QVERIFY(shortList->model()->index(0, 4).data(Qt::FontRole).value<QFont>().bold());

    // A click on a caption of the editor gives back the search and print buttons.
    QTest::mouseClick(get("Label4"), Qt::LeftButton);
    QVERIFY(get("Cmd4")->isEnabled() && get("Cmd5")->isEnabled() && get("Cmd6")->isEnabled());
    QVERIFY(!get("Cmd7")->isEnabled());

    get<QToolButton>("Picture1")->click();
    openSearch("Cmd4", "Tutti");
    GridList *search = list("ListView4");
    QCOMPARE(search->model()->columnCount(), 20);
    QCOMPARE(search->header(12), QString("Q.TA'"));
    QCOMPARE(search->count(), 1);
    QCOMPARE(search->subItem(0, 13), QString("3086,25"));
    QCOMPARE(search->subItem(0, 15), QString("N"));
    QCOMPARE(search->subItem(0, 3), QString::number(client));
}

void ServicesTest::checksFieldsInOrderAndWritesNothingOnBadInput()
{
    addClient("VERDI");
    m_program.store().add("CAUSALE", {{"CAUSALE", "COPIA"}, {"IMPORTO", "0,10"}});
    m_program.store().add("OPERATORE", {{"OPERATORE", "NERI"}});
    press("Cmd3");
    const QString emptyTitle = "Velmora................ERRORE - CAMPO VUOTO";

    type("D1", "");
    const struct
    {
        std::function<void()> fill;
        const char *focus;
        QString text;
    } steps[] = {
        {[] {}, "D1", "Inserire il campo DATA "},
        {[this] { type("D1", "01/03/2026"); }, "Cbo4", "Inserire il campo OPERATORE "},
        {[this] { pick("Cbo4", "NERI"); }, "Cbo1", "Inserire il campo CLIENTE "},
        {[this] { pick("Cbo1", "VERDI"); }, "Cbo2", "Inserire il campo CAUSALE "},
        {[this] {
             pick("Cbo2", "COPIA");
             type("T7", " ");
         },
         "T7", "Inserire il campo IMPORTO "},
    };
    for (const auto &step : steps) {
        step.fill();
        press("Cmd1");
        QCOMPARE(lastText(), step.text);
        QCOMPARE(m_program.messages().last().title, emptyTitle);
        QCOMPARE(m_program.messages().last().icon, Messages::Icon::Information);
        QCOMPARE(QApplication::focusWidget(), get(step.focus));
    }
    type("T7", "0,10");
    field("Text1")->clear();
    press("Cmd1");
    QCOMPARE(m_program.messages().last().title, QString("Velmora ..........-AGGIORNAMENTO"));
    QCOMPARE(lastText(), QString(" Attenzione, il Campo Costo della Prestazione è vuoto, riselezionare la  Causale"));
    pick("Cbo2", "COPIA");

    // Values the store can't take are refused before the question.
    const struct
    {
        const char *name;
        QString text;
        QString message;
    } invalid[] = {
        {"T3", "1,,5", "Il campo GG non è valido "},
        {"T5", "5-", "Il campo MIN non è valido "},
        {"T7", "dieci", "Il campo IMPORTO non è valido "},
        {"D1", "31/02/2026", "Il campo DATA non è valido "},
    };
    for (const auto &bad : invalid) {
        const QString good = field(bad.name)->text();
        field(bad.name)->setText(bad.text);
        press("Cmd1");
        QCOMPARE(lastText(), bad.message);
        QCOMPARE(m_program.messages().last().title, QString("Velmora................ERRORE - CAMPO NON VALIDO"));
        QVERIFY(!m_program.messages().last().question);
        field(bad.name)->setText(good);
    }
    QCOMPARE(m_program.store().count("SELECT * FROM PRESTAZIONI"), 0);

    // No, then Inserisci again: still the unit price times the quantity.
    type("T6", "3");
    press("Cmd1");
    QVERIFY(m_program.messages().last().question);
    QVERIFY(lastText().contains("€  0,30   Vuoi"));
    press("Cmd1");
    QVERIFY(lastText().contains("€  0,30   Vuoi"));
    type("T6", "");
    m_program.messages().answer(true);
    press("Cmd1");
    QCOMPARE(m_program.store().text("SELECT QTA FROM PRESTAZIONI"), QString("1"));
    QCOMPARE(m_program.store().text("SELECT IMPORTO FROM PRESTAZIONI"), QString("0,1"));
    QCOMPARE(m_program.store().count("SELECT * FROM PRESTAZIONI WHERE DATAR = #03/01/2026# AND MESE = 3"), 1);
}

void ServicesTest::updateRecomputesAmountYearAndMonthAndRoundTripsTheRow()
{
    const qint64 client = addClient("ÈRCOLE SRL");
    const qint64 reason = m_program.store().add("CAUSALE", {{"CAUSALE", "PRATICA"}, {"IMPORTO", "20"}});
    const qint64 worker = m_program.store().add("OPERATORE", {{"OPERATORE", "GIALLI"}});
    const QList<QPair<QString, QVariant>> values = {{"ANNO", 2026},
                                                    {"MESE", 2},
                                                    {"ID_CL", client},
                                                    {"ID_OPER", worker},
                                                    {"ID_CAUS", reason},
                                                    {"DATAR", "14/02/2026"},
                                                    {"CLIENTE", "ÈRCOLE SRL"},
                                                    {"CAUSALE", "PRATICA"},
                                                    {"GG", "1"},
                                                    {"ORE", "2,5"},
                                                    {"MIN", "15"},
                                                    {"QTA", "1,5"},
                                                    {"IMPORTO", "30"},
                                                    {"OPERATORE", "GIALLI"},
                                                    {"PARC", "S"},
                                                    {"DATAP", "20/02/2026"},
                                                    {"NR", "007"},
                                                    {"NOTE", "NOTA CON ' APOSTROFO"},
                                                    {"AGG", "14/02/2026"}};
    const qint64 id = addService(values);
    QStringList columns;
    for (const auto &v : values)
        columns << v.first;
    const QStringList before = row(id, columns);

    openSearch("Cmd4", "Parcellati");
    QCOMPARE(get<QGroupBox>("Frame6")->title(), QString("Modifica Prestazioni"));
    QCOMPARE(list("ListView4")->count(), 1);
    clickRow("ListView4", 0);
    QVERIFY(get("Frame1")->isVisible() && !get("Frame6")->isVisible());
    QCOMPARE(field("T14")->text(), QString::number(id));
    QVERIFY(field("T14")->isReadOnly());
    QCOMPARE(get<DropDown>("Cbo1")->text(), QString("ÈRCOLE SRL"));
    QCOMPARE(field("Text1")->text(), QString());
    QCOMPARE(field("T7")->text(), QString("30,00"));

    press("Cmd1");
    QCOMPARE(lastText(), QString(" Attenzione, il Campo Costo della Prestazione è vuoto, riselezionare una  Causale"));

    // Saved unchanged after picking the reason again: the row is as it was.
    pick("Cbo2", "PRATICA");
    m_program.messages().answer(true);
    press("Cmd1");
    QCOMPARE(m_program.messages().shown().at(m_program.messages().shown().size() - 2).text,
             QString("L'importo della Prestazione inserita è di €  30,00 -  Vuoi Aggiornare questi dati ?"));
    QCOMPARE(m_program.messages().last().title, QString("Velmora   - AGGIORNAMENTO"));
    QCOMPARE(lastText(), QString("L' aggiornamento  è avvenuto con successo !"));
    QStringList after = row(id, columns);
    after.last() = before.last(); // AGG is the day of the change
    QCOMPARE(after, before);
    QCOMPARE(m_program.store().text(QString("SELECT AGG FROM PRESTAZIONI WHERE ID = %1").arg(id)),
             QDate::currentDate().toString("dd/MM/yyyy"));
    QVERIFY(get("Frame6")->isVisible() && !get("Frame1")->isVisible());
    QCOMPARE(list("ListView4")->count(), 0);
    QCOMPARE(get<DropDown>("Cbo5")->text(), QString());

    // A new date and quantity: year, month and amount follow; a typed amount is not used.
    pick("Cbo5", "Tutti");
    clickRow("ListView4", 0);
    pick("Cbo2", "PRATICA");
    type("D1", "31/12/2025");
    type("T6", "2");
    type("T7", "999");
    m_program.messages().answer(true);
    press("Cmd1");
    QCOMPARE(row(id, {"ANNO", "MESE", "IMPORTO", "QTA", "PARC"}), QStringList({"2025", "12", "40", "2", "S"}));

    // The row gone meanwhile: nothing is written and the user is told so.
    pick("Cbo5", "Tutti");
    clickRow("ListView4", 0);
    pick("Cbo2", "PRATICA");
    m_program.store().connection().execute("DELETE FROM PRESTAZIONI");
    const qsizetype shownBefore = m_program.messages().shown().size();
    m_program.messages().answer(true);
    press("Cmd1");
    QCOMPARE(m_program.messages().shown().size(), shownBefore + 2);
    QVERIFY2(lastText().contains("eliminato nel frattempo"), qPrintable(lastText()));
}

void ServicesTest::lookupsFindApostrophesAccentsAndThePickedNamesake()
{
    const qint64 first = addClient("D'AMICO");
    const qint64 second = addClient("D'AMICO");
    const qint64 reason = m_program.store().add("CAUSALE", {{"CAUSALE", "CONSULENZA PIÙ"}, {"IMPORTO", "5,5"}});
    m_program.store().add("CAUSALE", {{"CAUSALE", "CONSULENZA PIÙ"}, {"IMPORTO", "7"}});
    press("Cmd3");
    QCOMPARE(get<DropDown>("Cbo1")->count(), 2);
    pickIndex("Cbo1", 1);
    QCOMPARE(field("T15")->text(), QString::number(second));
    pickIndex("Cbo1", 0);
    QCOMPARE(field("T15")->text(), QString::number(first));
    pickIndex("Cbo2", 0);
    QCOMPARE(field("T16")->text(), QString::number(reason));
    QCOMPARE(field("Text1")->text(), QString("€ 5,50"));
    pickIndex("Cbo2", 1);
    QCOMPARE(field("Text1")->text(), QString("€ 7,00"));

    // A name deleted since the list was filled leaves no id behind.
    m_program.store().connection().execute(QString("DELETE FROM SOGGETTI WHERE ID = %1 OR ID = %2").arg(first).arg(second));
    pickIndex("Cbo1", 1);
    QCOMPARE(field("T15")->text(), QString());

    // Leaving the amount or the cost shows it "#,0.00"; other text stays.
    type("T7", "1234,5");
    field("T7")->clearFocus();
    QCOMPARE(field("T7")->text(), QString("1.234,50"));
    type("Text1", "abc");
    field("Text1")->clearFocus();
    QCOMPARE(field("Text1")->text(), QString("abc"));
}

void ServicesTest::deletesExactlyThePickedRow()
{
    const qint64 a = addService({{"DATAR", "01/01/2026"}, {"CLIENTE", "A"}});
    const qint64 b = addService({{"DATAR", "02/01/2026"}, {"CLIENTE", "B"}});
    const qint64 c = addService({{"DATAR", "03/01/2026"}, {"CLIENTE", "C"}});

    press("Cmd5");
    QVERIFY(get("Cmd5")->isEnabled());
    for (const char *off : {"Cmd3", "Cmd4", "Cmd6", "Cmd7", "Cmd9"})
        QVERIFY2(!get(off)->isEnabled(), off);
    QCOMPARE(get<QGroupBox>("Frame6")->title(), QString("Elimina Prestazioni"));
    QCOMPARE(get<DropDown>("Cbo5")->findText("Ricerca per Cliente"), -1);
    pick("Cbo5", "");
    QCOMPARE(list("ListView4")->count(), 0);
    pick("Cbo5", "Tutti");
    QCOMPARE(list("ListView4")->rowText(1), QString::number(b)); // newest first
    clickRow("ListView4", 1);
    QCOMPARE(get<QPushButton>("Cmd1")->text(), QString("Elimina"));

    press("Cmd1"); // answered No
    QCOMPARE(m_program.store().count("SELECT * FROM PRESTAZIONI"), 3);
    m_program.messages().answer(true);
    press("Cmd1");
    QCOMPARE(m_program.messages().last().title, QString("Velmora  - ELIMINAZIONE"));
    QCOMPARE(lastText(), QString("Eliminazione  di       %1   effettuata con successo ! ").arg(b));
    QCOMPARE(m_program.store().text("SELECT ID FROM PRESTAZIONI ORDER BY ID"), QString::number(a));
    QCOMPARE(m_program.store().count(QString("SELECT * FROM PRESTAZIONI WHERE ID = %1").arg(c)), 1);
    QCOMPARE(m_program.store().count("SELECT * FROM PRESTAZIONI"), 2);
    QVERIFY(get("Frame6")->isVisible() && !get("Frame1")->isVisible());
    QCOMPARE(list("ListView4")->count(), 0);

    // Deleting a row that is already gone says so, not success.
    pick("Cbo5", "Tutti");
    clickRow("ListView4", 0);
    m_program.store().connection().execute("DELETE FROM PRESTAZIONI");
    const qsizetype shownBefore = m_program.messages().shown().size();
    m_program.messages().answer(true);
    press("Cmd1");
    QCOMPARE(m_program.messages().shown().size(), shownBefore + 2);
    QVERIFY2(lastText().contains("eliminato nel frattempo"), qPrintable(lastText()));
}

void ServicesTest::fillsShowNullLinksAmountsAndClientSearches()
{
    const qint64 rossi = addClient("ROSSI");
    const qint64 other = addClient("ROSSI");
    addService({{"DATAR", "05/01/2026"}, {"CLIENTE", "ANONIMO"}, {"IMPORTO", "1234,5"}});
    const qint64 early = addService({{"DATAR", "01/01/2026"}, {"CLIENTE", "ROSSI"}, {"ID_CL", rossi}, {"PARC", "N"}});
    addService({{"DATAR", "02/01/2026"}, {"CLIENTE", "ROSSI"}, {"ID_CL", other}, {"PARC", "S"}});

    press("Cmd3");
    GridList *shortList = list("ListView3");
    QCOMPARE(shortList->subItem(0, 4), QString("1234,50"));
    QCOMPARE(shortList->subItem(1, 4), QString()); // a Null amount is empty
    press("Command2");
    QCOMPARE(shortList->rowText(0), QString::number(early));
    QCOMPARE(shortList->columnWidth(0), GridList::pixelsFromTwips(800, shortList->logicalDpiX()));

    // The statement needs a picked client.
    get<TickBox>("C3")->click();
    QCOMPARE(lastText(), QString("ERRORE- Nessun cliente selezionato "));
    QCOMPARE(m_program.messages().last().title, QString("Velmora  - ELIMINAZIONE"));
    QVERIFY(!get<TickBox>("C3")->isTicked());
    pickIndex("Cbo1", 0);
    get<TickBox>("C3")->click();
    QCOMPARE(shortList->count(), 1);
    QCOMPARE(shortList->header(7), QString("ID_CL"));
    QCOMPARE(shortList->subItem(0, 7), QString::number(rossi));

    get<QToolButton>("Picture1")->click();
    openSearch("Cmd4", "Non Parcellati");
    QCOMPARE(list("ListView4")->count(), 1);
    pick("Cbo5", "Ricerca per Cliente");
    QVERIFY(get("Cbo8")->isVisible());
    QCOMPARE(list("ListView4")->count(), 0);
    QCOMPARE(get<DropDown>("Cbo8")->count(), 2); // ANONIMO, ROSSI

    // Two clients of one name: the services of the client whose service comes first.
    pick("Cbo8", "ROSSI");
    QCOMPARE(list("ListView4")->count(), 1);
    QCOMPARE(list("ListView4")->rowText(0), QString::number(early));
    // A first service without client link, or a name gone: an empty list, no error.
    pick("Cbo8", "ANONIMO");
    QCOMPARE(list("ListView4")->count(), 0);
    m_program.store().connection().execute("UPDATE PRESTAZIONI SET CLIENTE = 'BIANCHI'");
    pick("Cbo8", "ROSSI");
    QCOMPARE(list("ListView4")->count(), 0);
    QVERIFY(m_program.messages().shown().size() == 1);
    pick("Cbo5", "Tutti");
    QVERIFY(!get("Cbo8")->isVisible());
    QCOMPARE(list("ListView4")->count(), 3);
}

void ServicesTest::aListIsExportedAsShownWithItsTotal()
{
    addService({{"CLIENTE", "ROSSI; E FIGLI"}, {"DATAR", "01/03/2026"}, {"IMPORTO", "10"}, {"PARC", "N"}});
    addService({{"CLIENTE", "BIANCHI"}, {"DATAR", "02/03/2026"}, {"IMPORTO", "1.002,5"}, {"PARC", "N"}});
    openSearch("Cmd4", "Tutti");
    GridList *services = list("ListView4");
    QTemporaryDir out;
    m_program.messages().choose(out.filePath("elenco.csv"));
    services->findChild<QAction *>("EsportaCsv")->trigger();
    QCOMPARE(lastText(), "Elenco esportato in:\n" + out.filePath("elenco.csv"));
    QFile file(out.filePath("elenco.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll().mid(3)).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4); // headers, two services, the total
    const QStringList headers = lines[0].split(';');
    QVERIFY(!headers.contains("ID_CL")); // hidden columns stay out
    QVERIFY2(lines[2].contains("\"ROSSI; E FIGLI\""), qPrintable(lines[2])); // newest first, as shown
    QVERIFY(lines[3].startsWith("Totale;"));
    QCOMPARE(lines[3].count(';'), headers.size() - 1);
    QVERIFY2(lines[3].endsWith(";1012,50") || lines[3].contains(";1012,50;"), qPrintable(lines[3]));

    m_program.messages().choose(out.filePath("elenco.xlsx"));
    services->findChild<QAction *>("EsportaExcel")->trigger();
    QVERIFY(QFileInfo(out.filePath("elenco.xlsx")).size() > 0);
    // Never over an existing file.
    m_program.messages().choose(out.filePath("elenco.csv"));
    services->findChild<QAction *>("EsportaCsv")->trigger();
    QCOMPARE(m_program.messages().last().title, QString("Velmora - ERRORE"));
}

VELMORA_TEST_MAIN(ServicesTest)
#include "tst_services.moc"
