#include "platform/win/Window.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <mutex>
#include <unordered_map>

#include <unistd.h>

#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/WinInternal.h"

using namespace WinInternal;

namespace {

// Handle = generation << 32 | slot. The live generation of every slot is also kept in atomics, in
// chunks that never move, so that other threads can tell a live handle without taking the GUI
// thread's structures.
constexpr std::size_t ChunkBits = 12;
constexpr std::size_t ChunkSize = std::size_t(1) << ChunkBits;
constexpr std::size_t MaxChunks = 1024;

struct TGenChunk {
    std::array<std::atomic<std::uint32_t>, ChunkSize> Gen{};
};

std::array<std::atomic<TGenChunk*>, MaxChunks> GenChunks{};
std::mutex GenChunkLock;

std::atomic<std::uint32_t>* GenSlot(std::uint32_t slot, bool create)
{
    std::size_t c = slot >> ChunkBits;
    if (c >= MaxChunks)
        return nullptr;
    TGenChunk* chunk = GenChunks[c].load(std::memory_order_acquire);
    if (!chunk && create) {
        std::lock_guard lock(GenChunkLock);
        chunk = GenChunks[c].load(std::memory_order_relaxed);
        if (!chunk) {
            chunk = new TGenChunk;   // lives for the process: other threads may read it at any time
            GenChunks[c].store(chunk, std::memory_order_release);
        }
    }
    return chunk ? &chunk->Gen[slot & (ChunkSize - 1)] : nullptr;
}

struct TSlot {
    std::uint32_t Generation = 0;
    std::unique_ptr<TWindowRec> Rec;
};

struct TWindowTable {
    std::vector<TSlot> Slots = std::vector<TSlot>(1);   // slot 0 is never used: handle 0 is "no window"
    std::vector<std::uint32_t> Free;
    std::vector<HWND> Top;   // top-level windows, top first
    std::unordered_map<std::string, std::shared_ptr<TClassRec>> Classes;
    std::unordered_map<LONG_PTR, std::shared_ptr<TProcBox>> Instances;
    LONG_PTR NextToken = 0x10001;
};

TWindowTable& Table()
{
    static TWindowTable* t = new TWindowTable;   // never freed: windows may be touched during exit
    return *t;
}

std::uint32_t SlotOf(HWND h) { return static_cast<std::uint32_t>(h & 0xFFFFFFFFu); }
std::uint32_t GenOf(HWND h) { return static_cast<std::uint32_t>(h >> 32); }

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::shared_ptr<TProcBox> NewProc(WNDPROC proc)
{
    auto box = std::make_shared<TProcBox>();
    box->Proc = std::move(proc);
    box->Token = Table().NextToken++;
    Table().Instances[box->Token] = box;
    return box;
}

HWND NewHandle(std::unique_ptr<TWindowRec> rec)
{
    TWindowTable& t = Table();
    std::uint32_t slot;
    if (!t.Free.empty()) {
        slot = t.Free.back();
        t.Free.pop_back();
    } else {
        slot = static_cast<std::uint32_t>(t.Slots.size());
        t.Slots.emplace_back();
    }
    TSlot& s = t.Slots[slot];
    if (++s.Generation == 0)
        s.Generation = 1;
    HWND h = (static_cast<HWND>(s.Generation) << 32) | slot;
    rec->Handle = h;
    s.Rec = std::move(rec);
    if (auto* g = GenSlot(slot, true))
        g->store(s.Generation, std::memory_order_release);
    return h;
}

void FreeHandle(HWND h)
{
    TWindowTable& t = Table();
    std::uint32_t slot = SlotOf(h);
    if (auto* g = GenSlot(slot, false))
        g->store(0, std::memory_order_release);
    // The record is moved out first: its destructor may reach the table (a backend window going away).
    std::unique_ptr<TWindowRec> rec = std::move(t.Slots[slot].Rec);
    t.Free.push_back(slot);
    rec.reset();
}

void RemoveFrom(std::vector<HWND>& list, HWND h) { list.erase(std::remove(list.begin(), list.end(), h), list.end()); }

// The z-order place of a new or re-ordered top-level window: topmost ones stay above the others.
void InsertTop(HWND h, bool atBottom)
{
    auto& top = Table().Top;
    RemoveFrom(top, h);
    TWindowRec* w = Find(h);
    bool topMost = w && (w->ExStyle & WS_EX_TOPMOST);
    auto firstPlain = std::find_if(top.begin(), top.end(), [](HWND o) {
        TWindowRec* r = Find(o);
        return !r || !(r->ExStyle & WS_EX_TOPMOST);
    });
    if (topMost)
        top.insert(atBottom ? firstPlain : top.begin(), h);
    else
        top.insert(atBottom ? top.end() : firstPlain, h);
}

TPoint ScreenOrigin(const TWindowRec& w)
{
    TPoint p = w.Rect.TopLeft();
    const TWindowRec* cur = &w;
    while (cur->Parent) {
        const TWindowRec* parent = Find(cur->Parent);
        if (!parent)
            break;
        p.X += parent->Client.Left + parent->Rect.Left;
        p.Y += parent->Client.Top + parent->Rect.Top;
        cur = parent;
    }
    return p;
}

TRect ComputeClient(HWND h, const TRect& windowRect)
{
    NCCALCSIZE_PARAMS p;
    p.rgrc[0] = windowRect;
    SendMessage(h, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&p.rgrc[0]));
    TRect c = p.rgrc[0];
    // Client in window coordinates, never outside the window and never negative.
    c.Left = std::clamp(c.Left - windowRect.Left, 0, std::max(0, windowRect.Width()));
    c.Top = std::clamp(c.Top - windowRect.Top, 0, std::max(0, windowRect.Height()));
    c.Right = std::clamp(c.Right - windowRect.Left, c.Left, std::max(c.Left, windowRect.Width()));
    c.Bottom = std::clamp(c.Bottom - windowRect.Top, c.Top, std::max(c.Top, windowRect.Height()));
    return c;
}

}  // namespace

