#include "platform/win/NativeChild.h"

#include <algorithm>
#include <vector>

#include "platform/win/Paint.h"
#include "platform/win/WinInternal.h"

namespace WinInternal {

namespace {

std::vector<HWND>& WithNative()
{
    static std::vector<HWND> v;
    return v;
}

TRect ClientInTop(const TWindowRec& w)
{
    TPoint o = OriginInTop(w);
    return Bounds(o.X + w.Client.Left, o.Y + w.Client.Top, w.Client.Width(), w.Client.Height());
}

}  // namespace

unsigned long NativeChildId(HWND h)
{
    TWindowRec* w = Find(h);
    if (!w)
        return 0;
    if (!w->Native) {
        TWindowRec* top = Find(GetAncestorRoot(h));
        if (!top || !top->Top)
            return 0;   // the top-level window is not on the display yet
        w->Native = top->Top->CreateChild(ClientInTop(*w));
        if (!w->Native)
            return 0;
        w->Native->Show(IsWindowVisible(h));
        WithNative().push_back(h);
    }
    return w->Native->NativeId();
}

void ReleaseNativeChild(HWND h)
{
    TWindowRec* w = Find(h);
    if (!w || !w->Native)
        return;
    w->Native.reset();
    auto& list = WithNative();
    list.erase(std::remove(list.begin(), list.end(), h), list.end());
    // What the window itself paints was covered all along: the display is handed it again.
    InvalidateRect(h, nullptr, FALSE);
}

void UpdateNativeChildren()
{
    auto& list = WithNative();
    list.erase(std::remove_if(list.begin(), list.end(), [](HWND h) { return !Find(h); }), list.end());
    for (HWND h : list) {
        TWindowRec* w = Find(h);
        if (!w->Native)
            continue;
        w->Native->SetBounds(ClientInTop(*w));
        w->Native->Show(IsWindowVisible(h) && !w->Client.IsEmpty());
    }
}

}  // namespace WinInternal
