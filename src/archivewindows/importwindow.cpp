#include "importwindow.h"

#include "columnmapping.h"
#include "imports/counted.h"
#include "imports/importruns.h"
#include "store/connection.h"
#include "ui/gridlist.h"
#include "ui/messages.h"
#include "ui/storeguard.h"
#include "ui/textrows.h"
#include "ui/tickbox.h"
#include "ui/windowplacement.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>

namespace {

const QString Title = QStringLiteral("Velmora - IMPORTA");
const QString NoFile = QStringLiteral("Scegliere il file da importare con \"Sfoglia...\".");

QPushButton *button(const QString &caption, const char *name, QWidget *parent)
{
    auto *made = new QPushButton(caption, parent);
    made->setObjectName(QLatin1String(name));
    return made;
}

}

ImportWindow::ImportWindow(Connection &connection, Messages &messages, QWidget *parent)
    : QDialog(parent), m_connection(connection), m_messages(messages), m_file(new QLineEdit(this)), m_table(new QComboBox(this)),
      m_sheet(new QComboBox(this)),
      m_duplicates(new TickBox(QStringLiteral("Importa anche i clienti già presenti o ripetuti"), this)),
      m_summary(new QLabel(this)), m_mapping(new ColumnMapping(this)), m_list(new GridList(this))
{
    setObjectName(QStringLiteral("FormImporta"));
    setWindowTitle(QStringLiteral("Velmora - Importa da un foglio di calcolo o CSV"));
    resize(1180, 620);
    windowplacement::follow(this);
    m_file->setObjectName(QStringLiteral("ImportaFile"));
    m_file->setReadOnly(true);
    m_table->setObjectName(QStringLiteral("ImportaTabella"));
    m_table->addItems(
        {QStringLiteral("Clienti"), QStringLiteral("Causali"), QStringLiteral("Operatori"), QStringLiteral("Prestazioni")});
    m_sheet->setObjectName(QStringLiteral("ImportaFoglio"));
    m_sheet->setMinimumContentsLength(16);
    m_duplicates->setObjectName(QStringLiteral("ImportaDoppioni"));
    m_summary->setObjectName(QStringLiteral("ImportaRiepilogo"));
    m_summary->setWordWrap(true);
    m_summary->setText(NoFile);
    m_mapping->setObjectName(QStringLiteral("ImportaColonne"));
    m_list->setObjectName(QStringLiteral("ImportaAnteprima"));
    QPushButton *browse = button(QStringLiteral("&Sfoglia..."), "CmdSfoglia", this);
    QPushButton *errors = button(QStringLiteral("&Salva le righe con errori..."), "CmdSalvaErrori", this);
    QPushButton *import = button(QStringLiteral("&Importa"), "CmdImporta", this);
    QPushButton *close = button(QStringLiteral("&Chiudi"), "CmdChiudi", this);

    auto *top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("File"), this), 0, 0);
    top->addWidget(m_file, 0, 1, 1, 3);
    top->addWidget(browse, 0, 4);
    top->addWidget(new QLabel(QStringLiteral("Tabella"), this), 1, 0);
    top->addWidget(m_table, 1, 1);
    top->addWidget(new QLabel(QStringLiteral("Foglio"), this), 1, 2);
    top->addWidget(m_sheet, 1, 3);
    top->addWidget(m_duplicates, 2, 1, 1, 3);
    top->setColumnStretch(1, 1);
    top->setColumnStretch(3, 1);
    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_mapping);
    splitter->addWidget(m_list);
    splitter->setSizes({420, 760});
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(errors);
    buttons->addStretch(1);
    buttons->addWidget(import);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_summary);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    connect(browse, &QPushButton::clicked, this, &ImportWindow::chooseFile);
    connect(m_table, &QComboBox::currentIndexChanged, this, &ImportWindow::rematch);
    connect(m_sheet, &QComboBox::activated, this, [this] { readFile(m_sheet->currentText()); });
    connect(m_mapping, &ColumnMapping::mappingChanged, this, &ImportWindow::refresh);
    connect(m_duplicates, &TickBox::ticked, this, &ImportWindow::refresh);
    connect(errors, &QPushButton::clicked, this, &ImportWindow::saveErrors);
    connect(import, &QPushButton::clicked, this, &ImportWindow::import);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::finished, this, &ImportWindow::forget);
}

void ImportWindow::forget()
{
    m_file->clear();
    m_read = {};
    m_headed = {};
    {
        const QSignalBlocker quiet(m_sheet);
        m_sheet->clear();
    }
    rematch();
}

void ImportWindow::chooseFile()
{
    const QString start = m_file->text().isEmpty() ? QDir::homePath() : QFileInfo(m_file->text()).absolutePath();
    const QString path = m_messages.chooseTarget(this, QStringLiteral("Velmora - File da importare"), start,
                                                 Messages::Target::Source);
    if (path.isEmpty())
        return;
    m_file->setText(path);
    readFile(QString());
}