namespace WinInternal {

TWindowRec* Find(HWND h)
{
    std::uint32_t slot = SlotOf(h);
    TWindowTable& t = Table();
    if (slot == 0 || slot >= t.Slots.size())
        return nullptr;
    TSlot& s = t.Slots[slot];
    if (s.Generation != GenOf(h) || !s.Rec)
        return nullptr;
    return s.Rec.get();
}

const std::vector<HWND>& TopLevels() { return Table().Top; }

namespace {

// Counts the changes to where windows are; a list of children by place made at another count is stale.
std::uint64_t& PlacesGeneration()
{
    static std::uint64_t generation = 1;
    return generation;
}

// Below this many children a look at each costs less than keeping them by place.
constexpr std::size_t LongListOfChildren = 64;

void MakePlaces(TWindowRec& w)
{
    if (!w.Places)
        w.Places = std::make_unique<TChildPlaces>();
    TChildPlaces& places = *w.Places;
    places.Generation = PlacesGeneration();
    places.ByTop.clear();
    places.Tallest = 0;
    // Bottom of the z-order first: a list whose rows were added one below the other, each on top of the
    // z-order, comes out sorted already.
    for (std::size_t z = w.Children.size(); z-- > 0;) {
        const TWindowRec* c = Find(w.Children[z]);
        if (!c || !(c->Style & WS_VISIBLE))
            continue;
        places.ByTop.push_back({c->Rect, static_cast<int>(z), w.Children[z]});
        places.Tallest = std::max(places.Tallest, c->Rect.Height());
    }
    const auto higher = [](const TChildPlace& a, const TChildPlace& b) { return a.Rect.Top < b.Rect.Top; };
    if (!std::is_sorted(places.ByTop.begin(), places.ByTop.end(), higher))
        std::sort(places.ByTop.begin(), places.ByTop.end(), higher);
}

}  // namespace

void PlacesChanged() { ++PlacesGeneration(); }

std::vector<TChildPlace> ChildrenMeeting(TWindowRec& w, const TRect& area)
{
    std::vector<TChildPlace> meeting;
    TRect hit;
    if (w.Children.size() < LongListOfChildren) {
        for (std::size_t z = 0; z < w.Children.size(); ++z) {
            const TWindowRec* c = Find(w.Children[z]);
            if (c && (c->Style & WS_VISIBLE) && IntersectRect(hit, c->Rect, area))
                meeting.push_back({c->Rect, static_cast<int>(z), w.Children[z]});
        }
        return meeting;
    }
    if (!w.Places || w.Places->Generation != PlacesGeneration())
        MakePlaces(w);
    const std::vector<TChildPlace>& places = w.Places->ByTop;
    // A child whose top lies the tallest child's height or more above the area ends above it.
    const int tallest = w.Places->Tallest;
    auto it = std::partition_point(places.begin(), places.end(), [&](const TChildPlace& p) { return p.Rect.Top <= area.Top - tallest; });
    for (; it != places.end() && it->Rect.Top < area.Bottom; ++it)
        if (IntersectRect(hit, it->Rect, area))
            meeting.push_back(*it);
    std::sort(meeting.begin(), meeting.end(), [](const TChildPlace& a, const TChildPlace& b) { return a.Z < b.Z; });
    return meeting;
}

bool IsTopLevel(const TWindowRec& w) { return !(w.Style & WS_CHILD); }

TPoint WindowScreenOrigin(const TWindowRec& w) { return ScreenOrigin(w); }

void RaiseTopLevel(HWND h) { InsertTop(h, false); }

}  // namespace WinInternal

