#include "archive/backup.h"
#include "archive/restore.h"
#include "store/recordset.h"
#include "store/schema.h"
#include "store/sqlite/sqliteengine.h"
#include "store/storeerror.h"
#include "store/storefile.h"
#include "startup/storecheck.h"
#include "store/transaction.h"
#include "fullfiles.h"
#include "killedrun.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <csignal>
#include <unistd.h>

// The copies of the store: made while it is open, verified, thinned out.
class BackupTest : public QObject
{
    Q_OBJECT

private slots:
    void aCopyIsMadeVerifiedAndOpensWithTheStoresKey();
    void aCopyOfADamagedStoreIsRefusedAndLeavesNothing();
    void copiesAreKeptSevenDailyFourWeeklyTwelveMonthly();
    void aCopyIsPutBackAndTheStoreBeforeItKept();
    void aDamagedCopyIsNeverPutBack();
    void aStoreOfTheFormerPagesOpensWorksAndIsCopiedAsItIs();
    void killedCopiesNeverCountAsCopies();
    void anUnfinishedCopyIsMadeAgainAtTheNextStart();
    void aKilledRestoreLeavesTheOldStoreOrTheNew();
    void aRestoreOnAFullDiskSaysWhyAndKeepsTheStore();
};

namespace {

// A register large enough that a copy takes a while, so kills land inside it.
void fill(Connection &store, int services)
{
    Transaction transaction(store);
    for (int i = 0; i < services; ++i)
        store.execute("INSERT INTO PRESTAZIONI (CLIENTE, CAUSALE, IMPORTO, PARC, NOTE) VALUES (?, ?, ?, 'N', ?)",
                      {QString("CLIENTE %1").arg(i % 500), "CONSULENZA", "12,50", QString(40, QChar('n'))});
    transaction.commit();
}

// Every copy the folder lists opens with its counts: none is a killed one.
bool everyListedCopyIsSound(const QString &folder)
{
    const auto copies = backup::list(folder);
    return std::all_of(copies.begin(), copies.end(), [](const backup::Copy &copy) { return backup::isSound(copy); });
}

qint64 servicesIn(const QString &path)
{
    Connection store;
    store.open(path, storefile::password);
    return Recordset(store, "SELECT count(*) FROM PRESTAZIONI").fields(0).toInteger();
}

}

void BackupTest::aStoreOfTheFormerPagesOpensWorksAndIsCopiedAsItIs()
{
    QTemporaryDir dir;
    const QString path = storefile::pathIn(dir.path());
    {
        // As every store was made before its pages grew to 4 KiB.
        Connection former;
        former.create(path, storefile::password, 1024);
        schema::install(former);
        former.execute("INSERT INTO SOGGETTI (Soggetto, Stato) VALUES ('ROSSI', 'S')");
    }
    Connection store;
    storefile::openOrCreate(store, path);
    QCOMPARE(sqliteEngineOf(store)->pageSize(), 1024);
    store.execute("INSERT INTO SOGGETTI (Soggetto, Stato) VALUES ('BIANCHI', 'S')");
    QCOMPARE(Recordset(store, "SELECT count(*) FROM SOGGETTI").fields(0).text(), QString("2"));
    Connection copy;
    copy.open(backup::make(store), storefile::password);
    QCOMPARE(sqliteEngineOf(copy)->pageSize(), 1024);
    QCOMPARE(Recordset(copy, "SELECT count(*) FROM SOGGETTI").fields(0).text(), QString("2"));
    // A new store has the larger pages.
    Connection fresh;
    storefile::openOrCreate(fresh, storefile::pathIn(dir.filePath("nuovo")));
    QCOMPARE(sqliteEngineOf(fresh)->pageSize(), Connection::NewPageSize);
}

