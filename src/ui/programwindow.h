#pragma once

#include <QMainWindow>

class QDialog;

// A top-level window of the program that is only ever shown and hidden.
// Its title-bar close is refused, and activated() tells when it comes back
// from another window of the program: when it is shown again after being
// hidden (the first showing included), or when a modal window it opened
// through showModal() closes. Our own message boxes and switching
// to another program and back do not count.
class ProgramWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit ProgramWindow(QWidget *parent = nullptr);

    // Shows a modal window over this one (a report preview); its closing is a
    // return to this window.
    int showModal(QDialog &dialog);

signals:
    void activated();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
};
