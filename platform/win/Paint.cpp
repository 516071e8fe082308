#include "platform/win/Paint.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <unordered_set>
#include <utility>

#include "platform/backend/Backend.h"
#include "platform/gfx/Drawing.h"
#include "platform/rtl/ScopeGuards.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/NativeChild.h"
#include "platform/win/WinInternal.h"

using namespace WinInternal;

namespace {

// Windows that may have something to paint, in the order they were invalidated (parents before their
// children, as invalidation walks down the tree). Entries whose painting is done leave from the front.
std::deque<HWND>& Dirty()
{
    static std::deque<HWND> d;
    return d;
}

bool NeedsPaint(const TWindowRec& w) { return !w.Update.IsEmpty() || w.NcPaintNeeded; }

bool HasFrame(const TWindowRec& w) { return w.Client != TRect{0, 0, w.Rect.Width(), w.Rect.Height()}; }

void MarkDirty(TWindowRec& w)
{
    // Only the GUI thread invalidates, and it is awake while doing so: no wake-up is needed.
    if (!w.PaintQueued) {
        w.PaintQueued = true;
        Dirty().push_back(w.Handle);
    }
}

TRegionShape WithRegion(const TRect& box, const std::optional<TRegionShape>& rgn, TPoint at)
{
    if (!rgn)
        return TRegionShape(box);
    // The box goes to the region's own coordinates and the answer (no larger than the box) comes back:
    // a window's outline has a band per rounded row, and copying and moving all of them for every
    // question cost more than the question.
    TRect local = box;
    OffsetRect(local, -at.X, -at.Y);
    TRegionShape r = TRegionShape(local).Intersect(*rgn);
    r.Offset(at.X, at.Y);
    return r;
}

TRect Moved(TRect r, TPoint by)
{
    OffsetRect(r, by.X, by.Y);
    return r;
}

TWindowRec* TopOf(HWND h)
{
    return Find(GetAncestorRoot(h));
}

TSurface* EnsureSurface(TWindowRec& top)
{
    const int w = top.Rect.Width(), h = top.Rect.Height();
    if (!top.Surface)
        top.Surface = std::make_unique<TSurface>();
    TSurface& s = *top.Surface;
    const bool resized = s.Width() != w || s.Height() != h;
    // The picture lives where the display reads it, when the display offers such memory; one made before
    // the window reached the display moves there with what it shows.
    std::shared_ptr<TPixelStore> shared = top.Top && (resized || !s.Store()) ? top.Top->SharedPicture(w, h) : nullptr;
    if (resized) {
        s.SetSize(w, h, std::move(shared));
    } else if (shared) {
        const TSurface before(s);
        s.SetSize(w, h, std::move(shared));
        std::copy_n(before.Bits(), static_cast<std::size_t>(w) * static_cast<std::size_t>(h), s.Bits());
    }
    return &s;
}

void NoteChanged(HWND h, const TRect& inTop)
{
    TWindowRec* top = TopOf(h);
    if (!top || inTop.IsEmpty())
        return;
    auto& c = top->Changed;
    if (c.size() >= 16) {
        TRect all;
        for (const TRect& r : c)
            UnionRect(all, all, r);
        c.assign(1, all);
    }
    c.push_back(inTop);
}

// Adds `area` (client coordinates of h) to h's update region and passes it on to the children that
// the parent's painting would cover.
void InvalidateIn(HWND h, const TRegionShape& area, UINT flags, bool frame)
{
    TWindowRec* w = Find(h);
    // A window told WM_SETREDRAW FALSE takes no invalidation until it is switched back on.
    if (!w || !(w->Style & WS_VISIBLE) || w->Destroying || w->RedrawOff)
        return;
    TRegionShape a = area.Intersect(TRegionShape(TRect{0, 0, w->Client.Width(), w->Client.Height()}));
    bool mark = false;
    if (!a.IsEmpty()) {
        w->Update = w->Update.Union(a);
        if (flags & RDW_ERASE)
            w->EraseNeeded = true;
        mark = true;
    }
    if (frame && HasFrame(*w)) {
        w->NcPaintNeeded = true;
        mark = true;
    }
    if (mark)
        MarkDirty(*w);
    bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->Style & WS_CLIPCHILDREN));
    if (!children || area.IsEmpty())
        return;
    for (const TChildPlace& c : ChildrenMeeting(*w, area.Box())) {
        const TWindowRec* cr = Find(c.Handle);
        if (!cr)
            continue;
        TRegionShape sub = area;
        sub.Offset(-cr->Rect.Left - cr->Client.Left, -cr->Rect.Top - cr->Client.Top);
        InvalidateIn(c.Handle, sub, flags | RDW_ALLCHILDREN, true);
    }
}