// ---- classes ----

BOOL RegisterClass(const WNDCLASS& wc)
{
    WinInternal::ClaimGuiThread();
    TWindowTable& t = Table();
    std::string key = Lower(wc.ClassName);
    if (key.empty() || t.Classes.count(key))
        return FALSE;
    auto c = std::make_shared<TClassRec>();
    c->Name = wc.ClassName;
    c->Style = wc.Style;
    c->WndExtra = std::max(0, wc.WndExtra);
    c->Background = wc.Background;
    c->Cursor = wc.Cursor;
    c->Proc = NewProc(wc.WndProc ? wc.WndProc : WNDPROC(DefWindowProc));
    t.Classes[key] = c;
    return TRUE;
}

BOOL GetClassInfo(HINSTANCE, const std::string& className, WNDCLASS& out)
{
    auto it = Table().Classes.find(Lower(className));
    if (it == Table().Classes.end())
        return FALSE;
    const TClassRec& c = *it->second;
    out = {};
    out.Style = c.Style;
    out.WndProc = c.Proc->Proc;
    out.WndExtra = c.WndExtra;
    out.Cursor = c.Cursor;
    out.Background = c.Background;
    out.ClassName = c.Name;
    return TRUE;
}

std::string GetClassName(HWND h)
{
    TWindowRec* w = Find(h);
    return w ? w->Class->Name : std::string();
}

// ---- creation and destruction ----

