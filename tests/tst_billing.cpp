#include "archive/billingruns.h"
#include "programundertest.h"
#include "testenvironment.h"
#include "windowdriver.h"
#include "ui/datefield.h"
#include "ui/dropdown.h"
#include "ui/gridlist.h"
#include "ui/tickbox.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The single billing panel on a real store: billing one service, changing
// its billing and taking it off touch only the three billing columns of
// that row; the lists and the client search show the right rows.
class BillingTest : public QObject, private WindowDriver
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void billsChangesAndUnbillsOnlyTheBillingColumns();
    void refusesWithoutDateOrServiceAndAnswerNo();
    void clientSearchFindsTheExactNameAndItsLink();
    void everyTickSwitchAndRowClickClearsTheSelection();
    void aChangeUnderTheEmptyFilterLeavesTheListAsShown();
    void aNumberAnotherClientHasIsNamedBeforeItIsWritten();

private:
    enum Column { Parc = 15, Datap = 16, Nr = 17 };

    void open(const QString &filter);
    qint64 addService(const QString &client, const QString &date, const QVariant &clientId, const QString &billed = "N",
                      const QString &billingDate = QString(), const QString &number = QString());
    int rowOf(qint64 id);
    void select(qint64 id) { clickRow("ListView5", rowOf(id)); }
    QStringList stored(qint64 id) { return m_program.store().row("PRESTAZIONI", id); }
    QString action() { return get<QPushButton>("Cmd10")->text(); }
    ScriptedMessages &messages() { return m_program.messages(); }
    // The row as stored, with the billing columns replaced.
    static QStringList billed(QStringList row, const QString &parc, const QString &datap, const QString &nr);

    ProgramUnderTest m_program;
    MainWindow *m_window = nullptr;
};

void BillingTest::init()
{
    QVERIFY(m_program.start());
    m_window = &m_program.main();
    drive(m_window);
}

void BillingTest::cleanup()
{
    m_program.stop();
}

void BillingTest::open(const QString &filter)
{
    m_window->findChild<QAction *>("GSingola")->trigger();
    pick("Cbo6", filter);
}

qint64 BillingTest::addService(const QString &client, const QString &date, const QVariant &clientId, const QString &billed,
                               const QString &billingDate, const QString &number)
{
    const QDate d = QDate::fromString(date, "dd/MM/yyyy");
    QList<QPair<QString, QVariant>> values = {
        {"ANNO", d.year()},    {"MESE", d.month()}, {"ID_CL", clientId},   {"ID_OPER", 2},           {"ID_CAUS", 3},
        {"DATAR", date},       {"CLIENTE", client}, {"CAUSALE", "VISITA"}, {"QTA", "1,5"},           {"IMPORTO", "12,5"},
        {"OPERATORE", "NERI"}, {"PARC", billed},    {"NR", number},        {"NOTE", "nota " + date}, {"AGG", date}};
    if (!billingDate.isEmpty())
        values.append({"DATAP", billingDate});
    return m_program.store().add("PRESTAZIONI", values);
}

int BillingTest::rowOf(qint64 id)
{
    GridList *l = list("ListView5");
    for (int row = 0; row < l->count(); ++row)
        if (l->rowText(row) == QString::number(id))
            return row;
    return -1;
}

QStringList BillingTest::billed(QStringList row, const QString &parc, const QString &datap, const QString &nr)
{
    row[Parc] = parc;
    row[Datap] = datap;
    row[Nr] = nr;
    return row;
}

void BillingTest::aChangeUnderTheEmptyFilterLeavesTheListAsShown()
{
    const qint64 service = addService("ROSSI", "01/03/2026", 7, "S", "10/03/2026", "7");
    open("Tutti");
    select(service);
    pick("Cbo6", "");
    tick("C10");
    type("D4", "20/04/2026");
    messages().answer(true);
    press("Cmd10");
    QCOMPARE(stored(service).at(Datap), QString("20/04/2026"));
    // Not refilled: the row still shows the bill date it was listed with.
    QCOMPARE(list("ListView5")->subItem(rowOf(service), 4), QString("10/03/2026"));

    // A billing under the empty item leaves no action behind it.
    const qint64 unbilled = addService("BIANCHI", "02/03/2026", 5, "N", "", "");
    open("Non Parcellati");
    select(unbilled);
    pick("Cbo6", "");
    QCOMPARE(action(), QString("Inserisci"));
    type("D4", "21/04/2026");
    messages().answer(true);
    press("Cmd10");
    QCOMPARE(stored(unbilled).at(Datap), QString("21/04/2026"));
    QCOMPARE(action(), QString());
}

