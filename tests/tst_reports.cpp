#include "clients/clientwindow.h"
#include "programundertest.h"
#include "reports/layouts.h"
#include "reports/layoutslot.h"
#include "reports/paginator.h"
#include "reports/reportdata.h"
#include "reports/reportpainter.h"
#include "reportwindows/reportpreview.h"
#include "reports/shaping.h"
#include "store/recordset.h"
#include "store/storeerror.h"
#include "testenvironment.h"
#include "ui/tickbox.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QToolButton>
#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

// A laid-out report as text, a line per box: the page, the band and box, the
// place and size in whole points, the font, and the text.
QString pagesAsText(const PageModel &model)
{
    QString out;
    QTextStream text(&out);
    text << model.title << " " << model.pageSize.width() << "x" << model.pageSize.height() << "\n";
    for (int page = 0; page < model.pages.size(); ++page)
        for (const PlacedBox &box : model.pages[page].boxes) {
            const QRect at = box.rect.toRect();
            text << page + 1 << " " << box.band << "/" << box.name << " " << at.x() << "," << at.y() << " " << at.width() << "x"
                 << at.height() << " " << box.font.family() << " " << box.font.pointSizeF() << (box.font.bold() ? " bold" : "")
                 << " \"" << QString(box.text).replace('\n', "\\n") << "\"\n";
        }
    return out;
}

// The golden file of a report; tools/golden-reports writes them afresh.
QString golden(const QString &name, const QString &laidOut)
{
    QFile file(QStringLiteral(VELMORA_GOLDEN_DIR "/%1.txt").arg(name));
    if (qEnvironmentVariableIsSet("VELMORA_WRITE_GOLDEN") && file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(laidOut.toUtf8());
    file.close();
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}

// The report layouts laid out into pages, exported to PDF, and previewed
// from the windows that print them.
class ReportsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void statementPrintsItsFooterOnceAfterTheLastRow();
    void footerThatDoesNotFitGetsAPageOfItsOwn();
    void groupedReportTotalsEachClientAndTitlesEveryPage();
    void shapingGroupsThePeriodsRowsUnderTheirClients();
    void reusedLayoutsGetTheirDesignCaptionsBack();
    void everyLayoutExportsItsTextsToPdf();
    void everyLayoutLaysOutAsItsGoldenPages();
    void previewPagesThroughTheReportAndZooms();
    void windowsPreviewTheirReportsModal();

private:
    qint64 addService(const QString &client, const QString &date, const QVariant &amount, const QString &billed = "N");
    std::shared_ptr<const ResultTable> rows(const QString &sql, const QList<QVariant> &values = {});
    ReportData grouped();
    QString pdfText(const ReportLayout &layout, const ReportData &data);
    // Runs the check on the preview the next step opens, then closes it.
    void onPreview(std::function<void(ReportPreview *)> check);

    ProgramUnderTest m_program;
    const QDate m_printDate{2026, 12, 7};
};

void ReportsTest::init()
{
    QVERIFY(m_program.start());
}

void ReportsTest::cleanup()
{
    m_program.stop();
}

qint64 ReportsTest::addService(const QString &client, const QString &date, const QVariant &amount, const QString &billed)
{
    return m_program.store().add("PRESTAZIONI",
                                 {{"CLIENTE", client},
                                  {"DATAR", date},
                                  {"IMPORTO", amount},
                                  {"CAUSALE", "CONSULENZA"},
                                  {"QTA", "1,5"},
                                  {"NOTE", "PRATICA"},
                                  {"OPERATORE", "GIULIA"},
                                  {"PARC", billed}});
}

std::shared_ptr<const ResultTable> ReportsTest::rows(const QString &sql, const QList<QVariant> &values)
{
    return Recordset(m_program.store().connection(), sql, values).rows();
}