HWND CreateWindowEx(DWORD exStyle, const std::string& className, const std::string& windowName, DWORD style, int x,
    int y, int width, int height, HWND parent, LONG_PTR menuOrId, HINSTANCE instance, void* param)
{
    WinInternal::ClaimGuiThread();
    auto it = Table().Classes.find(Lower(className));
    if (it == Table().Classes.end())
        return 0;
    bool child = style & WS_CHILD;
    if (child && !Find(parent))
        return 0;
    if (!child && parent && !Find(parent))
        parent = 0;
    if (!child) {
        // An owned window's owner is always a top-level window.
        parent = parent ? GetAncestorRoot(parent) : 0;
    }
    if (x == CW_USEDEFAULT) {
        x = 0;
        y = 0;
    }
    if (width == CW_USEDEFAULT) {
        width = 0;
        height = 0;
    }

    auto rec = std::make_unique<TWindowRec>();
    rec->Class = it->second;
    rec->Text = windowName;
    rec->Style = style & ~WS_VISIBLE;   // shown below, after WM_CREATE, like the window system does
    rec->ExStyle = exStyle;
    rec->Rect = Bounds(x, y, std::max(0, width), std::max(0, height));
    rec->Client = {0, 0, rec->Rect.Width(), rec->Rect.Height()};
    rec->Proc = rec->Class->Proc;
    rec->Id = child ? menuOrId : 0;
    rec->ShowState = SW_SHOWNORMAL;
    if (child)
        rec->Parent = parent;
    else
        rec->Owner = parent;
    HWND h = NewHandle(std::move(rec));
    if (child)
        Find(parent)->Children.insert(Find(parent)->Children.begin(), h);
    else
        InsertTop(h, false);
    WinInternal::PlacesChanged();

    CREATESTRUCT cs;
    cs.CreateParams = param;
    cs.Instance = instance;
    cs.Menu = menuOrId;
    cs.Parent = parent;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.Style = style;
    cs.Name = windowName;
    cs.ClassName = className;
    cs.ExStyle = exStyle;
    if (!SendMessage(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        DestroyWindow(h);
        return 0;
    }
    if (TWindowRec* w = Find(h))
        w->Client = ComputeClient(h, w->Rect);
    if (!Find(h))
        return 0;
    if (SendMessage(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(h);
        return 0;
    }
    TWindowRec* w = Find(h);
    if (!w)
        return 0;
    // The first WM_SIZE and WM_MOVE, as the window system sends them after creation.
    SendMessage(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->Client.Width(), w->Client.Height()));
    if ((w = Find(h)))
        SendMessage(h, WM_MOVE, 0, MAKELPARAM(w->Rect.Left + w->Client.Left, w->Rect.Top + w->Client.Top));
    if (child && Find(h) && !(exStyle & WS_EX_NOPARENTNOTIFY))
        SendMessage(parent, WM_PARENTNOTIFY, MAKELPARAM(WM_CREATE, static_cast<int>(menuOrId)), static_cast<LPARAM>(h));
    if (Find(h) && (style & WS_VISIBLE))
        ShowWindow(h, SW_SHOW);
    return Find(h) ? h : 0;
}

BOOL DestroyWindow(HWND h)
{
    TWindowRec* w = Find(h);
    if (!w)
        return FALSE;
    if (w->Destroying)
        return TRUE;   // already on its way (a handler destroying its own window again)
    w->Destroying = true;

    if (w->Style & WS_VISIBLE)
        SetWindowPos(h, 0, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    // Owned windows first, then the window itself, then its children.
    for (HWND o : std::vector<HWND>(Table().Top)) {
        TWindowRec* r = Find(o);
        if (r && r->Owner == h)
            DestroyWindow(o);
    }
    if ((w = Find(h)) && w->Parent && !(w->ExStyle & WS_EX_NOPARENTNOTIFY))
        SendMessage(w->Parent, WM_PARENTNOTIFY, MAKELPARAM(WM_DESTROY, static_cast<int>(w->Id)), static_cast<LPARAM>(h));
    WinInternal::ForgetWindow(h);
    SendMessage(h, WM_DESTROY, 0, 0);
    if ((w = Find(h)))
        for (HWND c : std::vector<HWND>(w->Children))
            DestroyWindow(c);
    WinInternal::ForgetWindow(h);
    SendMessage(h, WM_NCDESTROY, 0, 0);

    w = Find(h);
    if (!w)
        return TRUE;
    if (w->Parent) {
        if (TWindowRec* p = Find(w->Parent))
            RemoveFrom(p->Children, h);
    } else {
        RemoveFrom(Table().Top, h);
    }
    WinInternal::PlacesChanged();
    // Children that a handler created during destruction go with it.
    for (HWND c : std::vector<HWND>(w->Children))
        if (TWindowRec* cr = Find(c))
            cr->Parent = 0, DestroyWindow(c);
    WinInternal::ForgetTimers(h);
    WinInternal::ForgetPaint(h);
    WinInternal::ForgetTrayIcons(h);
    FreeHandle(h);
    return TRUE;
}

BOOL IsWindow(HWND h)
{
    std::uint32_t slot = SlotOf(h);
    if (slot == 0)
        return FALSE;
    auto* g = GenSlot(slot, false);
    return g && g->load(std::memory_order_acquire) == GenOf(h) && GenOf(h) != 0;
}

// ---- procedures ----

LONG_PTR MakeObjectInstance(WNDPROC proc) { return NewProc(std::move(proc))->Token; }

void FreeObjectInstance(LONG_PTR instance) { Table().Instances.erase(instance); }

LRESULT CallWindowProc(LONG_PTR prevProc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto it = Table().Instances.find(prevProc);
    if (it == Table().Instances.end())
        return DefWindowProc(h, msg, wParam, lParam);
    std::shared_ptr<TProcBox> box = it->second;   // stays alive even if freed during the call
    return box->Proc ? box->Proc(h, msg, wParam, lParam) : DefWindowProc(h, msg, wParam, lParam);
}

LRESULT CallWindowProc(const WNDPROC& proc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(h, msg, wParam, lParam) : DefWindowProc(h, msg, wParam, lParam);
}

LRESULT SendMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!WinInternal::OnGuiThread())
        return WinInternal::SendFromOtherThread(h, msg, wParam, lParam);
    TWindowRec* w = Find(h);
    if (!w)
        return 0;
    std::shared_ptr<TProcBox> box = w->Proc;   // the window may be destroyed or re-hooked by its own handler
    if (!box->Proc)
        return DefWindowProc(h, msg, wParam, lParam);
    return box->Proc(h, msg, wParam, lParam);
}

