// Bringing an office's data in: 10,000 clients and 100,000 services read
// from CSV, every row worked out for the preview, and written as one import
// run, into a copy of the store of 100,000 services and 10,000 clients.
#include "benchmain.h"
#include "generatedstore.h"
#include "imports/importruns.h"
#include "imports/sheetfile.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir made;
    return made;
}

QString writtenFile(const char *name, const QByteArray &bytes)
{
    const QString path = folder().filePath(QLatin1String(name));
    QFile file(path);
    if (!file.exists() && file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// As an office's old program exports them: a header, ";", Windows-1252.
QString clientsFile(int clients)
{
    static const char *const towns[] = {"Roma", "Milano", "Cantù", "Napoli", "Torino", "Comune Sconosciuto"};
    QString text = QStringLiteral("Ragione sociale;Codice fiscale;Partita IVA;Indirizzo;Comune;Prov.;CAP;Telefono;E-mail\r\n");
    for (int i = 0; i < clients; ++i)
        text += QStringLiteral("Nuovo Cliente %1;NVC%2A01H501X;%3;Via Roma %4;%5;;;+39 06 %6;c%1@example.it\r\n")
                    .arg(i)
                    .arg(i, 5, 10, QLatin1Char('0'))
                    .arg(i % 3 == 0 ? QStringLiteral("%1").arg(10000000000LL + i) : QString())
                    .arg(i % 200)
                    .arg(QString::fromUtf8(towns[i % 6]))
                    .arg(1000000 + i);
    return writtenFile("clienti.csv", text.toLatin1());
}

QString servicesFile(int services)
{
    QByteArray text = "Data;Cliente;Causale;Operatore;Quantità;Importo;Fatturata;Data fattura;N. fattura\r\n";
    for (int i = 0; i < services; ++i)
        text += QStringLiteral("%1/%2/2025;%3;CONSULENZA %4;OPERATORE %5;%6;%7;%8\r\n")
                    .arg(i % 28 + 1)
                    .arg(i % 12 + 1)
                    .arg(GeneratedStore::clientName(i % 10000))
                    .arg(i % 20)
                    .arg(i % 5)
                    .arg(i % 3 + 1)
                    .arg(i % 4 == 0 ? QStringLiteral("1.234,50") : QString())
                    .arg(i % 2 == 0 ? QStringLiteral("S;31/12/2025;%1").arg(i % 500 + 1) : QStringLiteral("N;;"))
                    .toUtf8();
    return writtenFile("prestazioni.csv", text);
}

// Argument: the rows of the file; the table, 0 clients, 1 services.
void Import(benchmark::State &state)
{
    const int rows = int(state.range(0));
    const auto table = state.range(1) == 0 ? importfields::Table::Clients : importfields::Table::Services;
    const QString file = table == importfields::Table::Clients ? clientsFile(rows) : servicesFile(rows);
    for (auto _ : state) {
        state.PauseTiming();
        const auto store = GeneratedStore::copy(100000, 10000);
        state.ResumeTiming();
        const sheetfile::Read read = sheetfile::read(file);
        const importpreview::Preview preview = importpreview::build(store->connection(), table, read.sheet,
                                                                    importfields::match(table, read.sheet.headers));
        const importruns::Written written = importruns::write(store->connection(), preview, file);
        if (written.rows != rows) {
            const auto failed = std::find_if(preview.rows.begin(), preview.rows.end(),
                                             [](const importpreview::Row &row) { return !row.error.isEmpty(); });
            state.SkipWithError(qPrintable(QStringLiteral("riga %1: %2").arg(failed->number).arg(failed->error)));
            break;
        }
    }
}

}

BENCHMARK(Import)
    ->ArgNames({"righe", "prestazioni"})
    ->Args({10000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, [] { GeneratedStore::standard(); });
}