// Clients with their services: ROSSI with many, BIANCHI with two, VERDI with none.
ReportData ReportsTest::grouped()
{
    const auto parents = rows("SELECT DISTINCT CLIENTE FROM PRESTAZIONI UNION SELECT 'VERDI' ORDER BY CLIENTE");
    QList<std::shared_ptr<const ResultTable>> children;
    for (int r = 0; r < parents->rowCount(); ++r)
        children << rows("SELECT * FROM PRESTAZIONI WHERE CLIENTE = ? ORDER BY DATAR, ID", {parents->field(r, 0).text()});
    return ReportData(parents, children);
}

QString ReportsTest::pdfText(const ReportLayout &layout, const ReportData &data)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    if (!reportpainter::exportPdf(paginate(layout, data, m_printDate), pdf))
        return "<not written>";
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    text.waitForFinished();
    return QString::fromUtf8(text.readAllStandardOutput());
}

void ReportsTest::onPreview(std::function<void(ReportPreview *)> check)
{
    QTimer::singleShot(0, [check] {
        auto *preview = qobject_cast<ReportPreview *>(QApplication::activeModalWidget());
        check(preview);
        if (preview)
            preview->accept();
    });
}

void ReportsTest::statementPrintsItsFooterOnceAfterTheLastRow()
{
    for (int i = 0; i < 60; ++i)
        addService("ROSSI", QDate(2026, 1, 1).addDays(i).toString("dd/MM/yyyy"), i == 0 ? QVariant() : QVariant("1234,5"));
    LayoutSlot slot(layouts::estratto);
    ReportLayout &layout = slot.forUse();
    layout.setCaption(1, "Label2", "ROSSI");
    layout.setCaption(1, "Label11", "RSSMRA80A01H501U");
    const PageModel model = paginate(layout, ReportData(rows("SELECT * FROM PRESTAZIONI ORDER BY DATAR")), m_printDate);

    QCOMPARE(model.title, QString("Estratto Conto Cliente"));
    QCOMPARE(model.pages.size(), 2);
    const QStringList first = model.texts(0), second = model.texts(1);
    QCOMPARE(first.mid(0, 4), QStringList({"Ostrevia  -Report  Prestazioni Cliente :", "ROSSI", "RSSMRA80A01H501U", "Data"}));
    QVERIFY(!second.contains("Ostrevia  -Report  Prestazioni Cliente :")); // the report header, on the first page only
    QCOMPARE(second.first(), QString("Data")); // the page header, on every page
    QVERIFY(first.contains("€ 1.234,50") && first.contains("01/01/2026"));
    for (int page = 0; page < 2; ++page)
        QCOMPARE(model.texts(page).filter("Pagina").size(), page == 1 ? 1 : 0);
    QCOMPARE(second.filter("Stampato il").size(), 1);
    QCOMPARE(second.filter("Stampato il").first(), QString("Stampato il  lunedì 7 dicembre 2026"));
    // The footer: "Pagina 2 di 2" before the total of 59 amounts (the Null one counts 0).
    const QStringList footer = second.mid(second.indexOf("Pagina 2 di 2"));
    QCOMPARE(footer, QStringList({"Pagina 2 di 2", "Stampato il  lunedì 7 dicembre 2026", "Totale", "€ 72.835,50"}));
}

void ReportsTest::footerThatDoesNotFitGetsAPageOfItsOwn()
{
    ReportLayout layout = layouts::reportParcellati();
    // Add rows until the last one ends a page: the footer then starts the next.
    for (int count = 1; count < 120; ++count) {
        addService("ROSSI", "01/03/2026", "10");
        const PageModel model = paginate(layout, ReportData(rows("SELECT * FROM PRESTAZIONI")), m_printDate);
        const QStringList last = model.texts(int(model.pages.size()) - 1);
        if (last.contains("€ 10,00"))
            continue;
        QCOMPARE(model.pages.size(), 2);
        QCOMPARE(last.first(), QString("Data"));
        QVERIFY(last.contains("Pagina 2 di 2"));
        QCOMPARE(last.last(),
                 QString("€ %1,00").arg(
                     QString::number(count * 10).insert(count * 10 >= 1000 ? 1 : 0, count * 10 >= 1000 ? "." : "")));
        return;
    }
    QFAIL("the footer never left the rows' page");
}

