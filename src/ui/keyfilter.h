#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

// The key filter of the numeric fields: a typed "." may become ",";
// backspace and keys without text pass; any other character not in the
// accepted set is swallowed and the focus stays in the field.
class KeyFilter : public QObject
{
    Q_OBJECT

public:
    enum class Dot { Kept, AsComma };

    static void install(QLineEdit *field, const QString &accepted, Dot dot);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KeyFilter(QLineEdit *field, const QString &accepted, Dot dot);

    QString m_accepted;
    Dot m_dot;
};
