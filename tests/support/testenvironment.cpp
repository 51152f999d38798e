#include "testenvironment.h"
#include "testserver.h"

#include <QDir>
#include <QTemporaryDir>

void useHome(const QString &home)
{
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
    qputenv("XDG_DATA_HOME", (home + "/.local/share").toUtf8());
    qputenv("XDG_CACHE_HOME", (home + "/.cache").toUtf8());
    qunsetenv("XDG_DESKTOP_DIR");
}

void prepareTestEnvironment()
{
    static QTemporaryDir home;
    useHome(home.path());
}

namespace testsuite {

namespace {

struct Registered
{
    Case run;
    bool fileOnly;
};

QList<Registered> &cases()
{
    static QList<Registered> all;
    return all;
}

}

bool add(Case run, bool fileOnly)
{
    cases().append({run, fileOnly});
    return true;
}

int runAll(int argc, char **argv)
{
    int failed = 0;
    // Not through QSKIP in initTestCase: Qt Test keeps that skip for the
    // classes run after it in the same program.
    for (const Registered &c : cases()) {
        if (c.fileOnly && testserver::inUse())
            continue;
        QTemporaryDir home;
        useHome(home.path());
        failed += c.run(argc, argv);
    }
    return failed;
}

}
