#pragma once

class Connection;
class Messages;
class QWidget;
struct FilterValues;

// "Estratti del periodo...": the statement of every client with services
// between the window's two dates, one PDF each into a folder the user
// chooses, with a progress dialog that can stop the run.
namespace periodstatements {

void print(QWidget *window, Connection &connection, Messages &messages, const FilterValues &filters);

}