void BillingTest::aNumberAnotherClientHasIsNamedBeforeItIsWritten()
{
    const qint64 service = addService("ROSSI", "01/03/2026", 7);
    addService("BIANCHI", "02/03/2026", 8, "S", "10/03/2026", "7");
    const QStringList before = stored(service);
    open("Non Parcellati");
    select(service);
    QTest::keyClicks(field("D4"), "15/04/2026");
    type("T19", "7");
    messages().answer(false);
    press("Cmd10");
    // Told in the one question of the update.
    QCOMPARE(messages().last().title, QString("Velmora - AGGIORNAMENTO"));
    QCOMPARE(messages().last().text,
             QString("Il numero di parcella 7 del 2026 è già stato dato al cliente BIANCHI.\n\n"
                     "Vuoi Aggiornare questi dati ?"));
    QCOMPARE(stored(service), before);

    // The office may go on.
    messages().answer(true);
    press("Cmd10");
    QCOMPARE(stored(service), billed(before, "S", "15/04/2026", "7"));
}

void BillingTest::billsChangesAndUnbillsOnlyTheBillingColumns()
{
    const qint64 service = addService("ROSSI", "01/03/2026", 7);
    const qint64 other = addService("BIANCHI", "02/03/2026", 8, "S", "10/03/2026", "7");
    const QStringList before = stored(service);
    const QStringList otherBefore = stored(other);

    open("Non Parcellati");
    QCOMPARE(action(), QString("Inserisci"));
    QVERIFY(get("C12")->isEnabled());
    QCOMPARE(list("ListView5")->count(), 1);
    QCOMPARE(list("ListView5")->subItem(0, 3), QString("12,50"));
    select(service);
    QCOMPARE(field("T18")->text(), QString("ROSSI"));
    QCOMPARE(get<QLabel>("L5")->text(), QString("Gestione Non Parcellati"));
    QVERIFY(field("D4")->hasFocus());
    QTest::keyClicks(field("D4"), "15/04/2026");
    type("T19", "12/A");
    messages().answer(true);
    press("Cmd10");
    QCOMPARE(messages().last().title, QString("Velmora   - AGGIORNAMENTO"));
    QCOMPARE(messages().last().text, QString("L' aggiornamento  è avvenuto con successo !"));
    QCOMPARE(stored(service), billed(before, "S", "15/04/2026", "12/A"));
    // Kept as a run that the archive menu can undo.
    const auto runs = billingruns::recent(m_program.store().connection());
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs.first().panel, QString("Gestione Singola"));
    QCOMPARE(runs.first().services, 1);
    QCOMPARE(rowOf(service), -1);
    QCOMPARE(action(), QString("Inserisci"));
    QVERIFY(field("T18")->text().isEmpty() && get<QLabel>("L5")->text().isEmpty());

    pick("Cbo6", "Parcellati");
    QCOMPARE(action(), QString());
    select(service);
    QCOMPARE(field("D4")->text(), QString("15/04/2026"));
    QCOMPARE(field("T19")->text(), QString("12/A"));
    tick("C10");
    QCOMPARE(action(), QString("Modifica"));
    type("D4", "20/04/2026");
    messages().answer(true);
    press("Cmd10");
    QCOMPARE(stored(service), billed(before, "S", "20/04/2026", "12/A"));
    QVERIFY(!get<TickBox>("C10")->isTicked() && action().isEmpty());

    select(service);
    tick("C11");
    QCOMPARE(action(), QString("Elimina"));
    messages().answer(true);
    press("Cmd10");
    QCOMPARE(messages().last().title, QString("Velmora  - ELIMINAZIONE"));
    QCOMPARE(messages().last().text, QString("Eliminazione  dei dati  è stata effettuata con successo ! "));
    QCOMPARE(stored(service), before);
    QCOMPARE(rowOf(service), -1);
    QCOMPARE(stored(other), otherBefore);

    pick("Cbo6", "Tutti");
    QCOMPARE(list("ListView5")->count(), 2);
    QCOMPARE(list("ListView5")->rowText(0), QString::number(other)); // latest service first
    QVERIFY(!get("C12")->isEnabled() && !get("Cbo7")->isEnabled());
}

