#include "skin/data/SkinPlatform.h"

#include <cmath>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <mmintrin.h>
#endif

#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TWinControl.h"
#include "platform/win/Paint.h"
#include "platform/win/Screen.h"
#include "platform/win/Window.h"
#include "skin/data/TskBitmap.h"

namespace {

int MajorOf(DWORD v) { return static_cast<int>(v & 0xFF); }
int MinorOf(DWORD v) { return static_cast<int>((v >> 8) & 0xFF); }

}  // namespace

bool IsWinVistaOrLater(DWORD Version) { return MajorOf(Version) >= 6; }

bool IsWinXPOrLater(DWORD Version)
{
    return MajorOf(Version) > 5 || (MajorOf(Version) == 5 && MinorOf(Version) == 1);
}

bool IsWin2000OrLater(DWORD Version)
{
    return MajorOf(Version) > 5 || (MajorOf(Version) == 5 && MinorOf(Version) <= 2);
}

bool IsLayeringAvailable() { return IsWin2000OrLater(); }

bool HasMMX()
{
#if defined(__x86_64__) || defined(__i386__)
    // The compiler's CPUID helper answers 0 when the processor has no CPUID instruction (the ID flag
    // cannot be toggled), so that case needs no test of its own.
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0)
        return false;
    return ((eax >> 8) & 15) >= 5 && (edx & (1u << 23)) != 0;
#else
    return false;
#endif
}

void ClearMMXState()
{
#if defined(__x86_64__) || defined(__i386__)
    static const bool mmx = HasMMX();
    if (mmx)
        _mm_empty();
#endif
}
bool IsTransparentBltAvailable() { return true; }

void SetAlphaBlendTransparent(HWND Wnd, BYTE Alpha)
{
    SetLayeredWindowAttributes(Wnd, 0, Alpha, LWA_ALPHA);
}

void GetScreenImage(int X, int Y, TBitmap* Bitmap)
{
    if (!Bitmap || Bitmap->Empty())
        return;
    HDC screen = GetDC(0);
    if (!screen)
        return;
    TCanvas from;
    from.SetHandle(screen);
    Bitmap->Canvas()->CopyRect({0, 0, Bitmap->Width(), Bitmap->Height()}, &from,
        {X, Y, X + Bitmap->Width(), Y + Bitmap->Height()});
    from.SetHandle(nullptr);
    ReleaseDC(0, screen);
}

void GetScreenArea(bool WorkArea, TRect& R)
{
    if (WorkArea)
        SystemParametersInfo(SPI_GETWORKAREA, 0, &R, 0);
    else
        R = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void GetMonitorWorkArea(HWND Wnd, bool WorkArea, TRect& R)
{
    MONITORINFO info;
    if (GetSystemMetrics(SM_CMONITORS) >= 2 && GetMonitorInfo(MonitorFromWindow(Wnd, MONITOR_DEFAULTTONEAREST), &info)) {
        R = WorkArea ? info.rcWork : info.rcMonitor;
        return;
    }
    GetScreenArea(WorkArea, R);
}

void MakeLayeredImage(TBitmap* Bitmap, TBitmap* Mask, TskBitmap& Out)
{
    Out.Assign(Bitmap);
    if (Out.Empty())
        return;
    if (!Mask || Mask->Empty()) {
        Out.ResetAlpha(255);
        return;
    }
    const TSurface* m = Mask->Handle();
    for (int y = 0; y < Out.Height(); ++y) {
        TPixel* p = Out.ScanLine(y);
        for (int x = 0; x < Out.Width(); ++x) {
            // The mask may be smaller than the picture: what it does not cover is not shown.
            unsigned a = 0;
            if (m->Contains(x, y)) {
                const TPixel q = m->Pixel(x, y);
                a = static_cast<unsigned>(std::lround((((q >> 16) & 0xFF) + ((q >> 8) & 0xFF) + (q & 0xFF)) / 3.0));
            }
            p[x] = (p[x] & 0x00FFFFFFu) | (a << 24);
        }
    }
}

void SetLayeredBitmap(TBitmap* Bitmap, TBitmap* Mask, BYTE Alpha, TWinControl* Control)
{
    if (!Control)
        return;
    HWND h = Control->Handle();
    SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) | WS_EX_LAYERED);
    TskBitmap image;
    MakeLayeredImage(Bitmap, Mask, image);
    if (image.Empty())
        return;
    const TPoint dst{Control->Left(), Control->Top()};
    const TSize size{image.Width(), image.Height()};
    const TPoint src{0, 0};
    BLENDFUNCTION blend;
    blend.BlendOp = AC_SRC_OVER;
    blend.SourceConstantAlpha = Alpha;
    blend.AlphaFormat = AC_SRC_ALPHA;
    UpdateLayeredWindow(h, nullptr, &dst, &size, image.DC(), &src, 0, &blend, ULW_ALPHA);
}
