#include "programundertest.h"
#include "reportwindows/reportpreview.h"
#include "statistics/groupedreportwindow.h"
#include "statistics/statisticswindow.h"
#include "testenvironment.h"
#include "ui/datefield.h"
#include "ui/dropdown.h"
#include "ui/tickbox.h"
#include "windowdriver.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QPushButton>
#include <QTimer>

// The statistics window and the grouped reports, driven from the main
// window on a store of six services whose client, reason and operator
// codes all differ.
class StatisticsTest : public QObject, private WindowDriver
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void filtersClearWhatTheyCompeteWith();
    void eachRuleRunsItsQueryAndNoOther();
    void aReasonsWildcardsFindThatReasonAlone();
    void groupedReportsTotalEachClientOfThePeriod();
    void statementsOfThePeriodGoOnePerClientIntoTheChosenFolder();

private:
    struct Printed
    {
        QString title;
        QMap<QString, QString> header; // report header captions by name
        QStringList notes; // the NOTE of each row, naming the service
        QStringList totals;
        QStringList groups;
    };

    static Printed read(const PageModel &model);
    void open();
    // "Cbo10=ROSSI; D3=01/01/2026; C10": picks, typing and ticks.
    void choose(const QString &choices);
    QString text(const char *name) { return get<DropDown>(name)->text(); }
    // The previews a press opened, each read and closed.
    QList<Printed> print(const char *button = "Cmd2");

    ProgramUnderTest m_program;
    StatisticsWindow *m_window = nullptr;
};

namespace {

void seed(TestStore &store)
{
    struct Service
    {
        const char *client, *date, *reason, *operatorName, *amount, *billed;
        QVariant clientCode, reasonCode, operatorCode;
    };
    // s0 bears ROSSI's name without a link and comes first.
    const Service services[] = {
        {"ROSSI", "01/01/2025", "CONSULENZA", "GIULIA", "5", "S", {}, 7, 4},
        {"ROSSI", "05/03/2026", "CONSULENZA", "GIULIA", "10", "S", 1, 7, 4},
        {"ROSSI", "12/04/2026", "L'ASSISTENZA", "MARCO", "20", "N", 1, 8, 5},
        {"D'ANGELO", "04/12/2026", "L'ASSISTENZA", "GIULIA", "30", "N", 2, 8, 4},
        {"D'ANGELO", "12/04/2026", "CONSULENZA", "MARCO", "40", "S", 2, 7, 5},
        {"BIANCHI", "04/12/2026", "CONSULENZA", "MARCO", "50", "S", 3, 7, 5},
    };
    int n = 0;
    for (const Service &s : services)
        store.add("PRESTAZIONI",
                  {{"CLIENTE", s.client},
                   {"DATAR", s.date},
                   {"CAUSALE", s.reason},
                   {"OPERATORE", s.operatorName},
                   {"IMPORTO", s.amount},
                   {"PARC", s.billed},
                   {"ID_CL", s.clientCode},
                   {"ID_CAUS", s.reasonCode},
                   {"ID_OPER", s.operatorCode},
                   {"QTA", "1"},
                   {"NOTE", QString("s%1").arg(n++)}});
}

}

void StatisticsTest::init()
{
    QVERIFY(m_program.start(seed));
}

void StatisticsTest::cleanup()
{
    m_program.stop();
}

// From the main window's "&Ricerca/Stampa"; every showing resets the filters.
void StatisticsTest::open()
{
    m_program.main().findChild<QPushButton *>("Cmd7")->click();
    m_window = m_program.window<StatisticsWindow>();
    QVERIFY(m_window);
    drive(m_window);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QCoreApplication::processEvents();
}

QList<StatisticsTest::Printed> StatisticsTest::print(const char *button)
{
    QList<Printed> printed;
    QTimer watch;
    watch.setInterval(0);
    connect(&watch, &QTimer::timeout, [&] {
        if (auto *preview = qobject_cast<ReportPreview *>(QApplication::activeModalWidget())) {
            printed << read(preview->model());
            printed.last().title = preview->windowTitle();
            preview->accept();
        }
    });
    watch.start();
    press(button);
    watch.stop();
    return printed;
}

