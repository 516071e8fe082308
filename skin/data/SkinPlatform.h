#pragma once
// What the skin needs to know about the system it runs on, and the few window services that depend on it:
// version tests, window transparency through layered windows, a screen grab and the work area of the
// monitor under a window.
//
// The version is a fixed one this layer reports (6.0: every service the skin asks for is there), and the
// tests are pure functions of it. The blend routines pick their formula once by the processor test below.
#include "platform/rtl/Types.h"
#include "platform/vcl/TBitmap.h"
#include "platform/win/WinApi.h"

class TskBitmap;
class TWinControl;

// Major version in the lowest byte, minor in the second, as the system's version call gives it.
constexpr DWORD skPlatformVersion = 0x0006;

bool IsWinVistaOrLater(DWORD Version = skPlatformVersion);
// 5.2 is not XP or later (only 5.1 exactly, or any major above 5).
bool IsWinXPOrLater(DWORD Version = skPlatformVersion);
bool IsWin2000OrLater(DWORD Version = skPlatformVersion);
// Layered popups (glow frames and other overlays) are shown only where this holds.
bool IsLayeringAvailable();

// True when the processor has the multimedia extensions (CPUID present, family 5 or later, EDX bit 23 of
// leaf 1): every x86-64 processor; never a processor of another kind. The blend routines choose their
// formula by it, once.
bool HasMMX();
// Leaves the multimedia state for floating point after a loop that used it; nothing without the extensions.
void ClearMMXState();
// Transparent copies of skin bitmaps onto any DC are always available.
bool IsTransparentBltAvailable();

// Makes a layered window (WS_EX_LAYERED given by the caller) Alpha opaque as a whole.
void SetAlphaBlendTransparent(HWND Wnd, BYTE Alpha);
// Copies the screen area at (X, Y) of the bitmap's size into the bitmap.
void GetScreenImage(int X, int Y, TBitmap* Bitmap);
// The work area (WorkArea) or the whole screen.
void GetScreenArea(bool WorkArea, TRect& R);
// The same for the monitor nearest to the window when there is more than one.
void GetMonitorWorkArea(HWND Wnd, bool WorkArea, TRect& R);

// The picture a layered window shows for Bitmap and Mask: Bitmap's pixels with the alpha of each taken
// from the rounded mean of red, green and blue of the mask pixel at the same place. Pixels outside the
// mask get alpha 0; without a mask (or with an empty one) every pixel gets 255.
void MakeLayeredImage(TBitmap* Bitmap, TBitmap* Mask, TskBitmap& Out);
// Gives Control's window WS_EX_LAYERED and shows MakeLayeredImage's picture in it at the control's place,
// with Alpha as the constant alpha over the per-pixel one.
void SetLayeredBitmap(TBitmap* Bitmap, TBitmap* Mask, BYTE Alpha, TWinControl* Control);
