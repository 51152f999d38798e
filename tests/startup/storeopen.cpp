#include "archive/backup.h"
#include "scriptedmessages.h"
#include "startup/startup.h"
#include "store/connection.h"
#include "store/recordset.h"
#include "store/storefile.h"
#include "testenvironment.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray digest(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// A start of the program on that store: its message when it could not go on.
QString startOn(const QString &path, std::unique_ptr<Startup> *kept = nullptr)
{
    ScriptedMessages messages;
    auto startup = std::make_unique<Startup>(messages, path);
    const bool started = startup->begin();
    startup->splash().stop();
    if (kept && started)
        *kept = std::move(startup);
    return started ? QString() : messages.last().text;
}

}

// Where the store lives, who may open it, and what is checked before the
// main window shows.
class StoreOpenTest : public QObject
{
    Q_OBJECT

private slots:
    void aNewStoreGoesToTheUsersDataFolder();
    void aStoreBesideTheProgramIsUsedWhereItLies();
    void aSecondStartOnOneStoreEndsTouchingNothing();
    void aLockLeftByACrashedRunIsTakenOver();
    void leftoversOfAnInterruptedFirstStartAreRemoved();
    void aMissingColumnIsNamedAtStart();
    void aFolderThatCannotBeWrittenIsReportedAtStart();
    void theFirstStartOfTheDayCopiesTheStore();
};

void StoreOpenTest::aNewStoreGoesToTheUsersDataFolder()
{
    QTemporaryDir program;
    const QString path = storefile::location(program.path());
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QCOMPARE(path, data + "/velmora/Database.db");
    QVERIFY(data.startsWith(qEnvironmentVariable("XDG_DATA_HOME")));

    std::unique_ptr<Startup> running;
    QCOMPARE(startOn(path, &running), QString());
    QVERIFY(QFileInfo(path).isFile());
    QVERIFY(QDir(program.path()).isEmpty());
}

void StoreOpenTest::aStoreBesideTheProgramIsUsedWhereItLies()
{
    QTemporaryDir program;
    const QString beside = storefile::pathIn(program.path());
    {
        Connection made; // by an earlier version: no tables of the electronic invoices
        storefile::openOrCreate(made, beside);
    }
    QCOMPARE(storefile::location(program.path()), beside);
    std::unique_ptr<Startup> running;
    QCOMPARE(startOn(beside, &running), QString());
    QCOMPARE(QDir(program.path()).entryList(QDir::Files), QStringList({"Database.db", "Database.db.lock"}));
    running.reset();
    {
        Connection upgraded;
        upgraded.open(beside, storefile::password);
        QCOMPARE(Recordset(upgraded, "SELECT name FROM sqlite_master WHERE name = 'STUDIO'").recordCount(), 1);
    }
    // From then on a start leaves the file as it is.
    const QByteArray before = digest(beside);
    QCOMPARE(startOn(beside, &running), QString());
    running.reset();
    QCOMPARE(digest(beside), before);
}

void StoreOpenTest::aSecondStartOnOneStoreEndsTouchingNothing()
{
    QTemporaryDir dir;
    const QString path = storefile::pathIn(dir.path());
    std::unique_ptr<Startup> first;
    QCOMPARE(startOn(path, &first), QString());
    const QByteArray before = digest(path);

    const QString refused = startOn(path);
    QVERIFY2(refused.contains(path), qPrintable(refused));
    QVERIFY2(refused.contains("già in uso da un'altra copia del programma"), qPrintable(refused));
    QVERIFY2(refused.contains(QSysInfo::machineHostName()), qPrintable(refused));
    QVERIFY2(refused.contains(QString::number(QCoreApplication::applicationPid())), qPrintable(refused));
    QCOMPARE(digest(path), before);

    first.reset(); // the run ends: the store is free again
    std::unique_ptr<Startup> next;
    QCOMPARE(startOn(path, &next), QString());
}

void StoreOpenTest::aLockLeftByACrashedRunIsTakenOver()
{
    QTemporaryDir dir;
    const QString path = storefile::pathIn(dir.path());
    const pid_t child = fork();
    if (child == 0) {
        QLockFile held(path + ".lock");
        held.tryLock(0);
        _exit(0); // dies holding it, as a crash would
    }
    int status = 0;
    waitpid(child, &status, 0);
    QVERIFY(QFile::exists(path + ".lock"));
    std::unique_ptr<Startup> running;
    QCOMPARE(startOn(path, &running), QString());
}

void StoreOpenTest::leftoversOfAnInterruptedFirstStartAreRemoved()
{
    QTemporaryDir dir;
    const QString path = storefile::pathIn(dir.path());
    for (const char *name : {"Database.db.nuovo-4242", "Database.db.nuovo-17"}) {
        QFile half(dir.filePath(name));
        QVERIFY(half.open(QIODevice::WriteOnly));
        half.write("mezzo database");
    }
    std::unique_ptr<Startup> running;
    QCOMPARE(startOn(path, &running), QString());
    QCOMPARE(QDir(dir.path()).entryList({"*.nuovo-*"}, QDir::Files), QStringList());
    QVERIFY(QFileInfo(path).isFile());
}

void StoreOpenTest::aMissingColumnIsNamedAtStart()
{
    QTemporaryDir dir;
    const QString path = storefile::pathIn(dir.path());
    {
        Connection store;
        storefile::openOrCreate(store, path);
        store.execute("DROP TABLE SOGGETTI");
        store.execute("CREATE TABLE SOGGETTI (ID INTEGER PRIMARY KEY AUTOINCREMENT, Stato TEXT, Soggetto TEXT)");
    }
    const QString refused = startOn(path);
    QVERIFY2(refused.contains("nella tabella SOGGETTI manca la colonna DataN"), qPrintable(refused));
}

void StoreOpenTest::aFolderThatCannotBeWrittenIsReportedAtStart()
{
    // Even root cannot make files there.
    const QString path = "/proc/self/Database.db";
    const QString refused = startOn(path);
    QVERIFY2(refused.contains("nella cartella /proc/self non si può scrivere"), qPrintable(refused));
}

void StoreOpenTest::theFirstStartOfTheDayCopiesTheStore()
{
    QTemporaryDir dir;
    const QString path = storefile::pathIn(dir.path());
    const QString copies = backup::folderOf(path);
    for (int start = 0; start < 2; ++start) {
        ScriptedMessages messages;
        Startup startup(messages, path);
        QVERIFY(startup.begin());
        startup.splash().stop();
        startup.checkStore();
        QTRY_COMPARE(backup::list(copies).size(), 1);
    }
    QCOMPARE(backup::list(copies).size(), 1); // the second start of the day added none
}

VELMORA_SUITE_CASE(StoreOpenTest)
#include "storeopen.moc"
