#pragma once

#include <optional>

// Whether Num Lock and Caps Lock are on, as the window system tells it.
// X11 does; on a platform that does not (Wayland without X, the offscreen
// platform of the tests) there is no answer, and the status bar's lock
// panels keep showing their captions.
namespace keylocks {

struct State
{
    bool num = false;
    bool caps = false;
};

std::optional<State> current();

}