LONG_PTR GetWindowLongPtr(HWND h, int index)
{
    TWindowRec* w = Find(h);
    if (!w)
        return 0;
    switch (index) {
    case GWLP_WNDPROC:
        return w->Proc->Token;
    case GWLP_HINSTANCE:
        return 0;
    case GWLP_HWNDPARENT:
        return static_cast<LONG_PTR>(w->Parent ? w->Parent : w->Owner);
    case GWLP_ID:
        return w->Id;
    case GWL_STYLE:
        return static_cast<LONG_PTR>(w->Style);
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(w->ExStyle);
    case GWLP_USERDATA:
        return w->UserData;
    default:
        if (index < 0 || index + 4 > w->Class->WndExtra)
            return 0;
        auto it = w->Extra.find(index);
        return it == w->Extra.end() ? 0 : it->second;
    }
}

LONG_PTR SetWindowLongPtr(HWND h, int index, LONG_PTR value)
{
    TWindowRec* w = Find(h);
    if (!w)
        return 0;
    LONG_PTR old = GetWindowLongPtr(h, index);
    switch (index) {
    case GWLP_WNDPROC: {
        auto it = Table().Instances.find(value);
        if (it == Table().Instances.end())
            return 0;   // not a procedure this layer knows: the window keeps its own
        w->Proc = it->second;
        return old;
    }
    case GWLP_HWNDPARENT:
        if (IsTopLevel(*w))
            w->Owner = Find(static_cast<HWND>(value)) ? GetAncestorRoot(static_cast<HWND>(value)) : 0;
        return old;
    case GWLP_ID:
        w->Id = value;
        return old;
    case GWL_STYLE: {
        DWORD s = static_cast<DWORD>(value);
        DWORD visible = w->Style & WS_VISIBLE;
        const DWORD before = w->Style;
        // Visibility changes go through ShowWindow; the bit itself is kept honest here.
        w->Style = (s & ~WS_VISIBLE) | visible;
        WinInternal::StyleChanged(h, before);
        if (!(w = Find(h)))
            return old;
        if ((s & WS_VISIBLE) && !visible)
            ShowWindow(h, SW_SHOWNA);
        else if (!(s & WS_VISIBLE) && visible)
            ShowWindow(h, SW_HIDE);
        return old;
    }
    case GWL_EXSTYLE: {
        DWORD before = w->ExStyle;
        w->ExStyle = static_cast<DWORD>(value);
        WinInternal::ExStyleChanged(h, before);
        return old;
    }
    case GWLP_USERDATA:
        w->UserData = value;
        return old;
    default:
        if (index < 0 || index + 4 > w->Class->WndExtra)
            return 0;
        w->Extra[index] = value;
        return old;
    }
}

BOOL SetProp(HWND h, const std::string& name, LONG_PTR value)
{
    TWindowRec* w = Find(h);
    if (!w)
        return FALSE;
    w->Props[name] = value;
    return TRUE;
}

LONG_PTR GetProp(HWND h, const std::string& name)
{
    TWindowRec* w = Find(h);
    if (!w)
        return 0;
    auto it = w->Props.find(name);
    return it == w->Props.end() ? 0 : it->second;
}

LONG_PTR RemoveProp(HWND h, const std::string& name)
{
    TWindowRec* w = Find(h);
    if (!w)
        return 0;
    auto it = w->Props.find(name);
    if (it == w->Props.end())
        return 0;
    LONG_PTR v = it->second;
    w->Props.erase(it);
    return v;
}

BOOL SetWindowText(HWND h, const std::string& text)
{
    if (!Find(h))
        return FALSE;
    return SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) ? TRUE : FALSE;
}

// ---- the tree ----

HWND GetParent(HWND h)
{
    TWindowRec* w = Find(h);
    if (!w)
        return 0;
    return w->Parent ? w->Parent : w->Owner;
}

HWND GetAncestorRoot(HWND h)
{
    TWindowRec* w = Find(h);
    while (w && w->Parent) {
        TWindowRec* p = Find(w->Parent);
        if (!p)
            break;
        w = p;
    }
    return w ? w->Handle : 0;
}

HWND SetParent(HWND child, HWND newParent)
{
    TWindowRec* w = Find(child);
    if (!w || (newParent && !Find(newParent)) || newParent == child || IsChild(child, newParent))
        return 0;
    HWND old = w->Parent;
    bool visible = w->Style & WS_VISIBLE;
    if (visible)
        ShowWindow(child, SW_HIDE);
    if (!(w = Find(child)))
        return 0;
    TPoint screen = ScreenOrigin(*w);
    if (w->Parent) {
        if (TWindowRec* p = Find(w->Parent))
            RemoveFrom(p->Children, child);
    } else {
        RemoveFrom(Table().Top, child);
    }
    if (newParent) {
        w->Parent = newParent;
        w->Owner = 0;
        w->Style |= WS_CHILD;
        w->Style &= ~WS_POPUP;
        Find(newParent)->Children.insert(Find(newParent)->Children.begin(), child);
    } else {
        w->Parent = 0;
        w->Style &= ~WS_CHILD;
        w->Rect = Bounds(screen.X, screen.Y, w->Rect.Width(), w->Rect.Height());
        InsertTop(child, false);
    }
    WinInternal::PlacesChanged();
    if (visible)
        ShowWindow(child, SW_SHOWNA);
    return old;
}

