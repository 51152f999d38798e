#include "clients/clientprintpanel.h"
#include "clients/clientwindow.h"
#include "programundertest.h"
#include "windowdriver.h"
#include "store/recordset.h"
#include "testenvironment.h"
#include "ui/datefield.h"
#include "ui/dropdown.h"
#include "ui/gridlist.h"
#include "ui/tickbox.h"

#include <QAbstractItemView>
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QCompleter>
#include <QDialog>

// The client registry through its window, opened from the main window, on a real store.
class ClientsTest : public QObject, private WindowDriver
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void codeEntryRefusesStoredCodesAndOpensTheEditorForNewOnes();
    void savesAFullClientAndReadsItBackColumnByColumn();
    void changesAndDeletesThePickedClient();
    void codesAreCheckedAsTheUserTypesAndTheBirthFollows();
    void aStoredClientShowsItsOwnBirthWhateverItsCode();
    void listsFilterByInitialAndByInactiveAndPrintTicksCascade();
    void aListShowsItsValuesWholeAndKeepsTheUsersWidths();
    void windowLeavesAndComesBack();

private:
    void clickRow(int row) { WindowDriver::clickRow("ListView1", row, 2); }
    void enterCode(const QString &code);
    QString lastText() { return m_program.messages().last().text; }
    QString sign(const char *codeField) { return get<QAction>(QByteArray(codeField) + "Verifica")->toolTip(); }
    QStringList storedRow(qint64 id);
    qint64 addClient(const QList<QPair<QString, QVariant>> &values) { return m_program.store().add("SOGGETTI", values); }

    ProgramUnderTest m_program;
    ClientWindow *m_window = nullptr;
};

void ClientsTest::init()
{
    QVERIFY(m_program.start());
    m_program.main().findChild<QAction *>("MenuClienti")->trigger();
    m_window = m_program.window<ClientWindow>();
    QVERIFY(m_window);
    drive(m_window);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QCoreApplication::processEvents(); // its activation
}

void ClientsTest::cleanup()
{
    m_program.stop();
}

void ClientsTest::enterCode(const QString &code)
{
    field("Text26")->clear();
    QTest::keyClicks(field("Text26"), code);
    QTest::keyClick(field("Text26"), Qt::Key_Return);
}

QStringList ClientsTest::storedRow(qint64 id)
{
    return m_program.store().row("SOGGETTI", id).mid(1);
}

void ClientsTest::codeEntryRefusesStoredCodesAndOpensTheEditorForNewOnes()
{
    addClient({{"Soggetto", "ROSSI MARIO"}, {"Codice", "RSSMRA80A01H501U"}, {"Stato", "S"}});
    addClient({{"Soggetto", "BIANCHI SRL"}, {"PIVA", "01234567890"}, {"Stato", "S"}});
    press("CmdInserisci");
    press("CmdInserisci");
    QVERIFY(get("FrameCodice")->isVisible() && !get("FrameEditor")->isVisible());
    for (const char *off : {"CmdModifica", "CmdElimina", "CmdStampa"})
        QVERIFY2(!get(off)->isEnabled(), off);
    QVERIFY(get("CmdInserisci")->isEnabled() && get("CmdPulisci")->isEnabled());
    QCOMPARE(get<DropDown>("Cbo6")->count(), 3);
    QCOMPARE(get<DropDown>("Cbo6")->itemText(0), QString("Carta Identità"));

    enterCode("");
    QCOMPARE(lastText(), QString(" ATTENZIONE, nessun Codice Fiscale o Partita IVA  CORRETTA -----digitata "));
    QCOMPARE(m_program.messages().last().icon, Messages::Icon::None);

    // Typed in lower case with blanks, or the VAT number of another client: refused.
    for (const QString &stored : {QString("rssmra80a01h501u "), QString("01234567890")}) {
        field("Text1")->setText("7");
        enterCode(stored);
        QCOMPARE(m_program.messages().last().title, QString("Gestione Soggetti ................. - ERRORE "));
        QCOMPARE(lastText(), QString(" Codice Fiscale/Partita IVA  già presente in Anagrafica ! "));
        QVERIFY(field("Text26")->text().isEmpty() && field("Text1")->text().isEmpty());
        QVERIFY(get("FrameCodice")->isVisible() && !get("FrameEditor")->isVisible());
    }

    // A quote is just a character of the code.
    enterCode("AB'CD");
    QVERIFY(get("FrameEditor")->isVisible() && !get("FrameCodice")->isVisible());
    QCOMPARE(field("Text8")->text(), QString("AB'CD"));
    QCOMPARE(get<QPushButton>("Cmd2")->text(), QString("Salva"));
    QCOMPARE(QApplication::focusWidget(), get("Text2"));

    // Forced, the editor opens without a code; a failing check stays in code entry.
    press("CmdInserisci");
    for (TickBox *box : m_window->findChildren<TickBox *>())
        if (box->text() == "Forza l'inserimento")
            box->click();
    QVERIFY(get("FrameEditor")->isVisible());
    QCOMPARE(field("Text8")->text(), QString());
    press("CmdInserisci");
    m_program.store().connection().execute("ALTER TABLE SOGGETTI RENAME TO VECCHI");
    enterCode("NUOVO");
    QCOMPARE(m_program.messages().last().title, QString("Velmora - ERRORE"));
    QVERIFY(get("FrameCodice")->isVisible() && !get("FrameEditor")->isVisible());
}

