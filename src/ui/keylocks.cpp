#include "keylocks.h"

#include <QGuiApplication>

// Last: Xlib's macros (None, Bool, Status) would clash with Qt's names.
#include <X11/XKBlib.h>

namespace keylocks {

std::optional<State> current()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    // The indicators by the names X keeps for them, looked up once.
    static const Atom numLock = XInternAtom(display, "Num Lock", False);
    static const Atom capsLock = XInternAtom(display, "Caps Lock", False);
    const auto isOn = [display](Atom indicator) {
        Bool on = False;
        return XkbGetNamedIndicator(display, indicator, nullptr, &on, nullptr, nullptr) && on;
    };
    return State{isOn(numLock), isOn(capsLock)};
}

}
