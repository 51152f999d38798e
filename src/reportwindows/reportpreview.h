#pragma once

#include "reports/pagemodel.h"

#include <QDialog>

class Messages;
class QComboBox;
class QLabel;
class QScrollArea;
class QToolButton;

// The preview of a laid-out report: one page on screen at a time, drawn
// when shown, with page navigation, zoom, printing and export to PDF.
class ReportPreview : public QDialog
{
    Q_OBJECT

public:
    ReportPreview(PageModel model, Messages &messages, QWidget *parent = nullptr);

    const PageModel &model() const { return m_model; }
    int currentPage() const { return m_page; }
    void showPage(int page);

protected:
    // A zoom that fits the window follows the window's size.
    void resizeEvent(QResizeEvent *event) override;

private:
    class PageView;

    QToolButton *tool(const QString &text, const QString &tip);
    void zoomChosen(int index);
    void printReport();
    void exportReport();
    void updatePageLabel();

    PageModel m_model;
    Messages &m_messages;
    int m_page = 0;
    PageView *m_view;
    QScrollArea *m_scroll;
    QLabel *m_pageLabel;
    QComboBox *m_zoom;
};