void StatisticsTest::choose(const QString &choices)
{
    for (const QString &choice : choices.split("; ")) {
        const QString name = choice.section('=', 0, 0);
        const QString value = choice.section('=', 1);
        const QByteArray control = name.toLatin1();
        if (name.startsWith("Cbo"))
            pick(control.constData(), value);
        else if (name.startsWith("D"))
            type(control.constData(), value);
        else
            tick(control.constData());
    }
}

StatisticsTest::Printed StatisticsTest::read(const PageModel &model)
{
    StatisticsTest::Printed printed;
    for (const ReportPage &page : model.pages)
        for (const PlacedBox &box : page.boxes) {
            if (box.band == "Section4" && box.kind == ReportBox::Kind::Caption)
                printed.header[box.name] = box.text;
            else if (box.band == "Section1" && (box.name == "NOTE" || box.name == "Text6"))
                printed.notes << box.text;
            else if (box.kind == ReportBox::Kind::Total)
                printed.totals << box.text;
            else if (box.band == "Section6" && box.name == "Text1")
                printed.groups << box.text;
        }
    return printed;
}

void StatisticsTest::filtersClearWhatTheyCompeteWith()
{
    open();
    QVERIFY(!m_program.main().isVisible());
    QCOMPARE(m_window->windowTitle(), QString("Ricerca/Visualizza/Stampa"));
    QVERIFY(!m_window->close());
    auto *clients = get<DropDown>("Cbo10");
    QCOMPARE(clients->count(), 3); // the names of the services, once each
    QCOMPARE(get<DropDown>("Cbo11")->itemText(0), QString());
    QCOMPARE(get<DropDown>("Cbo12")->count(), 4);

    // The code is that of the first linked service of the name.
    pick("Cbo10", "ROSSI");
    QCOMPARE(field("T1")->text(), QString("1"));
    pick("Cbo11", "CONSULENZA");
    QCOMPARE(field("T1")->text(), QString("7"));
    QCOMPARE(text("Cbo10"), QString("ROSSI"));
    pick("Cbo13", "MARCO");
    QCOMPARE(field("T1")->text(), QString("5"));
    QCOMPARE(text("Cbo10") + text("Cbo11"), QString());

    // "Tutti" empties the lists; unticked it keeps the operator.
    pick("Cbo12", "SI");
    tick("C10");
    QCOMPARE(text("Cbo13") + text("Cbo12"), QString());
    tick("C11");
    const QString today = QDate::currentDate().toString("dd/MM/yyyy");
    QCOMPARE(field("D3")->text() + field("D4")->text(), today + today);
    pick("Cbo13", "GIULIA");
    QVERIFY(!get<TickBox>("C10")->isTicked() && !get<TickBox>("C11")->isTicked());
    QCOMPARE(field("D3")->text(), QString());
    QCOMPARE(text("Cbo13"), QString("GIULIA"));
    // A client chosen while "Tutti" is ticked: unticking it empties the client again.
    tick("C10");
    pick("Cbo10", "BIANCHI");
    QCOMPARE(text("Cbo10"), QString());
    QCOMPARE(field("T1")->text(), QString("4"));

    auto *from = get<DateField>("D3");
    type("D3", "31/02/2026");
    get<DateField>("D4")->setFocus();
    QCOMPARE(m_program.messages().last().text, QString("Data non valida: scrivere GG/MM/AAAA"));
    QCOMPARE(m_program.messages().last().title, QString("Velmora.................."));
    QCOMPARE(from->text(), QString());

    // A name whose services lost their link: its code is not reused.
    pick("Cbo10", "ROSSI");
    m_program.store().connection().execute("UPDATE PRESTAZIONI SET ID_CL = NULL WHERE CLIENTE = 'ROSSI'");
    pick("Cbo10", "ROSSI");
    QCOMPARE(field("T1")->text(), QString("1"));
    pick("Cbo12", "TUTTI");
    const QList<Printed> printed = print();
    QCOMPARE(m_program.messages().last().text, QString("0"));
    QVERIFY(printed.size() == 1 && printed[0].notes.isEmpty());

    m_window->findChild<QAction *>("Chiudi")->trigger();
    QVERIFY(m_program.main().isVisible() && !m_window->isVisible());
    QVERIFY(m_program.main().findChild<QWidget *>("Frame4")->isVisible());
    open();
    QCOMPARE(text("Cbo13") + field("T1")->text(), QString());
}

