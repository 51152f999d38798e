#include "programundertest.h"
#include "testserver.h"
#include "clients/clientwindow.h"
#include "store/recordset.h"
#include "store/sqltext.h"
#include "testenvironment.h"
#include "windowdriver.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

// Input at the door: what a field refuses when typed it refuses when pasted,
// and what reaches the store is checked at the save, never cut.
class InputTest : public QObject, private WindowDriver
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_program.stop(); }
    void pastedTextHoldsToTheFieldsRules();
    void aSaveRefusesWhatTheColumnDoesNotTakeAndCutsNothing();
    void controlCharactersNeverReachTheStore();

private:
    void paste(const char *name, const QString &text);
    void newClient(const QString &code);

    ProgramUnderTest m_program;
};

void InputTest::init()
{
    QVERIFY(m_program.start());
    m_program.main().findChild<QAction *>("MenuClienti")->trigger();
    auto *window = m_program.window<ClientWindow>();
    QVERIFY(window);
    drive(window);
}

void InputTest::paste(const char *name, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    field(name)->setFocus();
    QTest::keyClick(field(name), Qt::Key_V, Qt::ControlModifier);
}

void InputTest::newClient(const QString &code)
{
    press("CmdInserisci");
    QTest::keyClicks(field("Text26"), code);
    QTest::keyClick(field("Text26"), Qt::Key_Return);
}

void InputTest::pastedTextHoldsToTheFieldsRules()
{
    newClient("RSSMRA80A01H501U");
    const struct
    {
        const char *field;
        QString refused, taken;
    } cases[] = {
        {"Text7", "06 ABC 123", "06123"}, // phone: digits only
        {"Text12", "06-123", "06123"}, // fax
        {"Text4", "001189", "00118"}, // postal code: five at most
        {"Text9", "IT01234567890", "0123,45"}, // VAT number: its characters, eleven at most
        {"Text5", QString(28, 'X'), QString(27, 'X')}, // IBAN
    };
    for (const auto &c : cases) {
        paste(c.field, c.refused);
        QVERIFY2(field(c.field)->text().isEmpty(), c.field);
        paste(c.field, c.taken);
        QCOMPARE(field(c.field)->text(), c.taken);
        field(c.field)->clear();
    }
    // A "." pasted into the VAT number arrives as ",", as when typed.
    paste("Text9", "0123.45");
    QCOMPARE(field("Text9")->text(), QString("0123,45"));
}

void InputTest::aSaveRefusesWhatTheColumnDoesNotTakeAndCutsNothing()
{
    newClient("RSSMRA80A01H501U");
    const QString longName = QString("ROSSI ").repeated(60); // 360 characters
    paste("Text2", longName);
    QCOMPARE(field("Text2")->text(), longName);
    m_program.messages().answer(true);
    press("Cmd2");
    QCOMPARE(m_program.messages().last().title, QString("Velmora................ERRORE - CAMPO NON VALIDO"));
    QCOMPARE(m_program.messages().last().text,
             QString("Il campo SOGGETTO non è valido: il testo è di 360 caratteri, al massimo 255."));
    QCOMPARE(field("Text2")->text(), longName);
    QCOMPARE(m_program.store().count("SELECT * FROM SOGGETTI"), 0);

    // A postal code given whole, but not of five digits, as an editable list may bring it.
    field("Text2")->setText("ROSSI MARIO");
    field("Text4")->setText("0011");
    m_program.messages().answer(true);
    press("Cmd2");
    QCOMPARE(m_program.messages().last().text, QString("Il campo CAP non è valido: servono cinque cifre."));
    QCOMPARE(m_program.store().count("SELECT * FROM SOGGETTI"), 0);
    field("Text4")->setText("00118");
    m_program.messages().answer(true);
    press("Cmd2");
    QCOMPARE(m_program.store().text("SELECT CAP FROM SOGGETTI"), QString("00118"));
}

void InputTest::controlCharactersNeverReachTheStore()
{
    FILE_STORE_ONLY();
    TestStore &store = m_program.store();
    const qint64 id = store.add("OPERATORE", {{"OPERATORE", QString("ROS") + QChar(0) + QString("SI\x01\tA")}});
    QCOMPARE(store.text(QString("SELECT OPERATORE FROM OPERATORE WHERE ID = %1").arg(id)), QString("ROSSI\tA"));
    // A name with a NUL from an older store: the lookup finds nothing, it does not fail.
    store.connection().execute("UPDATE OPERATORE SET OPERATORE = 'A' || char(0) || 'B'");
    QCOMPARE(store.count("Select ID,OPERATORE From OPERATORE WHERE OPERATORE like '"
                         + doubledQuotes(QString("A") + QChar(0) + "B") + "'"),
             0);
}

VELMORA_TEST_MAIN(InputTest)
#include "tst_input.moc"
