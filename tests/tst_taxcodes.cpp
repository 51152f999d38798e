#include "taxcodes/iban.h"
#include "taxcodes/taxcode.h"
#include "taxcodes/vatnumber.h"
#include "testenvironment.h"

// The offline checks of tax codes, VAT numbers and IBANs, and what a tax
// code tells of its holder's birth.
class TaxCodesTest : public QObject
{
    Q_OBJECT

private slots:
    void checksTaxCodes_data();
    void checksTaxCodes();
    void readsTheBirthFromTheCode_data();
    void readsTheBirthFromTheCode();
    void checksVatNumbersAndIbans_data();
    void checksVatNumbersAndIbans();
};

void TaxCodesTest::checksTaxCodes_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("valid") << "RSSMRA80A01H501U"
                           << "valido";
    QTest::newRow("lower case and blanks") << " rssmra 80a01 h501u"
                                           << "valido";
    QTest::newRow("woman") << "RSSMRA80A41H501Y"
                           << "valido";
    QTest::newRow("omocodia") << "RSSMRA80A01H50MM"
                              << "valido";
    QTest::newRow("born abroad") << "VRDGPP85T10Z404L"
                                 << "valido";
    QTest::newRow("check letter") << "RSSMRA80A01H501A"
                                  << "non valido: carattere di controllo errato: atteso U";
    QTest::newRow("length") << "RSSMRA80A01H501"
                            << "non valido: lunghezza errata: 15 caratteri invece di 16";
    QTest::newRow("structure") << "RSSMRA8XA01H501U"
                               << "non valido: struttura errata: sei lettere, anno, mese, giorno, comune, controllo";
    QTest::newRow("month letter") << "RSSMRA80F01H501G"
                                  << "non valido: lettera del mese errata: F";
    QTest::newRow("day") << "RSSMRA80A35H501K"
                         << "non valido: giorno di nascita errato: 35";
    QTest::newRow("impossible date") << "RSSMRA80B30H501X"
                                     << "non valido: data di nascita inesistente: 30/02/1980";
    QTest::newRow("unknown place") << "RSSMRA80A01Z999Y"
                                   << "non valido: codice del luogo di nascita inesistente: Z999";
    QTest::newRow("company, eleven digits") << "01234560017"
                                            << "valido";
    QTest::newRow("company, wrong digit") << "01234560018"
                                          << "non valido: cifra di controllo errata: attesa 7";
    QTest::newRow("foreign") << "DE123456789"
                             << "non verificabile: codice estero (DE)";
}

void TaxCodesTest::checksTaxCodes()
{
    QFETCH(QString, code);
    QFETCH(QString, verdict);
    QCOMPARE(taxcode::check(code).text(), verdict);
}

void TaxCodesTest::readsTheBirthFromTheCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("sex");
    QTest::addColumn<QString>("place");
    QTest::newRow("man in Rome") << "RSSMRA80A01H501U" << QDate(1980, 1, 1) << "M"
                                 << "ROMA (RM)";
    QTest::newRow("woman") << "RSSMRA80A41H501Y" << QDate(1980, 1, 1) << "F"
                           << "ROMA (RM)";
    QTest::newRow("omocodia read back") << "RSSMRA80A01H50MM" << QDate(1980, 1, 1) << "M"
                                        << "ROMA (RM)";
    QTest::newRow("abroad") << "VRDGPP85T10Z404L" << QDate(1985, 12, 10) << "M"
                            << "STATI UNITI D'AMERICA (estero)";
    // Merged into another municipality in 2017: the name of the day of birth.
    QTest::newRow("municipality since merged") << "RSSMRA80A01A012H" << QDate(1980, 1, 1) << "M"
                                               << "ABETONE (PT)";
    QTest::newRow("municipality of 2021") << "BNCLCU22D15M432H" << QDate(2022, 4, 15) << "M"
                                          << "MISILISCEMI (TP)";
    QTest::newRow("province changed since") << "PLLNNA70C62B626N" << QDate(1970, 3, 22) << "F"
                                            << "CANTAGALLO (FI)";
}

void TaxCodesTest::readsTheBirthFromTheCode()
{
    QFETCH(QString, code);
    QFETCH(QDate, date);
    QFETCH(QString, sex);
    QFETCH(QString, place);
    std::optional<taxcode::Birth> birth;
    QVERIFY(taxcode::check(code, &birth).isValid());
    QVERIFY(birth);
    QCOMPARE(birth->date, date);
    QCOMPARE(QString(birth->sex), sex);
    QVERIFY(birth->place);
    QCOMPARE(birth->place->name + (birth->place->abroad ? " (estero)" : " (" + birth->place->province + ")"), place);
}

void TaxCodesTest::checksVatNumbersAndIbans_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("vat valid") << "piva"
                               << "01234560017"
                               << "valido";
    QTest::newRow("vat with IT") << "piva"
                                 << "IT 12345670892"
                                 << "valido";
    QTest::newRow("vat check digit") << "piva"
                                     << "12345670893"
                                     << "non valido: cifra di controllo errata: attesa 2";
    QTest::newRow("vat length") << "piva"
                                << "1234567089"
                                << "non valido: servono 11 cifre, ce ne sono 10";
    QTest::newRow("vat office") << "piva"
                                << "12345674006"
                                << "non valido: codice dell'ufficio inesistente: 400";
    QTest::newRow("vat foreign") << "piva"
                                 << "DE123456789"
                                 << "non verificabile: partita IVA estera (DE), nella forma giusta";
    QTest::newRow("vat foreign form") << "piva"
                                      << "FR1234"
                                      << "non valido: la partita IVA FR ha 2 lettere o cifre e 9 cifre dopo FR";
    QTest::newRow("vat foreign unknown") << "piva"
                                         << "US123456"
                                         << "non verificabile: partita IVA estera (US)";
    QTest::newRow("iban valid") << "iban"
                                << "IT60X0542811101000000123456"
                                << "valido";
    QTest::newRow("iban blanks") << "iban"
                                 << "it60 x054 2811 1010 0000 0123 456"
                                 << "valido";
    QTest::newRow("iban foreign") << "iban"
                                  << "DE89370400440532013000"
                                  << "valido";
    QTest::newRow("iban check digits") << "iban"
                                       << "IT61X0542811101000000123456"
                                       << "non valido: cifre di controllo errate";
    QTest::newRow("iban italian length") << "iban"
                                         << "IT60X054281110100000012345"
                                         << "non valido: un IBAN italiano ha 27 caratteri, questo 26";
    QTest::newRow("iban without CIN") << "iban"
                                      << "IT6010542811101000000123456"
                                      << "non valido: manca il CIN, la lettera dopo le cifre di controllo";
}

void TaxCodesTest::checksVatNumbersAndIbans()
{
    QFETCH(QString, kind);
    QFETCH(QString, code);
    QFETCH(QString, verdict);
    QCOMPARE((kind == "piva" ? vatnumber::check(code) : iban::check(code)).text(), verdict);
}

VELMORA_TEST_MAIN(TaxCodesTest)
#include "tst_taxcodes.moc"