void ValidateIn(HWND h, const TRegionShape* area, UINT flags)
{
    TWindowRec* w = Find(h);
    if (!w)
        return;
    if (area)
        w->Update = w->Update.Subtract(*area);
    else
        w->Update.Clear();
    if (w->Update.IsEmpty())
        w->EraseNeeded = false;
    if (flags & RDW_NOFRAME || !area)
        w->NcPaintNeeded = false;
    if (flags & RDW_ALLCHILDREN)
        for (HWND c : std::vector<HWND>(w->Children))
            ValidateIn(c, nullptr, flags);
}

// WM_PAINT to h; the window counts as painted afterwards even when its handler throws.
void PaintGuarded(HWND h)
{
    const TScopeExit painted([h] { PaintDispatched(h); });
    SendMessage(h, WM_PAINT, 0, 0);
}

void PaintNow(HWND h)
{
    TWindowRec* w = Find(h);
    if (!w || !NeedsPaint(*w) || !IsWindowVisible(h))
        return;
    PaintGuarded(h);
}

// Whether anything of the child can be seen in its parent: it is shown and lies at least partly inside
// the parent's client area, which clips it and everything inside it. Asked as the walk reaches the child,
// so a window moved by an earlier painter is judged where it is now.
bool MayShowInParent(HWND child, HWND parent)
{
    const TWindowRec* c = Find(child);
    const TWindowRec* p = Find(parent);
    TRect hit;
    return c && p && (c->Style & WS_VISIBLE) && IntersectRect(hit, c->Rect, TRect{0, 0, p->Client.Width(), p->Client.Height()});
}

void PaintTree(HWND h)
{
    PaintNow(h);
    TWindowRec* w = Find(h);
    if (!w)
        return;
    // Bottom of the z-order first, so that what is above paints last. A child that cannot be seen is
    // passed over with all it holds (the rows of a long list scrolled out of view): what waits to be
    // painted there is left to the message loop, where it draws nothing either.
    std::vector<HWND> kids = w->Children;
    for (auto it = kids.rbegin(); it != kids.rend(); ++it)
        if (MayShowInParent(*it, h))
            PaintTree(*it);
}

// A device context on the window's top-level surface for `what` (top-level coordinates), whose device
// (0, 0) is at `origin` (top-level coordinates).
HDC MakeDC(HWND h, TPoint origin, TRegionShape what)
{
    TWindowRec* top = TopOf(h);
    if (!top || !IsWindowVisible(h))
        return CreateCompatibleDC(nullptr);
    TSurface* s = EnsureSurface(*top);
    what.Offset(-origin.X, -origin.Y);
    return CreateSurfaceDC(s, origin, &what);
}

// Pictures behind screen device contexts (GetDC(0)), freed by ReleaseDC.
std::map<HDC, std::unique_ptr<TSurface>>& ScreenPictures()
{
    static std::map<HDC, std::unique_ptr<TSurface>> m;
    return m;
}

HDC ScreenDC()
{
    TRect screen = Backend().ScreenRect();
    auto pic = std::make_unique<TSurface>(screen.Width(), screen.Height());
    const auto& tops = TopLevels();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        TWindowRec* w = Find(*it);
        if (!w || !(w->Style & WS_VISIBLE) || !w->Surface)
            continue;
        for (int y = 0; y < w->Surface->Height(); ++y)
            for (int x = 0; x < w->Surface->Width(); ++x)
                if (!w->WindowRgn || w->WindowRgn->Contains({x, y}))
                    pic->SetPixel(w->Rect.Left + x - screen.Left, w->Rect.Top + y - screen.Top, w->Surface->ScanLine(y)[x]);
    }
    HDC dc = CreateSurfaceDC(pic.get(), {0, 0}, nullptr);
    ScreenPictures()[dc] = std::move(pic);
    return dc;
}

}  // namespace

