#include "gridlist.h"

#include "arrangedrows.h"
#include "gridmodel.h"
#include "messages.h"
#include "storeguard.h"
#include "store/skipfailure.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QStyle>
#include <QTimer>
#include <algorithm>

namespace {

// The widths the user gave the lists' columns, from one run to the next.
QSettings userWidths()
{
    return QSettings(QStringLiteral("velmora"), QStringLiteral("elenchi"));
}

}

GridList::GridList(QWidget *parent)
    : QTableView(parent), m_model(new GridModel(this)), m_find(new QLineEdit(this)), m_findDelay(new QTimer(this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &GridList::sortBy);
    m_find->setObjectName(QStringLiteral("Cerca"));
    m_find->setPlaceholderText(QStringLiteral("Cerca"));
    m_find->setClearButtonEnabled(true);
    m_find->hide();
    m_find->installEventFilter(this);
    // A search runs once the typing pauses, not at every key.
    m_findDelay->setSingleShot(true);
    m_findDelay->setInterval(250);
    connect(m_find, &QLineEdit::textEdited, m_findDelay, qOverload<>(&QTimer::start));
    connect(m_findDelay, &QTimer::timeout, this, [this] { findRows(m_find->text()); });
    connect(m_model, &QAbstractItemModel::modelReset, this, &GridList::fitColumns);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &GridList::fitColumns);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (!m_sizing && width > 0)
            userWidths().setValue(widthKey(column), width);
    });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) { emit rowClicked(index.row()); });
    connect(m_model, &GridModel::checkedChanged, this, &GridList::checkedChanged);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    const struct
    {
        const char *name, *caption;
        ExportFormat format;
    } exports[] = {
        {"EsportaExcel", "Esporta in Excel...", ExportFormat::Xlsx},
        {"EsportaCsv", "Esporta in CSV...", ExportFormat::Csv},
    };
    for (const auto &e : exports) {
        auto *action = new QAction(QString::fromLatin1(e.caption), this);
        action->setObjectName(QString::fromLatin1(e.name));
        connect(action, &QAction::triggered, this, [this, format = e.format] { exportChosen(format); });
        addAction(action);
    }
}

namespace {

Messages *exportMessages = nullptr;
GridList::Exporter exportWriter;

}

void GridList::setExport(Messages *messages, Exporter exporter)
{
    exportMessages = messages;
    exportWriter = std::move(exporter);
}

ShownList GridList::shown() const
{
    ShownList table;
    QList<int> shown;
    const QList<GridColumn> &columns = m_model->columns();
    for (int c = 0; c < columns.size(); ++c)
        if (columns.at(c).twips > 10) { // 1 or 10 twips: a hidden column
            if (c == m_amountColumn)
                table.amountColumn = int(shown.size());
            shown << c;
            table.headers << columns.at(c).header;
        }
    for (int r = 0; r < count(); ++r) {
        QStringList cells;
        for (int c : shown)
            cells << m_model->text(r, c);
        table.rows << cells;
    }
    return table;
}

void GridList::exportChosen(ExportFormat format)
{
    if (!exportMessages || !exportWriter)
        return;
    const QString suffix = format == ExportFormat::Xlsx ? QStringLiteral(".xlsx") : QStringLiteral(".csv");
    const QString path = exportMessages->chooseTarget(this, QStringLiteral("Velmora - Esporta elenco"),
                                                      QDir::home().filePath(QStringLiteral("Elenco") + suffix),
                                                      Messages::Target::File);
    if (path.isEmpty())
        return;
    if (guarded(*exportMessages, this, [&] { exportWriter(shown(), format, path); }))
        exportMessages->inform(this, QStringLiteral("Velmora - ESPORTAZIONE"),
                               QStringLiteral("Elenco esportato in:\n%1").arg(path));
}

int GridList::pixelsFromTwips(int twips, int dotsPerInch)
{
    return twips * dotsPerInch / 1440;
}