void ImportWindow::readFile(const QString &sheet)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        m_read = sheetfile::read(m_file->text(), sheet);
        QApplication::restoreOverrideCursor();
    } catch (const StoreError &error) {
        QApplication::restoreOverrideCursor();
        m_read = {};
        m_file->clear();
        m_messages.inform(this, Title, QStringLiteral("Il file non si può importare: %1.").arg(error.message()),
                          Messages::Icon::Critical);
    }
    const QSignalBlocker quiet(m_sheet);
    m_sheet->clear();
    m_sheet->addItems(m_read.sheets);
    m_sheet->setCurrentIndex(int(m_read.sheets.indexOf(sheet.isEmpty() ? m_read.sheets.value(0) : sheet)));
    m_sheet->setEnabled(m_read.sheets.size() > 1);
    rematch();
}

importfields::Table ImportWindow::chosenTable() const
{
    return importfields::Table(m_table->currentIndex());
}

void ImportWindow::rematch()
{
    const importfields::Table table = chosenTable();
    m_headed = importfields::headed(table, m_read.sheet);
    m_mapping->show(table, m_headed.headers, importfields::match(table, m_headed.headers));
    refresh();
}

void ImportWindow::refresh()
{
    const importfields::Table table = chosenTable();
    m_preview = {};
    if (!m_file->text().isEmpty()) {
        guardedBusy(m_messages, this, [&] {
            m_preview = importpreview::build(m_connection, table, m_headed, m_mapping->mapping(), m_duplicates->isTicked());
        });
    }
    // The verdicts first, where the eye starts; then the row as stored.
    QList<GridColumn> columns{
        {QStringLiteral("Riga"), 700, Qt::AlignRight}, {QStringLiteral("Esito"), 3600}, {QStringLiteral("Controlli"), 6000}};
    for (const QString &column : m_preview.columns) {
        const int field = importfields::fieldNamed(table, column);
        columns.append({field >= 0 ? importfields::fieldsOf(table).at(field).caption : column, 1600});
    }
    m_list->setColumns(columns);
    QList<QStringList> rows;
    rows.reserve(m_preview.rows.size());
    for (const importpreview::Row &row : m_preview.rows)
        rows << QStringList{QString::number(row.number),
                            row.error.isEmpty() ? QStringLiteral("da importare") : QStringLiteral("ERRORE: ") + row.error,
                            row.notes.join(QStringLiteral("; "))}
                + row.shown;
    m_list->setRows(std::make_shared<TextRows>(rows));
    if (m_file->text().isEmpty()) {
        m_summary->setText(NoFile);
        return;
    }
    QString summary = QStringLiteral("%1: %2, %3 da importare, %4 con errori.")
                          .arg(m_read.form, counted(m_preview.rows.size(), "riga", "righe"))
                          .arg(m_preview.imported())
                          .arg(m_preview.errors());
    if (!m_preview.leftOut.isEmpty())
        summary += QStringLiteral(" Colonne lasciate fuori: %1.").arg(m_preview.leftOut.join(QStringLiteral(", ")));
    m_summary->setText(summary);
}

void ImportWindow::saveErrors()
{
    if (m_preview.errors() == 0) {
        m_messages.inform(this, Title, QStringLiteral("Non ci sono righe con errori."));
        return;
    }
    const QFileInfo source(m_file->text());
    const QString path = m_messages.chooseTarget(
        this, QStringLiteral("Velmora - Righe da correggere"),
        source.absoluteDir().filePath(source.completeBaseName() + QStringLiteral("-da-correggere.csv")), Messages::Target::File);
    if (path.isEmpty())
        return;
    if (guarded(m_messages, this, [&] { importpreview::saveErrors(m_preview, path); }))
        m_messages.inform(this, Title, QStringLiteral("Righe con errori salvate in:\n%1").arg(path));
}

void ImportWindow::import()
{
    if (m_preview.imported() == 0) {
        m_messages.inform(this, Title, QStringLiteral("Non ci sono righe da importare."));
        return;
    }
    QString question = QStringLiteral("Importare %1 da %2 ?")
                           .arg(importfields::countOf(m_preview.table, m_preview.imported()),
                                QFileInfo(m_file->text()).fileName());
    if (m_preview.errors() > 0)
        question += QStringLiteral("\n\n%1.").arg(
            counted(m_preview.errors(), "riga con errori sarà lasciata fuori", "righe con errori saranno lasciate fuori"));
    if (!m_preview.reasonsToMake.isEmpty())
        question += QStringLiteral("\n\nSaranno create le causali: %1").arg(m_preview.reasonsToMake.join(QStringLiteral(", ")));
    if (!m_preview.operatorsToMake.isEmpty())
        question +=
            QStringLiteral("\n\nSaranno creati gli operatori: %1").arg(m_preview.operatorsToMake.join(QStringLiteral(", ")));
    if (!m_messages.ask(this, Title, question))
        return;
    importruns::Written written;
    const bool done = guardedBusy(m_messages, this,
                                  [&] { written = importruns::write(m_connection, m_preview, m_file->text()); });
    if (!done)
        return;
    m_messages.inform(
        this, Title,
        QStringLiteral("Importazione %1 eseguita: %2 (%3).\n\"Annulla un'importazione...\" la può togliere.")
            .arg(written.run)
            .arg(counted(written.rows, "riga importata", "righe importate"), importfields::nameOf(m_preview.table)));
    refresh();
}
