#include "platform/backend/XErrorTrap.h"

#include <cstdio>

// X11 last: its headers define None, Bool, Status, True and False as macros.
#include <X11/Xlib.h>

namespace {

int TrappedErrors = 0;
Display* Trapping = nullptr;

int OnXError(Display* d, XErrorEvent* e)
{
    if (d == Trapping) {
        ++TrappedErrors;
        return 0;
    }
    char text[256] = "";
    XGetErrorText(d, e->error_code, text, sizeof text);
    std::fprintf(stderr, "X error %s (request %d.%d, resource 0x%lx); going on\n", text, e->request_code, e->minor_code,
        e->resourceid);
    return 0;
}

} // namespace

void InstallXErrorHandler() { XSetErrorHandler(OnXError); }

bool WithoutXErrors(Display* D, const std::function<void()>& Call)
{
    XSync(D, False);
    TrappedErrors = 0;
    Trapping = D;
    const XErrorHandler previous = XSetErrorHandler(OnXError);
    Call();
    XSync(D, False);
    XSetErrorHandler(previous);
    Trapping = nullptr;
    return TrappedErrors == 0;
}
