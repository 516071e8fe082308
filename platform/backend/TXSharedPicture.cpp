#include "platform/backend/TXSharedPicture.h"

#include <dlfcn.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <unordered_set>

#include "platform/backend/XErrorTrap.h"

// X11 last: its headers define None, Bool, Status, True and False as macros.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace {

// The extension's library is loaded when the display has it, as the shape extension is, so that no
// extra library is needed to build.
struct TShmApi {
    using TQueryExtension = Bool (*)(Display*);
    using TCreateImage = XImage* (*)(Display*, Visual*, unsigned int, int, char*, XShmSegmentInfo*, unsigned int,
        unsigned int);
    using TAttach = Bool (*)(Display*, XShmSegmentInfo*);
    using TPutImage = Bool (*)(Display*, Drawable, GC, XImage*, int, int, int, int, unsigned int, unsigned int, Bool);
    TQueryExtension QueryExtension = nullptr;
    TCreateImage CreateImage = nullptr;
    TAttach Attach = nullptr;
    TAttach Detach = nullptr;
    TPutImage PutImage = nullptr;
    TShmApi()
    {
        void* lib = dlopen("libXext.so.6", RTLD_NOW | RTLD_LOCAL);
        if (!lib)
            return;   // no sharing: pictures go through the display library's own surface
        QueryExtension = reinterpret_cast<TQueryExtension>(dlsym(lib, "XShmQueryExtension"));
        CreateImage = reinterpret_cast<TCreateImage>(dlsym(lib, "XShmCreateImage"));
        Attach = reinterpret_cast<TAttach>(dlsym(lib, "XShmAttach"));
        Detach = reinterpret_cast<TAttach>(dlsym(lib, "XShmDetach"));
        PutImage = reinterpret_cast<TPutImage>(dlsym(lib, "XShmPutImage"));
    }
    bool Loaded() const { return QueryExtension && CreateImage && Attach && Detach && PutImage; }
};

const TShmApi& Shm()
{
    static const TShmApi api;
    return api;
}

std::unordered_set<TXSharedPicture*>& Live()
{
    static std::unordered_set<TXSharedPicture*> live;
    return live;
}

// Our pixels are 0xAARRGGBB in memory order B, G, R, A: a 24-bit window of 32-bit pixels in that order
// takes them as they are (the fourth byte is not shown).
bool TakesOurPixels(const XWindowAttributes& a)
{
    return a.depth == 24 && a.visual && a.visual->red_mask == 0xFF0000u && a.visual->green_mask == 0xFF00u &&
           a.visual->blue_mask == 0xFFu;
}

}  // namespace

struct TXSharedPicture::TSegment {
    XShmSegmentInfo Info{};
};

TXSharedPicture::TXSharedPicture() : FSegment(std::make_unique<TSegment>()) { FSegment->Info.shmid = -1; }

std::shared_ptr<TXSharedPicture> TXSharedPicture::Make(Display* D, unsigned long XWindow, int Width, int Height)
{
    const TShmApi& api = Shm();
    if (!D || !XWindow || Width <= 0 || Height <= 0 || !api.Loaded() || !api.QueryExtension(D))
        return nullptr;
    XWindowAttributes a{};
    if (!WithoutXErrors(D, [&] { XGetWindowAttributes(D, XWindow, &a); }) || !TakesOurPixels(a))
        return nullptr;
    std::shared_ptr<TXSharedPicture> p(new TXSharedPicture);
    p->FWidth = Width;
    p->FHeight = Height;
    XShmSegmentInfo& info = p->FSegment->Info;
    p->FImage = api.CreateImage(D, a.visual, 24, ZPixmap, nullptr, &info, static_cast<unsigned>(Width),
        static_cast<unsigned>(Height));
    // Rows without filler, as a surface has them.
    if (!p->FImage || p->FImage->bits_per_pixel != 32 || p->FImage->byte_order != LSBFirst ||
        p->FImage->bytes_per_line != Width * 4)
        return nullptr;
    info.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height) * 4,
        IPC_CREAT | 0600);
    if (info.shmid < 0)
        return nullptr;
    void* at = shmat(info.shmid, nullptr, 0);
    if (at != reinterpret_cast<void*>(-1)) {
        info.shmaddr = p->FImage->data = static_cast<char*>(at);
        info.readOnly = False;
        p->FDisplay = D;
        bool attached = false;
        // A display on another machine refuses the segment: the error is expected there.
        p->FAttached = WithoutXErrors(D, [&] { attached = api.Attach(D, &info); }) && attached;
    }
    // Marked for removal once the server holds it too: the segment then goes with the last of us to let go,
    // also when the program ends without cleaning up.
    shmctl(info.shmid, IPC_RMID, nullptr);
    if (!p->FAttached)
        return nullptr;
    p->FPixels = static_cast<TPixel*>(at);
    Live().insert(p.get());
    return p;
}

void TXSharedPicture::DisplayClosing(Display* D)
{
    // The server lets go of a connection's segments when it closes.
    for (TXSharedPicture* p : Live())
        if (p->FDisplay == D) {
            p->FAttached = false;
            p->FDisplay = nullptr;
        }
}

TXSharedPicture::~TXSharedPicture()
{
    Live().erase(this);
    Detach();
    if (FImage) {
        FImage->data = nullptr;   // the segment is ours to release, below
        XDestroyImage(FImage);
    }
    if (FSegment->Info.shmaddr)
        shmdt(FSegment->Info.shmaddr);
}

void TXSharedPicture::Detach()
{
    if (!FAttached || !FDisplay)
        return;
    FAttached = false;
    Shm().Detach(FDisplay, &FSegment->Info);
    // The server must have let go before the memory leaves us.
    XSync(FDisplay, False);
}

void TXSharedPicture::Put(unsigned long XWindow, GC Gc, const std::vector<TRect>& Areas) const
{
    if (!FAttached || !FDisplay)
        return;
    for (const TRect& r : Areas) {
        TRect c;
        if (!IntersectRect(c, r, TRect{0, 0, FWidth, FHeight}))
            continue;
        Shm().PutImage(FDisplay, XWindow, Gc, FImage, c.Left, c.Top, c.Left, c.Top, static_cast<unsigned>(c.Width()),
            static_cast<unsigned>(c.Height()), False);
    }
    // The server reads our memory while it carries the requests out: the next paint may write there
    // only after that.
    XSync(FDisplay, False);
}