void ClientsTest::savesAFullClientAndReadsItBackColumnByColumn()
{
    press("CmdInserisci");
    enterCode("DNGMRA70B41A345X");
    QTest::keyClicks(field("Text2"), " d'angelo maria ");
    get<DateField>("DataBox1")->setText("01/02/1970");
    // Typed, completed and picked with Enter, as a pick from the list.
    QTest::keyClicks(get<DropDown>("Cbo1")->lineEdit(), "cant");
    QCompleter *offered = get<DropDown>("Cbo1")->completer();
    QVERIFY(offered->popup()->isVisible());
    const QModelIndexList cantu = offered->completionModel()->match(offered->completionModel()->index(0, 0), Qt::DisplayRole,
                                                                    "CANTÙ");
    QCOMPARE(cantu.size(), 1);
    offered->popup()->setCurrentIndex(cantu.first());
    QTest::keyClick(offered->popup(), Qt::Key_Return);
    QCOMPARE(get<DropDown>("Cbo1")->text(), QString("CANTÙ"));
    QCOMPARE(get<DropDown>("Cbo2")->text(), QString("CO"));
    QTest::keyClicks(field("Text3"), "via roma 1");
    pick("Cbo4", "l'aquila");
    QCOMPARE(get<DropDown>("Cbo5")->text(), QString("AQ"));
    QCOMPARE(field("Text4")->text(), QString("67100"));
    QTest::keyClicks(field("Text4"), "9"); // five characters at most
    QCOMPARE(field("Text4")->text(), QString("67100"));
    QTest::keyClicks(field("Text9"), "0123.45");
    QCOMPARE(field("Text9")->text(), QString("0123,45"));
    QTest::keyClicks(field("Text5"), "it60x0542811101000000123456");
    get<DropDown>("Cbo7")->setText("Commercio");
    pick("Cbo6", "Passaporto");
    QTest::keyClicks(field("Text6"), "ya1234567");
    get<DateField>("DataBox2")->setText("31/12/2030");
    get<DropDown>("Cbo8")->setText("Bonifico 30 gg");
    QTest::keyClicks(field("Text7"), "06.123");
    QCOMPARE(field("Text7")->text(), QString("06123"));
    QTest::keyClicks(field("Text11"), "3331234567");
    QTest::keyClicks(field("Text15"), "maria@example.it");
    QTest::keyClicks(get<QPlainTextEdit>("Text16"), "cliente storica");
    get<TickBox>("C2")->click();
    // The program's id field is the last Tab stop, after "Cliente Attivo".
    get("C2")->setFocus();
    QTest::keyClick(get("C2"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), get("Text1"));

    // The foot's two date controls play no part in the save.
    QCOMPARE(get<QLabel>("LabelAgg")->text(), QString("Agg."));
    get<DateField>("DataBox3")->setText("01/01/2001");
    get<DateField>("DataBox4")->setText("02/02/2002");

    // The codes that are not valid are told in the save's one question.
    m_program.messages().answer(true);
    // Enter on the focused button presses it, as Space does.
    get("Cmd2")->setFocus();
    QTest::keyClick(get("Cmd2"), Qt::Key_Return);
    const auto &question = m_program.messages().shown().at(m_program.messages().shown().size() - 2);
    QCOMPARE(question.title, QString("Velmora  - INSERIMENTO"));
    QCOMPARE(question.text,
             QString("Il codice fiscale non è valido: carattere di controllo errato: atteso W.\n"
                     "La partita IVA non è valida: servono 11 cifre, ce ne sono 7.\n\n"
                     "Vuoi Inserire questi dati ?"));
    QCOMPARE(m_program.messages().last().title, QString("Velmora      - INSERIMENTO"));
    QCOMPARE(lastText(), QString("L' inserimento è avvenuto con successo !"));
    const qint64 id = m_program.store().connection().lastInsertId();
    QCOMPARE(storedRow(id),
             QStringList({"S",
                          " D'ANGELO MARIA ",
                          "01/02/1970",
                          "CANTÙ",
                          "CO",
                          "VIA ROMA 1",
                          "L'AQUILA",
                          "AQ",
                          "67100",
                          "DNGMRA70B41A345X",
                          "0123,45",
                          "IT60X0542811101000000123456",
                          "COMMERCIO",
                          "PASSAPORTO",
                          "YA1234567",
                          "31/12/2030",
                          "BONIFICO 30 GG",
                          "06123",
                          "3331234567",
                          "",
                          "MARIA@EXAMPLE.IT",
                          "CLIENTE STORICA",
                          QDate::currentDate().toString("dd/MM/yyyy")}));
    // Ready for the next client, the new line of business offered once.
    QVERIFY(get("FrameEditor")->isVisible());
    QCOMPARE(field("Text2")->text(), QString());
    QCOMPARE(get<DropDown>("Cbo7")->count(), 2);
    QCOMPARE(get<DropDown>("Cbo7")->itemText(1), QString("COMMERCIO"));

    // Not active: warned, then asked; stored "N". A blank name is refused.
    QTest::keyClicks(field("Text2"), "   ");
    press("Cmd2");
    QCOMPARE(lastText(), QString("Inserire il campo Denominazione/Cognome-Nome!"));
    QCOMPARE(m_program.messages().last().title, QString("Velmora...........  ERRORE - CAMPO   VUOTO"));
    QTest::keyClicks(field("Text2"), "verdi");
    m_program.messages().answer(true);
    press("Cmd2");
    QCOMPARE(m_program.messages().shown().at(m_program.messages().shown().size() - 3).text,
             QString("Attenzione , inserire l'opzione Cliente Attivo ?  "));
    QCOMPARE(m_program.store().text("SELECT Stato FROM SOGGETTI WHERE Soggetto = '   VERDI'"), QString("N"));

    // A value the store refuses: an error, nothing written, the typing kept.
    QTest::keyClicks(field("Text2"), "neri");
    get<DateField>("DataBox1")->setText("31/02/1990");
    m_program.messages().answer(true);
    get<QPushButton>("Cmd2")->click();
    QCOMPARE(m_program.messages().last().title, QString("Velmora - ERRORE"));
    QCOMPARE(m_program.store().count("SELECT * FROM SOGGETTI WHERE Soggetto = 'NERI'"), 0);
    QCOMPARE(field("Text2")->text(), QString("NERI"));
}

