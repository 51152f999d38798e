#include "programundertest.h"
#include "testenvironment.h"
#include "windowdriver.h"
#include "ui/dropdown.h"
#include "ui/gridlist.h"
#include "ui/tickbox.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

// The reasons and operators panels of the main window, on a real store:
// what they write, what they refuse, their tick-box cascades, and the
// service editor's lists following them.
class MasterDataTest : public QObject, private WindowDriver
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void reasonsAreAddedChangedAndDeletedAndTheEditorFollows();
    void reasonsRefuseBadPricesAndMissingPicks();
    void operatorsAreStoredInUpperCaseAndTheEditorFollows();
    void everyTickSwitchEndsWithNoActionChosen();

private:
    void trigger(const char *name) { m_window->findChild<QAction *>(name)->trigger(); }
    QString caption(const char *button) { return get<QPushButton>(button)->text(); }
    int rowOf(const char *list, const QString &text, int column = 1);
    ScriptedMessages &messages() { return m_program.messages(); }
    int reasons() { return m_program.store().count("SELECT * FROM CAUSALE"); }

    ProgramUnderTest m_program;
    MainWindow *m_window = nullptr;
};

void MasterDataTest::init()
{
    QVERIFY(m_program.start());
    m_window = &m_program.main();
    drive(m_window);
}

void MasterDataTest::cleanup()
{
    m_program.stop();
}

int MasterDataTest::rowOf(const char *name, const QString &text, int column)
{
    GridList *l = list(name);
    for (int row = 0; row < l->count(); ++row)
        if (l->subItem(row, column) == text)
            return row;
    return -1;
}

void MasterDataTest::reasonsAreAddedChangedAndDeletedAndTheEditorFollows()
{
    const qint64 kept = m_program.store().add("CAUSALE", {{"CAUSALE", "VISITA"}, {"IMPORTO", "30"}});
    const qint64 service = m_program.store().add(
        "PRESTAZIONI", {{"CLIENTE", "ROSSI"}, {"CAUSALE", "VISITA"}, {"ID_CAUS", kept}, {"ID_CL", 1}, {"ID_OPER", 1}});
    trigger("GPrestazioni");
    press("Cmd3");
    trigger("GCausali");
    QVERIFY(!field("T10")->isEnabled());
    QCOMPARE(caption("Cmd8"), QString());
    QCOMPARE(list("ListView1")->count(), 1);

    tick("C7");
    QCOMPARE(caption("Cmd8"), QString("Inserisci"));
    QVERIFY(field("T10")->isEnabled());
    type("T10", "Visita dell'anno");
    QTest::keyClick(field("T10"), Qt::Key_Return);
    QVERIFY(field("T11")->hasFocus());
    QTest::keyClicks(field("T11"), "12.5x");
    QCOMPARE(field("T11")->text(), QString("12,5"));
    field("T10")->setFocus();
    QCOMPARE(field("T11")->text(), QString("12,50"));
    messages().answer(true);
    press("Cmd8");
    QCOMPARE(messages().last().title, QString("Velmora   - INSERIMENTO"));
    QCOMPARE(messages().last().text, QString("L' inserimento è avvenuto con successo !"));
    QCOMPARE(m_program.store().text("SELECT IMPORTO FROM CAUSALE WHERE CAUSALE = 'Visita dell''anno'"), QString("12,5"));
    // "Inserisci" stays for the next reason, which goes to its alphabetical place.
    QVERIFY(get<TickBox>("C7")->isTicked() && field("T10")->text().isEmpty() && field("T11")->text().isEmpty());
    type("T10", "ACCESSO");
    type("T11", "1234,56");
    messages().answer(true);
    press("Cmd8");
    GridList *reasonList = list("ListView1");
    QCOMPARE(reasonList->count(), 3);
    QCOMPARE(reasonList->subItem(0, 1), QString("ACCESSO"));
    QCOMPARE(reasonList->subItem(0, 2), QString("1234,56"));
    QCOMPARE(reasonList->subItem(rowOf("ListView1", "Visita dell'anno"), 2), QString("12,50"));

    tick("C7");
    tick("C8");
    QCOMPARE(get<QLabel>("L4")->text(), QString("Seleziona la Causale"));
    clickRow("ListView1", rowOf("ListView1", "Visita dell'anno"));
    QCOMPARE(field("T10")->text(), QString("Visita dell'anno"));
    QCOMPARE(field("T11")->text(), QString("12,50"));
    type("T11", "20");
    press("Cmd8"); // answered No: nothing changes
    QVERIFY(messages().last().question);
    QCOMPARE(m_program.store().text("SELECT IMPORTO FROM CAUSALE WHERE CAUSALE = 'Visita dell''anno'"), QString("12,5"));
    messages().answer(true);
    press("Cmd8");
    QCOMPARE(messages().last().text, QString("L' aggiornamento  è avvenuto con successo !"));
    QCOMPARE(m_program.store().text("SELECT IMPORTO FROM CAUSALE WHERE CAUSALE = 'Visita dell''anno'"), QString("20"));
    QVERIFY(!get<TickBox>("C8")->isTicked());
    QCOMPARE(caption("Cmd8"), QString());

    // A reason still used by a service goes; the service keeps its copy and its old link.
    tick("C9");
    clickRow("ListView1", rowOf("ListView1", "VISITA"));
    messages().answer(true);
    press("Cmd8");
    QCOMPARE(messages().last().title, QString("Velmora  - ELIMINAZIONE"));
    QCOMPARE(messages().last().text, QString("Eliminazione  di       VISITA   effettuata con successo ! "));
    QCOMPARE(reasons(), 2);
    QCOMPARE(m_program.store().row("PRESTAZIONI", service).at(5), QString::number(kept));

    press("Picture4");
    const auto *editorReasons = get<DropDown>("Cbo2");
    QStringList offered;
    for (int i = 0; i < editorReasons->count(); ++i)
        offered << editorReasons->itemText(i);
    QVERIFY(offered.contains("Visita dell'anno") && offered.contains("ACCESSO") && !offered.contains("VISITA"));
}