BOOL IsChild(HWND parent, HWND h)
{
    TWindowRec* w = Find(h);
    while (w && w->Parent) {
        if (w->Parent == parent)
            return TRUE;
        w = Find(w->Parent);
    }
    return FALSE;
}

std::vector<HWND> GetChildWindows(HWND parent)
{
    TWindowRec* w = Find(parent);
    return w ? w->Children : std::vector<HWND>();
}

std::vector<HWND> GetTopLevelWindows() { return Table().Top; }

BOOL EnumChildWindows(HWND parent, const std::function<BOOL(HWND)>& callback)
{
    for (HWND c : GetChildWindows(parent)) {
        if (!Find(c))
            continue;
        if (!callback(c))
            return FALSE;
        if (!EnumChildWindows(c, callback))
            return FALSE;
    }
    return TRUE;
}

// ---- geometry ----

BOOL GetWindowRect(HWND h, TRect& out)
{
    TWindowRec* w = Find(h);
    if (!w)
        return FALSE;
    TPoint o = ScreenOrigin(*w);
    out = Bounds(o.X, o.Y, w->Rect.Width(), w->Rect.Height());
    return TRUE;
}

BOOL GetClientRect(HWND h, TRect& out)
{
    TWindowRec* w = Find(h);
    if (!w)
        return FALSE;
    out = {0, 0, w->Client.Width(), w->Client.Height()};
    return TRUE;
}

BOOL ClientToScreen(HWND h, TPoint& p)
{
    TWindowRec* w = Find(h);
    if (!w)
        return FALSE;
    TPoint o = ScreenOrigin(*w);
    p.X += o.X + w->Client.Left;
    p.Y += o.Y + w->Client.Top;
    return TRUE;
}

BOOL ScreenToClient(HWND h, TPoint& p)
{
    TWindowRec* w = Find(h);
    if (!w)
        return FALSE;
    TPoint o = ScreenOrigin(*w);
    p.X -= o.X + w->Client.Left;
    p.Y -= o.Y + w->Client.Top;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, TPoint* points, int count)
{
    TPoint a{0, 0}, b{0, 0};
    if (from)
        ClientToScreen(from, a);
    if (to)
        ClientToScreen(to, b);
    int dx = a.X - b.X, dy = a.Y - b.Y;
    for (int i = 0; i < count; ++i) {
        points[i].X += dx;
        points[i].Y += dy;
    }
    return static_cast<int>(static_cast<WORD>(dx)) | (static_cast<int>(static_cast<WORD>(dy)) << 16);
}

BOOL AdjustWindowRectEx(TRect& r, DWORD style, BOOL, DWORD exStyle)
{
    TRect inset = WinInternal::DefaultFrameInsets(style, exStyle);
    r.Left -= inset.Left;
    r.Top -= inset.Top;
    r.Right += inset.Right;
    r.Bottom += inset.Bottom;
    return TRUE;
}

// ---- showing and moving ----

BOOL IsWindowVisible(HWND h)
{
    TWindowRec* w = Find(h);
    while (w) {
        if (!(w->Style & WS_VISIBLE))
            return FALSE;
        if (!w->Parent)
            return TRUE;
        w = Find(w->Parent);
    }
    return FALSE;
}