void ClientsTest::changesAndDeletesThePickedClient()
{
    const QString oldIban = "IT60X054281110100000012345678901"; // longer than may be typed
    const qint64 bruno = addClient({{"Soggetto", "BRUNO"}, {"Stato", "s"}, {"Scad", "10/10/2029"}, {"CAP", "00118"}});
    // Stored by an earlier version, which took longer IBANs.
    m_program.store().connection().execute("UPDATE SOGGETTI SET IBAN = ? WHERE ID = ?", {oldIban, bruno});
    const qint64 conti = addClient({{"Soggetto", "CONTI"}, {"Stato", "N"}, {"DataN", "05/05/1955"}});
    m_program.store().connection().execute(QString("UPDATE SOGGETTI SET Stato = 'S' WHERE ID = %1").arg(conti));
    m_program.store().add("PRESTAZIONI", {{"CLIENTE", "CONTI"}, {"ID_CL", conti}});

    press("CmdModifica");
    QVERIFY(get("FrameLista")->isVisible());
    QCOMPARE(get<QLabel>("LabelModo")->text(), QString("Modifica - Seleziona il Cliente"));
    auto *list = get<GridList>("ListView1");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->model()->columnCount(), 24);
    QCOMPARE(list->header(10), QString("CODICE FISCALE"));

    clickRow(1); // CONTI: active, with a birth date
    QCOMPARE(field("Text1")->text(), QString::number(conti));
    // The editor and the invoice data under it: the window stays on the screen.
    QTRY_VERIFY(get("FrameEditor")->isVisible());
    const QRect screen = m_window->screen()->availableGeometry();
    QVERIFY2(screen.contains(m_window->frameGeometry()),
             qPrintable(QString("%1x%2").arg(m_window->width()).arg(m_window->height())));
    QVERIFY(field("Text1")->isReadOnly());
    QVERIFY(get<TickBox>("C2")->isTicked());
    QCOMPARE(get<DateField>("DataBox1")->text(), QString("05/05/1955"));
    press("CmdModifica"); // back to the list without saving
    clickRow(0); // BRUNO: "s" is active too, and no birth date is inherited
    QCOMPARE(get<QPushButton>("Cmd2")->text(), QString("Modifica"));
    QVERIFY(get<TickBox>("C2")->isTicked());
    QCOMPARE(get<DateField>("DataBox1")->text(), QString());
    QCOMPARE(field("Text5")->text(), oldIban);
    QCOMPARE(field("Text4")->text(), QString("00118"));

    // Emptying the expiry keeps the stored one; the old IBAN survives.
    get<DateField>("DataBox2")->clear();
    QTest::keyClicks(field("Text3"), "piazza duomo");
    m_program.messages().answer(true);
    press("Cmd2");
    QCOMPARE(m_program.messages().last().title, QString("Velmora ............... - MODIFICA"));
    QCOMPARE(lastText(), QString("L' Aggiornamento  è avvenuto con successo !"));
    QCOMPARE(storedRow(bruno).mid(0, 16),
             QStringList({"S", "BRUNO", "", "", "", "PIAZZA DUOMO", "", "", "00118", "", "", oldIban, "", "", "", "10/10/2029"}));
    QVERIFY(get("FrameLista")->isVisible() && !get("FrameEditor")->isVisible());
    QCOMPARE(get<QLabel>("LabelModo")->text(), QString("Modifica - Seleziona il Cliente"));

    // The client gone meanwhile: nothing written, and the user is told so.
    clickRow(0);
    m_program.store().connection().execute(QString("DELETE FROM SOGGETTI WHERE ID = %1").arg(bruno));
    const qsizetype shown = m_program.messages().shown().size();
    m_program.messages().answer(true);
    press("Cmd2");
    QCOMPARE(m_program.messages().shown().size(), shown + 2);
    QVERIFY2(m_program.messages().last().text.contains("eliminato nel frattempo"), qPrintable(m_program.messages().last().text));

    press("CmdElimina");
    QCOMPARE(get<QLabel>("LabelModo")->text(), QString("Elimina - Seleziona il Cliente "));
    QCOMPARE(list->count(), 1);
    clickRow(0);
    QCOMPARE(get<QPushButton>("Cmd2")->text(), QString("Elimina"));
    m_program.messages().answer(true);
    press("Cmd2");
    QCOMPARE(m_program.messages().last().title, QString("Velmora....... - ELIMINA"));
    QCOMPARE(lastText(), QString("Eliminazione  di       CONTI   effettuata con successo ! "));
    QCOMPARE(m_program.store().count("SELECT * FROM SOGGETTI"), 0);
    QCOMPARE(m_program.store().count("SELECT * FROM PRESTAZIONI WHERE CLIENTE = 'CONTI'"), 1);
    QCOMPARE(get<QLabel>("LabelModo")->text(), QString());
}