namespace WinInternal {

TPoint OriginInTop(const TWindowRec& w)
{
    TPoint o{0, 0};
    const TWindowRec* cur = &w;
    while (cur->Parent) {
        const TWindowRec* p = Find(cur->Parent);
        if (!p)
            break;
        o.X += cur->Rect.Left + p->Client.Left;
        o.Y += cur->Rect.Top + p->Client.Top;
        cur = p;
    }
    return o;
}

TRegionShape VisibleRegion(HWND h, bool client, bool clipChildren, const TRegionShape* within)
{
    TWindowRec* w = Find(h);
    if (!w)
        return {};
    TPoint o = OriginInTop(*w);
    TRect whole = Bounds(o.X, o.Y, w->Rect.Width(), w->Rect.Height());
    TRegionShape v = WithRegion(client ? Moved(w->Client, o) : whole, w->WindowRgn, o);
    if (within)
        v = v.Intersect(*within);
    if (clipChildren && !w->Children.empty()) {
        // All children at once: one subtraction instead of one per child.
        TPoint co{o.X + w->Client.Left, o.Y + w->Client.Top};
        // A child shows only inside the client area: a part of it outside (a bar aligned to the bottom
        // of a client area rolled up to nothing lies above it, over the caption) hides nothing.
        const TRect clientArea = Moved(w->Client, o);
        std::vector<TRect> plain;
        TRect near;
        IntersectRect(near, v.Box(), clientArea);
        for (const TChildPlace& c : ChildrenMeeting(*w, Moved(near, {-co.X, -co.Y}))) {
            const TWindowRec* cr = Find(c.Handle);
            const TRect whole = Moved(c.Rect, co);
            TRect r;
            if (!cr || !IntersectRect(r, whole, clientArea) || !v.Intersects(r))
                continue;
            if (cr->WindowRgn)
                v = v.Subtract(WithRegion(r, cr->WindowRgn, whole.TopLeft()));
            else
                plain.push_back(r);
        }
        if (!plain.empty())
            v = v.Subtract(TRegionShape::FromRects(plain));
    }
    const TWindowRec* cur = w;
    TPoint curOrigin = o;
    while (cur->Parent && !v.IsEmpty()) {
        TWindowRec* p = Find(cur->Parent);
        if (!p)
            return {};
        TPoint pClient{curOrigin.X - cur->Rect.Left, curOrigin.Y - cur->Rect.Top};
        TPoint pOrigin{pClient.X - p->Client.Left, pClient.Y - p->Client.Top};
        // The siblings above the window that meet what is left of it: among many (a queue of rows) only
        // those near it are looked at, and the bounding box answers for most before the region is asked.
        TRect vbox = v.Box();
        const int above = static_cast<int>(std::find(p->Children.begin(), p->Children.end(), cur->Handle) - p->Children.begin());
        for (const TChildPlace& sib : ChildrenMeeting(*p, Moved(vbox, {-pClient.X, -pClient.Y}))) {
            if (sib.Z >= above)
                break;
            const TWindowRec* sr = Find(sib.Handle);
            TRect r = Moved(sib.Rect, pClient);
            TRect hit;
            if (sr && IntersectRect(hit, vbox, r) && v.Intersects(r)) {
                v = v.Subtract(WithRegion(r, sr->WindowRgn, r.TopLeft()));
                vbox = v.Box();
            }
        }
        const TRect parentClient = Moved(p->Client, pOrigin);
        TRect inside;
        if (!IntersectRect(inside, parentClient, vbox) || inside != vbox)
            v = v.Intersect(TRegionShape(parentClient));
        // A window well inside a top-level window with rounded corners lies in one band of its outline:
        // the region answers that without a sweep.
        if (p->WindowRgn && !v.IsEmpty())
            v = v.Intersect(WithRegion(Bounds(pOrigin.X, pOrigin.Y, p->Rect.Width(), p->Rect.Height()), p->WindowRgn, pOrigin));
        cur = p;
        curOrigin = pOrigin;
    }
    return v;
}

void ForgetPaint(HWND)
{
    // The queue drops handles of dead windows as it meets them.
}

void ExposeBehind(HWND h)
{
    TWindowRec* w = Find(h);
    if (!w || !w->Parent || !IsWindowVisible(h))
        return;
    InvalidateIn(w->Parent, TRegionShape(w->Rect), RDW_ERASE | RDW_ALLCHILDREN, false);
}

void ExposeWindow(HWND h, bool whole)
{
    TWindowRec* w = Find(h);
    if (!w || !IsWindowVisible(h))
        return;
    if (IsTopLevel(*w)) {
        bool resized = !w->Surface || w->Surface->Width() != w->Rect.Width() || w->Surface->Height() != w->Rect.Height();
        EnsureSurface(*w);
        if (!resized && !whole)
            return;
    }
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool PaintPending() { return NextPaintWindow(0) != 0; }

HWND NextPaintWindow(HWND filter)
{
    auto& d = Dirty();
    while (!d.empty()) {
        TWindowRec* w = Find(d.front());
        if (w && NeedsPaint(*w) && IsWindowVisible(d.front()))
            break;
        if (w) {
            if (!IsWindowVisible(d.front())) {
                // A hidden window paints when shown again (showing invalidates it anew).
                w->Update.Clear();
                w->NcPaintNeeded = false;
                w->EraseNeeded = false;
            }
            w->PaintQueued = false;
        }
        d.pop_front();
    }
    for (HWND h : d) {
        TWindowRec* w = Find(h);
        if (!w || !NeedsPaint(*w) || (filter && h != filter) || !IsWindowVisible(h))
            continue;
        // Parents first: a window waits while an ancestor still has painting to do.
        bool ancestorDirty = false;
        for (TWindowRec* a = Find(w->Parent); a && !ancestorDirty; a = Find(a->Parent))
            ancestorDirty = NeedsPaint(*a);
        if (!ancestorDirty || filter)
            return h;
    }
    return 0;
}

void PaintDispatched(HWND h)
{
    // A procedure that neither painted nor validated would be sent WM_PAINT forever.
    if (TWindowRec* w = Find(h)) {
        w->Update.Clear();
        w->EraseNeeded = false;
        w->NcPaintNeeded = false;
    }
}

void FlushPresents()
{
    for (HWND t : std::vector<HWND>(TopLevels())) {
        ShowWhenPainted(t);
        TWindowRec* w = Find(t);
        if (!w || w->Changed.empty())
            continue;
        if (w->Top && w->Surface)
            w->Top->Present(*w->Surface, w->Changed);
        w->Changed.clear();
    }
    UpdateNativeChildren();
}

}  // namespace WinInternal

BOOL RedrawWindow(HWND h, const TRect* rect, HRGN rgn, UINT flags)
{
    if (!h) {
        for (HWND t : std::vector<HWND>(TopLevels()))
            RedrawWindow(t, rect, rgn, flags);
        return TRUE;
    }
    TWindowRec* w = Find(h);
    if (!w)
        return FALSE;
    TRegionShape area;
    if (rgn)
        area = rgn->Shape;
    else if (rect)
        area = TRegionShape(*rect);
    else
        area = TRegionShape(TRect{0, 0, w->Client.Width(), w->Client.Height()});
    if (flags & RDW_INVALIDATE)
        InvalidateIn(h, area, flags, (flags & RDW_FRAME) != 0);
    if (flags & RDW_VALIDATE)
        ValidateIn(h, (rect || rgn) ? &area : nullptr, flags);
    if (flags & RDW_UPDATENOW) {
        if (flags & RDW_ALLCHILDREN)
            PaintTree(h);
        else
            PaintNow(h);
    } else if (flags & RDW_ERASENOW) {
        PaintNow(h);
    }
    return TRUE;
}

BOOL InvalidateRect(HWND h, const TRect* rect, BOOL erase)
{
    return RedrawWindow(h, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL UpdateWindow(HWND h)
{
    if (!Find(h))
        return FALSE;
    PaintNow(h);
    return TRUE;
}

HDC BeginPaint(HWND h, PAINTSTRUCT* ps)
{
    TWindowRec* w = Find(h);
    if (!w || !ps)
        return nullptr;
    TRegionShape update = std::move(w->Update);
    bool erase = w->EraseNeeded;
    bool nc = w->NcPaintNeeded;
    w->Update.Clear();
    w->EraseNeeded = false;
    w->NcPaintNeeded = false;
    if (nc)
        SendMessage(h, WM_NCPAINT, 1, 0);
    if (!(w = Find(h)))
        return nullptr;
    w->InPaint = true;
    TPoint o = OriginInTop(*w);
    TPoint co{o.X + w->Client.Left, o.Y + w->Client.Top};
    TRegionShape inTop = update;
    inTop.Offset(co.X, co.Y);
    TRegionShape clip = VisibleRegion(h, true, (w->Style & WS_CLIPCHILDREN) != 0, &inTop);
    HDC dc = MakeDC(h, co, clip);
    ps->hdc = dc;
    ps->rcPaint = update.Box();
    ps->fErase = FALSE;
    if (erase)
        ps->fErase = SendMessage(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    NoteChanged(h, clip.Box());
    return dc;
}

BOOL EndPaint(HWND h, const PAINTSTRUCT* ps)
{
    if (ps && ps->hdc)
        DeleteDC(ps->hdc);
    if (TWindowRec* w = Find(h))
        w->InPaint = false;
    return TRUE;
}

HDC GetDCEx(HWND h, HRGN clip, DWORD flags)
{
    TWindowRec* w = Find(h);
    if (!w)
        return h ? nullptr : ScreenDC();
    bool whole = flags & DCX_WINDOW;
    bool clipChildren = (flags & DCX_CLIPCHILDREN) || (w->Style & WS_CLIPCHILDREN);
    TPoint o = OriginInTop(*w);
    TPoint origin = whole ? o : TPoint{o.X + w->Client.Left, o.Y + w->Client.Top};
    TRegionShape v = VisibleRegion(h, !whole, clipChildren);
    if (clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        TRegionShape c = clip->Shape;
        c.Offset(origin.X, origin.Y);
        v = (flags & DCX_INTERSECTRGN) ? v.Intersect(c) : v.Subtract(c);
    }
    NoteChanged(h, v.Box());
    return MakeDC(h, origin, v);
}

HDC GetDC(HWND h) { return GetDCEx(h, nullptr, 0); }

HDC GetWindowDC(HWND h) { return GetDCEx(h, nullptr, DCX_WINDOW); }

int ReleaseDC(HWND, HDC dc)
{
    if (!dc)
        return 0;
    DeleteDC(dc);
    ScreenPictures().erase(dc);
    return 1;   // what was drawn goes to the display on the next turn of the loop
}

int SetWindowRgn(HWND h, HRGN rgn, BOOL redraw)
{
    TWindowRec* w = Find(h);
    if (!w)
        return 0;
    if (IsWindowVisible(h))
        ExposeBehind(h);
    if (rgn) {
        w->WindowRgn = rgn->Shape;
        DeleteObject(rgn);   // the window owns it now
    } else {
        w->WindowRgn.reset();
    }
    PlacesChanged();
    if (w->Top)
        w->Top->SetShape(w->WindowRgn ? &*w->WindowRgn : nullptr);
    if (redraw)
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return 1;
}

int GetWindowRgn(HWND h, HRGN rgn)
{
    TWindowRec* w = Find(h);
    if (!w || !rgn || !w->WindowRgn)
        return RGN_ERROR;
    rgn->Shape = *w->WindowRgn;
    return RegionKind(rgn->Shape);
}

BOOL SetLayeredWindowAttributes(HWND h, COLORREF key, BYTE alpha, DWORD flags)
{
    TWindowRec* w = Find(h);
    if (!w || !(w->ExStyle & WS_EX_LAYERED))
        return FALSE;
    w->ColorKey = key;
    w->LayeredFlags = flags;
    w->Alpha = (flags & LWA_ALPHA) ? alpha : 255;
    if (w->Top)
        w->Top->SetOpacity(w->Alpha);
    return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND h, COLORREF* key, BYTE* alpha, DWORD* flags)
{
    TWindowRec* w = Find(h);
    if (!w || !(w->ExStyle & WS_EX_LAYERED))
        return FALSE;
    if (key)
        *key = w->ColorKey;
    if (alpha)
        *alpha = w->Alpha;
    if (flags)
        *flags = w->LayeredFlags;
    return TRUE;
}

BOOL UpdateLayeredWindow(HWND h, HDC, const TPoint* dstPoint, const TSize* size, HDC src, const TPoint* srcPoint,
    COLORREF, const BLENDFUNCTION* blend, DWORD)
{
    TWindowRec* w = Find(h);
    if (!w || !IsTopLevel(*w) || !(w->ExStyle & WS_EX_LAYERED))
        return FALSE;
    if (dstPoint || size) {
        TRect r = w->Rect;
        SetWindowPos(h, 0, dstPoint ? dstPoint->X : r.Left, dstPoint ? dstPoint->Y : r.Top, size ? size->cx : r.Width(),
            size ? size->cy : r.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        if (!(w = Find(h)))
            return FALSE;
    }
    TSurface* dst = EnsureSurface(*w);
    TSurface* from = src ? src->Surface() : nullptr;
    if (from) {
        TPoint sp = srcPoint ? *srcPoint : TPoint{};
        for (int y = 0; y < dst->Height(); ++y)
            for (int x = 0; x < dst->Width(); ++x)
                dst->ScanLine(y)[x] = from->Pixel(x + sp.X, y + sp.Y);
    }
    if (blend)
        w->Alpha = blend->SourceConstantAlpha;
    if (w->Top) {
        w->Top->SetOpacity(w->Alpha);
        w->Top->Present(*dst, {dst->Bounds()});
    }
    return TRUE;
}

const TSurface* GetWindowSurface(HWND topLevel)
{
    TWindowRec* w = Find(topLevel);
    return w && IsTopLevel(*w) ? w->Surface.get() : nullptr;
}

void UpdateAllWindows()
{
    for (int guard = 0; guard < 100000; ++guard) {
        HWND h = NextPaintWindow(0);
        if (!h)
            break;
        PaintGuarded(h);
    }
    FlushPresents();
}

namespace {

// The children ScrollWindowEx moves: all of them, or those inside the scrolled rectangle.
std::vector<HWND> ScrolledChildren(const TWindowRec& w, const TRect* scroll, UINT flags)
{
    std::vector<HWND> moving;
    if (!(flags & SW_SCROLLCHILDREN) && scroll)
        return moving;
    for (HWND c : w.Children) {
        TWindowRec* cr = Find(c);
        TRect hit;
        if (cr && (!scroll || IntersectRect(hit, cr->Rect, *scroll)))
            moving.push_back(c);
    }
    return moving;
}

void MoveChildren(const std::vector<HWND>& children, int dx, int dy, UINT extra)
{
    for (HWND c : children)
        if (TWindowRec* cr = Find(c))
            SetWindowPos(c, 0, cr->Rect.Left + dx, cr->Rect.Top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | extra);
}

// What of the visible children (h's client coordinates) shows their own picture within `within`, moving
// or staying; children outside it (most rows of a long list) are passed over at the cost of one test.
TRegionShape ChildrenShape(const std::vector<HWND>& children, const TRect& within)
{
    std::vector<TRect> plain;
    TRegionShape shaped;
    for (HWND c : children) {
        TWindowRec* cr = Find(c);
        TRect hit;
        if (!cr || !(cr->Style & WS_VISIBLE) || !IntersectRect(hit, cr->Rect, within))
            continue;
        if (cr->WindowRgn)
            shaped = shaped.Union(WithRegion(cr->Rect, cr->WindowRgn, cr->Rect.TopLeft()));
        else
            plain.push_back(cr->Rect);
    }
    return plain.empty() ? shaped : TRegionShape::FromRects(plain).Union(shaped);
}

// Moves the pixels of `rects` (destinations, offset by `at` into surface coordinates and cut to `box`)
// from (dx, dy) away, in place: rows are taken from the end the move goes towards, so that each source row
// is read before it is written over, and the pieces of one row likewise when the move is sideways. A
// copy of the whole part first would cost a clearing and a second pass over a picture as large as a list.
void MovePixels(TSurface& s, const std::vector<TRect>& rects, TPoint at, const TRect& box, int dx, int dy)
{
    std::vector<TRect> pieces;
    for (TRect r : rects) {
        OffsetRect(r, at.X, at.Y);
        if (IntersectRect(r, r, box))
            pieces.push_back(r);
    }
    if (dy == 0)
        std::sort(pieces.begin(), pieces.end(), [dx](const TRect& a, const TRect& b) { return dx > 0 ? a.Left > b.Left : a.Left < b.Left; });
    for (int i = 0; i < box.Height(); ++i) {
        const int y = dy > 0 ? box.Bottom - 1 - i : box.Top + i;
        for (const TRect& r : pieces)
            if (y >= r.Top && y < r.Bottom)
                std::memmove(s.ScanLine(y) + r.Left, s.ScanLine(y - dy) + (r.Left - dx), static_cast<std::size_t>(r.Width()) * sizeof(TPixel));
    }
}

}  // namespace

int ScrollWindowEx(HWND h, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update, TRect* updateRect,
    UINT flags)
{
    TWindowRec* w = Find(h);
    if (!w)
        return RGN_ERROR;
    TRect client{0, 0, w->Client.Width(), w->Client.Height()};
    TRect area = scroll ? *scroll : client;
    if (clip)
        IntersectRect(area, area, *clip);
    IntersectRect(area, area, client);
    const std::vector<HWND> moving = ScrolledChildren(*w, scroll, flags);
    // Children whose uncovered parts are all painted again (SW_INVALIDATE reaches them) take their pictures
    // along, so that a long list of rows scrolls by one copy and the strip that comes into view. Otherwise
    // they move first, each painting anew where it was and where it lands.
    const bool carryWanted = !moving.empty() && (flags & SW_INVALIDATE) && !area.IsEmpty() && (dx != 0 || dy != 0) &&
                 IsWindowVisible(h) && TopOf(h) && TopOf(h)->Surface;
    bool carry = carryWanted;
    if (!carryWanted)
        MoveChildren(moving, dx, dy, 0);
    TRegionShape exposed(area);
    w = Find(h);
    if (w && !area.IsEmpty() && (dx != 0 || dy != 0) && IsWindowVisible(h)) {
        TWindowRec* top = TopOf(h);
        if (top && top->Surface) {
            // The picture moves where it is this window's own and already painted, both where it comes
            // from and where it lands; what lies under children or other windows, or waits to be
            // painted, is painted again instead. Carried children bring their pictures along; the window's
            // own background between them (which need not scroll with them) is painted again.
            const TPoint o = OriginInTop(*w);
            const TPoint co{o.X + w->Client.Left, o.Y + w->Client.Top};
            TRegionShape visible = VisibleRegion(h, true, !carry);
            visible.Offset(-co.X, -co.Y);
            visible = visible.Intersect(TRegionShape(area));
            TRegionShape sound = visible.Subtract(w->Update);
            if (carry) {
                const TRect seen = visible.Box();
                std::vector<HWND> staying;
                if (moving.size() != w->Children.size()) {
                    const std::unordered_set<HWND> going(moving.begin(), moving.end());
                    for (HWND c : w->Children)
                        if (!going.count(c))
                            staying.push_back(c);
                }
                const TRegionShape still = ChildrenShape(staying, seen);
                visible = visible.Subtract(still);
                sound = sound.Intersect(ChildrenShape(moving, seen)).Subtract(still);
            }
            TRegionShape moved = sound;
            moved.Offset(dx, dy);
            moved = moved.Intersect(visible);
            TSurface* s = top->Surface.get();
            // The moved part in top-level coordinates, where both it and its source lie on the surface.
            TRect box = moved.Box();
            OffsetRect(box, co.X, co.Y);
            IntersectRect(box, box, Bounds(dx, dy, s->Width(), s->Height()));
            IntersectRect(box, box, s->Bounds());
            MovePixels(*s, moved.Rects(), co, box, dx, dy);
            OffsetRect(box, -co.X, -co.Y);
            NoteChanged(h, Moved(box, co));
            exposed = exposed.Subtract(moved.Intersect(TRegionShape(box)));
            // What was waiting to be painted moves with the picture and is still to be painted there.
            TRegionShape pending = w->Update.Intersect(TRegionShape(area));
            pending.Offset(dx, dy);
            exposed = exposed.Union(pending.Intersect(TRegionShape(area)));
        } else {
            carry = false;
        }
    } else {
        carry = false;
    }
    if (carryWanted)
        MoveChildren(moving, dx, dy, carry ? SWP_MOVEDWITHPICTURE : 0);
    if (update)
        update->Shape = exposed;
    if (updateRect)
        *updateRect = exposed.Box();
    if ((flags & SW_INVALIDATE) && !exposed.IsEmpty() && Find(h)) {
        TGdiRegion rgn(exposed);
        RedrawWindow(h, nullptr, &rgn,
            RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0) | ((flags & SW_SCROLLCHILDREN) || carry ? RDW_ALLCHILDREN : 0));
    }
    return RegionKind(exposed);
}
