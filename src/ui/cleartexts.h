#pragma once

class QWidget;

// Empties the text of every control of a window that has one: text fields,
// date fields and drop-down lists (their entries stay).
void clearTexts(QWidget *window);