// A value cut while the list has room widens its column; a width the user
// gives is kept, through the next fill and the next run; the letters'
// list opens as wide as its widest entry.
void ClientsTest::aListShowsItsValuesWholeAndKeepsTheUsersWidths()
{
    addClient({{"Soggetto", "BIANCHI NICOLA"},
               {"Codice", "BNCNCL85M10F205Z"},
               {"Stato", "S"},
               {"Indirizzo", "VIA DEI MILLE 1234, SCALA B, INTERNO 7"}});
    press("CmdModifica");
    auto *list = get<GridList>("ListView1");
    QCOMPARE(list->header(10), QString("CODICE FISCALE"));
    const QModelIndex code = list->model()->index(0, 10);
    // Wider than the value itself: the grid line is taken from the cell.
    QTRY_VERIFY(list->columnWidth(10) > list->sizeHintForIndex(code).width());
    QVERIFY(list->horizontalHeader()->length() <= list->viewport()->width());

    list->horizontalHeader()->resizeSection(3, 90); // the user narrows the address
    press("CmdModifica");
    press("CmdModifica");
    QCOMPARE(list->columnWidth(3), 90);
    QVERIFY(list->columnWidth(10) > list->sizeHintForIndex(code).width());

    auto *letters = get<DropDown>("CboLettera");
    letters->showPopup();
    int widest = 0;
    for (int i = 0; i < letters->count(); ++i)
        widest = qMax(widest, letters->view()->fontMetrics().horizontalAdvance(letters->itemText(i)));
    QVERIFY(letters->view()->width() > widest);
    letters->hidePopup();
}

