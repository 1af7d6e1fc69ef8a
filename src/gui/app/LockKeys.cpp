#include "LockKeys.h"

#include <QGuiApplication>

#ifdef PALLWORTH_HAVE_XKB
// After Qt: Xlib's macros would clash with Qt's names.
#include <X11/XKBlib.h>
#endif

std::optional<LockKeys::State> LockKeys::read() {
#ifdef PALLWORTH_HAVE_XKB
    const auto* x11 = qGuiApp != nullptr
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr)
        return std::nullopt;
    static const char* const kNames[3] = {"Caps Lock", "Num Lock", "Scroll Lock"};
    State state{};
    for (std::size_t i = 0; i < state.size(); ++i) {
        // A keymap without the indicator cannot tell its state.
        const Atom name = XInternAtom(display, kNames[i], True);
        Bool on = False;
        if (name == 0 || !XkbGetNamedIndicator(display, name, nullptr, &on, nullptr, nullptr))
            return std::nullopt;
        state[i] = on != False;
    }
    return state;
#else
    // Other platforms (and the offscreen one) offer no way to ask.
    return std::nullopt;
#endif
}
