#include "imports/importpreview.h"
#include "imports/importruns.h"
#include "imports/italianvalues.h"
#include "imports/sheetfile.h"
#include "officefiles.h"
#include "store/statement.h"
#include "store/storeerror.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QTemporaryDir>

#include <zip.h>

// Reading the files offices bring, in every form they come in, and what
// the import refuses before anything is written.
class ImportFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void theFormsOfficesKeepReadAlike_data();
    void theFormsOfficesKeepReadAlike();
    void whatIsNotASpreadsheetIsToldWhatItIs_data();
    void whatIsNotASpreadsheetIsToldWhatItIs();
    void datesAndAmountsReadAsOfficesWriteThem();
    void anImportThatFailsHalfwayWritesNothing();

private:
    QTemporaryDir m_dir;
};

namespace {

const QList<QStringList> Table = {
    {"Ragione sociale", "C.F.", "Data di nascita", "Comune", "Importo", "Note"},
    {"Rossi  Mario", "RSSMRA80A01H501U", "01/01/1980", "Roma", "1234,50", "cliente; storico, € 5"},
    {"Caffè Cantù S.r.l.", "", "", "Cantù", "12,00", "riga \"uno\"\nriga due"},
};

QByteArray csvOf(const QList<QStringList> &rows, QChar separator)
{
    QStringList lines;
    for (const QStringList &row : rows) {
        QStringList cells;
        for (QString cell : row) {
            if (cell.contains(separator) || cell.contains('"') || cell.contains('\n'))
                cell = '"' + cell.replace("\"", "\"\"") + '"';
            cells << cell;
        }
        lines << cells.join(separator);
    }
    return lines.join("\r\n").toUtf8() + "\r\n";
}

QByteArray windows1252(const QByteArray &utf8)
{
    QByteArray bytes;
    for (const QChar c : QString::fromUtf8(utf8))
        bytes += c == QChar(0x20AC) ? char(0x80) : char(c.unicode());
    return bytes;
}

QByteArray utf16(const QByteArray &utf8)
{
    const QString text = QString::fromUtf8(utf8);
    return QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

}

void ImportFilesTest::theFormsOfficesKeepReadAlike_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("form");
    const QString dir = m_dir.path() + '/';
    officefiles::writeBytes(dir + "a.csv", "\xEF\xBB\xBF" + csvOf(Table, ';'));
    officefiles::writeBytes(dir + "b.csv", windows1252(csvOf(Table, ',')));
    officefiles::writeBytes(dir + "c.txt", utf16(csvOf(Table, '\t')));
    officefiles::writeBytes(dir + "g.txt", utf16(csvOf(Table, '\t')).mid(2));
    officefiles::writeBytes(dir + "d.csv", "sep=,\r\n" + csvOf(Table, ','));
    officefiles::writeXlsx(dir + "e.xlsx", Table);
    officefiles::writeOds(dir + "f.ods", Table);
    QTest::newRow("CSV UTF-8 with ;") << "a.csv"
                                      << "CSV (UTF-8, separatore \";\")";
    QTest::newRow("CSV Windows-1252 with ,") << "b.csv"
                                             << "CSV (Windows-1252, separatore \",\")";
    QTest::newRow("UTF-16 without its mark") << "g.txt"
                                             << "CSV (UTF-16, separatore tabulazione)";
    QTest::newRow("Unicode text, tabs") << "c.txt"
                                        << "CSV (UTF-16, separatore tabulazione)";
    QTest::newRow("Excel's sep= line") << "d.csv"
                                       << "CSV (UTF-8, separatore \",\")";
    QTest::newRow("XLSX, second sheet") << "e.xlsx"
                                        << "XLSX, foglio \"Clienti\"";
    QTest::newRow("ODS") << "f.ods"
                         << "ODS, foglio \"Foglio1\"";
}

void ImportFilesTest::theFormsOfficesKeepReadAlike()
{
    QFETCH(QString, name);
    QFETCH(QString, form);
    const bool workbook = name.endsWith("xlsx") || name.endsWith("ods");
    const sheetfile::Read read = sheetfile::read(m_dir.filePath(name), name.endsWith("xlsx") ? "clienti" : QString());
    QCOMPARE(read.form, form);
    QCOMPARE(read.sheet.headers, Table.first());
    QCOMPARE(read.sheet.rows.size(), 2);
    for (int r = 0; r < 2; ++r) {
        QStringList expected = Table.at(r + 1);
        // A spreadsheet keeps an amount as a number: "1234,5".
        if (workbook)
            expected[4] = italianvalues::amount(expected[4])->valueText();
        QCOMPARE(read.sheet.rows.at(r).number, r + 2);
        QCOMPARE(read.sheet.rows.at(r).cells.mid(0, 6), expected);
    }
    if (name.endsWith("xlsx"))
        QCOMPARE(read.sheets, QStringList({"Note", "Clienti"}));
}

