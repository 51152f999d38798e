// The copy of the store made at the confirmed exit and at the first start of
// the day: online copy, reopening, structure check and row counts, on the
// generated store of 100,000 services.
#include "archive/archiveexport.h"
#include "archive/backup.h"
#include "benchmain.h"
#include "generatedstore.h"

#include <QDir>
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

// The whole archive exported; argument: 0 XLSX, 1 CSV, 2 plain SQLite.
void ArchiveExport(benchmark::State &state)
{
    const auto format = archiveexport::Format(state.range(0));
    for (auto _ : state) {
        QTemporaryDir folder;
        archiveexport::write(GeneratedStore::standard().connection(), format, folder.filePath(QStringLiteral("export")));
    }
}

}

BENCHMARK(ArchiveExport)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BackupCopy)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, [] { GeneratedStore::standard(); });
}
