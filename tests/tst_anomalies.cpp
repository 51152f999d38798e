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
    void linksToDeletedRowsAreNoAnomaly();
    void checkReadsOnlyTheRowsThatLostALink();

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
            {"ANNO", 2026},          {"MESE", 3},      {"ID_CL", client},     {"ID_CAUS", reason},
            {"DATAR", "02/03/2026"}, {"CLIENTE", "ROSSI"}, {"CAUSALE", "VISITA"}, {"QTA", "1"},
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

void AnomaliesTest::linksToDeletedRowsAreNoAnomaly()
{
    QVERIFY(start(999));
    returnToMain();
    QCoreApplication::processEvents();
    QCOMPARE(warnings(), 0);
    trigger("Segnalazioni");
    QCOMPARE(list("ListView6")->count(), 0);
}

// The check runs at every activation: it must not read the whole register.
void AnomaliesTest::checkReadsOnlyTheRowsThatLostALink()
{
    FILE_STORE_ONLY();
    QVERIFY(start(QVariant()));
    Recordset plan(m_program.store().connection(), "EXPLAIN QUERY PLAN " + anomalies::statement());
    QStringList steps;
    for (; !plan.eof(); plan.moveNext())
        steps << plan.fields(3).text();
    QVERIFY2(steps.join(' ').contains("PRESTAZIONI_ANOMALIE"), qPrintable(steps.join(" / ")));
}

VELMORA_TEST_MAIN(AnomaliesTest)
#include "tst_anomalies.moc"