void BackupTest::aCopyIsMadeVerifiedAndOpensWithTheStoresKey()
{
    TestStore store;
    store.add("SOGGETTI", {{"Soggetto", "ROSSI"}, {"Stato", "S"}});
    store.add("PRESTAZIONI", {{"CLIENTE", "ROSSI"}, {"IMPORTO", "12,50"}, {"PARC", "N"}});
    const QString path = backup::make(store.connection());
    QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(store.path()).absolutePath() + "/backup");
    QVERIFY(backup::madeToday(backup::folderOf(store.path())));
    Connection copy;
    copy.open(path, storefile::password);
    QCOMPARE(Recordset(copy, "SELECT IMPORTO FROM PRESTAZIONI").fields(0).text(), QString("12,5"));
    QCOMPARE(Recordset(copy, "SELECT * FROM DATI").recordCount(), 7901);
    const auto copies = backup::list(backup::folderOf(store.path()));
    QCOMPARE(copies.size(), 1);
    QCOMPARE(copies.first().path, path);
}

void BackupTest::aCopyOfADamagedStoreIsRefusedAndLeavesNothing()
{
    TestStore store;
    store.connection().close();
    QFile file(store.path());
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.seek(file.size() / 2);
    QByteArray noise(8192, 0);
    for (char &byte : noise)
        byte = char(QRandomGenerator::global()->bounded(256));
    file.write(noise);
    file.close();
    Connection damaged;
    damaged.open(store.path(), storefile::password);
    QVERIFY_THROWS_EXCEPTION(StoreError, backup::make(damaged));
    // No copy, whole or in part: only the mark that one is still to be made.
    QCOMPARE(QDir(backup::folderOf(store.path())).entryList(QDir::Files),
             QStringList{QString("copia-in-corso.parziale-%1").arg(QCoreApplication::applicationPid())});
}

void BackupTest::copiesAreKeptSevenDailyFourWeeklyTwelveMonthly()
{
    QTemporaryDir dir;
    TestStore store;
    const QString sound = backup::make(store.connection(), dir.filePath("fonte"));
    // Two copies a day (start and exit) for 400 days, and one made before a
    // restore: one sound copy under every name.
    const QDateTime last(QDate(2026, 12, 7), QTime(18, 0));
    const auto name = [&](const QDateTime &made) {
        return dir.filePath("Database-" + made.toString("yyyy-MM-dd-HHmmss-zzz") + ".db");
    };
    for (int day = 0; day < 400; ++day)
        for (int hour : {8, 18})
            QCOMPARE(::link(QFile::encodeName(sound), QFile::encodeName(name({last.date().addDays(-day), QTime(hour, 0)}))), 0);
    QCOMPARE(::link(QFile::encodeName(sound),
                    QFile::encodeName(dir.filePath("Database-2025-01-01-120000-000-prima-del-ripristino.db"))),
             0);
    // What a copy killed in its first moments left under a copy's name, in
    // an earlier version: it stands for no day, and goes.
    QFile(name({last.date(), QTime(19, 0)})).open(QIODevice::WriteOnly);
    QFile(dir.filePath("Database-2026-12-07-200000-000-prima-del-ripristino.db")).open(QIODevice::WriteOnly);
    backup::rotate(dir.path());
    QStringList kept;
    for (const backup::Copy &copy : backup::list(dir.path()))
        kept << copy.made.toString("yyyy-MM-dd HH") + (copy.label.isEmpty() ? "" : " " + copy.label);
    // Each of the last 7 days, the newest of the 4 weeks and of 12 months.
    // The last 7 days; the newest of each of 4 weeks (Monday 7 December opens
    // one); the newest of each of 12 months; the copy made before a restore.
    QCOMPARE(kept, QStringList({"2026-12-07 18", "2026-12-06 18", "2026-12-05 18",
                                "2026-12-04 18", "2026-12-03 18", "2026-12-02 18",
                                "2026-12-01 18", "2026-11-30 18", "2026-11-29 18",
                                "2026-11-22 18", "2026-10-31 18", "2026-09-30 18",
                                "2026-08-31 18", "2026-07-31 18", "2026-06-30 18",
                                "2026-05-31 18", "2026-04-30 18", "2026-03-31 18",
                                "2026-02-28 18", "2026-01-31 18", "2025-01-01 12 prima-del-ripristino"}));
    backup::rotate(dir.path());
    QCOMPARE(backup::list(dir.path()).size(), kept.size());
}