void GridList::setColumns(const QList<GridColumn> &columns)
{
    m_amountColumn = -1;
    m_source = nullptr;
    m_arrangement = {};
    m_hiddenTicks.clear();
    horizontalHeader()->setSortIndicatorShown(false);
    m_findDelay->stop();
    m_find->clear();
    m_find->hide();
    m_model->clearRows();
    m_model->setColumns(columns);
    const QSettings kept = userWidths();
    for (int c = 0; c < columns.size(); ++c) {
        int width = pixelsFromTwips(columns.at(c).twips, logicalDpiX());
        // The row's tick box sits before its text and must not hide the ID.
        if (c == 0 && m_model->isCheckable())
            width += style()->pixelMetric(QStyle::PM_IndicatorWidth) + 8;
        // A hidden column stays hidden; a shown one takes the user's width.
        if (columns.at(c).twips > 10)
            width = kept.value(widthKey(c), width).toInt();
        setWidthOf(c, width);
    }
}

// The user's width of a column, by the window, the list and the header.
QString GridList::widthKey(int column) const
{
    return QStringLiteral("%1/%2/%3").arg(window()->objectName(), objectName(), m_model->columns().value(column).header);
}

void GridList::setWidthOf(int column, int width)
{
    m_sizing = true;
    setColumnWidth(column, width);
    m_sizing = false;
}

// Widens the columns whose values on screen are cut, in their order, as far
// as the list has room; never narrows, never a hidden column or one the
// user has sized.
void GridList::fitColumns()
{
    if (!isVisible() || count() == 0)
        return;
    QHeaderView *header = horizontalHeader();
    int room = viewport()->width() - header->length();
    const int first = qMax(0, rowAt(0));
    const int last = rowAt(viewport()->height() - 1) < 0 ? count() - 1 : rowAt(viewport()->height() - 1);
    const QSettings kept = userWidths();
    const QList<GridColumn> &columns = m_model->columns();
    for (int c = 0; c < columns.size() && room > 0; ++c) {
        if (columns.at(c).twips <= 10 || kept.contains(widthKey(c)))
            continue;
        int widest = 0;
        for (int row = first; row <= last; ++row)
            widest = qMax(widest, sizeHintForIndex(m_model->index(row, c)).width());
        widest += showGrid() ? 2 : 1; // the grid's line is taken from the cell
        const int grow = qMin(widest - columnWidth(c), room);
        if (grow > 0) {
            setWidthOf(c, columnWidth(c) + grow);
            room -= grow;
        }
    }
}

void GridList::showEvent(QShowEvent *event)
{
    QTableView::showEvent(event);
    fitColumns();
}

void GridList::setRows(std::shared_ptr<const GridRows> rows)
{
    m_read = std::move(rows);
    m_hiddenTicks.clear();
    if (m_arrangement.isPlain())
        m_model->setRows(m_read);
    else
        arrange();
}

void GridList::sortBy(int column)
{
    if (column < 0 || column >= m_model->columnCount())
        return;
    m_arrangement.descending = m_arrangement.column == column && !m_arrangement.descending;
    m_arrangement.column = column;
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(column, m_arrangement.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    arrange();
}

void GridList::keyboardSearch(const QString &search)
{
    if (search.trimmed().isEmpty() && m_find->text().isEmpty())
        return;
    placeFindField();
    m_find->show();
    m_find->setFocus();
    m_find->insert(search);
    m_findDelay->start();
}

void GridList::findRows(const QString &text)
{
    if (text.trimmed() == m_arrangement.find.trimmed())
        return;
    m_arrangement.find = text;
    m_arrangement.searched.clear();
    const QList<GridColumn> &columns = m_model->columns();
    for (int c = 0; c < columns.size(); ++c)
        if (columns.at(c).twips > 10) // the hidden columns are not read
            m_arrangement.searched << c;
    arrange();
}

void GridList::closeFind()
{
    m_findDelay->stop();
    m_find->clear();
    m_find->hide();
    setFocus();
    findRows(QString());
}

bool GridList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_find && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape) {
            closeFind();
            return true;
        }
        if (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_findDelay->stop();
            findRows(m_find->text());
            setFocus();
            if (!currentIndex().isValid() && count() > 0)
                setCurrentIndex(m_model->index(0, 0));
            return true;
        }
    }
    return QTableView::eventFilter(watched, event);
}

