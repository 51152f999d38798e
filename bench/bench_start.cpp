// The start of the program on a generated register, the file's pages first
// dropped from the system's cache: from the start (the lock, the store opened
// and checked, the main window built) to the main window on screen, and on
// to the first "Tutti" of the services' search painted. The splash's own
// progress (its 3.9 s of timer) is left out: it is the same at any size of
// the register.
#include "benchmain.h"
#include "generatedstore.h"
#include "quietmessages.h"
#include "startup/startup.h"
#include "ui/dropdown.h"
#include "ui/gridlist.h"

#include <QPushButton>

#include <QTemporaryDir>
#include <fcntl.h>
#include <unistd.h>

namespace {

// What the next start reads comes from the disk, as after a reboot.
void dropFromCache(const QString &path)
{
    const int file = ::open(path.toLocal8Bit().constData(), O_RDONLY);
    if (file < 0)
        return;
    fdatasync(file);
    posix_fadvise(file, 0, 0, POSIX_FADV_DONTNEED);
    ::close(file);
}

void start(benchmark::State &state, bool toFirstList)
{
    GeneratedStore &store = GeneratedStore::sized(int(state.range(0)));
    store.connection().close();
    for (auto _ : state) {
        state.PauseTiming();
        dropFromCache(store.path());
        state.ResumeTiming();
        QuietMessages messages;
        Startup startup(messages, store.path());
        if (!startup.begin()) {
            state.SkipWithError("the start was refused");
            break;
        }
        startup.splash().stop();
        MainWindow &window = startup.mainWindow();
        window.show();
        QCoreApplication::processEvents();
        if (!toFirstList)
            continue;
        window.findChild<QPushButton *>(QStringLiteral("Cmd4"))->click();
        emit window.findChild<DropDown *>(QStringLiteral("Cbo5"))->picked(QStringLiteral("Tutti"));
        auto *list = window.findChild<GridList *>(QStringLiteral("ListView4"));
        list->repaint();
        if (list->count() != state.range(0))
            state.SkipWithError("\"Tutti\" does not list every service");
    }
}

void StartToMainWindow(benchmark::State &state)
{
    start(state, false);
}

void StartToFirstList(benchmark::State &state)
{
    start(state, true);
}

}

BENCHMARK(StartToMainWindow)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StartToFirstList)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    // The start writes its desktop shortcut: into a home of its own.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    qunsetenv("XDG_DESKTOP_DIR");
    return runBenchmarks(argc, argv, [] {});
}