void ReportsTest::groupedReportTotalsEachClientAndTitlesEveryPage()
{
    for (int i = 0; i < 70; ++i)
        addService("ROSSI", QDate(2026, 2, 1).addDays(i).toString("dd/MM/yyyy"), "2");
    addService("BIANCHI", "05/02/2026", "1.000,25", "S");
    addService("BIANCHI", "06/02/2026", QVariant());
    ReportLayout layout = layouts::drtTest();
    const std::pair<const char *, const char *> bindings[] = {{"Text2", "DATAR"}, {"Text3", "CAUSALE"}, {"Text4", "IMPORTO"},
                                                              {"Text5", "QTA"},   {"Text6", "NOTE"},    {"Text7", "OPERATORE"},
                                                              {"Text8", "PARC"}};
    layout.setDataField("Section6", "Text1", "CLIENTE");
    for (const auto &[box, column] : bindings)
        layout.setDataField("Section1", box, column);
    const PageModel model = paginate(layout, grouped(), m_printDate);

    QCOMPARE(model.title, QString("Elenco Prestazioni"));
    QVERIFY(model.pages.size() >= 2);
    QStringList totals;
    for (int page = 0; page < model.pages.size(); ++page) {
        const QStringList texts = model.texts(page);
        QCOMPARE(texts.first(), QString("Ostrevia - Report Cumulativo per Cliente "));
        QVERIFY(texts.contains(QString("Pagina %1 di %2").arg(page + 1).arg(model.pages.size())));
        for (const PlacedBox &box : model.pages[page].boxes)
            if (box.kind == ReportBox::Kind::Total)
                totals << box.text;
    }
    QCOMPARE(totals, QStringList({"€ 1.000,25", "€ 140,00"})); // BIANCHI, ROSSI; VERDI has none and is left out
    const QStringList first = model.texts(0);
    QCOMPARE(first.mid(1, 2), QStringList({"Cliente:", "BIANCHI"}));
    QCOMPARE(first.mid(10, 7), QStringList({"05/02/2026", "CONSULENZA", "1,5", "PRATICA", "GIULIA", "€ 1.000,25", "S"}));
    QVERIFY(!model.texts(int(model.pages.size()) - 1).contains("VERDI"));
}

void ReportsTest::shapingGroupsThePeriodsRowsUnderTheirClients()
{
    addService("ROSSI", "04/12/2026", "10");
    addService("BIANCHI", "05/12/2026", "20", "S");
    addService("rossi", "06/12/2026", "30", "S");
    addService("ROSSI", "12/04/2026", "40"); // the day and month swapped: outside
    addService("VERDI", "01/01/2025", "50");
    const ReportData data = shaping::open(
        m_program.store().connection(),
        "SHAPE {SELECT DISTINCT CLIENTE FROM PRESTAZIONI ORDER BY CLIENTE} APPEND ({SELECT * FROM PRESTAZIONI  WHERE "
        "(DATAR >= #12/04/2026# AND DATAR <= #12/06/2026#)  } AS Level2 RELATE CLIENTE to cliente )");
    QVERIFY(data.grouped());
    QStringList clients;
    for (int r = 0; r < data.rows().rowCount(); ++r) {
        QStringList amounts;
        const ResultTable &services = data.children(r);
        for (int c = 0; c < services.rowCount(); ++c)
            amounts << services.field(c, services.columnIndex("IMPORTO")).text();
        clients << data.rows().field(r, 0).text() + ": " + amounts.join(' ');
    }
    // DISTINCT compares as the store does: "rossi" is ROSSI's group.
    QCOMPARE(clients, QStringList({"BIANCHI: 20", "ROSSI: 10 30"}));
    QVERIFY_THROWS_EXCEPTION(StoreError, shaping::open(m_program.store().connection(), "SELECT * FROM PRESTAZIONI"));
}

