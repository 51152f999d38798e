#include "reportpreview.h"

#include "reports/reportpainter.h"
#include "ui/messages.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

// The page on screen, drawn at the zoom chosen.
class ReportPreview::PageView : public QWidget
{
public:
    PageView(const PageModel &model, QWidget *parent) : QWidget(parent), m_model(model) {}

    void show(int page, qreal pixelsPerPoint)
    {
        m_page = page;
        m_scale = pixelsPerPoint;
        setFixedSize((m_model.pageSize * m_scale).toSize());
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        if (m_page >= 0 && m_page < m_model.pages.size())
            reportpainter::paintPage(painter, m_model.pages.at(m_page), m_scale);
    }

private:
    const PageModel &m_model;
    int m_page = 0;
    qreal m_scale = 1;
};

namespace {

// Zoom choices: a share of the page's own size, or fitting the window.
constexpr qreal FitPage = -1;
constexpr qreal FitWidth = -2;

}

ReportPreview::ReportPreview(PageModel model, Messages &messages, QWidget *parent)
    : QDialog(parent), m_model(std::move(model)), m_messages(messages)
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(m_model.title);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *bar = new QToolBar(this);
    layout->addWidget(bar);
    m_scroll = new QScrollArea(this);
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_view = new PageView(m_model, m_scroll);
    m_scroll->setWidget(m_view);
    layout->addWidget(m_scroll, 1);

    QToolButton *first = tool(QStringLiteral("|<"), QStringLiteral("Prima pagina"));
    QToolButton *previous = tool(QStringLiteral("<"), QStringLiteral("Pagina precedente"));
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("PreviewPage"));
    QToolButton *next = tool(QStringLiteral(">"), QStringLiteral("Pagina successiva"));
    QToolButton *last = tool(QStringLiteral(">|"), QStringLiteral("Ultima pagina"));
    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("PreviewZoom"));
    m_zoom->addItem(QStringLiteral("Pagina intera"), FitPage);
    m_zoom->addItem(QStringLiteral("Larghezza pagina"), FitWidth);
    for (int percent : {50, 75, 100, 150, 200})
        m_zoom->addItem(QStringLiteral("%1%").arg(percent), percent / 100.0);
    QToolButton *print = tool(QStringLiteral("Stampa..."), QStringLiteral("Stampa il report"));
    QToolButton *pdf = tool(QStringLiteral("Esporta PDF..."), QStringLiteral("Salva il report in un file PDF"));
    QToolButton *close = tool(QStringLiteral("Chiudi"), QStringLiteral("Chiudi l'anteprima"));
    for (QWidget *w : std::initializer_list<QWidget *>{first, previous, m_pageLabel, next, last})
        bar->addWidget(w);
    bar->addSeparator();
    bar->addWidget(m_zoom);
    bar->addSeparator();
    for (QWidget *w : std::initializer_list<QWidget *>{print, pdf, close})
        bar->addWidget(w);

    connect(first, &QToolButton::clicked, this, [this] { showPage(0); });
    connect(previous, &QToolButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(next, &QToolButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(last, &QToolButton::clicked, this, [this] { showPage(int(m_model.pages.size()) - 1); });
    connect(m_zoom, &QComboBox::activated, this, &ReportPreview::zoomChosen);
    connect(print, &QToolButton::clicked, this, &ReportPreview::printReport);
    connect(pdf, &QToolButton::clicked, this, &ReportPreview::exportReport);
    connect(close, &QToolButton::clicked, this, &QDialog::accept);

    m_zoom->setCurrentIndex(1);
    // Nine tenths of the screen, centred, until the window is maximized.
    const QRect screenArea = screen()->availableGeometry();
    const QSize size = screenArea.size() * 0.9;
    setGeometry(QRect(
        screenArea.topLeft() + QPoint((screenArea.width() - size.width()) / 2, (screenArea.height() - size.height()) / 2), size));
    showPage(0);
}

QToolButton *ReportPreview::tool(const QString &text, const QString &tip)
{
    auto *button = new QToolButton(this);
    button->setText(text);
    button->setToolTip(tip);
    return button;
}

void ReportPreview::showPage(int page)
{
    m_page = qBound(0, page, qMax(0, int(m_model.pages.size()) - 1));
    zoomChosen(m_zoom->currentIndex());
    m_scroll->verticalScrollBar()->setValue(0);
    updatePageLabel();
}

void ReportPreview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    zoomChosen(m_zoom->currentIndex());
}

void ReportPreview::zoomChosen(int index)
{
    const qreal choice = m_zoom->itemData(index).toReal();
    const QSizeF page = m_model.pageSize;
    const QSize room = m_scroll->maximumViewportSize() - QSize(24, 24);
    const qreal screen = logicalDpiX() / 72.0;
    qreal scale = choice * screen;
    if (choice == FitWidth)
        scale = room.width() / page.width();
    else if (choice == FitPage)
        scale = qMin(room.width() / page.width(), room.height() / page.height());
    m_view->show(m_page, qMax(scale, 0.2));
}

void ReportPreview::updatePageLabel()
{
    m_pageLabel->setText(QStringLiteral("  Pagina %1 di %2  ").arg(m_page + 1).arg(m_model.pages.size()));
}

void ReportPreview::printReport()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_model.pageLayout());
    printer.setFullPage(true);
    printer.setDocName(m_model.title);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Stampa - ") + m_model.title);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!reportpainter::paintAll(printer, m_model))
        m_messages.inform(this, QStringLiteral("Velmora - ERRORE"), QStringLiteral("Impossibile stampare il report."));
}

void ReportPreview::exportReport()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Esporta in PDF"), m_model.title + QStringLiteral(".pdf"), QStringLiteral("Documenti PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!reportpainter::exportPdf(m_model, path))
        m_messages.inform(this, QStringLiteral("Velmora - ERRORE"), QStringLiteral("Impossibile scrivere il file %1.").arg(path));
}