void ClientsTest::listsFilterByInitialAndByInactiveAndPrintTicksCascade()
{
    for (const char *name : {"BIANCHI", "bruno", "ROSSI"})
        addClient({{"Soggetto", name}, {"Stato", "S"}});
    addClient({{"Soggetto", "VERDI"}, {"Stato", "N"}});
    auto *list = get<GridList>("ListView1");
    press("CmdElimina");
    pick("CboLettera", "B");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->columnWidth(0), GridList::pixelsFromTwips(3, list->logicalDpiX()));
    pick("CboLettera", "Tutti");
    QCOMPARE(list->count(), 3);
    get<DropDown>("CboLettera")->setCurrentIndex(0);
    emit get<DropDown>("CboLettera")->activated(0);
    QCOMPARE(list->count(), 0);

    get<TickBox>("CheckNonAttivi")->click();
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->subItem(0, 2), QString("VERDI"));
    QVERIFY(!get("CboLettera")->isEnabled());
    get<TickBox>("CheckNonAttivi")->click();
    QCOMPARE(list->count(), 3);
    QVERIFY(get("CboLettera")->isEnabled());

    // No mode: a row click does nothing.
    get<QLabel>("LabelModo")->clear();
    clickRow(0);
    QVERIFY(!get("FrameEditor")->isVisible());

    get<QToolButton>("PictureEsci")->click();
    press("CmdStampa");
    QVERIFY(get("FrameStampa")->isVisible() && !get("FrameLista")->isVisible());
    QSignalSpy prints(m_window->printPanel(), &ClientPrintPanel::printRequested);
    QTimer closer; // every preview the ticks open is closed at once
    connect(&closer, &QTimer::timeout, [] {
        if (auto *preview = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            preview->accept();
    });
    closer.start(0);
    QList<TickBox *> boxes;
    for (TickBox *box : get("FrameStampa")->findChildren<TickBox *>())
        boxes << box;
    QCOMPARE(boxes.size(), 3);
    boxes[0]->click();
    boxes[2]->click();
    QCOMPARE(prints.size(), 2);
    QCOMPARE(prints[0][0].toString(),
             QString("SELECT SOGGETTO,INDIRIZZO,COMUNER,PRR,CAP,CODICE,PIVA,STATO FROM SOGGETTI   WHERE STATO LIKE 'S'  ORDER BY "
                     "SOGGETTO;"));
    QCOMPARE(
        prints[1][0].toString(),
        QString("SELECT SOGGETTO,INDIRIZZO,COMUNER,PRR,CAP,CODICE,PIVA,STATO FROM SOGGETTI   WHERE 1=1  ORDER BY SOGGETTO;"));
    for (TickBox *box : boxes)
        QVERIFY(!box->isTicked());
    get<QToolButton>("PictureStampa")->click();
    QVERIFY(!get("FrameStampa")->isVisible() && get("CmdModifica")->isEnabled());
}

