#include "typinglimit.h"

#include <QKeyEvent>
#include <QLineEdit>

TypingLimit::TypingLimit(QLineEdit *field, int characters)
    : QObject(field), m_characters(characters)
{
}

void TypingLimit::install(QLineEdit *field, int characters)
{
    field->installEventFilter(new TypingLimit(field, characters));
}

bool TypingLimit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    auto *field = static_cast<QLineEdit *>(watched);
    return field->text().size() - field->selectedText().size() + text.size() > m_characters;
}