void ReportsTest::reusedLayoutsGetTheirDesignCaptionsBack()
{
    LayoutSlot slot(layouts::reportParcellati);
    ReportLayout &first = slot.forUse();
    first.setCaption(1, "Label13", "01/01/2026");
    first.setCaption(1, "Label17", "31/01/2026");
    first.setCaption(1, "Label9", "Prestazioni Parcellate");
    const ReportData none(rows("SELECT * FROM PRESTAZIONI"));
    QVERIFY(paginate(first, none, m_printDate).texts(0).contains("Prestazioni Parcellate"));
    ReportLayout &again = slot.forUse();
    const QStringList texts = paginate(again, none, m_printDate).texts(0);
    QCOMPARE(texts.mid(0, 5), QStringList({"Report  Prestazioni", "Dal", "Dal", "Al", "Dal"}));
    QVERIFY(!texts.contains("Prestazioni Parcellate"));
    // An empty report: one clean page with its headers and a zero total.
    QCOMPARE(paginate(again, none, m_printDate).pages.size(), 1);
    QVERIFY(texts.contains("Pagina 1 di 1") && texts.contains("€ 0,00") && texts.contains("Importo"));
}

void ReportsTest::everyLayoutExportsItsTextsToPdf()
{
    addService("CANTÙ LUCIA", "03/04/2026", "1234,5", "S");
    m_program.store().add("SOGGETTI",
                          {{"Soggetto", "D'ANGELO MARIA"},
                           {"Indirizzo", "VIA ROMA 1"},
                           {"ComuneR", "L'AQUILA"},
                           {"PrR", "AQ"},
                           {"CAP", "67100"},
                           {"Codice", "DNGMRA70B41A345X"},
                           {"Stato", "S"}});
    const ReportData services(rows("SELECT * FROM PRESTAZIONI"));
    const struct
    {
        ReportLayout layout;
        QStringList texts;
    } cases[] = {
        {layouts::estratto(), {"Ostrevia  -Report  Prestazioni Cliente :", "Prestazione", "Q.tà", "Parcellato", "PRATICA"}},
        {layouts::reportParcellati(), {"Report  Prestazioni", "Descrizione", "€ 1.234,50", "Totale", "Pagina 1 di 1"}},
        {layouts::report(), {"Report  Prestazioni", "CANTÙ LUCIA", "03/04/2026", "Stampato il  lunedì 7 dicembre 2026"}},
    };
    for (const auto &c : cases) {
        const QString text = pdfText(c.layout, services);
        for (const QString &expected : c.texts)
            QVERIFY2(text.simplified().contains(expected.simplified()),
                     qPrintable(c.layout.previewCaption() + ": " + expected + "\n" + text));
    }
    const QString clients = pdfText(
        layouts::cliente(), ReportData(rows("SELECT SOGGETTO,INDIRIZZO,COMUNER,PRR,CAP,CODICE,PIVA,STATO FROM SOGGETTI")));
    for (const char *expected : {"Ostrevia - Report Cliente", "Cognome Nome - Denominazione", "Città", "D'ANGELO MARIA",
                                 "L'AQUILA", "67100", "DNGMRA70B41A345X"})
        QVERIFY2(clients.simplified().contains(expected), qPrintable(expected));
    ReportLayout grouping = layouts::drtTest();
    grouping.setDataField("Section6", "Text1", "CLIENTE");
    grouping.setDataField("Section1", "Text4", "IMPORTO");
    const QString byClient = pdfText(grouping, grouped());
    for (const char *expected : {"Ostrevia - Report Cumulativo per Cliente", "Cliente:", "CANTÙ LUCIA", "Parc", "€ 1.234,50"})
        QVERIFY2(byClient.simplified().contains(expected), qPrintable(expected));
    // An empty report still makes its page.
    QVERIFY(pdfText(layouts::estratto(), ReportData(rows("SELECT * FROM PRESTAZIONI WHERE 1=0"))).contains("€ 0,00"));
}

