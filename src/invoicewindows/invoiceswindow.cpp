#include "invoiceswindow.h"

#include "creditnotedialog.h"

#include "einvoice/courtesycopy.h"
#include "einvoice/invoicefiles.h"
#include "einvoice/invoicerefused.h"
#include "einvoice/legalarchive.h"
#include "einvoice/receipts.h"
#include "einvoice/sending.h"
#include "store/money.h"
#include "store/storeerror.h"
#include "ui/gridlist.h"
#include "ui/messages.h"
#include "ui/storeguard.h"
#include "ui/textrows.h"
#include "ui/windowplacement.h"

#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("Velmora - FATTURE ELETTRONICHE");
constexpr int StateColumn = 6;
constexpr int FileColumn = 7;
constexpr int CorrectsColumn = 8;

QString euro(qint64 cents)
{
    return Money::fromCents(cents).euroText();
}

QSettings settings()
{
    return QSettings(QStringLiteral("velmora"), QStringLiteral("fatture"));
}

void showFolder(QLabel *label, const QString &chosen)
{
    label->setText(QStringLiteral("Cartella dei file: ") + (chosen.isEmpty() ? QStringLiteral("non ancora scelta") : chosen));
}

// The work, with a bill's refusal or a store failure told; whether it was
// done.
template<typename Work>
bool refusalsTold(Messages &messages, QWidget *parent, Work work)
{
    try {
        work();
        return true;
    } catch (const InvoiceRefused &refusal) {
        messages.inform(parent, Title, refusal.message, Messages::Icon::Critical);
    } catch (const StoreError &error) {
        messages.inform(parent, Title, error.message(), Messages::Icon::Critical);
    }
    return false;
}

QPushButton *button(const QString &name, const QString &caption, QWidget *parent, QHBoxLayout *row)
{
    auto *pushed = new QPushButton(caption, parent);
    pushed->setObjectName(name);
    // Enter confirms the year typed; it never presses a button.
    pushed->setAutoDefault(false);
    row->addWidget(pushed);
    return pushed;
}

}

