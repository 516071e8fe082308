#include "platform/backend/TXPictureSelection.h"

#include "platform/gfx/Bmp.h"

// X11 last: its headers define None, Bool, Status, True and False as macros.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

Atom AtomNamed(Display* d, const char* name) { return XInternAtom(d, name, False); }

} // namespace

TXPictureSelection::~TXPictureSelection()
{
    if (FWindow)
        XDestroyWindow(FDisplay, FWindow);
}

void TXPictureSelection::Offer(const TSurface& Picture)
{
    if (!FDisplay)
        return;
    if (!FWindow) {
        // Never mapped: it only stands for us as the selection's owner.
        FWindow = XCreateSimpleWindow(FDisplay, DefaultRootWindow(FDisplay), 0, 0, 1, 1, 0, 0, 0);
    }
    FPicture = std::make_unique<TSurface>(Picture);
    // 24 bits: readers of the picture take it as opaque, whatever our alpha bytes hold.
    FBmp = EncodeBmp(Picture, 24);
    XSetSelectionOwner(FDisplay, AtomNamed(FDisplay, "CLIPBOARD"), FWindow, CurrentTime);
    if (XGetSelectionOwner(FDisplay, AtomNamed(FDisplay, "CLIPBOARD")) != FWindow)
        FPicture.reset();
    XFlush(FDisplay);
}

const TSurface* TXPictureSelection::Picture() const
{
    if (!FPicture || XGetSelectionOwner(FDisplay, AtomNamed(FDisplay, "CLIPBOARD")) != FWindow)
        return nullptr;
    return FPicture.get();
}

bool TXPictureSelection::Handle(const XEvent& E)
{
    if (!FWindow)
        return false;
    if (E.type == SelectionClear && E.xselectionclear.window == FWindow) {
        FPicture.reset();
        FBmp.clear();
        return true;
    }
    if (E.type != SelectionRequest || E.xselectionrequest.owner != FWindow)
        return false;
    const XSelectionRequestEvent& r = E.xselectionrequest;
    const Atom targets = AtomNamed(FDisplay, "TARGETS");
    const Atom bmp = AtomNamed(FDisplay, "image/bmp");
    // A requestor of the old kind names no property: the target itself is the one to use.
    const Atom property = r.property != None ? r.property : r.target;
    // One request carries the whole file; a picture larger than the server takes at once is refused
    // rather than sent in the incremental protocol, which nothing here needs.
    const long maxRequest = XExtendedMaxRequestSize(FDisplay) > 0 ? XExtendedMaxRequestSize(FDisplay) : XMaxRequestSize(FDisplay);
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = FDisplay;
    reply.requestor = r.requestor;
    reply.selection = r.selection;
    reply.target = r.target;
    reply.time = r.time;
    reply.property = None;
    if (FPicture && r.target == targets) {
        const Atom offered[] = {targets, bmp};
        XChangeProperty(FDisplay, r.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(offered), 2);
        reply.property = property;
    } else if (FPicture && r.target == bmp && static_cast<long>(FBmp.size()) < maxRequest * 4 - 1024) {
        XChangeProperty(FDisplay, r.requestor, property, bmp, 8, PropModeReplace, FBmp.data(), static_cast<int>(FBmp.size()));
        reply.property = property;
    }
    XSendEvent(FDisplay, r.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(FDisplay);
    return true;
}
