#include "archive/archiveexport.h"
#include "archive/billingruns.h"
#include "archive/tableexport.h"
#include "fullfiles.h"
#include "store/storeerror.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <sqlite3.h>

namespace {

QString unzipped(const QString &archive, const QString &member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, member});
    unzip.waitForFinished();
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

}

// The whole archive taken out, read back as another program would.
class ExportTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void csvIsWhatAnItalianSpreadsheetReads();
    void sqliteOpensWithoutTheProgram();
    void xlsxHasASheetPerTableWithNumbersAndDates();
    void anExistingFileIsNeverOverwritten();
    void everyTableOfTheStoreIsExported();
    void aShortWriteLeavesNoExportAtAll();

private:
    std::unique_ptr<TestStore> m_store;
    QTemporaryDir m_out;
};

void ExportTest::init()
{
    m_store = std::make_unique<TestStore>();
    m_store->add("SOGGETTI", {{"Soggetto", "ROSSI; \"IL GRANDE\""}, {"Stato", "S"}, {"DataN", "15/03/1980"}});
    m_store->add(
        "PRESTAZIONI",
        {{"CLIENTE", "ROSSI"}, {"DATAR", "01/03/2026"}, {"IMPORTO", "1.234,50"}, {"QTA", "1,5"}, {"PARC", "N"}, {"ANNO", 2026}});
}

void ExportTest::csvIsWhatAnItalianSpreadsheetReads()
{
    const QStringList files = archiveexport::write(m_store->connection(), archiveexport::Format::Csv, m_out.path());
    QCOMPARE(files.size(), m_store->connection().tableNames().size());
    QFile services(QDir(m_out.path()).filePath("PRESTAZIONI.csv"));
    QVERIFY(services.open(QIODevice::ReadOnly));
    const QByteArray bytes = services.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    const QStringList header = lines[0].split(';');
    const QStringList row = lines[1].split(';');
    QCOMPARE(row.value(header.indexOf("IMPORTO")), QString("1234,50"));
    QCOMPARE(row.value(header.indexOf("DATAR")), QString("01/03/2026"));
    QCOMPARE(row.value(header.indexOf("QTA")), QString("1,5"));
    QFile clients(QDir(m_out.path()).filePath("SOGGETTI.csv"));
    QVERIFY(clients.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(clients.readAll()).contains("\"ROSSI; \"\"IL GRANDE\"\"\";15/03/1980;"));
}

void ExportTest::sqliteOpensWithoutTheProgram()
{
    const QString path = m_out.filePath("archivio.db");
    archiveexport::write(m_store->connection(), archiveexport::Format::Sqlite, path);
    // No key and none of the program's collation or functions.
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt *stmt = nullptr;
    QCOMPARE(sqlite3_prepare_v2(db, "SELECT IMPORTO, DATAR, CLIENTE FROM PRESTAZIONI ORDER BY CLIENTE", -1, &stmt, nullptr),
             SQLITE_OK);
    QCOMPARE(sqlite3_step(stmt), SQLITE_ROW);
    QCOMPARE(sqlite3_column_double(stmt, 0), 1234.5);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1))), QByteArray("2026-03-01"));
    sqlite3_finalize(stmt);
    QCOMPARE(sqlite3_prepare_v2(db, "SELECT count(*) FROM DATI", -1, &stmt, nullptr), SQLITE_OK);
    sqlite3_step(stmt);
    QCOMPARE(sqlite3_column_int(stmt, 0), 7901);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

void ExportTest::xlsxHasASheetPerTableWithNumbersAndDates()
{
    const QString path = m_out.filePath("archivio.xlsx");
    archiveexport::write(m_store->connection(), archiveexport::Format::Xlsx, path);
    const QString workbook = unzipped(path, "xl/workbook.xml");
    for (const char *sheet : {"PRESTAZIONI", "SOGGETTI", "CAUSALE", "OPERATORE", "DATI"})
        QVERIFY2(workbook.contains(QString("name=\"%1\"").arg(sheet)), sheet);
    const QString services = unzipped(path, "xl/worksheets/sheet1.xml");
    QVERIFY2(services.contains("<v>1234.5</v>"), qPrintable(services.left(2000)));
    QVERIFY2(services.contains("<v>46082</v>"), qPrintable(services.left(2000))); // 01/03/2026 as a date serial
    QVERIFY(unzipped(path, "xl/styles.xml").contains("dd/mm/yyyy"));
    QVERIFY(unzipped(path, "xl/sharedStrings.xml").contains("<t>ROSSI; \"IL GRANDE\"</t>"));
}

void ExportTest::anExistingFileIsNeverOverwritten()
{
    const QString path = m_out.filePath("archivio.db");
    QFile kept(path);
    QVERIFY(kept.open(QIODevice::WriteOnly));
    kept.write("mio");
    kept.close();
    QVERIFY_THROWS_EXCEPTION(StoreError, archiveexport::write(m_store->connection(), archiveexport::Format::Sqlite, path));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("mio"));
}

void ExportTest::everyTableOfTheStoreIsExported()
{
    QTemporaryDir out;
    billingruns::begin(m_store->connection(), QString::fromLatin1(billingruns::massPanel));
    const QStringList written = archiveexport::write(m_store->connection(), archiveexport::Format::Csv, out.filePath("csv"));
    QStringList names;
    for (const QString &path : written)
        names << QFileInfo(path).fileName();
    for (const char *table : {"SOGGETTI", "PRESTAZIONI", "CAUSALE", "OPERATORE", "DATI", "PARCELLAZIONI"})
        QVERIFY(names.contains(QString::fromLatin1(table) + ".csv"));
    QVERIFY(names.contains("PARCELLAZIONI_RIGHE.csv"));
    QCOMPARE(QDir(out.filePath("csv")).entryList(QDir::Files).size(), names.size());
    const QString plain = out.filePath("archivio.db");
    archiveexport::write(m_store->connection(), archiveexport::Format::Sqlite, plain);
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open_v2(plain.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, "SELECT PANNELLO FROM PARCELLAZIONI", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

void ExportTest::aShortWriteLeavesNoExportAtAll()
{
    // A file may grow to 8 KiB only, as on a disk that fills up midway:
    // the municipalities alone take more.
    QTemporaryDir out;
    const QString existing = out.filePath("esistente");
    QDir().mkpath(existing);
    {
        const FullFiles full(8 * 1024);
        for (const auto &[format, destination] :
             {std::pair{archiveexport::Format::Csv, out.filePath("csv")}, std::pair{archiveexport::Format::Csv, existing},
              std::pair{archiveexport::Format::Sqlite, out.filePath("archivio.db")},
              std::pair{archiveexport::Format::Xlsx, out.filePath("archivio.xlsx")}})
            QVERIFY_THROWS_EXCEPTION(StoreError, archiveexport::write(m_store->connection(), format, destination));
        tableexport::Table list{{"Cliente"}, QList<QStringList>(20000, QStringList{"ROSSI MARIO"}), -1};
        QVERIFY_THROWS_EXCEPTION(StoreError, tableexport::write(list, tableexport::Format::Csv, out.filePath("lista.csv")));
    }
    // Nothing under a final name, and nothing left half-made beside it.
    QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList({"esistente"}));
    QCOMPARE(QDir(existing).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

VELMORA_SUITE_CASE(ExportTest)
#include "exports.moc"