void ReportsTest::everyLayoutLaysOutAsItsGoldenPages()
{
    const struct
    {
        const char *client, *date, *amount, *billed, *note, *operatorName;
    } services[] = {
        {"ROSSI MARIO", "03/02/2026", "1234,5", "S", "PRATICA", "GIULIA"},
        {"D'ANGELO MARIAGRAZIA ALESSANDRA", "04/02/2026", "-1234,5", "N",
         "NOTA DI CREDITO PER LA PRATICA DI SUCCESSIONE DEL SIGNOR ROSSI", "MARIAGRAZIA ALESSANDRA"},
        {"CANTÙ LUCIA", "05/02/2026", nullptr, "N", "", "GIULIA"},
        {"ROSSI MARIO", "28/02/2026", "99999,99", "S", "CONSULENZA ANNUALE", "GIULIA"},
    };
    for (const auto &s : services)
        m_program.store().add("PRESTAZIONI",
                              {{"CLIENTE", s.client},
                               {"DATAR", s.date},
                               {"IMPORTO", s.amount ? QVariant(s.amount) : QVariant()},
                               {"CAUSALE", "CONSULENZA"},
                               {"QTA", "1,5"},
                               {"NOTE", s.note},
                               {"OPERATORE", s.operatorName},
                               {"PARC", s.billed}});
    m_program.store().add("SOGGETTI",
                          {{"Soggetto", "D'ANGELO MARIAGRAZIA ALESSANDRA"},
                           {"Indirizzo", "VIA DEI SETTE DOLORI 123/B"},
                           {"ComuneR", "SAN GIOVANNI IN PERSICETO"},
                           {"PrR", "BO"},
                           {"CAP", "40017"},
                           {"Codice", "DNGMRG70B41A345X"},
                           {"Stato", "S"}});
    const ReportData all(rows("SELECT * FROM PRESTAZIONI ORDER BY DATAR, ID"));
    ReportLayout grouping = layouts::drtTest();
    grouping.setDataField("Section6", "Text1", "CLIENTE");
    for (const auto &[box, column] :
         {std::pair{"Text2", "DATAR"}, {"Text3", "CAUSALE"}, {"Text4", "IMPORTO"}, {"Text6", "NOTE"}, {"Text7", "OPERATORE"}})
        grouping.setDataField("Section1", box, column);
    const struct
    {
        const char *name;
        ReportLayout layout;
        ReportData data;
    } reports[] = {
        {"estratto", layouts::estratto(), all},
        {"report-parcellati", layouts::reportParcellati(), all},
        {"report", layouts::report(), all},
        {"cliente", layouts::cliente(),
         ReportData(rows("SELECT SOGGETTO,INDIRIZZO,COMUNER,PRR,CAP,CODICE,PIVA,STATO FROM SOGGETTI"))},
        {"elenco-per-cliente", grouping, grouped()},
    };
    for (const auto &r : reports) {
        const QStringList laidOut = pagesAsText(paginate(r.layout, r.data, m_printDate)).split('\n');
        const QStringList expected = golden(r.name, laidOut.join('\n')).split('\n');
        for (qsizetype line = 0; line < std::max(laidOut.size(), expected.size()); ++line)
            QVERIFY2(laidOut.value(line) == expected.value(line),
                     qPrintable(QStringLiteral("%1.txt, line %2: \"%3\", laid out \"%4\"")
                                    .arg(r.name)
                                    .arg(line + 1)
                                    .arg(expected.value(line), laidOut.value(line))));
    }
}

