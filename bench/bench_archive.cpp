// On the generated store of 100,000 services: the copy of the store made at
// the confirmed exit and at the first start of the day (online copy,
// reopening, structure check and row counts), the export of the archive, and
// the undoing of a billing run; the confirmed exit itself, also at a million.
#include "archive/archiveexport.h"
#include "archive/backup.h"
#include "archive/billingruns.h"
#include "archivewindows/archivemenu.h"
#include "benchmain.h"
#include "generatedstore.h"
#include "quietmessages.h"
#include "shell/mainwindow.h"
#include "store/transaction.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QTemporaryDir>

namespace {

void BackupCopy(benchmark::State &state)
{
    QTemporaryDir folder;
    for (auto _ : state) {
        const QString copy = backup::make(GeneratedStore::standard().connection(), folder.path());
        state.PauseTiming();
        QFile::remove(copy);
        state.ResumeTiming();
    }
}

// From the Yes of "&Esci dal programma" to the program ended, after a
// verified copy made in the same run; the second argument 1 when a service
// was added after that copy (the exit then has velmora-cli copy the store
// again, on its own: its copy is waited for outside the time measured).
void ConfirmedExit(benchmark::State &state)
{
    const int services = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        const auto store = GeneratedStore::copy(services, services >= 1000000 ? 50000 : 10000);
        QuietMessages messages(true);
        MainWindow window(store->connection(), messages);
        window.show();
        QCoreApplication::processEvents();
        window.findChild<QAction *>(QStringLiteral("ArchivioCopia"))->trigger();
        window.findChild<ArchiveMenu *>()->setCopyProgram(QStringLiteral(VELMORA_CLI));
        const QString folder = backup::folderOf(store->path());
        const QString made = backup::list(folder).first().path;
        if (state.range(1) == 1)
            store->connection().execute(QStringLiteral("INSERT INTO OPERATORE (OPERATORE) VALUES ('NERI')"));
        state.ResumeTiming();
        window.findChild<QAction *>(QStringLiteral("MenuEsci"))->trigger();
        state.PauseTiming();
        QElapsedTimer waited;
        waited.start();
        const auto copying = [&] {
            const QList<backup::Copy> copies = backup::list(folder);
            return (state.range(1) == 1 && (copies.isEmpty() || copies.first().path == made))
                || !QDir(folder).entryList({QStringLiteral("copia-in-corso*")}).isEmpty();
        };
        while (copying() && waited.elapsed() < 120000)
            QThread::msleep(100);
        state.ResumeTiming();
    }
}

// The whole archive exported; argument: 0 XLSX, 1 CSV, 2 plain SQLite.
void ArchiveExport(benchmark::State &state)
{
    const auto format = archiveexport::Format(state.range(0));
    for (auto _ : state) {
        QTemporaryDir folder;
        archiveexport::write(GeneratedStore::standard().connection(), format, folder.filePath(QStringLiteral("export")));
    }
}

// A run that billed as many unbilled services as the argument, undone.
qint64 billedRun(Connection &store, int services)
{
    Transaction transaction(store);
    const qint64 run = billingruns::begin(store, QString::fromLatin1(billingruns::massPanel));
    billingruns::keep(store, run, QStringLiteral("ID IN (SELECT ID FROM PRESTAZIONI WHERE PARC = 'N' LIMIT ?)"), {services});
    store.execute(QStringLiteral("UPDATE PRESTAZIONI SET PARC = 'S', DATAP = ?, NR = '1' "
                                 "WHERE ID IN (SELECT ID_PREST FROM PARCELLAZIONI_RIGHE WHERE ID_PARC = ?)"),
                  {QDate(2026, 12, 7), run});
    billingruns::finish(store, run);
    transaction.commit();
    return run;
}

void UndoBillingRun(benchmark::State &state)
{
    Connection &store = GeneratedStore::standard().connection();
    for (auto _ : state) {
        state.PauseTiming();
        const qint64 run = billedRun(store, int(state.range(0)));
        state.ResumeTiming();
        state.counters["restored"] = billingruns::undo(store, run).restored;
    }
}

}

BENCHMARK(UndoBillingRun)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ArchiveExport)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BackupCopy)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ConfirmedExit)->ArgsProduct({{100000, 1000000}, {0, 1}})->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, [] { GeneratedStore::standard(); });
}
