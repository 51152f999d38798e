#pragma once

#include <QCheckBox>

// A tick box whose click handling runs whenever its state really changes,
// by the user's click or set from code, exactly as the windows rely on for
// their cascades. Windows connect to ticked(), never to clicked().
class TickBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit TickBox(const QString &caption, QWidget *parent = nullptr);

    bool isTicked() const { return isChecked(); }
    void setTicked(bool ticked) { setChecked(ticked); }

signals:
    void ticked(bool isTicked);
};