void ClientsTest::windowLeavesAndComesBack()
{
    QVERIFY(!m_program.main().isVisible());
    QCOMPARE(m_window->windowTitle(), QString("Gestione Soggetti"));
    QVERIFY(!m_window->close());
    QVERIFY(m_window->isVisible());

    press("CmdInserisci");
    get<TickBox>("C2")->setTicked(true);
    for (TickBox *box : m_window->findChildren<TickBox *>())
        if (box->text() == "Forza l'inserimento")
            box->click();
    auto *birth = get<DateField>("DataBox1");
    birth->setFocus();
    QTest::keyClicks(birth, "31/02/2026");
    field("Text2")->setFocus();
    QCOMPARE(m_program.messages().last().title, QString("Corbelia 2016"));
    QCOMPARE(lastText(), QString("Data non valida: scrivere GG/MM/AAAA"));
    QCOMPARE(birth->text(), QString());
    // Dates as people type them; a two-digit year past ten years ahead is last century's.
    const int shown = int(m_program.messages().shown().size());
    for (auto [typed, read] : {std::pair{"5.5.55", "05/05/1955"}, std::pair{"3-2-26", "03/02/2026"},
                               std::pair{"03022026", "03/02/2026"}, std::pair{"030226", "03/02/2026"}}) {
        birth->setFocus();
        birth->clear();
        QTest::keyClicks(birth, typed);
        field("Text2")->setFocus();
        QCOMPARE(birth->text(), QString(read));
    }
    QCOMPARE(m_program.messages().shown().size(), shown);

    // The exit icon closes an open panel first, then leaves.
    get<QToolButton>("PictureEsci")->click();
    QVERIFY(!get("FrameEditor")->isVisible() && m_window->isVisible());
    QSignalSpy activations(&m_program.main(), &ProgramWindow::activated);
    get<QToolButton>("PictureEsci")->click();
    QVERIFY(!m_window->isVisible() && m_program.main().isVisible());
    QTRY_COMPARE(activations.count(), 1);

    // Back again: every panel hidden, the buttons enabled.
    m_program.main().findChild<QAction *>("MenuClienti")->trigger();
    QCoreApplication::processEvents();
    QVERIFY(m_window->isVisible() && !m_program.main().isVisible());
    for (const char *panel : {"FrameEditor", "FrameCodice", "FrameLista", "FrameStampa"})
        QVERIFY2(!get(panel)->isVisible(), panel);
    m_window->findChild<QAction *>("Chiudi")->trigger();
    QVERIFY(!m_window->isVisible() && m_program.main().isVisible());
}