void ReportsTest::previewPagesThroughTheReportAndZooms()
{
    for (int i = 0; i < 120; ++i)
        addService("ROSSI", "01/03/2026", "10");
    ReportPreview preview(paginate(layouts::report(), ReportData(rows("SELECT * FROM PRESTAZIONI")), m_printDate),
                          m_program.messages());
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    const qsizetype pages = preview.model().pages.size();
    QCOMPARE(pages, 3);
    auto button = [&](const QString &text) {
        for (QToolButton *b : preview.findChildren<QToolButton *>())
            if (b->text() == text)
                return b;
        return static_cast<QToolButton *>(nullptr);
    };
    auto *label = preview.findChild<QLabel *>("PreviewPage");
    QCOMPARE(label->text().trimmed(), QString("Pagina 1 di 3"));
    button(">")->click();
    QCOMPARE(preview.currentPage(), 1);
    button(">|")->click();
    button(">")->click(); // stays on the last page
    QCOMPARE(preview.currentPage(), 2);
    QCOMPARE(label->text().trimmed(), QString("Pagina 3 di 3"));
    button("|<")->click();
    QCOMPARE(preview.currentPage(), 0);
    // Zooms: the page on screen grows with the zoom chosen.
    auto *zoom = preview.findChild<QComboBox *>("PreviewZoom");
    QWidget *page = preview.findChild<QScrollArea *>()->widget();
    zoom->setCurrentIndex(zoom->findText("50%"));
    emit zoom->activated(zoom->currentIndex());
    const int half = page->width();
    zoom->setCurrentIndex(zoom->findText("100%"));
    emit zoom->activated(zoom->currentIndex());
    QCOMPARE(page->width(), 2 * half);
    QVERIFY(!page->grab().isNull());
}

void ReportsTest::windowsPreviewTheirReportsModal()
{
    addService("ZANCHI", "02/02/2026", "5");
    addService("ALBERTI", "01/02/2026", "7");
    QCoreApplication::processEvents(); // the first activation, at start
    QSignalSpy activations(&m_program.main(), &ProgramWindow::activated);
    m_program.main().findChild<QAction *>("GPrestazioni")->trigger();
    bool seen = false;
    onPreview([&](ReportPreview *preview) {
        QVERIFY(preview);
        QCOMPARE(preview->windowTitle(), QString("Scheda"));
        QVERIFY(preview->windowState() & Qt::WindowMaximized);
        const QStringList texts = preview->model().texts(0);
        QVERIFY(texts.indexOf("ALBERTI") < texts.indexOf("ZANCHI")); // by client
        seen = true;
    });
    m_program.main().findChild<QPushButton *>("Cmd6")->click();
    QVERIFY(seen);
    QCOMPARE(activations.count(), 1); // back from the preview

    m_program.store().add("SOGGETTI", {{"Soggetto", "ATTIVO"}, {"Stato", "S"}});
    m_program.store().add("SOGGETTI", {{"Soggetto", "SOSPESO"}, {"Stato", "N"}});
    m_program.main().findChild<QAction *>("MenuClienti")->trigger();
    auto *clients = m_program.window<ClientWindow>();
    QVERIFY(QTest::qWaitForWindowExposed(clients));
    clients->findChild<QPushButton *>("CmdStampa")->click();
    QList<TickBox *> boxes = clients->findChild<QGroupBox *>("FrameStampa")->findChildren<TickBox *>();
    for (int box : {1, 2}) {
        seen = false;
        onPreview([&](ReportPreview *preview) {
            QVERIFY(preview);
            QCOMPARE(preview->windowTitle(), QString("Lista Clienti"));
            const QStringList texts = preview->model().texts(0);
            QCOMPARE(texts.contains("SOSPESO"), true);
            QCOMPARE(texts.contains("ATTIVO"), box == 2);
            seen = true;
        });
        boxes[box]->click();
        QVERIFY(seen);
        QVERIFY(!boxes[box]->isTicked());
    }
    // Back from the preview the window's activation hides its panels.
    QTRY_VERIFY(!clients->findChild<QGroupBox *>("FrameStampa")->isVisible());
}

VELMORA_TEST_MAIN(ReportsTest)
#include "tst_reports.moc"