void StatisticsTest::eachRuleRunsItsQueryAndNoOther()
{
    struct Case
    {
        const char *choices; // in the order the user makes them
        QString title;
        QMap<QString, QString> header;
        QStringList notes;
        QString total;
    };
    const QString statement = "Estratto Conto Cliente";
    const QList<Case> cases{
        {"Cbo10=ROSSI; Cbo12=TUTTI", statement, {{"Label2", "ROSSI"}, {"Label11", ""}}, {"s1", "s2"}, "€ 30,00"},
        // Rule 2 empties the reason: neither rule 4 nor rule 5 follows.
        {"Cbo10=ROSSI; Cbo11=CONSULENZA; Cbo12=SI", statement, {{"Label2", "ROSSI"}}, {"s1"}, "€ 10,00"},
        {"Cbo10=ROSSI; Cbo12=NO", statement, {{"Label2", "ROSSI"}}, {"s2"}, "€ 20,00"},
        // The client's code, not the reason's that was looked up last.
        {"Cbo10=ROSSI; Cbo11=L'ASSISTENZA", statement, {{"Label2", "L'ASSISTENZA"}}, {"s2"}, "€ 20,00"},
        {"Cbo11=CONSULENZA; Cbo12=SI", "Report", {{"Label9", "CONSULENZA"}}, {"s5", "s4", "s0", "s1"}, "€ 105,00"},
        {"Cbo11=L'ASSISTENZA; Cbo12=NO",
         "Report",
         {{"Label9", "L'ASSISTENZA"}, {"Label13", "Dal"}, {"Label17", "Dal"}},
         {"s3", "s2"},
         "€ 50,00"},
        {"Cbo10=ROSSI; D3=01/01/2026; D4=31/12/2026; Cbo12=SI", "Report", {{"Label9", "ROSSI"}}, {"s1"}, "€ 10,00"},
        // Typed day first: the 4th of December, not the 12th of April.
        {"Cbo10=D'ANGELO; D3=01/12/2026; D4=31/12/2026; Cbo12=NO",
         "Report",
         {{"Label9", "D'ANGELO"}, {"Label13", "01/12/2026"}, {"Label17", "31/12/2026"}},
         {"s3"},
         "€ 30,00"},
        {"Cbo10=ROSSI; D3=01/01/2026; D4=31/12/2026; Cbo12=TUTTI", "Report", {}, {"s1", "s2"}, "€ 30,00"},
        {"C10; D3=01/01/2026; D4=31/12/2026; Cbo12=SI",
         "Report",
         {{"Label9", "Tutti i Clienti Parcellati"}},
         {"s5", "s4", "s1"},
         "€ 100,00"},
        {"C10; D3=01/01/2026; D4=31/12/2026; Cbo12=NO", "Report", {{"Label9", "Tutti i Clienti"}}, {"s3", "s2"}, "€ 50,00"},
        {"C10; D3=01/01/2025; D4=31/12/2026; Cbo12=TUTTI",
         "Report",
         {{"Label9", "Tutti i Clienti"}},
         {"s5", "s4", "s3", "s0", "s1", "s2"},
         "€ 155,00"},
        {"Cbo13=MARCO; D3=01/04/2026; D4=30/04/2026; Cbo12=SI",
         "Report",
         {{"Label9", "Operatore con Clienti Parcellati : MARCO"}},
         {"s4"},
         "€ 40,00"},
        {"Cbo13=GIULIA; D3=01/01/2026; D4=31/12/2026; Cbo12=NO",
         "Report",
         {{"Label9", "Operatore con Clienti non Parcellati :  GIULIA"}},
         {"s3"},
         "€ 30,00"},
        {"Cbo13=GIULIA; D3=01/01/2026; D4=31/12/2026; Cbo12=TUTTI",
         "Report",
         {{"Label9", " Operatore con tutti i Clienti :  GIULIA"}},
         {"s3", "s1"},
         "€ 40,00"},
        {"Cbo11=CONSULENZA; D3=01/01/2026; D4=31/12/2026; Cbo12=SI",
         "Report",
         {{"Label9", "Causale con Clienti Parcellati : CONSULENZA"}},
         {"s5", "s4", "s1"},
         "€ 100,00"},
        {"Cbo11=L'ASSISTENZA; D3=01/01/2026; D4=31/12/2026; Cbo12=NO",
         "Report",
         {{"Label9", "Causale con Clienti non Parcellati :  L'ASSISTENZA"}},
         {"s3", "s2"},
         "€ 50,00"},
        {"Cbo11=CONSULENZA; D3=01/01/2026; D4=31/12/2026; Cbo12=TUTTI",
         "Report",
         {{"Label9", " Causale con tutti i Clienti : CONSULENZA"}},
         {"s5", "s4", "s1"},
         "€ 100,00"},
        // A period and a state alone match no rule.
        {"D3=01/01/2026; D4=31/12/2026; Cbo12=SI", {}, {}, {}, {}},
    };
    for (const Case &c : cases) {
        open();
        choose(c.choices);
        const qsizetype messages = m_program.messages().shown().size();
        const QList<Printed> printed = print();
        QVERIFY2(printed.size() == (c.title.isEmpty() ? 0 : 1), c.choices);
        m_window->findChild<QAction *>("Chiudi")->trigger();
        if (printed.isEmpty())
            continue;
        QCOMPARE(printed[0].title, c.title);
        for (auto caption = c.header.begin(); caption != c.header.end(); ++caption)
            QVERIFY2(printed[0].header.value(caption.key()) == caption.value(), c.choices);
        QVERIFY2(printed[0].notes == c.notes, qPrintable(QString(c.choices) + ": " + printed[0].notes.join(',')));
        QVERIFY2(printed[0].totals == QStringList{c.total}, c.choices);
        // Only the full statement tells the client's code first, in a plain box.
        const bool tellsCode = c.header.contains("Label11");
        QCOMPARE(m_program.messages().shown().size() - messages, tellsCode ? 1 : 0);
        if (tellsCode)
            QCOMPARE(m_program.messages().shown().at(messages).text, QString("1"));
        // Back from the preview the filters are empty again.
        QCOMPARE(text("Cbo12") + field("D3")->text() + field("T1")->text(), QString());
        QVERIFY(!get<TickBox>("C10")->isTicked());
    }
}

