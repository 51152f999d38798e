#include "fullfiles.h"
#include "reports/layouts.h"
#include "reports/paginator.h"
#include "reports/reportdata.h"
#include "reports/reportpainter.h"
#include "store/recordset.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QTemporaryDir>

// Every layout laid out with the widest values an office can store: no
// placed text is wider or taller than its box, no two boxes overlap, and
// nothing leaves the page.
class ReportFitTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyLayoutHoldsTheWidestValuesWhole_data();
    void everyLayoutHoldsTheWidestValuesWhole();
    void aClientGroupGoingOnToANewPageRepeatsItsHeader();
    void aDocumentThatCannotBeWrittenWholeIsNotThereAtAll();

private:
    std::shared_ptr<const ResultTable> rows(const QString &sql);
    PageModel laidOut(const QString &layout);
    // What is wrong with a page, read with the metrics of the PDF the
    // painter writes; empty when nothing is.
    QStringList faultsOf(const PageModel &model, int page);

    // Every word of the texts stored, to tell one broken inside.
    QSet<QString> m_words;
    TestStore m_store;
    QTemporaryDir m_pdfs;
    QPdfWriter m_metrics{QStringLiteral("/dev/null")};
};

namespace {

// A text of exactly that many characters, words of the given sizes.
QString longText(const QString &start, int length)
{
    QString text = start;
    for (int word = 0; text.size() < length; ++word)
        text += QStringLiteral(" PAROLA%1").arg(word);
    return text.left(length);
}

}

void ReportFitTest::initTestCase()
{
    m_metrics.setResolution(300);
    Connection &store = m_store.connection();
    store.execute("BEGIN");
    const QString names[] = {longText("D'ANGELO COSTRUZIONI E RESTAURI", 70),
                             QString(70, QLatin1Char('W')), // one word, wider than any column
                             "ROSSI MARIO"};
    for (const QString &name : names)
        m_store.add("SOGGETTI",
                    {{"Soggetto", name},
                     {"Indirizzo", longText("VIA DEI MILLE", 60)},
                     {"ComuneR", "SAN GIOVANNI IN PERSICETO"},
                     {"PrR", "BO"},
                     {"CAP", "40017"},
                     {"Codice", "WWWWWW00W00W000W"},
                     {"Piva", "00000000000"},
                     {"Stato", "S"}});
    for (QDate day(2026, 1, 1); day.year() == 2026; day = day.addDays(1))
        m_store.add("PRESTAZIONI",
                    {{"CLIENTE", names[day.dayOfYear() % 3]},
                     {"DATAR", day.toString("dd/MM/yyyy")},
                     {"IMPORTO", "9999999,99"},
                     {"CAUSALE", longText("CONSULENZA FISCALE", 60)},
                     {"QTA", "999"},
                     {"NOTE", longText("PRATICA", 80)},
                     {"OPERATORE", longText("MARIAGRAZIA ALESSANDRA", 30)},
                     {"PARC", "S"}});
    store.execute("COMMIT");
    for (const char *table : {"SOGGETTI", "PRESTAZIONI"}) {
        Recordset all(store, QString("SELECT * FROM ") + table);
        for (; !all.eof(); all.moveNext())
            for (int f = 0; f < all.fieldCount(); ++f)
                for (const QString &word : all.fields(f).text().split(' ', Qt::SkipEmptyParts))
                    m_words << word;
    }
}

std::shared_ptr<const ResultTable> ReportFitTest::rows(const QString &sql)
{
    return Recordset(m_store.connection(), sql).rows();
}

PageModel ReportFitTest::laidOut(const QString &name)
{
    const QDate printed(2026, 9, 30); // the longest long date
    const QString services = "SELECT * FROM PRESTAZIONI ORDER BY CLIENTE, DATAR";
    if (name == "Estratto") {
        ReportLayout layout = layouts::estratto();
        const auto statement = rows(services);
        layout.setCaption(1, "Label2", statement->field(0, statement->columnIndex("CLIENTE")).text());
        layout.setCaption(1, "Label11", "");
        return paginate(layout, ReportData(statement), printed);
    }
    if (name == "ReportParcellati") {
        ReportLayout layout = layouts::reportParcellati();
        layout.setCaption(1, "Label9", longText("CONSULENZA FISCALE", 60));
        layout.setCaption(1, "Label13", "01/01/2026");
        layout.setCaption(1, "Label17", "31/12/2026");
        return paginate(layout, ReportData(rows(services)), printed);
    }
    if (name == "Report")
        return paginate(layouts::report(), ReportData(rows(services)), printed);
    if (name == "Cliente")
        return paginate(layouts::cliente(),
                        ReportData(rows("SELECT SOGGETTO,INDIRIZZO,COMUNER,PRR,CAP,CODICE,PIVA,STATO FROM SOGGETTI")), printed);
    ReportLayout layout = layouts::drtTest();
    layout.setDataField("Section6", "Text1", "CLIENTE");
    const char *bindings[][2] = {{"Text2", "DATAR"},     {"Text3", "CAUSALE"}, {"Text5", "QTA"}, {"Text6", "NOTE"},
                                 {"Text7", "OPERATORE"}, {"Text4", "IMPORTO"}, {"Text8", "PARC"}};
    for (const auto &binding : bindings)
        layout.setDataField("Section1", binding[0], binding[1]);
    const auto parents = rows("SELECT DISTINCT CLIENTE FROM PRESTAZIONI ORDER BY CLIENTE");
    QList<std::shared_ptr<const ResultTable>> children;
    for (int r = 0; r < parents->rowCount(); ++r)
        children << Recordset(m_store.connection(), "SELECT * FROM PRESTAZIONI WHERE CLIENTE = ? ORDER BY DATAR",
                              {parents->field(r, 0).text()})
                        .rows();
    return paginate(layout, ReportData(parents, children), printed);
}