void BackupTest::aCopyIsPutBackAndTheStoreBeforeItKept()
{
    TestStore store;
    store.add("SOGGETTI", {{"Soggetto", "ROSSI"}, {"Stato", "S"}});
    store.add("PRESTAZIONI", {{"CLIENTE", "ROSSI"}, {"IMPORTO", "30"}, {"PARC", "N"}});
    const QString copy = backup::make(store.connection());
    // The wrong month billed, a client deleted: the copy is put back.
    store.connection().execute("UPDATE PRESTAZIONI SET PARC = 'S', NR = '9'");
    store.connection().execute("DELETE FROM SOGGETTI");
    const QString kept = restore::fromCopy(store.connection(), copy);
    QVERIFY(store.connection().isOpen());
    QCOMPARE(store.text("SELECT PARC FROM PRESTAZIONI"), QString("N"));
    QCOMPARE(store.text("SELECT Soggetto FROM SOGGETTI"), QString("ROSSI"));
    QVERIFY(kept.endsWith("-prima-del-ripristino.db"));
    Connection before;
    before.open(kept, storefile::password);
    QCOMPARE(Recordset(before, "SELECT * FROM SOGGETTI").recordCount(), 0);
    QCOMPARE(Recordset(before, "SELECT NR FROM PRESTAZIONI").fields(0).text(), QString("9"));
}

void BackupTest::aDamagedCopyIsNeverPutBack()
{
    TestStore store;
    store.add("SOGGETTI", {{"Soggetto", "ROSSI"}, {"Stato", "S"}});
    const QString copy = backup::make(store.connection());
    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.seek(file.size() / 2);
    file.write(QByteArray(8192, '\x5a'));
    file.close();
    store.connection().execute("UPDATE SOGGETTI SET Soggetto = 'BIANCHI'");
    QVERIFY_THROWS_EXCEPTION(StoreError, restore::fromCopy(store.connection(), copy));
    QVERIFY(store.connection().isOpen());
    QCOMPARE(store.text("SELECT Soggetto FROM SOGGETTI"), QString("BIANCHI"));
}

void BackupTest::killedCopiesNeverCountAsCopies()
{
    TestStore store;
    fill(store.connection(), 20000);
    const QString folder = backup::folderOf(store.path());
    const QStringList run{"copia", "--archivio", store.path()};
    const int whole = wholeRunMilliseconds(QStringLiteral(VELMORA_CLI), run);
    for (const backup::Copy &copy : backup::list(folder))
        QFile::remove(copy.path);
    int killed = 0;
    int leftUnfinished = 0;
    for (int step = 0; step < 16; ++step) {
        const bool wasKilled = runKilledAfter(QStringLiteral(VELMORA_CLI), run, whole * step / 16);
        killed += wasKilled;
        QVERIFY(everyListedCopyIsSound(folder));
        QCOMPARE(backup::madeToday(folder), !backup::list(folder).isEmpty());
        // A copy finished settles every one left unfinished before it.
        leftUnfinished += wasKilled && backup::unfinished(folder);
        if (!wasKilled)
            QCOMPARE(backup::unfinished(folder), std::nullopt);
    }
    QVERIFY(killed > 4);
    QVERIFY(leftUnfinished > 0);
    // The next copy removes what the killed ones left, and the day keeps one.
    QVERIFY(!runKilledAfter(QStringLiteral(VELMORA_CLI), run, 60000));
    QCOMPARE(backup::list(folder).size(), 1);
    QCOMPARE(QDir(folder).entryList({"*.parziale-*"}, QDir::Files), QStringList());
}