InvoicesWindow::InvoicesWindow(Connection &connection, Messages &messages, QWidget *parent)
    : QDialog(parent), m_connection(connection), m_messages(messages), m_year(new QSpinBox(this)), m_list(new GridList(this)),
      m_folder(new QLabel(this))
{
    setObjectName(QStringLiteral("FormFattureElettroniche"));
    setWindowTitle(QStringLiteral("Velmora - Fatture elettroniche"));
    resize(1100, 520);
    windowplacement::follow(this);
    m_year->setObjectName(QStringLiteral("Anno"));
    m_year->setRange(1970, 9999);
    m_year->setValue(QDate::currentDate().year());
    // A year typed is read once it is whole, not at each digit.
    m_year->setKeyboardTracking(false);
    m_list->setObjectName(QStringLiteral("ListaFatture"));
    m_list->setCheckBoxes(true);
    m_folder->setObjectName(QStringLiteral("Cartella"));

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Anno"), this));
    top->addWidget(m_year);
    top->addSpacing(20);
    top->addWidget(m_folder, 1);
    auto *buttons = new QHBoxLayout;
    QPushButton *changeFolder = button(QStringLiteral("CmdCartella"), QStringLiteral("Cambia c&artella..."), this, top);
    buttons->addStretch(1);
    QPushButton *generateXml = button(QStringLiteral("CmdGenera"), QStringLiteral("Genera &XML"), this, buttons);
    QPushButton *send = button(QStringLiteral("CmdInvia"), QStringLiteral("&Invia"), this, buttons);
    QPushButton *note = button(QStringLiteral("CmdNota"), QStringLiteral("&Nota di credito..."), this, buttons);
    QPushButton *receipts = button(QStringLiteral("CmdRicevute"), QStringLiteral("Leggi &ricevute..."), this, buttons);
    QPushButton *keep = button(QStringLiteral("CmdConserva"), QStringLiteral("Con&serva l'anno..."), this, buttons);
    QPushButton *copy = button(QStringLiteral("CmdCortesia"), QStringLiteral("Copia di c&ortesia"), this, buttons);
    QPushButton *open = button(QStringLiteral("CmdApri"), QStringLiteral("A&pri cartella"), this, buttons);
    QPushButton *close = button(QStringLiteral("CmdChiudi"), QStringLiteral("&Chiudi"), this, buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addWidget(new QLabel(QStringLiteral("Genera XML e Invia lavorano sulle parcelle spuntate, senza spunte su quella "
                                                "selezionata; Genera XML, senza selezione, su tutte quelle senza file."),
                                 this));
    layout->addLayout(buttons);
    connect(m_year, &QSpinBox::valueChanged, this, &InvoicesWindow::refill);
    connect(changeFolder, &QPushButton::clicked, this, [this] { folder(true); });
    connect(generateXml, &QPushButton::clicked, this, &InvoicesWindow::generate);
    connect(send, &QPushButton::clicked, this, &InvoicesWindow::sendFiles);
    connect(note, &QPushButton::clicked, this, &InvoicesWindow::creditNote);
    connect(receipts, &QPushButton::clicked, this, &InvoicesWindow::readReceipts);
    connect(keep, &QPushButton::clicked, this, &InvoicesWindow::keepYear);
    connect(copy, &QPushButton::clicked, this, &InvoicesWindow::courtesyCopy);
    connect(open, &QPushButton::clicked, this, &InvoicesWindow::openFolder);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void InvoicesWindow::refill()
{
    // The bill selected stays selected, after its file was written too.
    const QString selected = m_list->selectedRow() >= 0 ? m_list->rowText(m_list->selectedRow()) : QString();
    showFolder(m_folder, settings().value(QStringLiteral("cartella")).toString());
    m_list->setColumns({{QStringLiteral("Numero"), 900},
                        {QStringLiteral("Data"), 1200},
                        {QStringLiteral("Cliente"), 3200},
                        {QStringLiteral("Imponibile"), 1500, Qt::AlignRight},
                        {QStringLiteral("IVA"), 1300, Qt::AlignRight},
                        {QStringLiteral("Totale"), 1500, Qt::AlignRight},
                        {QStringLiteral("Stato"), 2200},
                        {QStringLiteral("Nome del file"), 3400},
                        {QStringLiteral("Storna la parcella"), 1600}});
    QList<QStringList> rows;
    guardedBusy(m_messages, this, [&] {
        for (const invoicefiles::Bill &bill : invoicefiles::ofYear(m_connection, m_year->value())) {
            QStringList row{bill.number, bill.date.toString(QStringLiteral("dd/MM/yyyy")), bill.client};
            if (bill.invoice)
                row << euro(bill.invoice->servicesTaxableCents()) << euro(bill.invoice->taxCents())
                    << euro(bill.invoice->totalCents) << (bill.fileName.isEmpty() ? QStringLiteral("senza file") : bill.state);
            else
                row << euro(bill.cents) << QString() << QString() << QStringLiteral("da completare");
            rows << (row << bill.fileName << bill.corrects);
        }
    });
    m_list->setRows(std::make_shared<TextRows>(rows));
    for (int row = 0; row < rows.size() && !selected.isEmpty(); ++row)
        if (rows.at(row).first() == selected)
            m_list->selectRow(row);
}

QStringList InvoicesWindow::chosenNumbers() const
{
    QStringList numbers;
    for (int row = 0; row < m_list->count(); ++row)
        if (m_list->isChecked(row))
            numbers << m_list->rowText(row);
    if (numbers.isEmpty() && m_list->selectedRow() >= 0)
        numbers << m_list->rowText(m_list->selectedRow());
    return numbers;
}

QString InvoicesWindow::folder(bool askAgain)
{
    QString chosen = settings().value(QStringLiteral("cartella")).toString();
    if (chosen.isEmpty() || askAgain || !QDir(chosen).exists()) {
        const QString asked = m_messages.chooseTarget(this, QStringLiteral("Velmora - Cartella delle fatture elettroniche"),
                                                      chosen.isEmpty() ? QDir::homePath() : chosen, Messages::Target::Folder);
        if (!asked.isEmpty()) {
            chosen = asked;
            settings().setValue(QStringLiteral("cartella"), chosen);
        } else if (askAgain || !QDir(chosen).exists()) {
            return QString();
        }
    }
    showFolder(m_folder, chosen);
    return chosen;
}

void InvoicesWindow::generate()
{
    QStringList numbers = chosenNumbers();
    QStringList written;
    for (int row = 0; row < m_list->count(); ++row)
        if (numbers.contains(m_list->rowText(row)) && !m_list->subItem(row, FileColumn).isEmpty()
            && !m_list->subItem(row, StateColumn).startsWith(QLatin1String("scartata")))
            written << m_list->rowText(row);
    // A bill written again (after a correction) gets a new file and a new
    // progressive; the office says so knowingly, unless the SdI rejected
    // the file, which then counts as never issued.
    QStringList notices;
    if (!written.isEmpty())
        notices << QStringLiteral("Le parcelle %1 hanno già il loro file: il nuovo avrà un nuovo progressivo, da inviare al "
                                  "posto del precedente.")
                       .arg(written.join(QStringLiteral(", ")));
    // The SdI takes a rejected invoice again, with its number and date,
    // within five days of the rejection.
    QStringList late;
    const bool read = guarded(m_messages, this, [&] {
        for (int row = 0; row < m_list->count(); ++row)
            if (numbers.contains(m_list->rowText(row))
                && m_list->subItem(row, StateColumn).startsWith(QLatin1String("scartata"))) {
                const QDateTime since = receipts::stateOf(m_connection, m_list->subItem(row, FileColumn)).since;
                if (since.isValid() && since.daysTo(QDateTime::currentDateTime()) > 5)
                    late << QStringLiteral("%1 (scartata il %2)")
                                .arg(m_list->rowText(row), since.toString(QStringLiteral("dd/MM/yyyy")));
            }
    });
    if (!read)
        return;
    if (!late.isEmpty())
        notices << QStringLiteral("Sono passati più di cinque giorni dallo scarto delle parcelle %1: lo SdI chiede di "
                                  "riemetterle entro cinque giorni con lo stesso numero e la stessa data.")
                       .arg(late.join(QStringLiteral(", ")));
    // One question for all that the office should know.
    if (!notices.isEmpty()
        && !m_messages.ask(this, Title, notices.join(QStringLiteral("\n\n")) + QStringLiteral("\n\nScrivere i nuovi file ?")))
        return;
    if (numbers.isEmpty()) {
        for (int row = 0; row < m_list->count(); ++row)
            if (m_list->subItem(row, FileColumn).isEmpty())
                numbers << m_list->rowText(row);
        if (numbers.isEmpty()) {
            m_messages.inform(this, Title, QStringLiteral("Tutte le parcelle dell'anno hanno già il loro file."));
            return;
        }
        if (!m_messages.ask(this, Title, QStringLiteral("Generare i file delle %1 parcelle senza file ?").arg(numbers.size())))
            return;
    }
    const QString target = folder();
    if (target.isEmpty())
        return;
    invoicefiles::Batch batch;
    const bool done = guardedBusy(m_messages, this,
                                  [&] { batch = invoicefiles::generate(m_connection, numbers, m_year->value(), target); });
    if (!done)
        return;
    QStringList refused;
    for (const auto &[number, why] : batch.refused)
        refused << QStringLiteral("Parcella %1: %2").arg(number, why);
    QString text = QStringLiteral("File scritti nella cartella %1: %2.").arg(target).arg(batch.written.size());
    if (!refused.isEmpty())
        text += QStringLiteral("\n\nNon scritti:\n") + refused.join(QLatin1Char('\n'));
    m_messages.inform(this, Title, text, refused.isEmpty() ? Messages::Icon::Information : Messages::Icon::Critical);
    refill();
}

void InvoicesWindow::sendFiles()
{
    QStringList numbers;
    QStringList sentBefore;
    for (const QString &number : chosenNumbers())
        for (int row = 0; row < m_list->count(); ++row)
            if (m_list->rowText(row) == number && !m_list->subItem(row, FileColumn).isEmpty()) {
                numbers << number;
                const QString state = m_list->subItem(row, StateColumn);
                if (state != QLatin1String("da inviare") && !state.startsWith(QLatin1String("scartata")))
                    sentBefore << number;
            }
    if (numbers.isEmpty()) {
        m_messages.inform(this, Title, QStringLiteral("Occorre selezionare o spuntare una parcella con il suo file !"));
        return;
    }
    if (!sentBefore.isEmpty()
        && !m_messages.ask(this, Title,
                           QStringLiteral("I file delle parcelle %1 sono già stati inviati. Inviarli di nuovo ?")
                               .arg(sentBefore.join(QStringLiteral(", ")))))
        return;
    // Asked once while the window is open, and kept nowhere else.
    if (m_pecPassword.isEmpty())
        m_pecPassword = m_messages.askPassword(this, QStringLiteral("Velmora - PEC dello Studio"),
                                               QStringLiteral("Password della casella PEC dello Studio:"));
    if (m_pecPassword.isEmpty())
        return;
    QStringList lines;
    bool refused = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const QString &number : numbers) {
        refused = !refusalsTold(m_messages, this, [&] {
            const sending::Sent sent = sending::sendLatest(m_connection, number, m_year->value(), m_pecPassword, true);
            lines << QStringLiteral("Parcella %1: %2 inviato a %3.").arg(number, sent.fileName, sent.to);
        }) || refused;
    }
    QApplication::restoreOverrideCursor();
    // A refused password is asked again at the next sending.
    if (refused)
        m_pecPassword.clear();
    if (!lines.isEmpty())
        m_messages.inform(this, Title, lines.join(QLatin1Char('\n')));
    refill();
}

void InvoicesWindow::creditNote()
{
    const int row = m_list->selectedRow();
    if (row < 0) {
        m_messages.inform(this, Title, QStringLiteral("Occorre selezionare una parcella !"));
        return;
    }
    if (!m_list->subItem(row, CorrectsColumn).isEmpty()) {
        m_messages.inform(this, Title, QStringLiteral("La riga selezionata è già una nota di credito."));
        return;
    }
    const QString number = m_list->rowText(row);
    const int year = m_year->value();
    std::optional<invoicefiles::Prepared> prepared;
    QStringList issued;
    if (!refusalsTold(m_messages, this, [&] {
            prepared = invoicefiles::prepare(m_connection, number, year);
            issued = invoicefiles::creditNotesOf(m_connection, number, year);
        }))
        return;
    if (!issued.isEmpty()
        && !m_messages.ask(this, Title,
                           QStringLiteral("La parcella %1 ha già la nota di credito %2. Emetterne un'altra ?")
                               .arg(number, issued.join(QStringLiteral(", ")))))
        return;
    const QString target = folder();
    if (target.isEmpty())
        return;
    auto *dialog = new CreditNoteDialog(prepared->bill, m_messages, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &CreditNoteDialog::issued, this, [this, number, year, target](const QList<qint64> &services) {
        QString path;
        if (!refusalsTold(m_messages, this,
                          [&] { path = invoicefiles::creditNote(m_connection, number, year, services, target); }))
            return;
        m_messages.inform(this, Title, QStringLiteral("Nota di credito scritta:\n%1").arg(path));
        refill();
    });
    dialog->open();
}

void InvoicesWindow::readReceipts()
{
    const QString start = settings().value(QStringLiteral("ricevute"), settings().value(QStringLiteral("cartella"))).toString();
    const QString chosen = m_messages.chooseTarget(this, QStringLiteral("Velmora - Cartella delle ricevute dello SdI"),
                                                   start.isEmpty() ? QDir::homePath() : start, Messages::Target::Folder);
    if (chosen.isEmpty())
        return;
    settings().setValue(QStringLiteral("ricevute"), chosen);
    QList<receipts::Outcome> outcomes;
    const bool done = guardedBusy(m_messages, this, [&] { outcomes = receipts::readFolder(m_connection, chosen); });
    if (!done)
        return;
    if (outcomes.isEmpty()) {
        m_messages.inform(this, Title, QStringLiteral("Nessuna notifica dello SdI nella cartella %1.").arg(chosen));
        return;
    }
    // A long reading is told by its first lines; the list shows the rest.
    constexpr int Shown = 25;
    QStringList lines;
    bool refused = false;
    for (const receipts::Outcome &outcome : outcomes) {
        refused = refused || outcome.result == receipts::Outcome::Result::NoInvoice
            || outcome.result == receipts::Outcome::Result::NotANotification;
        if (lines.size() < Shown)
            lines << receipts::describe(outcome);
    }
    if (outcomes.size() > Shown)
        lines << QStringLiteral("... e altre %1.").arg(outcomes.size() - Shown);
    m_messages.inform(this, Title,
                      QStringLiteral("Notifiche lette dalla cartella %1: %2.\n\n").arg(chosen).arg(outcomes.size())
                          + lines.join(QLatin1Char('\n')),
                      refused ? Messages::Icon::Critical : Messages::Icon::Information);
    refill();
}

void InvoicesWindow::keepYear()
{
    const QString target = folder();
    if (target.isEmpty())
        return;
    QString path;
    if (refusalsTold(m_messages, this, [&] { path = legalarchive::exportYear(m_connection, m_year->value(), target); }))
        m_messages.inform(this, Title,
                          QStringLiteral("File e notifiche del %1 per la conservazione:\n%2").arg(m_year->value()).arg(path));
}

void InvoicesWindow::courtesyCopy()
{
    const int row = m_list->selectedRow();
    if (row < 0) {
        m_messages.inform(this, Title, QStringLiteral("Occorre selezionare una parcella !"));
        return;
    }
    const QString target = folder();
    if (target.isEmpty())
        return;
    const QString number = m_list->rowText(row);
    const QString path = QDir(target).filePath(courtesycopy::fileName(number, m_year->value()));
    bool writtenOut = false;
    if (!refusalsTold(m_messages, this, [&] {
            writtenOut = courtesycopy::write(invoicefiles::prepare(m_connection, number, m_year->value()),
                                             m_list->subItem(row, FileColumn), path);
        }))
        return;
    if (!writtenOut) {
        m_messages.inform(this, Title, QStringLiteral("Impossibile scrivere %1.").arg(path), Messages::Icon::Critical);
        return;
    }
    m_messages.inform(this, Title, QStringLiteral("Copia di cortesia scritta:\n%1").arg(path));
}

void InvoicesWindow::openFolder()
{
    const QString target = folder();
    if (!target.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(target));
}