void MasterDataTest::reasonsRefuseBadPricesAndMissingPicks()
{
    m_program.store().add("CAUSALE", {{"CAUSALE", "VISITA"}, {"IMPORTO", "30"}});
    trigger("GCausali");
    tick("C7");
    press("Cmd8");
    QCOMPARE(messages().last().text, QString("Inserire il campo CAUSALE"));
    type("T10", "PRATICA");
    press("Cmd8");
    QCOMPARE(messages().last().title, QString("ERRORE - CAMPO   VUOTO"));
    QCOMPARE(messages().last().text, QString("Inserire il campo IMPORTO"));
    type("T11", "1,2,3");
    press("Cmd8");
    QCOMPARE(messages().last().text, QString("Il campo IMPORTO non è valido "));
    QVERIFY(!messages().last().question);
    QCOMPARE(reasons(), 1);
    // A pasted text longer than the column is told, not cut.
    type("T11", "5");
    field("T10")->setText(QString(300, QChar('P')));
    field("T10")->selectAll();
    field("T10")->copy();
    field("T10")->clear();
    field("T10")->paste();
    QCOMPARE(field("T10")->text().size(), 300);
    press("Cmd8");
    QCOMPARE(messages().last().title, QString("Velmora ERRORE - CAMPO TROPPO LUNGO"));
    QCOMPARE(messages().last().text,
             QString("Il campo Causale è lungo 300 caratteri: al massimo ne prende 255.\n"
                     "Accorciarlo prima di salvare."));
    QCOMPARE(reasons(), 1);

    // "Aggiorna" and "Elimina" with fields typed but no row picked.
    for (const char *box : {"C8", "C9"}) {
        tick("C7");
        tick(box);
        type("T10", "ALTRO");
        type("T11", "5");
        messages().answer(true);
        press("Cmd8");
        QCOMPARE(messages().last().text, QString("ERRORE - Occorre selezionare una Causale !"));
        QCOMPARE(m_program.store().text("SELECT CAUSALE FROM CAUSALE"), QString("VISITA"));
        tick(box);
        tick("C7");
    }
    QCOMPARE(reasons(), 1);
}

