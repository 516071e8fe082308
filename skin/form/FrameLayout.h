#pragma once
// Geometry of a skinned window frame: how the rectangles and points of the skin's "FORMINFO" (given for
// the frame picture at its design size) follow the window to its current size, and which part of the
// frame a point lies on. Pure functions of the skin data and the size, so that painting, the non-client
// size and the hit test all ask the same rules.
#include <functional>

#include "platform/rtl/Types.h"

class TBitmap;
class TCanvas;
class TskSkinData;

// The frame layout at one window size (W x H); Dx and Dy are how much wider and taller the window is
// than the frame picture. Rectangles are in window coordinates.
struct TskFrameLayout {
    int Width = 0;
    int Height = 0;
    int Dx = 0;
    int Dy = 0;
    TPoint LeftTop;
    TPoint RightTop;
    TPoint LeftBottom;
    TPoint RightBottom;
    TRect ClientRect;
    TRect CaptionRect;
    TRect ButtonsRect;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    // The buttons rectangle lies in the left half of the picture: the buttons stay at the left.
    bool LeftSideButtons = false;
    TPoint HitLeftTop;
    TPoint HitRightTop;
    TPoint HitLeftBottom;
    TPoint HitRightBottom;
    TRect MaskRect;
    TRect IconRect;
    TRect MainMenuRect;
    TRect SizeGripRect;

    friend bool operator==(const TskFrameLayout&, const TskFrameLayout&) = default;
};

// Width and height of the skin's frame picture (0 x 0 without one).
TSize FramePictureSize(const TskSkinData& Skin);
// The skin frame can change size: its corner points do not all coincide.
bool FrameResizable(const TskSkinData& Skin);
// The layout of the skin frame at W x H.
TskFrameLayout CalcFrameLayout(const TskSkinData& Skin, int W, int H);
// A rectangle of the frame picture (a skin object's, the icon's...) moved or stretched by the corner
// zone its corners lie in, for a window Dx wider and Dy taller than the picture.
TRect StretchFrameRect(const TskSkinData& Skin, const TRect& R, int Dx, int Dy);

// The skin has a picture of its own for a rolled-up frame drawn inside the client area.
bool HasRollUpPicture(const TskSkinData& Skin);
// A rectangle of the roll-up picture at a frame W pixels wide: the span between "rollupleftpoint" and
// "rolluprightpoint" stretches, what lies right of it moves with the right end.
TRect StretchRollUpRect(const TskSkinData& Skin, const TRect& R, int W);
// Source (the roll-up picture or its mask) composed at W pixels wide by that rule into Dest (resized).
void ComposeRollUpPicture(const TskSkinData& Skin, TBitmap* Source, int W, TBitmap& Dest);
// A background Picture over Area: tiled from its top left, or with Stretch stretched whole (stFull),
// stretched to the height and tiled across (stHorz) or stretched to the width and tiled down.
void DrawBackgroundPicture(TCanvas* C, TBitmap* Picture, const TRect& Area, bool Stretch, int StretchType);

// The default frame (no usable skin): a 3-pixel border, a caption of 19 pixels (15 for tool windows)
// and square caption buttons of 17 (13) pixels.
constexpr int DefaultFrameBorder = 3;
constexpr int DefaultCaptionHeight = 19;
constexpr int DefaultToolCaptionHeight = 15;
constexpr int DefaultCaptionButtonSize = 17;
constexpr int DefaultToolCaptionButtonSize = 13;
TRect DefaultFrameClientRect(int W, int H, int CaptionHeight);
// The caption rectangle before the caption buttons are taken out of it.
TRect DefaultFrameCaptionRect(int W, int CaptionHeight);
// The sizing border of the default frame, or HTNOWHERE when the point is not on it. The border is three
// pixels on the left and top but two on the right and bottom (x <= 2 and x >= W - 2).
LRESULT DefaultBorderHitTest(int X, int Y, int W, int H);

// Whether the point is on the sizing border of a skin frame: one of the four points BorderWidth pixels
// left, above, right and below it lies outside the window's shape. InsideShape tells whether a window
// point is inside the shape (already knowing the window rectangle and the mask).
bool OnSkinSizingBorder(int X, int Y, int BorderWidth, const std::function<bool(int, int)>& InsideShape);
// The sizing zone of a point known to be on the border, by the hit-test corner points and the client
// rectangle; HTNOWHERE when it lies in none of the eight zones.
LRESULT SkinBorderZone(const TskFrameLayout& L, int X, int Y);
