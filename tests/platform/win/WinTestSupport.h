#pragma once
// Shared by the window layer's tests: a window class whose procedure records what it gets and can be
// given a handler per message, and unique class names so that tests do not collide.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/win/WinApi.h"

struct TLoggedMessage {
    HWND Window;
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
};

// A class with a recording procedure. Handlers given in On[msg] answer instead of DefWindowProc.
class TTestClass {
public:
    explicit TTestClass(UINT style = 0, TColor background = clNone)
    {
        static int serial = 0;
        Name = "TTestWindow" + std::to_string(++serial);
        WNDCLASS wc;
        wc.ClassName = Name;
        wc.Style = style;
        wc.Background = background;
        wc.WndExtra = 8;
        wc.WndProc = [this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            Log.push_back({h, m, w, l});
            auto it = On.find(m);
            if (it != On.end())
                return it->second(h, w, l);
            return DefWindowProc(h, m, w, l);
        };
        RegisterClass(wc);
    }

    HWND Create(HWND parent, const TRect& r, DWORD style = WS_CHILD | WS_VISIBLE, DWORD exStyle = 0)
    {
        return CreateWindowEx(exStyle, Name, "", style, r.Left, r.Top, r.Width(), r.Height(), parent);
    }

    std::vector<UINT> Messages(HWND h, const std::vector<UINT>& only = {}) const
    {
        std::vector<UINT> out;
        for (const auto& m : Log)
            if (m.Window == h && (only.empty() || std::find(only.begin(), only.end(), m.Msg) != only.end()))
                out.push_back(m.Msg);
        return out;
    }

    int Count(HWND h, UINT msg) const
    {
        int n = 0;
        for (const auto& m : Log)
            n += m.Window == h && m.Msg == msg;
        return n;
    }

    std::string Name;
    std::vector<TLoggedMessage> Log;
    std::map<UINT, std::function<LRESULT(HWND, WPARAM, LPARAM)>> On;
};

// Runs every message there is (a ProcessMessages).
inline int PumpAll()
{
    int n = 0;
    TMsg m;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessage(&m);
        ++n;
    }
    return n;
}
