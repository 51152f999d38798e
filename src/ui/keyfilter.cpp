#include "keyfilter.h"

#include <QKeyEvent>
#include <QLineEdit>

KeyFilter::KeyFilter(QLineEdit *field, const QString &accepted, Dot dot)
    : QObject(field), m_accepted(accepted), m_dot(dot)
{
}

void KeyFilter::install(QLineEdit *field, const QString &accepted, Dot dot)
{
    field->installEventFilter(new KeyFilter(field, accepted, dot));
}

bool KeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const QString text = key->text();
    if (text.isEmpty() || key->key() == Qt::Key_Backspace || !text.at(0).isPrint())
        return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    QString typed = text;
    if (m_dot == Dot::AsComma)
        typed.replace(QLatin1Char('.'), QLatin1Char(','));
    for (const QChar c : typed)
        if (!m_accepted.contains(c))
            return true;
    if (typed != text) {
        static_cast<QLineEdit *>(watched)->insert(typed);
        return true;
    }
    return false;
}