void ClientsTest::codesAreCheckedAsTheUserTypesAndTheBirthFollows()
{
    // The same VAT number written otherwise is a duplicate.
    addClient({{"Soggetto", "BIANCHI SRL"}, {"PIVA", "01234560017"}, {"Stato", "S"}});
    press("CmdInserisci");
    enterCode("it 0123 4560017");
    QCOMPARE(lastText(), QString(" Codice Fiscale/Partita IVA  già presente in Anagrafica ! "));

    // A valid VAT number goes to both fields.
    enterCode("12345670892");
    QCOMPARE(field("Text8")->text(), QString("12345670892"));
    QCOMPARE(field("Text9")->text(), QString("12345670892"));
    QCOMPARE(sign("Text9"), QString("Partita IVA valida"));

    // A person's tax code fills the empty birth date and place.
    press("CmdInserisci");
    enterCode("RSSMRA80A41H501Y");
    QCOMPARE(field("Text9")->text(), QString());
    QCOMPARE(get<DateField>("DataBox1")->text(), QString("01/01/1980"));
    QCOMPARE(get<DropDown>("Cbo1")->text(), QString("ROMA"));
    QCOMPARE(get<DropDown>("Cbo2")->text(), QString("RM"));
    QCOMPARE(sign("Text8"), QString("Codice fiscale valido"));
    get<DateField>("DataBox1")->setText("02/01/1980");
    QCOMPARE(sign("Text8"), QString("Codice fiscale valido\nil codice indica la nascita il 01/01/1980, la scheda il 02/01/1980"));
    QTest::keyClick(field("Text8"), Qt::Key_Backspace);
    QCOMPARE(sign("Text8"), QString("Codice fiscale non valido: lunghezza errata: 15 caratteri invece di 16"));
    QTest::keyClicks(field("Text5"), "IT61X0542811101000000123456");
    QCOMPARE(sign("Text5"), QString("IBAN non valido: cifre di controllo errate"));

    // Refused once, the save writes nothing; a town's several postal codes are offered.
    pick("Cbo4", "ANCONA");
    QCOMPARE(field("Text4")->text(), QString("60121"));
    QCOMPARE(field("Text4")->completer()->model()->rowCount(), 11);
    QTest::keyClicks(field("Text2"), "rossi maria");
    get<TickBox>("C2")->click();
    press("Cmd2");
    QCOMPARE(m_program.messages().last().title, QString("Velmora  - INSERIMENTO"));
    QVERIFY(m_program.messages().last().text.startsWith("Il codice fiscale non è valido"));
    QCOMPARE(m_program.store().count("SELECT * FROM SOGGETTI"), 1);
}

void ClientsTest::aStoredClientShowsItsOwnBirthWhateverItsCode()
{
    // A stored client shows its own birth data, none here, whatever its
    // code says; emptying nothing brings it back.
    addClient({{"Soggetto", "VERDI ANNA"}, {"Codice", "RSSMRA80A41H501Y"}, {"Stato", "S"}});
    press("CmdModifica");
    clickRow(0);
    QCOMPARE(field("Text2")->text(), QString("VERDI ANNA"));
    QCOMPARE(get<DateField>("DataBox1")->text(), QString());
    QCOMPARE(get<DropDown>("Cbo1")->text(), QString());
    QVERIFY(sign("Text8").startsWith("Codice fiscale valido\nil codice indica la nascita il 01/01/1980"));
    press("Cmd2");
    QCOMPARE(m_program.store().text("SELECT count(*) FROM SOGGETTI WHERE Soggetto = 'VERDI ANNA' AND DataN IS NULL "
                                    "AND ComuneN IS NULL AND PrN IS NULL"),
             QString("1"));
}

VELMORA_TEST_MAIN(ClientsTest)
#include "tst_clients.moc"