void MasterDataTest::operatorsAreStoredInUpperCaseAndTheEditorFollows()
{
    trigger("GPrestazioni");
    press("Cmd3");
    trigger("Goperatori");
    QVERIFY(!field("T9")->isEnabled() && !get("L1")->isVisible());
    tick("C4");
    QVERIFY(field("T9")->isEnabled());
    QTest::keyClicks(field("T9"), "d'amico");
    QCOMPARE(field("T9")->text(), QString("D'AMICO"));
    messages().answer(true);
    press("Cmd2");
    QCOMPARE(messages().last().text, QString("L' inserimento è avvenuto con successo !"));
    QCOMPARE(m_program.store().text("SELECT OPERATORE FROM OPERATORE"), QString("D'AMICO"));

    tick("C4");
    tick("C5");
    QVERIFY(get("L1")->isVisible());
    QCOMPARE(get<QLabel>("L1")->text(), QString("Seleziona Operatore"));
    QVERIFY(!field("T9")->isEnabled());
    press("Cmd2");
    QCOMPARE(messages().last().text, QString("Inserire il campo Operatore"));
    clickRow("ListView2", 0);
    QCOMPARE(field("T9")->text(), QString("D'AMICO"));
    type("T9", "bianchi");
    messages().answer(true);
    press("Cmd2");
    QCOMPARE(messages().last().text, QString("L' aggiornamento  è avvenuto con successo !"));
    QCOMPARE(m_program.store().text("SELECT OPERATORE FROM OPERATORE"), QString("BIANCHI"));
    QVERIFY(!get("L1")->isVisible() && caption("Cmd2").isEmpty());

    tick("C4");
    press("Picture2");
    QCOMPARE(get<DropDown>("Cbo4")->findText("BIANCHI"), get<DropDown>("Cbo4")->count() - 1);
    // Reopened, "Inserisci" is still ticked but the field waits for a new tick.
    trigger("Goperatori");
    QVERIFY(get<TickBox>("C4")->isTicked() && !field("T9")->isEnabled());

    tick("C4");
    tick("C6");
    clickRow("ListView2", 0);
    messages().answer(true);
    press("Cmd2");
    QCOMPARE(messages().last().text, QString("Eliminazione effettuata con successo ! "));
    QCOMPARE(m_program.store().count("SELECT * FROM OPERATORE"), 0);
}

void MasterDataTest::everyTickSwitchEndsWithNoActionChosen()
{
    m_program.store().add("CAUSALE", {{"CAUSALE", "VISITA"}, {"IMPORTO", "30"}});
    m_program.store().add("OPERATORE", {{"OPERATORE", "ROSSI"}});
    struct Panel
    {
        const char *menu;
        const char *boxes[3];
        const char *button;
        const char *field;
        bool fieldEnabledAfter;
    };
    const Panel panels[] = {{"GCausali", {"C7", "C8", "C9"}, "Cmd8", "T10", false},
                            {"Goperatori", {"C4", "C5", "C6"}, "Cmd2", "T9", true}};
    for (const Panel &panel : panels) {
        for (const char *ticked : panel.boxes) {
            for (const char *clicked : panel.boxes) {
                trigger(panel.menu);
                for (const char *box : panel.boxes)
                    get<TickBox>(box)->setTicked(false);
                tick(ticked);
                QVERIFY(!caption(panel.button).isEmpty());
                tick(clicked);
                const QByteArray pair = QByteArray(ticked) + " then " + clicked;
                for (const char *box : panel.boxes)
                    QVERIFY2(!get<TickBox>(box)->isTicked(), pair);
                QVERIFY2(caption(panel.button).isEmpty(), pair);
                QVERIFY2(field(panel.field)->isEnabled() == panel.fieldEnabledAfter, pair);
                QVERIFY2(field(panel.field)->text().isEmpty(), pair);
            }
        }
    }
    QVERIFY(!get("L1")->isVisible());
}

VELMORA_TEST_MAIN(MasterDataTest)
#include "tst_masterdata.moc"
