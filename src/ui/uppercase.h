#pragma once

class QLineEdit;
class QPlainTextEdit;

// Fields that turn their text into capitals on every change, typed or set
// from code, keeping the caret where it was.
namespace uppercase {

void apply(QLineEdit *field);
void apply(QPlainTextEdit *field);

}
