// The FatturaPA files of a year's bills: each bill read from the register,
// worked out, written, checked against the official schema and the SdI's
// rules, and recorded with its progressive; on a copy of the generated
// store of 100,000 services, with 1,000 bills of two services each added.
#include "benchmain.h"
#include "einvoice/invoicefiles.h"
#include "einvoice/receipts.h"
#include "store/schema.h"
#include "generatedstore.h"
#include "store/transaction.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// A year before the generated register, and past: the SdI refuses a bill
// dated after today.
constexpr int Year = 2020;

GeneratedStore &billedStore(int bills)
{
    static std::unique_ptr<GeneratedStore> store;
    if (store)
        return *store;
    store = GeneratedStore::copy(100000, 10000);
    Connection &c = store->connection();
    schema::ensureInvoiceTables(c);
    Transaction transaction(c);
    c.execute(QStringLiteral("INSERT INTO STUDIO (DENOMINAZIONE, PIVA, REGIME, INDIRIZZO, CAP, COMUNE, PR, IBAN, CASSA, ALCASSA, "
                             "RITENUTA, ALRITENUTA, TIPORITENUTA, CAUSALEPAG, ALIQUOTA, BOLLO, PROGRESSIVO) VALUES "
                             "('STUDIO ROSSI', '01234560017', 'RF01', 'VIA ROMA 1', '00184', 'ROMA', 'RM', "
                             "'IT60X0542811101000000123456', 'TC01', 4, 'S', 20, 'RT02', 'A', 22, 'N', 0)"));
    for (int bill = 1; bill <= bills; ++bill) {
        c.execute(QStringLiteral("INSERT INTO SOGGETTI (Soggetto, Indirizzo, ComuneR, PrR, CAP, PIVA) VALUES (?, 'VIA VERDI 2', "
                                 "'MILANO', 'MI', '20121', '12345670017')"),
                  {QStringLiteral("CLIENTE FATTURA %1").arg(bill)});
        const qint64 client = c.lastInsertId();
        c.execute(QStringLiteral("INSERT INTO FE_CLIENTI (ID_CL, CODDEST) VALUES (?, 'M5UXCR1')"), {client});
        for (const char *reason : {"ONORARI", "SPESE GENERALI"})
            c.execute(QStringLiteral("INSERT INTO PRESTAZIONI (ID_CL, CLIENTE, ID_CAUS, CAUSALE, ID_OPER, DATAR, QTA, IMPORTO, "
                                     "PARC, DATAP, NR) VALUES (?, 'CLIENTE', 1, ?, 1, ?, '2', ?, 'S', ?, ?)"),
                      {client, QString::fromLatin1(reason), QDate(Year, 3, 1), qint64(12345 + bill), QDate(Year, 3, 31),
                       QString::number(bill)});
    }
    transaction.commit();
    return *store;
}

QStringList numbers(int bills)
{
    QStringList all;
    for (int bill = 1; bill <= bills; ++bill)
        all << QString::number(bill);
    return all;
}

// As "Genera XML" writes the bills without a file: one batch.
void GenerateInvoiceFiles(benchmark::State &state)
{
    Connection &c = billedStore(int(state.range(0))).connection();
    for (auto _ : state) {
        QTemporaryDir folder;
        if (invoicefiles::generate(c, numbers(int(state.range(0))), Year, folder.path()).written.size() != state.range(0))
            state.SkipWithError("bills refused");
        state.PauseTiming();
        c.execute(QStringLiteral("UPDATE STUDIO SET PROGRESSIVO = 0"));
        state.ResumeTiming();
    }
}

// As "velmora-cli fattura" writes them, called once per bill: a commit each.
void GenerateInvoiceFilesOneByOne(benchmark::State &state)
{
    Connection &c = billedStore(int(state.range(0))).connection();
    for (auto _ : state) {
        QTemporaryDir folder;
        for (const QString &number : numbers(int(state.range(0))))
            invoicefiles::generate(c, number, Year, folder.path());
        state.PauseTiming();
        c.execute(QStringLiteral("UPDATE STUDIO SET PROGRESSIVO = 0"));
        state.ResumeTiming();
    }
}

// The SdI's delivery receipts for every file of the year, made from its
// published example, in a folder of their own; the files written once.
QString receiptsFolder(Connection &c, int bills)
{
    static QTemporaryDir files, receipts;
    static bool made = false;
    if (made)
        return receipts.path();
    made = true;
    invoicefiles::generate(c, numbers(bills), Year, files.path());
    QFile sample(QStringLiteral(VELMORA_MESSAGES "/IT01234567890_11111_RC_001.xml"));
    sample.open(QIODevice::ReadOnly);
    const QByteArray example = sample.readAll();
    for (int bill = 1; bill <= bills; ++bill) {
        const QString name = QStringLiteral("IT01234560017_%1").arg(bill, 5, 10, QLatin1Char('0'));
        QFile receipt(QDir(receipts.path()).filePath(name + QStringLiteral("_RC_001.xml")));
        receipt.open(QIODevice::WriteOnly);
        receipt.write(QByteArray(example).replace("IT01234567890_11111.xml.p7m", (name + QStringLiteral(".xml")).toUtf8()));
    }
    return receipts.path();
}

// "Leggi ricevute...": every receipt checked, matched and kept, in one
// transaction.
void ReadReceipts(benchmark::State &state)
{
    Connection &c = billedStore(int(state.range(0))).connection();
    const QString folder = receiptsFolder(c, int(state.range(0)));
    for (auto _ : state) {
        const auto outcomes = receipts::readFolder(c, folder);
        if (outcomes.size() != state.range(0) || outcomes.last().result != receipts::Outcome::Result::Kept) {
            state.SkipWithError(outcomes.isEmpty() ? "no receipts" : qPrintable(receipts::describe(outcomes.last())));
            break;
        }
        state.PauseTiming();
        c.execute(QStringLiteral("DELETE FROM FE_RICEVUTE"));
        state.ResumeTiming();
    }
}

// What "Fatture elettroniche" lists: the year's bills, each worked out.
void BillsOfYear(benchmark::State &state)
{
    Connection &c = billedStore(int(state.range(0))).connection();
    for (auto _ : state)
        benchmark::DoNotOptimize(invoicefiles::ofYear(c, Year));
}

}

BENCHMARK(ReadReceipts)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BillsOfYear)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(GenerateInvoiceFiles)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(GenerateInvoiceFilesOneByOne)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, [] { billedStore(1000); });
}
