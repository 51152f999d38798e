#include "uppercase.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>

void uppercase::apply(QLineEdit *field)
{
    QObject::connect(field, &QLineEdit::textChanged, field, [field](const QString &text) {
        const QString upper = text.toUpper();
        if (upper == text)
            return;
        const int caret = field->cursorPosition();
        field->setText(upper);
        field->setCursorPosition(qMin(caret, int(upper.size())));
    });
}

void uppercase::apply(QPlainTextEdit *field)
{
    QObject::connect(field, &QPlainTextEdit::textChanged, field, [field] {
        const QString text = field->toPlainText();
        const QString upper = text.toUpper();
        if (upper == text)
            return;
        const int caret = field->textCursor().position();
        field->setPlainText(upper);
        QTextCursor cursor = field->textCursor();
        cursor.setPosition(qMin(caret, int(upper.size())));
        field->setTextCursor(cursor);
    });
}