void StatisticsTest::aReasonsWildcardsFindThatReasonAlone()
{
    for (const auto &[reason, amount, note] : {std::tuple("IVA_2024", "100", "w1"), std::tuple("IVAX2024", "200", "w2"),
                                               std::tuple("IVA%", "400", "w3"), std::tuple("IVA[_]", "800", "w4")})
        m_program.store().add("PRESTAZIONI",
                              {{"CLIENTE", "VERDI"},
                               {"DATAR", "02/02/2026"},
                               {"CAUSALE", reason},
                               {"IMPORTO", amount},
                               {"PARC", "S"},
                               {"ID_CL", 9},
                               {"ID_CAUS", 20},
                               {"ID_OPER", 4},
                               {"QTA", "1"},
                               {"NOTE", note}});
    const QList<QPair<QString, QString>> cases{{"Cbo11=IVA_2024; Cbo12=SI", "w1"},
                                               {"Cbo11=IVA%; Cbo12=SI", "w3"},
                                               {"Cbo11=IVA[_]; Cbo12=SI", "w4"},
                                               {"Cbo10=VERDI; Cbo11=IVA_2024", "w1"}};
    for (const auto &[choices, note] : cases) {
        open();
        choose(choices);
        const QList<Printed> printed = print();
        m_window->findChild<QAction *>("Chiudi")->trigger();
        QVERIFY2(printed.size() == 1, qPrintable(choices));
        QVERIFY2(printed[0].notes == QStringList{note}, qPrintable(choices + ": " + printed[0].notes.join(',')));
    }
}

