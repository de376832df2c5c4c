#include "shell/lockkeystate.h"

#ifdef MAPWRIGHT_HAVE_X11
#include <QGuiApplication>
// X11's headers define names like KeyRelease: they come last and stay in this file.
#include <X11/XKBlib.h>
#endif

namespace mapwright {

#ifdef MAPWRIGHT_HAVE_X11
namespace {

bool NamedIndicator(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    Bool on = False;
    if (atom == None || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    return on;
}

}  // namespace
#endif

std::optional<CLockKeyState> QueryLockKeys()
{
#ifdef MAPWRIGHT_HAVE_X11
    if (const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) {
        if (Display* display = x11->display())
            return CLockKeyState{NamedIndicator(display, "Caps Lock"), NamedIndicator(display, "Num Lock"),
                                 NamedIndicator(display, "Scroll Lock")};
    }
#endif
    return std::nullopt;
}

}  // namespace mapwright