QStringList ReportFitTest::faultsOf(const PageModel &model, int page)
{
    const qreal pixelsPerPoint = m_metrics.resolution() / 72.0;
    const qreal margin = 30; // the page margins less a hair
    const QRectF paper = QRectF(QPointF(0, 0), model.pageSize).adjusted(margin, margin, -margin, -margin);
    QStringList faults;
    QList<const PlacedBox *> texts;
    for (const PlacedBox &box : model.pages.at(page).boxes) {
        const QString where = QStringLiteral("%1 «%2»: ").arg(box.name, box.text.left(30));
        if (box.rect.left() < paper.left() || box.rect.right() > paper.right() || box.rect.top() < paper.top()
            || box.rect.bottom() > paper.bottom())
            faults << where + "off the page";
        if (box.text.isEmpty())
            continue;
        texts << &box;
        const QFontMetricsF metrics(box.font, &m_metrics);
        const QStringList lines = box.text.split('\n');
        for (const QString &line : lines)
            if (metrics.horizontalAdvance(line) / pixelsPerPoint > box.rect.width() + 0.01)
                faults << where
                        + QStringLiteral("%1 pt wide in a box of %2")
                              .arg(metrics.horizontalAdvance(line) / pixelsPerPoint)
                              .arg(box.rect.width());
        if (qreal(lines.size()) * metrics.lineSpacing() / pixelsPerPoint > box.rect.height() + 0.5)
            faults << where + QStringLiteral("%1 lines in a box %2 pt high").arg(lines.size()).arg(box.rect.height());
    }
    for (int a = 0; a < texts.size(); ++a)
        for (int b = a + 1; b < texts.size(); ++b) {
            const QRectF common = texts.at(a)->rect.intersected(texts.at(b)->rect);
            if (common.width() > 0.01 && common.height() > 0.01)
                faults << QStringLiteral("«%1» overlaps «%2»").arg(texts.at(a)->text.left(30), texts.at(b)->text.left(30));
        }
    return faults;
}

void ReportFitTest::everyLayoutHoldsTheWidestValuesWhole_data()
{
    QTest::addColumn<QString>("layout");
    for (const char *layout : {"Estratto", "ReportParcellati", "drtTest", "Report", "Cliente"})
        QTest::newRow(layout) << QString(layout);
}

void ReportFitTest::everyLayoutHoldsTheWidestValuesWhole()
{
    QFETCH(QString, layout);
    const PageModel model = laidOut(layout);
    QVERIFY(model.pages.size() > (layout == "Cliente" ? 0 : 3));
    QStringList faults;
    for (int page = 0; page < model.pages.size(); ++page)
        for (const QString &fault : faultsOf(model, page))
            faults << QStringLiteral("page %1: %2").arg(page + 1).arg(fault);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.mid(0, 10).join('\n')));
    // A wrapped text breaks between words; only the word wider than any
    // column breaks inside, with a hyphen.
    QStringList broken;
    for (int page = 0; page < model.pages.size(); ++page)
        for (const PlacedBox &box : model.pages.at(page).boxes)
            for (const QString &line : box.text.split('\n', Qt::SkipEmptyParts))
                if (box.text.contains('\n'))
                    for (const QString &word : line.split(' ', Qt::SkipEmptyParts))
                        if (!m_words.contains(word) && word != "(segue)" && !QRegularExpression("^W+-?$").match(word).hasMatch())
                            broken << box.name + ": " + word;
    QVERIFY2(broken.isEmpty(), qPrintable(broken.mid(0, 10).join('\n')));
    // Every date whole, every amount whole, and the total in the millions.
    QStringList all;
    for (int page = 0; page < model.pages.size(); ++page)
        all << model.texts(page);
    if (layout != "Cliente") {
        QVERIFY(all.contains("31/12/2026") && all.contains("€ 9.999.999,99"));
        QVERIFY(layout == "Report"
                || !all.filter(QRegularExpression("^€ \\d{1,3}\\.\\d{3}\\.\\d{3}\\.\\d{3},\\d\\d$")).isEmpty());
    }
    QVERIFY(reportpainter::exportPdf(model, m_pdfs.filePath(layout + ".pdf")));
}

void ReportFitTest::aClientGroupGoingOnToANewPageRepeatsItsHeader()
{
    const PageModel model = laidOut("drtTest");
    const QString client = rows("SELECT DISTINCT CLIENTE FROM PRESTAZIONI ORDER BY CLIENTE")->field(0, 0).text();
    QCOMPARE(model.texts(0).filter("Cliente:").size(), 1);
    // The header's texts wrap; read them without their line breaks.
    QVERIFY(model.texts(1).join(' ').remove('\n').remove(' ').contains(QString(client + "(segue)").remove(' ')));
    QCOMPARE(model.texts(1).filter("Totale").size(), 0); // the group goes on; its total comes later
}

VELMORA_TEST_MAIN(ReportFitTest)
void ReportFitTest::aDocumentThatCannotBeWrittenWholeIsNotThereAtAll()
{
    const PageModel model = laidOut("Estratto");
    const QString path = m_pdfs.filePath("pieno.pdf");
    // As on a disk that fills up: no file may grow past 8 KiB.
    const bool written = [&] {
        const FullFiles full(8 * 1024);
        return reportpainter::exportPdf(model, path);
    }();
    QVERIFY(!written);
    QCOMPARE(QDir(m_pdfs.path()).entryList({"pieno.pdf*"}, QDir::Files), QStringList());
    QVERIFY(reportpainter::exportPdf(model, path));
}

#include "tst_reportfit.moc"