// The day has its copy, but a later one was begun and not finished (its
// program ended first): the next start makes one in its place, and says so.
void BackupTest::anUnfinishedCopyIsMadeAgainAtTheNextStart()
{
    TestStore store;
    const QString folder = backup::folderOf(store.path());
    backup::make(store.connection());
    qint64 ended = 0;
    QVERIFY(QProcess::startDetached("true", {}, QString(), &ended));
    QTRY_VERIFY(kill(pid_t(ended), 0) != 0);
    QFile mark(QDir(folder).filePath(QString("copia-in-corso.parziale-%1").arg(ended)));
    QVERIFY(mark.open(QIODevice::WriteOnly));
    mark.close();
    QCOMPARE(backup::unfinished(folder), std::optional(QString()));
    {
        StoreCheck check;
        QSignalSpy inPlace(&check, &StoreCheck::madeInPlaceOfUnfinished);
        QSignalSpy copied(&check, &StoreCheck::copied);
        QVERIFY(check.start(store.path()));
        QTRY_COMPARE_WITH_TIMEOUT(copied.count(), 1, 30000);
        QCOMPARE(inPlace.count(), 1);
    }
    QCOMPARE(backup::unfinished(folder), std::nullopt);
    QVERIFY(!mark.exists());
    QCOMPARE(backup::list(folder).size(), 1);
    // With nothing left unfinished, the day's copy is not made twice.
    const QString newest = backup::list(folder).first().path;
    {
        StoreCheck again;
        QVERIFY(again.start(store.path()));
    }
    QCOMPARE(backup::list(folder).first().path, newest);
}

void BackupTest::aKilledRestoreLeavesTheOldStoreOrTheNew()
{
    TestStore store;
    fill(store.connection(), 5000);
    const QString copy = backup::make(store.connection());
    fill(store.connection(), 5000);
    store.connection().close();
    const QStringList run{"ripristina", copy, "--archivio", store.path()};
    const int whole = wholeRunMilliseconds(QStringLiteral(VELMORA_CLI), run);
    int killed = 0;
    for (int step = 0; step < 16; ++step) {
        {
            // Each try starts from the store of 10,000 services.
            Connection current;
            current.open(store.path(), storefile::password);
            if (Recordset(current, "SELECT count(*) FROM PRESTAZIONI").fields(0).toInteger() == 5000)
                fill(current, 5000);
        }
        killed += runKilledAfter(QStringLiteral(VELMORA_CLI), run, whole * step / 16);
        // The old store or the whole copy, never a missing or half one.
        QVERIFY(QList<qint64>({5000, 10000}).contains(servicesIn(store.path())));
        QVERIFY(everyListedCopyIsSound(backup::folderOf(store.path())));
    }
    QVERIFY(killed > 4);
}

void BackupTest::aRestoreOnAFullDiskSaysWhyAndKeepsTheStore()
{
    TestStore store;
    store.add("SOGGETTI", {{"Soggetto", "ROSSI"}, {"Stato", "S"}});
    const QString copy = backup::make(store.connection());
    store.connection().execute("UPDATE SOGGETTI SET Soggetto = 'BIANCHI'");
    // No new file may grow past 64 KiB: the store cannot be set aside.
    QString told;
    try {
        const FullFiles full(64 * 1024);
        restore::fromCopy(store.connection(), copy);
    } catch (const StoreError &error) {
        told = error.message();
    }
    QVERIFY2(told.startsWith("l'archivio attuale non può essere messo da parte: copia di sicurezza non riuscita: "
                             "la copia non può essere scritta"),
             qPrintable(told));
    QVERIFY(!store.connection().isDamaged());
    QCOMPARE(store.text("SELECT Soggetto FROM SOGGETTI"), QString("BIANCHI"));
    QCOMPARE(backup::list(backup::folderOf(store.path())).size(), 1);
    QCOMPARE(QDir(backup::folderOf(store.path())).entryList({"Database-*.parziale-*"}, QDir::Files), QStringList());
}

VELMORA_FILE_SUITE_CASE(BackupTest)
#include "copies.moc"