void BillingTest::refusesWithoutDateOrServiceAndAnswerNo()
{
    const qint64 service = addService("ROSSI", "01/03/2026", 7, "S", "10/03/2026", "3");
    const QStringList before = stored(service);
    open("Non Parcellati");
    press("Cmd10");
    QCOMPARE(messages().last().title, QString("Velmora............"));
    QCOMPARE(messages().last().text, QString("ERRORE - Occorre selezionare una Prestazione !"));
    tick("C10");
    QCOMPARE(messages().last().text, QString("ERRORE - Occorre selezionare una Prestazione !"));
    QCOMPARE(action(), QString("Inserisci"));
    tick("C10");

    pick("Cbo6", "Parcellati");
    select(service);
    tick("C10");
    field("D4")->clear();
    const qsizetype shown = messages().shown().size();
    press("Cmd10");
    QCOMPARE(messages().shown().size(), shown + 1); // no question follows
    QCOMPARE(messages().last().title, QString("Velmora ERRORE - CAMPO   VUOTO"));
    QCOMPARE(messages().last().text, QString("Inserire il campo DATA "));
    QVERIFY(field("D4")->hasFocus());
    QTest::keyClicks(field("D4"), "31/02/2026");
    press("Cmd10");
    QVERIFY(!messages().last().question);
    type("D4", "01/05/2026");
    press("Cmd10"); // answered No
    QVERIFY(messages().last().question);
    QCOMPARE(stored(service), before);
    tick("C10");
    select(service);
    tick("C11");
    press("Cmd10"); // answered No
    QCOMPARE(stored(service), before);
}

void BillingTest::clientSearchFindsTheExactNameAndItsLink()
{
    // Neither a longer name holding the chosen one nor a row that lost its
    // link gives the client id.
    const qint64 namesake = addService("ROSSI LUIGI", "03/03/2026", 9);
    addService("ROSSI", "05/03/2026", QVariant());
    const qint64 rossi = addService("ROSSI", "01/03/2026", 7);
    const qint64 billedRossi = addService("ROSSI", "02/03/2026", 7, "S", "10/03/2026", "1");
    open("Non Parcellati");
    tick("C12");
    QVERIFY(get("Cbo7")->isEnabled());
    QCOMPARE(list("ListView5")->count(), 0);
    QCOMPARE(get<DropDown>("Cbo7")->count(), 2);
    pick("Cbo7", "ROSSI");
    QCOMPARE(get<QLabel>("L6")->text(), QString("7"));
    QCOMPARE(list("ListView5")->count(), 1);
    QCOMPARE(rowOf(rossi), 0);

    // With the search on, another billing state is not taken up.
    pick("Cbo6", "Parcellati");
    QCOMPARE(rowOf(rossi), 0);
    tick("C12");
    QVERIFY(!get("C12")->isEnabled() && !get("Cbo7")->isEnabled());
    QCOMPARE(rowOf(rossi), 0);
    pick("Cbo6", "Parcellati");
    tick("C12");
    pick("Cbo7", "ROSSI");
    QCOMPARE(list("ListView5")->count(), 1);
    QCOMPARE(rowOf(billedRossi), 0);

    // After a billing the list shows every client's rows again.
    select(billedRossi);
    tick("C11");
    messages().answer(true);
    press("Cmd10");
    QCOMPARE(list("ListView5")->count(), 0);
    pick("Cbo6", "Tutti");
    QVERIFY(get<TickBox>("C12")->isTicked() && !get("C12")->isEnabled());
    QVERIFY(rowOf(namesake) >= 0);
}

void BillingTest::everyTickSwitchAndRowClickClearsTheSelection()
{
    const qint64 service = addService("ROSSI", "01/03/2026", 7, "S", "10/03/2026", "3");
    open("Parcellati");
    const char *boxes[] = {"C10", "C11"};
    for (const char *ticked : boxes) {
        for (const char *clicked : boxes) {
            select(service);
            tick(ticked);
            QVERIFY(!action().isEmpty());
            tick(clicked);
            const QByteArray pair = QByteArray(ticked) + " then " + clicked;
            QVERIFY2(!get<TickBox>("C10")->isTicked() && !get<TickBox>("C11")->isTicked(), pair);
            QVERIFY2(action().isEmpty(), pair);
            QVERIFY2(field("T18")->text().isEmpty() && field("D4")->text().isEmpty() && field("T19")->text().isEmpty(), pair);
            QVERIFY2(get<QLabel>("L5")->text().isEmpty(), pair);
        }
        select(service);
        tick(ticked);
        select(service);
        QVERIFY(action().isEmpty() && field("T18")->text().isEmpty());
        QCOMPARE(get<QLabel>("L5")->text(), QString("Gestione Parcellati"));
    }
    select(service);
    tick("C10");
    press("XPButton1");
    QVERIFY(!get<TickBox>("C10")->isTicked() && action().isEmpty() && field("T18")->text().isEmpty());
}

VELMORA_TEST_MAIN(BillingTest)
#include "tst_billing.moc"
