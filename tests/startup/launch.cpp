#include "scriptedmessages.h"
#include "startup/desktopshortcut.h"
#include "startup/italian.h"
#include "startup/startup.h"
#include "store/recordset.h"
#include "store/storefile.h"
#include "testenvironment.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>

namespace {

QString readAll(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

// Counts how often a window is shown.
class ShowCounter : public QObject
{
public:
    int shows = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

}

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void firstStartShowsTheSplashThenTheMainWindowOnce();
    void aStoreThatCannotBeOpenedEndsTheStart();
    void shortcutIsRewrittenAtEveryStart();
    void speaksItalianWhateverTheMachine();
};

void StartupTest::firstStartShowsTheSplashThenTheMainWindowOnce()
{
    QTemporaryDir dir;
    ScriptedMessages messages;
    Startup startup(messages, storefile::pathIn(dir.path()));
    ShowCounter counter;
    startup.mainWindow().installEventFilter(&counter);
    auto *bar = startup.splash().findChild<QProgressBar *>("pb1");
    auto *timer = startup.splash().findChild<QTimer *>("Timer1");
    QSignalSpy steps(bar, &QProgressBar::valueChanged);

    QVERIFY(startup.begin());
    QVERIFY(startup.connection().isOpen()); // before the first tick
    QVERIFY(startup.splash().isVisible());
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 100);
    QCOMPARE(bar->maximum(), 200);
    QCOMPARE(startup.splash().findChild<QLabel *>("lblVersion")->text(), QString("Versione 1.0.1"));
    QCOMPARE(startup.splash().findChild<QLabel *>("lblProductName")->text(), QString("Velmora"));
    QCOMPARE(startup.splash().findChild<QLabel *>("lblCompany")->text(), QString("Ostrevia"));
    QVERIFY(!startup.mainWindow().isVisible());

    QTRY_VERIFY_WITH_TIMEOUT(startup.mainWindow().isVisible(), 8000);
    QVERIFY(!startup.splash().isVisible());
    QVERIFY(!timer->isActive());
    QCOMPARE(bar->value(), 195);
    QCOMPARE(steps.count(), 39);
    QCOMPARE(counter.shows, 1);
    QVERIFY(messages.shown().isEmpty());

    QVERIFY(QFile::exists(storefile::pathIn(dir.path())));
    QCOMPARE(Recordset(startup.connection(), "SELECT * FROM DATI").recordCount(), 7901);
    const QString entry = readAll(QDir(desktopshortcut::desktopFolder()).filePath("Corbelia.desktop"));
    QVERIFY2(entry.contains("Name=Corbelia\n"), qPrintable(entry));
    QVERIFY2(entry.contains("Exec=\"" + QCoreApplication::applicationFilePath() + "\"\n"), qPrintable(entry));
    QVERIFY2(entry.contains("Comment=Archivio: " + storefile::pathIn(dir.path()) + "\n"), qPrintable(entry));
}

void StartupTest::aStoreThatCannotBeOpenedEndsTheStart()
{
    QTemporaryDir dir;
    const QString path = storefile::pathIn(dir.path());
    QFile garbage(path);
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write("questo non è un database");
    garbage.close();

    ScriptedMessages messages;
    Startup startup(messages, path);
    QVERIFY(!startup.begin());
    QCOMPARE(messages.shown().size(), 1);
    QCOMPARE(messages.last().title, QString("Velmora - ERRORE"));
    QCOMPARE(messages.last().icon, Messages::Icon::Critical);
    QVERIFY2(messages.last().text.contains(path), qPrintable(messages.last().text));
    QVERIFY2(messages.last().text.contains("non è un database"), qPrintable(messages.last().text));
    QVERIFY(!startup.splash().isVisible());
    QVERIFY(!startup.splash().findChild<QTimer *>("Timer1")->isActive());
    QCOMPARE(readAll(path), QString("questo non è un database"));
}

void StartupTest::shortcutIsRewrittenAtEveryStart()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("Scrivania");
    QVERIFY(desktopshortcut::write(folder, "Corbelia", "/opt/velmora 2/velmora", "/home/studio/Database.db"));
    QFile::remove(QDir(folder).filePath("Corbelia.desktop"));
    QVERIFY(desktopshortcut::write(folder, "Corbelia", "/opt/velmora 2/velmora", "/home/studio/Database.db"));
    const QString entry = readAll(QDir(folder).filePath("Corbelia.desktop"));
    QVERIFY2(entry.contains("Exec=\"/opt/velmora 2/velmora\"\nPath=/opt/velmora 2\n"), qPrintable(entry));
    QVERIFY(QFileInfo(QDir(folder).filePath("Corbelia.desktop")).isExecutable());

    QFile blocker(dir.filePath("file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(!desktopshortcut::write(dir.filePath("file/sotto"), "Corbelia", "/x", "/y")); // fails quietly
}

void StartupTest::speaksItalianWhateverTheMachine()
{
    italian::install(*qApp); // the tests run under LANG=C.UTF-8
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString("&Sì"));
    QCOMPARE(QLocale().toString(1234.5, 'f', 2), QString("1.234,50"));
    QCOMPARE(QLocale().toString(QDate(2026, 12, 6), QLocale::LongFormat), QString("domenica 6 dicembre 2026"));
}

VELMORA_SUITE_CASE(StartupTest)
#include "launch.moc"
