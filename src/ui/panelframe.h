#pragma once

#include <QGroupBox>

class QToolButton;
class QVBoxLayout;

// A panel of a window, shown and hidden as a whole, with the small picture
// in its corner that closes it.
class PanelFrame : public QGroupBox
{
    Q_OBJECT

public:
    PanelFrame(const QString &name, const QString &title, const QString &closePictureName, QWidget *parent = nullptr);

    QToolButton *closePicture() const { return m_closePicture; }
    QVBoxLayout *content() const { return m_content; }

    // The close picture, also used on its own (the command bar's).
    static QToolButton *makeClosePicture(const QString &name, QWidget *parent);

private:
    QToolButton *m_closePicture;
    QVBoxLayout *m_content;
};
