#pragma once

// Enter on a focused button presses it, as Space does, in every window:
// the platform's dialogs do so only for their default buttons. Installed
// once on the application; Enter in a field keeps the meaning its window
// gives it.
namespace enterpress {

void install();

}
