#pragma once

#include <QObject>

class QLineEdit;

// A field that takes at most so many typed characters. Unlike a maximum
// length it never cuts a longer value put there from code: an old, longer
// stored value survives loading and saving unchanged.
class TypingLimit : public QObject
{
    Q_OBJECT

public:
    static void install(QLineEdit *field, int characters);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TypingLimit(QLineEdit *field, int characters);

    int m_characters;
};
