#include "keyboardlocks.h"

#include <QGuiApplication>

#ifdef LEAFSTACK_HAVE_X11
#include <X11/XKBlib.h>
#endif

#ifdef LEAFSTACK_HAVE_X11
namespace {
std::optional<bool> indicator(Display *display, const char *name)
{
    // Atoms live as long as the display connection, which is the application's.
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None)
        return std::nullopt;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return std::nullopt;
    return on != False;
}
} // namespace
#endif

KeyLockState KeyboardLocks::read()
{
    KeyLockState state;
#ifdef LEAFSTACK_HAVE_X11
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (display) {
        state.numLock = indicator(display, "Num Lock");
        state.capsLock = indicator(display, "Caps Lock");
    }
#endif
    return state;
}
