#pragma once

#include <QFrame>

class QPushButton;

// The services command bar (Frame4) with its six buttons.
class ServiceCommandBar : public QFrame
{
    Q_OBJECT

public:
    explicit ServiceCommandBar(QWidget *parent = nullptr);

    QPushButton *newService() const { return m_newService; } // Cmd3
    QPushButton *modify() const { return m_modify; } // Cmd4
    QPushButton *remove() const { return m_remove; } // Cmd5
    QPushButton *print() const { return m_print; } // Cmd6
    QPushButton *searchPrint() const { return m_searchPrint; } // Cmd7
    QPushButton *clear() const { return m_clear; } // Cmd9

    void enableAllButtons();

private:
    QPushButton *m_newService;
    QPushButton *m_modify;
    QPushButton *m_remove;
    QPushButton *m_print;
    QPushButton *m_searchPrint;
    QPushButton *m_clear;
};