void GridList::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    placeFindField();
    fitColumns();
}

// Over the top right corner of the rows, where it hides the least.
void GridList::placeFindField()
{
    const int width = qMin(240, viewport()->width());
    const QRect rows = viewport()->geometry();
    m_find->setGeometry(rows.right() - width, rows.top(), width, m_find->sizeHint().height());
}

void GridList::arrange()
{
    std::shared_ptr<const GridRows> rows;
    if (!skipFailure([&] { rows = arrangedRows(m_read, m_arrangement); }) || !rows)
        return;
    replaceRows(std::move(rows), false);
    scrollToTop();
}

void GridList::setSource(Source read, const QStringList &tables)
{
    m_source = std::move(read);
    m_sourceTables = tables;
}

void GridList::refreshAfter(const QStringList &changedTables)
{
    const bool affected = std::any_of(changedTables.begin(), changedTables.end(), [this](const QString &table) {
        return table == QLatin1String("*") || m_sourceTables.contains(table, Qt::CaseInsensitive);
    });
    if (!m_source || !affected)
        return;
    std::shared_ptr<const GridRows> read, rows;
    if (!skipFailure([&] {
            read = m_source();
            rows = arrangedRows(read, m_arrangement);
        })
        || !rows)
        return;
    m_read = std::move(read);
    replaceRows(std::move(rows), true);
}

void GridList::replaceRows(std::shared_ptr<const GridRows> rows, bool keepScroll)
{
    QSet<QString> selected, ticked = m_hiddenTicks;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        selected << rowText(index.row());
    for (int row = 0; m_model->isCheckable() && row < count(); ++row)
        if (isChecked(row))
            ticked << rowText(row);
    const QString current = rowText(currentIndex().row());
    const int scrolled = verticalScrollBar()->value();
    m_model->setRows(std::move(rows));
    m_hiddenTicks = ticked;
    if (!selected.isEmpty() || !ticked.isEmpty() || !current.isEmpty())
        for (int row = 0; row < count(); ++row) {
            const QString id = rowText(row);
            if (ticked.contains(id)) {
                setChecked(row, true);
                m_hiddenTicks.remove(id);
            }
            if (id == current)
                selectionModel()->setCurrentIndex(m_model->index(row, 0), QItemSelectionModel::NoUpdate);
            if (selected.contains(id))
                selectionModel()->select(m_model->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    if (keepScroll)
        verticalScrollBar()->setValue(scrolled);
}

void GridList::setBoldColumns(const QSet<int> &columns)
{
    m_model->setBoldColumns(columns);
}

void GridList::setCheckBoxes(bool enabled)
{
    m_model->setCheckable(enabled);
}

void GridList::clear()
{
    m_source = nullptr;
    m_read = nullptr;
    m_hiddenTicks.clear();
    m_model->clearRows();
}

int GridList::count() const
{
    return m_model->rowCount();
}

QString GridList::rowText(int row) const
{
    return m_model->text(row, 0);
}

QString GridList::subItem(int row, int index) const
{
    return m_model->text(row, index);
}

QStringList GridList::cells(int row) const
{
    QStringList all;
    for (int i = 0; i < m_model->columnCount(); ++i)
        all << subItem(row, i);
    return all;
}

RowVersion GridList::rowVersion(int row) const
{
    return m_model->version(row);
}

QString GridList::header(int column) const
{
    return m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

int GridList::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    int first = -1;
    for (const QModelIndex &index : rows)
        if (first < 0 || index.row() < first)
            first = index.row();
    return first;
}

bool GridList::isChecked(int row) const
{
    return m_model->isChecked(row);
}

void GridList::setChecked(int row, bool checked)
{
    m_model->setChecked(row, checked);
}

void GridList::setAllChecked(bool checked)
{
    if (!checked)
        m_hiddenTicks.clear();
    m_model->setAllChecked(checked);
}
