#include "programundertest.h"
#include "testserver.h"
#include "testenvironment.h"
#include "windowdriver.h"
#include "records/anomalies.h"
#include "store/recordset.h"
#include "ui/gridlist.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

// Services that lost a link: the warning at every activation of the main
// window, the list of them, and their correction through the editor.
class AnomaliesTest : public QObject, private WindowDriver
{
    Q_OBJECT

private slots:
    void cleanup();
    void warnsAtEveryActivationUntilTheRowIsCorrected();
    void linksToDeletedRowsAreAnomalies();

private:
    bool start(const QVariant &operatorId);
    void trigger(const char *name) { m_program.main().findChild<QAction *>(name)->trigger(); }
    void returnToMain();
    int warnings();

    ProgramUnderTest m_program;
    qint64 m_service = 0;
    qint64 m_operator = 0;
};

void AnomaliesTest::cleanup()
{
    m_program.stop();
}

// One complete service and one whose operator link is the one given.
bool AnomaliesTest::start(const QVariant &operatorId)
{
    const bool shown = m_program.start([&](TestStore &store) {
        const qint64 client = store.add("SOGGETTI", {{"Soggetto", "ROSSI"}, {"Stato", "S"}});
        const qint64 reason = store.add("CAUSALE", {{"CAUSALE", "VISITA"}, {"IMPORTO", "30"}});
        m_operator = store.add("OPERATORE", {{"OPERATORE", "NERI"}});
        const QList<QPair<QString, QVariant>> service = {
            {"ANNO", 2026},          {"MESE", 3},           {"ID_CL", client},     {"ID_CAUS", reason},
            {"DATAR", "02/03/2026"}, {"CLIENTE", "ROSSI"},  {"CAUSALE", "VISITA"}, {"QTA", "1"},
            {"IMPORTO", "30"},       {"OPERATORE", "NERI"}, {"PARC", "N"}};
        store.add("PRESTAZIONI", QList(service) << QPair<QString, QVariant>("ID_OPER", m_operator));
        m_service = store.add("PRESTAZIONI", QList(service) << QPair<QString, QVariant>("ID_OPER", operatorId));
    });
    drive(&m_program.main());
    return shown;
}

// As when another window of the program closes.
void AnomaliesTest::returnToMain()
{
    m_program.main().hide();
    m_program.main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_program.main()));
}

int AnomaliesTest::warnings()
{
    int count = 0;
    for (const auto &shown : m_program.messages().shown())
        count += shown.title == "Velmora  - ANOMALIE "
            && shown.text == "Attenzione , ci sono delle segnalazioni di anomalie nelle registrazioni ! ";
    return count;
}

void AnomaliesTest::warnsAtEveryActivationUntilTheRowIsCorrected()
{
    QVERIFY(start(QVariant()));
    QTRY_COMPARE(warnings(), 1);
    returnToMain();
    QTRY_COMPARE(warnings(), 2);

    trigger("Segnalazioni");
    GridList *found = list("ListView6");
    QCOMPARE(found->count(), 1);
    QCOMPARE(found->rowText(0), QString::number(m_service));
    QCOMPARE(found->subItem(0, 7), QString("ROSSI"));
    QCOMPARE(found->subItem(0, 4), QString());
    clickRow("ListView6", 0, 7);
    QVERIFY(get("Frame1")->isVisible() && !get("Frame9")->isVisible());
    QCOMPARE(field("T14")->text(), QString::number(m_service));
    QCOMPARE(field("Text1")->text(), QString());
    QCOMPARE(get<QPushButton>("Cmd1")->text(), QString("Modifica"));
    // Kept on purpose: the command bar comes back usable with "&Modifica"
    // alone; shown but disabled it would leave no way on after the update.
    QVERIFY(get("Frame4")->isEnabled());
    QVERIFY(get("Cmd4")->isEnabled() && !get("Cmd3")->isEnabled() && !get("Cmd5")->isEnabled());

    pick("Cbo4", "NERI");
    pick("Cbo2", "VISITA");
    m_program.messages().answer(true);
    press("Cmd1");
    QCOMPARE(m_program.messages().last().text, QString("L' aggiornamento  è avvenuto con successo !"));
    QCOMPARE(m_program.store().text(QString("SELECT ID_OPER FROM PRESTAZIONI WHERE ID = %1").arg(m_service)),
             QString::number(m_operator));

    returnToMain();
    QCoreApplication::processEvents();
    QCOMPARE(warnings(), 2);
    trigger("Segnalazioni");
    QCOMPARE(list("ListView6")->count(), 0);
}

// Deleting an operator still in use is allowed; its services then point
// nowhere, and the check sees them as it sees a missing link.
void AnomaliesTest::linksToDeletedRowsAreAnomalies()
{
    QVERIFY(start(m_operator));
    QTRY_COMPARE(warnings(), 0);
    trigger("GPrestazioni");
    press("Cmd3");
    trigger("Goperatori");
    tick("C6");
    clickRow("ListView2", 0);
    m_program.messages().answer(true);
    press("Cmd2");
    QCOMPARE(m_program.store().text("SELECT count(*) FROM OPERATORE"), QString("0"));

    returnToMain();
    QTRY_COMPARE(warnings(), 1);
    trigger("Segnalazioni");
    QCOMPARE(list("ListView6")->count(), 2);
    QCOMPARE(list("ListView6")->subItem(0, 14), QString("NERI"));
    // A client deleted past the last one, and one in a gap between two, count too.
    Connection &store = m_program.store().connection();
    store.execute("INSERT INTO OPERATORE (OPERATORE) VALUES ('BIANCHI')");
    store.execute("UPDATE PRESTAZIONI SET ID_OPER = (SELECT max(ID) FROM OPERATORE)");
    QCOMPARE(anomalies::count(store), 0);
    const qint64 first = m_program.store().add("SOGGETTI", {{"Soggetto", "VERDI"}});
    m_program.store().add("SOGGETTI", {{"Soggetto", "GIALLI"}});
    store.execute(QString("UPDATE PRESTAZIONI SET ID_CL = %1 WHERE ID = %2").arg(first).arg(m_service));
    store.execute(QString("DELETE FROM SOGGETTI WHERE ID = %1").arg(first));
    QCOMPARE(anomalies::count(store), 1);
    store.execute("DELETE FROM SOGGETTI WHERE Soggetto = 'GIALLI'");
    store.execute(QString("UPDATE PRESTAZIONI SET ID_CL = %1").arg(first + 1));
    QCOMPARE(anomalies::count(store), 2);
}

VELMORA_TEST_MAIN(AnomaliesTest)
#include "tst_anomalies.moc"
