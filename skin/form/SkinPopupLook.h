#pragma once
// What the library's popup windows (menu windows, the images menu, hints) share of their skin look: one
// picture of the skin cut into nine parts by four corner points and an inner rectangle (where the items
// or the text go), composed to the window's size, a mask picture that shapes the window, and the
// translucency of a layered window that can fade in on a window timer.
#include <string>

#include "platform/vcl/TBitmap.h"
#include "platform/win/WinApi.h"

class TskSkinData;
class TskDataSkinPopupWindow;
class TskDataSkinHintWindow;
class TskDataSkinMenuItem;
class TskDataSkinControl;

// Picture Index of the skin's list, or nullptr for a missing skin, an index out of range or an empty
// picture.
TBitmap* SkinPictureOf(TskSkinData* Skin, int Index);

// The skin's "menuitem" object with its picture, when both are usable: an item object without a picture
// or an item rectangle cannot give items a size or a look, and the items then keep the plain look.
bool FindMenuItemLook(TskSkinData* Skin, TskDataSkinMenuItem*& Data, TBitmap*& Picture);
// The skin's control entry Name with its picture, when it has a picture and a skin rectangle; else nullptr.
TskDataSkinControl* FindControlLook(TskSkinData* Skin, const std::string& Name, TBitmap*& Picture);

struct TskPopupSkin {
    TBitmap* Picture = nullptr;
    TBitmap* Mask = nullptr;
    // As in the picture.
    TPoint LeftTop, RightTop, LeftBottom, RightBottom;
    TRect Inner;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    int StretchType = 0;
    // Moved to the window's size by Fit.
    TPoint NewLeftTop, NewRightTop, NewLeftBottom, NewRightBottom;
    TRect NewInner;

    // The skin's [POPUPWINDOW] or [HINTWINDOW] look; without a skin, an empty one, or a usable window
    // picture, the result is not Skinned.
    static TskPopupSkin OfPopupWindow(TskSkinData* Skin);
    static TskPopupSkin OfHintWindow(TskSkinData* Skin);

    bool Skinned() const { return Picture != nullptr; }
    // What the frame takes round the inner rectangle, on each side.
    int LeftMargin() const { return Inner.Left; }
    int TopMargin() const { return Inner.Top; }
    int RightMargin() const { return Picture->Width() - Inner.Right; }
    int BottomMargin() const { return Picture->Height() - Inner.Bottom; }
    // Moves the right corner points and the inner rectangle's right edge with the width, the bottom ones
    // with the height.
    void Fit(int Width, int Height);
    // The nine-part picture at the fitted size into B, with the skin's own edge and stretch flags, or
    // with every part stretched.
    void Compose(TBitmap* B, int Width, int Height, bool StretchAll = false) const;
    // Shapes Wnd by the mask at the fitted size; nothing without a mask.
    void ApplyRegion(HWND Wnd, int Width, int Height) const;
};

// A popup window's translucency: WS_EX_LAYERED on or off, its opacity, and a fade-in that raises the
// opacity by Step every Interval ms on the window's timer TimerId. The fade runs on the timer, never in
// a loop of its own: the window may be hidden or freed while it fades, and a timer dies with it.
class TskPopupTranslucency {
public:
    TskPopupTranslucency(UINT_PTR TimerId, unsigned Interval, int Step)
        : FTimerId(TimerId), FInterval(Interval), FStep(Step)
    {
    }
    // Layered (when layered windows exist) with the opacity Value, or starting at 0 and fading up to it.
    void Apply(HWND Wnd, bool Layered, bool Fade, BYTE Value);
    // Handles WM_TIMER with id TimerId; false for any other timer.
    bool Tick(HWND Wnd, WPARAM TimerId);
    void Stop(HWND Wnd);
    bool Layered() const { return FLayered; }
    bool Fading() const { return FFading; }
    BYTE Opacity() const { return FOpacity; }

private:
    UINT_PTR FTimerId;
    unsigned FInterval;
    int FStep;
    bool FLayered = false;
    bool FFading = false;
    BYTE FOpacity = 255;
    BYTE FTarget = 255;
};