void StatisticsTest::statementsOfThePeriodGoOnePerClientIntoTheChosenFolder()
{
    open();
    QTemporaryDir folder;
    m_program.messages().choose(folder.path());
    choose("D3=1/12/26; D4=6-12-2026"); // as people type them
    m_window->findChild<QAction *>("EstrattiPeriodo")->trigger();
    QCOMPARE(m_program.messages().last().text, "Estratti scritti: 2 nella cartella " + folder.path() + ".");
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
             QStringList({"BIANCHI - dal 01-12-2026 al 06-12-2026.pdf", "D'ANGELO - dal 01-12-2026 al 06-12-2026.pdf"}));
    // Without a period there is nothing to print.
    choose("D3=; D4=");
    m_window->findChild<QAction *>("EstrattiPeriodo")->trigger();
    QCOMPARE(m_program.messages().last().text, QString("Data non valida: scrivere GG/MM/AAAA"));
}

void StatisticsTest::groupedReportsTotalEachClientOfThePeriod()
{
    m_program.store().add("PRESTAZIONI",
                          {{"CLIENTE", "BIANCHI"},
                           {"DATAR", QDate::currentDate().toString("dd/MM/yyyy")},
                           {"IMPORTO", "7"},
                           {"PARC", "N"},
                           {"ID_CL", 3},
                           {"NOTE", "today"}});
    open();
    choose("Cbo10=ROSSI");
    m_window->findChild<QAction *>("StampaCumulativa")->trigger();
    auto *grouped = m_program.window<GroupedReportWindow>();
    QVERIFY(grouped && grouped->isVisible());
    QVERIFY(!m_window->isEnabled() && grouped->isEnabled());
    drive(grouped);

    press("Cmd2");
    QCOMPARE(m_program.messages().last().text, QString(" Occorre selezionare una voce !"));
    QCOMPARE(m_program.messages().last().title, QString("Velmora ERRORE - CAMPO   VUOTO"));

    auto previews = [] {
        QList<ReportPreview *> open;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *preview = qobject_cast<ReportPreview *>(w); preview && preview->isVisible())
                open << preview;
        return open;
    };
    // Early December 2026 typed day first: the 4th, not the 12th of April.
    pick("Cbo1", "Tutti");
    type("D3", "01/12/2026");
    type("D4", "06/12/2026");
    press("Cmd2");
    QCOMPARE(previews().size(), 1);
    ReportPreview *first = previews()[0];
    const Printed december = read(first->model());
    QCOMPARE(first->windowTitle(), QString("Elenco Prestazioni"));
    QVERIFY(!(first->windowState() & Qt::WindowMaximized));
    QCOMPARE(december.groups, (QStringList{"BIANCHI", "D'ANGELO"}));
    QCOMPARE(december.notes, (QStringList{"s5", "s3"}));
    QCOMPARE(december.totals, (QStringList{"€ 50,00", "€ 30,00"}));

    // Empty dates are today's; "Data odierna" is unticked after the report.
    pick("Cbo1", "Non Parcellati");
    tick("C11");
    press("Cmd2");
    QCOMPARE(previews().size(), 2); // the first stays open beside the window
    const Printed today = read((previews()[0] == first ? previews()[1] : previews()[0])->model());
    QCOMPARE(today.notes, QStringList{"today"});
    QCOMPARE(text("Cbo1") + field("D3")->text(), QString());

    QVERIFY(!grouped->close());
    grouped->findChild<QAction *>("Chiudi")->trigger();
    QVERIFY(!grouped->isVisible() && m_window->isEnabled());
    drive(m_window); // back here, the filters start afresh
    QCOMPARE(text("Cbo10"), QString());
    QCOMPARE(previews().size(), 2); // the previews stay until the user closes them
    for (ReportPreview *preview : previews())
        preview->close();
}

VELMORA_TEST_MAIN(StatisticsTest)
#include "tst_statistics.moc"
