#pragma once

class QWidget;

// Windows open where the user left them, and always whole on the screen.
// Kept per window name in the user's settings, from one run to the next.
namespace windowplacement {

// From now on, at its first showing the window takes the size, place and
// maximized state it had when last hidden; the very first time, its design
// size centred on its screen, or maximized when that does not fit. Each
// hiding keeps them for the next run.
void follow(QWidget *window);

}
