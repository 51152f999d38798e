#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

// What a text field takes, however the text arrives: typed, pasted or
// dropped. A change that breaks the rule is undone and the field keeps
// its text. A value put there from code is never cut or refused, so an
// old, longer stored value survives loading and saving unchanged.
class FieldRule : public QValidator
{
    Q_OBJECT

public:
    enum class Dot { Kept, AsComma };

    // Only these characters; with AsComma a "." arrives as ",".
    static void acceptOnly(QLineEdit *field, const QString &accepted, Dot dot);
    // At most so many characters.
    static void limit(QLineEdit *field, int characters);

    State validate(QString &input, int &position) const override;

private:
    explicit FieldRule(QLineEdit *field);
    static FieldRule *of(QLineEdit *field);

    QString m_accepted; // empty: any character
    Dot m_dot = Dot::Kept;
    int m_limit = 0; // 0: no limit
};
