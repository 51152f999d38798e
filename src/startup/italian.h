#pragma once

class QApplication;

// Italian everywhere, whatever the machine's locale: number and date formats,
// and Qt's own texts ("Sì", "No", the print and preview dialogs).
namespace italian {

void install(QApplication &application);

}