BOOL IsIconic(HWND h)
{
    TWindowRec* w = Find(h);
    return w && (w->Style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND h)
{
    TWindowRec* w = Find(h);
    return w && (w->Style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL GetWindowPlacement(HWND h, WINDOWPLACEMENT* placement)
{
    TWindowRec* w = Find(h);
    if (!w || !placement)
        return FALSE;
    const bool normal = !(w->Style & (WS_MINIMIZE | WS_MAXIMIZE));
    placement->showCmd = (w->Style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : (w->Style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    placement->rcNormalPosition = normal ? w->Rect : w->NormalRect;
    return TRUE;
}

BOOL EnableWindow(HWND h, BOOL enable)
{
    TWindowRec* w = Find(h);
    if (!w)
        return FALSE;
    BOOL wasDisabled = (w->Style & WS_DISABLED) ? TRUE : FALSE;
    if (wasDisabled == !enable)
        return wasDisabled;
    if (enable) {
        w->Style &= ~WS_DISABLED;
    } else {
        w->Style |= WS_DISABLED;
        WinInternal::WindowDisabled(h);
    }
    SendMessage(h, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND h)
{
    TWindowRec* w = Find(h);
    return w && !(w->Style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL ShowWindow(HWND h, int cmd)
{
    TWindowRec* w = Find(h);
    if (!w)
        return FALSE;
    BOOL wasVisible = (w->Style & WS_VISIBLE) ? TRUE : FALSE;
    bool top = IsTopLevel(*w);
    if (cmd == SW_HIDE) {
        if (!wasVisible)
            return FALSE;
        SendMessage(h, WM_SHOWWINDOW, FALSE, 0);
        SetWindowPos(h, 0, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return wasVisible;
    }
    bool activate = top && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE && cmd != SW_SHOWMINNOACTIVE
        && cmd != SW_MINIMIZE && !(w->ExStyle & WS_EX_NOACTIVATE);
    if (!wasVisible) {
        SendMessage(h, WM_SHOWWINDOW, TRUE, 0);
        if (!(w = Find(h)))
            return FALSE;
    }
    UINT flags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | (activate ? 0 : SWP_NOACTIVATE | SWP_NOZORDER);
    switch (cmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        WinInternal::SetShowState(h, SW_SHOWMINIMIZED);
        break;
    case SW_SHOWMAXIMIZED:
        WinInternal::SetShowState(h, SW_SHOWMAXIMIZED);
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        WinInternal::SetShowState(h, SW_SHOWNORMAL);
        break;
    default:
        break;
    }
    if (!Find(h))
        return FALSE;
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, flags);   // activates the window unless SWP_NOACTIVATE
    return wasVisible;
}

BOOL MoveWindow(HWND h, int x, int y, int width, int height, BOOL repaint)
{
    return SetWindowPos(h, 0, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND h) { return SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL SetWindowPos(HWND h, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    TWindowRec* w = Find(h);
    if (!w)
        return FALSE;
    const bool carried = (flags & WinInternal::SWP_MOVEDWITHPICTURE) && !IsTopLevel(*w);
    flags &= ~WinInternal::SWP_MOVEDWITHPICTURE;
    WINDOWPOS pos;
    pos.hwnd = h;
    pos.hwndInsertAfter = insertAfter;
    pos.x = (flags & SWP_NOMOVE) ? w->Rect.Left : x;
    pos.y = (flags & SWP_NOMOVE) ? w->Rect.Top : y;
    pos.cx = (flags & SWP_NOSIZE) ? w->Rect.Width() : std::max(0, cx);
    pos.cy = (flags & SWP_NOSIZE) ? w->Rect.Height() : std::max(0, cy);
    pos.flags = flags;
    if (!(flags & SWP_NOSENDCHANGING)) {
        SendMessage(h, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        if (!(w = Find(h)))
            return FALSE;
        pos.cx = std::max(0, pos.cx);
        pos.cy = std::max(0, pos.cy);
    }
    flags = pos.flags;

    const TRect oldRect = w->Rect;
    const TRect oldClient = w->Client;
    const bool wasVisible = w->Style & WS_VISIBLE;
    TRect newRect = Bounds(pos.x, pos.y, pos.cx, pos.cy);
    if (newRect == oldRect)
        flags |= SWP_NOMOVE | SWP_NOSIZE;
    else {
        if (newRect.TopLeft() == oldRect.TopLeft())
            flags |= SWP_NOMOVE;
        if (newRect.Width() == oldRect.Width() && newRect.Height() == oldRect.Height())
            flags |= SWP_NOSIZE;
    }
    pos.flags = flags;

    // Whatever showed before the change needs painting again (the parent, the siblings below).
    const bool movedOrSized = (flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE);
    const bool carriedMove = carried && (flags & SWP_NOSIZE) && !(flags & (SWP_HIDEWINDOW | SWP_SHOWWINDOW | SWP_FRAMECHANGED)) &&
                             (flags & SWP_NOZORDER);
    if (wasVisible && !carriedMove && (movedOrSized || (flags & (SWP_HIDEWINDOW | SWP_FRAMECHANGED)) || !(flags & SWP_NOZORDER)))
        WinInternal::ExposeBehind(h);

    if (!(w = Find(h)))
        return FALSE;
    w->Rect = newRect;
    if (newRect != oldRect)
        WinInternal::PlacesChanged();
    if (!(flags & SWP_NOSIZE) || (flags & SWP_FRAMECHANGED)) {
        TRect client = ComputeClient(h, newRect);
        if (!(w = Find(h)))
            return FALSE;
        w->Client = client;
    }
    if (!(flags & SWP_NOZORDER)) {
        std::vector<HWND>* list = &Table().Top;
        if (w->Parent)
            list = &Find(w->Parent)->Children;
        if (!w->Parent && insertAfter == HWND_TOPMOST)
            w->ExStyle |= WS_EX_TOPMOST;
        else if (!w->Parent && insertAfter == HWND_NOTOPMOST)
            w->ExStyle &= ~WS_EX_TOPMOST;
        if (!w->Parent && (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)) {
            InsertTop(h, false);
        } else if (!w->Parent && insertAfter == HWND_BOTTOM) {
            InsertTop(h, true);
        } else {
            RemoveFrom(*list, h);
            if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)
                list->insert(list->begin(), h);
            else if (insertAfter == HWND_BOTTOM)
                list->push_back(h);
            else {
                auto it = std::find(list->begin(), list->end(), insertAfter);
                list->insert(it == list->end() ? list->begin() : it + 1, h);
            }
        }
    }
    if (flags & SWP_SHOWWINDOW)
        w->Style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW)
        w->Style &= ~WS_VISIBLE;
    if (!(flags & SWP_NOZORDER) || (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))
        WinInternal::PlacesChanged();

    const bool nowVisible = w->Style & WS_VISIBLE;
    if (!(flags & SWP_NOREDRAW) && nowVisible) {
        bool reshaped = !(flags & SWP_NOSIZE) || (flags & SWP_FRAMECHANGED) || w->Client != oldClient || !wasVisible;
        // A top-level window has its own picture: moving or raising it needs no painting.
        bool child = !IsTopLevel(*w);
        if (reshaped || (child && !carriedMove && (movedOrSized || !(flags & SWP_NOZORDER))))
            WinInternal::ExposeWindow(h, true);
    }
    if (wasVisible != nowVisible && !nowVisible)
        WinInternal::WindowHidden(h);
    WinInternal::SyncTopLevel(h, flags, wasVisible);

    if (!Find(h))
        return FALSE;
    SendMessage(h, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    if (!(flags & SWP_NOACTIVATE) && nowVisible && Find(h) && IsTopLevel(*Find(h)))
        SetActiveWindow(h);
    return TRUE;
}

// ---- hit testing by position ----

HWND ChildWindowFromPointEx(HWND parent, TPoint client, UINT flags)
{
    TWindowRec* w = Find(parent);
    if (!w)
        return 0;
    if (!TRect{0, 0, w->Client.Width(), w->Client.Height()}.Contains(client))
        return 0;
    for (HWND c : w->Children) {
        TWindowRec* cr = Find(c);
        if (!cr)
            continue;
        if ((flags & CWP_SKIPINVISIBLE) && !(cr->Style & WS_VISIBLE))
            continue;
        if ((flags & CWP_SKIPDISABLED) && (cr->Style & WS_DISABLED))
            continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (cr->ExStyle & WS_EX_TRANSPARENT))
            continue;
        TPoint p{client.X - cr->Rect.Left, client.Y - cr->Rect.Top};
        if (!cr->Rect.Contains(client))
            continue;
        if (cr->WindowRgn && !cr->WindowRgn->Contains(p))
            continue;
        return c;
    }
    return parent;
}

HWND WindowFromPoint(TPoint screen)
{
    for (HWND t : Table().Top) {
        TWindowRec* w = Find(t);
        if (!w || !(w->Style & WS_VISIBLE) || (w->Style & WS_MINIMIZE) || !w->Rect.Contains(screen))
            continue;
        TPoint local{screen.X - w->Rect.Left, screen.Y - w->Rect.Top};
        if (w->WindowRgn && !w->WindowRgn->Contains(local))
            continue;
        if (w->ExStyle & WS_EX_TRANSPARENT && (w->ExStyle & WS_EX_LAYERED))
            continue;   // click-through layers
        HWND cur = t;
        for (;;) {
            TPoint p = screen;
            ScreenToClient(cur, p);
            HWND next = ChildWindowFromPointEx(cur, p, CWP_SKIPINVISIBLE);
            if (!next || next == cur)
                break;
            cur = next;
        }
        return cur;
    }
    return 0;
}
