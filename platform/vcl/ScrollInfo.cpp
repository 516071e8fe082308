#include "platform/vcl/ScrollInfo.h"

#include <algorithm>
#include <map>

namespace {
struct TBar {
    SCROLLINFO Info;
    bool Shown = false;
};
std::map<std::pair<HWND, int>, TBar>& Bars()
{
    static std::map<std::pair<HWND, int>, TBar> bars;
    return bars;
}
int Clamp(const SCROLLINFO& i, int pos)
{
    const int top = i.nMax - std::max(static_cast<int>(i.nPage) - 1, 0);
    return std::max(i.nMin, std::min(pos, std::max(i.nMin, top)));
}
} // namespace

int SetScrollInfo(HWND h, int bar, const SCROLLINFO& info, BOOL)
{
    TBar& b = Bars()[{h, bar}];
    if (info.fMask & SIF_RANGE) {
        b.Info.nMin = info.nMin;
        b.Info.nMax = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE) b.Info.nPage = info.nPage;
    if (info.fMask & SIF_POS) b.Info.nPos = info.nPos;
    if (info.fMask & SIF_TRACKPOS) b.Info.nTrackPos = info.nTrackPos;
    b.Info.nPos = Clamp(b.Info, b.Info.nPos);
    b.Shown = b.Info.nMax > b.Info.nMin && (b.Info.nPage == 0 || static_cast<int>(b.Info.nPage) <= b.Info.nMax - b.Info.nMin);
    return b.Info.nPos;
}

BOOL GetScrollInfo(HWND h, int bar, SCROLLINFO& info)
{
    auto it = Bars().find({h, bar});
    if (it == Bars().end()) return FALSE;
    const UINT mask = info.fMask;
    const SCROLLINFO& s = it->second.Info;
    if (mask & SIF_RANGE) {
        info.nMin = s.nMin;
        info.nMax = s.nMax;
    }
    if (mask & SIF_PAGE) info.nPage = s.nPage;
    if (mask & SIF_POS) info.nPos = s.nPos;
    if (mask & SIF_TRACKPOS) info.nTrackPos = s.nTrackPos;
    return TRUE;
}

int GetScrollPos(HWND h, int bar)
{
    auto it = Bars().find({h, bar});
    return it == Bars().end() ? 0 : it->second.Info.nPos;
}

int SetScrollPos(HWND h, int bar, int pos, BOOL redraw)
{
    const int old = GetScrollPos(h, bar);
    SCROLLINFO i;
    i.fMask = SIF_POS;
    i.nPos = pos;
    SetScrollInfo(h, bar, i, redraw);
    return old;
}

BOOL ShowScrollBar(HWND h, int bar, BOOL show)
{
    if (bar == SB_BOTH) {
        ShowScrollBar(h, SB_HORZ, show);
        return ShowScrollBar(h, SB_VERT, show);
    }
    Bars()[{h, bar}].Shown = show != FALSE;
    return TRUE;
}

BOOL IsScrollBarVisible(HWND h, int bar)
{
    auto it = Bars().find({h, bar});
    return it != Bars().end() && it->second.Shown;
}

void ForgetScrollInfo(HWND h)
{
    Bars().erase({h, SB_HORZ});
    Bars().erase({h, SB_VERT});
    Bars().erase({h, SB_CTL});
}
