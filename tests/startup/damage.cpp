#include "archive/backup.h"
#include "store/schema.h"
#include "programundertest.h"
#include "archivewindows/restorewindow.h"
#include "startup/startup.h"
#include "store/integrity.h"
#include "store/storeerror.h"
#include "store/storefile.h"
#include "store/transaction.h"
#include "testenvironment.h"
#include "windowdriver.h"
#include "ui/gridlist.h"

#include <QAction>
#include <QPushButton>
#include <QCryptographicHash>
#include <QFile>
#include <QRandomGenerator>

namespace {

const QString DamageTitle = "Velmora - ARCHIVIO DANNEGGIATO";

// Services enough to fill the last pages of the file, which the damage hits.
void fillWithServices(Connection &connection)
{
    Transaction transaction(connection);
    for (int i = 0; i < 3000; ++i)
        connection.execute("INSERT INTO PRESTAZIONI (CLIENTE, CAUSALE, DATAR, IMPORTO, PARC, NOTE) "
                           "VALUES (?, 'VISITA', '2026-03-01', 1000, 'N', ?)",
                           {QString("CLIENTE %1").arg(i), QString("NOTA DELLA PRESTAZIONE %1").arg(i).repeated(3)});
    transaction.commit();
}

// 4 KiB of random bytes over a page, as a failing disk leaves them; by
// default among the last pages, which the open does not read.
void damage(const QString &path, qint64 at = -16 * 1024)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(at < 0 ? file.size() + at : at));
    QByteArray noise(4096, 0);
    QRandomGenerator random(4242);
    for (char &byte : noise)
        byte = char(random.bounded(256));
    file.write(noise);
}

QByteArray digest(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

int shownWithTitle(const ScriptedMessages &messages, const QString &title)
{
    return int(std::count_if(messages.shown().begin(), messages.shown().end(),
                             [&](const ScriptedMessages::Shown &m) { return m.title == title; }));
}

}

// A store damaged in the middle: found by the first read that meets the
// damage or by the full check after start, told to the user, and never
// written to again in that run.
class DamageTest : public QObject, private WindowDriver
{
    Q_OBJECT

private slots:
    void cleanup() { m_program.stop(); }
    void aListMeetingTheDamageSaysSoAndNothingIsWrittenAfter();
    void theCheckAfterStartFindsTheDamageTheWindowsDidNotMeet();
    void aSoundStorePassesTheCheck();

private:
    ProgramUnderTest m_program;
};

void DamageTest::aListMeetingTheDamageSaysSoAndNothingIsWrittenAfter()
{
    QVERIFY(m_program.start([](TestStore &store) {
        store.add("CAUSALE", {{"CAUSALE", "VISITA"}, {"IMPORTO", "30"}});
        fillWithServices(store.connection());
        backup::make(store.connection());
        // The services' own table, where any list of them reads.
        const qint64 root = store.text("SELECT rootpage FROM sqlite_master WHERE name = 'PRESTAZIONI'").toLongLong();
        store.connection().close();
        damage(store.path(), (root - 1) * Connection::NewPageSize);
        storefile::openOrCreate(store.connection(), store.path());
    }));
    const QString path = m_program.store().path();
    const QByteArray before = digest(path);
    MainWindow *window = &m_program.main();
    drive(window);
    window->findChild<QAction *>("GPrestazioni")->trigger();
    press("Cmd5");
    pick("Cbo5", "Tutti");
    QCOMPARE(shownWithTitle(m_program.messages(), DamageTitle), 1);
    // Told once, with the copies of the store offered.
    const auto told = m_program.messages().last();
    QVERIFY(told.question);
    QVERIFY2(told.text.contains("danneggiato") && told.text.contains(m_program.store().path()), qPrintable(told.text));
    QVERIFY2(told.text.contains("non scrive più"), qPrintable(told.text));
    QVERIFY2(told.text.endsWith("Aprire le copie di sicurezza per rimetterne al suo posto una ?"), qPrintable(told.text));
    // The keys may still read; the rows on the damaged pages show nothing.
    GridList *services = list("ListView4");
    bool blank = false;
    for (int row = 0; row < services->count() && !blank; ++row)
        blank = services->subItem(row, 7).isEmpty();
    QVERIFY(services->count() == 0 || blank);
    QCOMPARE(shownWithTitle(m_program.messages(), DamageTitle), 1);

    // The check on request finds it too, and offers the copies: the newest sound one is ready.
    m_program.messages().answer(true);
    window->findChild<QAction *>("ArchivioVerifica")->trigger();
    auto *copies = m_program.window<RestoreWindow>();
    QVERIFY(copies && copies->isVisible());
    QCOMPARE(copies->findChild<GridList *>("ListaCopie")->selectedRow(), 0);
    copies->findChild<QPushButton *>("CmdChiudi")->click();

    // A save after it, confirmed: refused with the same notice, the file untouched.
    window->findChild<QAction *>("GCausali")->trigger();
    tick("C7");
    type("T10", "ACCESSO");
    type("T11", "10");
    m_program.messages().answer(true);
    press("Cmd8");
    QCOMPARE(m_program.messages().last().title, DamageTitle);
    QCOMPARE(m_program.messages().last().icon, Messages::Icon::Critical);
    QCOMPARE(shownWithTitle(m_program.messages(), DamageTitle), 3);
    QVERIFY_THROWS_EXCEPTION(StoreError, m_program.store().connection().execute("DELETE FROM CAUSALE"));
    QCOMPARE(digest(path), before);
}

void DamageTest::theCheckAfterStartFindsTheDamageTheWindowsDidNotMeet()
{
    QTemporaryDir dir;
    const QString path = storefile::pathIn(dir.path());
    {
        Connection store;
        storefile::openOrCreate(store, path, schema::ensureInvoiceTables); // as the program makes it
        fillWithServices(store);
    }
    damage(path);
    ScriptedMessages messages;
    Startup startup(messages, path);
    QVERIFY(startup.begin());
    startup.splash().stop();
    QVERIFY(messages.shown().isEmpty()); // the open alone does not meet the damage
    startup.checkStore();
    QTRY_COMPARE(shownWithTitle(messages, DamageTitle), 1);
    QVERIFY2(messages.last().text.contains("errori nella struttura del file"), qPrintable(messages.last().text));
    try {
        startup.connection().execute("INSERT INTO OPERATORE (OPERATORE) VALUES ('ROSSI')");
        QFAIL("a write reached the damaged store");
    } catch (const StoreError &error) {
        QVERIFY(error.isDamage());
    }
}

void DamageTest::aSoundStorePassesTheCheck()
{
    TestStore store;
    fillWithServices(store.connection());
    QCOMPARE(integrity::problemsOf(store.path()), QString());
}

VELMORA_SUITE_CASE(DamageTest)
#include "damage.moc"