void ImportFilesTest::whatIsNotASpreadsheetIsToldWhatItIs_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("told");
    officefiles::writeXlsx(m_dir.filePath("whole.xlsx"), Table);
    QFile whole(m_dir.filePath("whole.xlsx"));
    whole.open(QIODevice::ReadOnly);
    const QByteArray xlsx = whole.readAll();
    int failed = 0;
    zip_t *archive = zip_open(QFile::encodeName(m_dir.filePath("other.zip")).constData(), ZIP_CREATE | ZIP_TRUNCATE, &failed);
    zip_file_add(archive, "leggimi.txt", zip_source_buffer(archive, "testo", 5, 0), 0);
    zip_close(archive);
    QFile other(m_dir.filePath("other.zip"));
    other.open(QIODevice::ReadOnly);
    QTest::newRow("a ZIP of something else") << other.readAll() << "archivio ZIP, non un foglio di calcolo";
    QTest::newRow("a NUL in a CSV") << QByteArray("Nome;Codice\nRossi;RSS\0MRA\n", 26)
                                    << "alla riga 2 contiene caratteri di controllo";
    QTest::newRow("a broken XLSX") << xlsx.left(xlsx.size() / 2) << "danneggiato";
    QTest::newRow("a PDF") << QByteArray("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n") << "è un PDF";
    QTest::newRow("an old XLS") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) << "vecchio formato di Excel";
    QTest::newRow("an image") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) << "contiene caratteri di controllo";
    QTest::newRow("an empty file") << QByteArray() << "non contiene righe";
    QTest::newRow("blank lines only") << QByteArray(";;\r\n\r\n ; \r\n") << "non contiene righe";
}

void ImportFilesTest::whatIsNotASpreadsheetIsToldWhatItIs()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, told);
    const QString path = m_dir.filePath("file");
    officefiles::writeBytes(path, bytes);
    try {
        sheetfile::read(path);
        QFAIL("read as a sheet");
    } catch (const StoreError &error) {
        QVERIFY2(error.message().contains(told), qPrintable(error.message()));
    }
}

void ImportFilesTest::datesAndAmountsReadAsOfficesWriteThem()
{
    for (const char *written : {"3/2/2026", "03-02-2026", "3.2.2026", "03/02/26", "2026-02-03", "2026-02-03 00:00:00"})
        QCOMPARE(italianvalues::date(written), std::optional(QDate(2026, 2, 3)));
    for (const char *written : {"3 febbraio 2026", "3 Feb 2026", "03 feb. 2026"})
        QCOMPARE(italianvalues::date(written), std::optional(QDate(2026, 2, 3)));
    QCOMPARE(italianvalues::date("12/3/85"), std::optional(QDate(1985, 3, 12)));
    QCOMPARE(italianvalues::date("31/02/2026"), std::nullopt);
    const std::pair<const char *, qint64> amounts[] = {{"1.234,50", 123450},    {"1234,5", 123450},  {"1234.5", 123450},
                                                       {"1,234.50", 123450},    {"€ 1.234", 123400}, {"-3", -300},
                                                       {"1.234.567", 123456700}};
    for (const auto &[text, cents] : amounts)
        QCOMPARE(italianvalues::amount(text).value_or(Money()).cents(), cents);
    QCOMPARE(italianvalues::amount("12 euro circa"), std::nullopt);
    QVERIFY(italianvalues::looksLikeFormula("=SOMMA(A1:A3)") && italianvalues::looksLikeFormula("@cmd")
            && italianvalues::looksLikeFormula("+A1"));
    QVERIFY(!italianvalues::looksLikeFormula("-12,50") && !italianvalues::looksLikeFormula("+39 06 1234"));
}

// A failure at the third client, after two were written: the transaction
// takes them back, and no import run is left.
void ImportFilesTest::anImportThatFailsHalfwayWritesNothing()
{
    TestStore store;
    const int before = store.count("SELECT ID FROM SOGGETTI");
    Sheet sheet{{"Ragione sociale"}, {{2, {"UNO"}}, {3, {"DUE"}}, {4, {"TRE"}}}};
    const importpreview::Preview preview = importpreview::build(store.connection(), importfields::Table::Clients, sheet, {0});
    QCOMPARE(preview.imported(), 3);
    Statement(store.connection(),
              "CREATE TEMP TRIGGER guasto BEFORE INSERT ON SOGGETTI WHEN NEW.Soggetto = 'TRE' "
              "BEGIN SELECT RAISE(ABORT, 'disco pieno'); END")
        .run();
    QVERIFY_THROWS_EXCEPTION(StoreError, importruns::write(store.connection(), preview, "clienti.csv"));
    QCOMPARE(store.count("SELECT ID FROM SOGGETTI"), before);
    QVERIFY(importruns::recent(store.connection()).isEmpty());
}

VELMORA_FILE_SUITE_CASE(ImportFilesTest)
#include "files.moc"
