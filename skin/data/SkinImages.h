#pragma once
// Composition of skin pictures: a picture stored once, at one size, as a rectangle R of a skin bitmap
// becomes a picture of any size. Ends and corners are copied unchanged, the parts in between are tiled
// (1:1 copies, the last one cut) or stretched. Geometry points and client rectangles are relative to R's
// top-left corner; the "New" ones are in destination pixels.
//
// A piece whose source or destination extent is 0 or less draws nothing; a source pixel outside the skin
// bitmap is never read (the destination pixel stays as it was). The destination bitmap is resized by
// every routine; where nothing is drawn it keeps what it had (new areas of a TBitmap are white).
#include "platform/rtl/Types.h"
#include "platform/vcl/TBitmap.h"

// Three-part horizontal picture: B becomes AW x height of R; the left LO and right RO columns are copied,
// the middle is stretched (AStretch) or tiled between them. AH is not used.
void CreateHSkinImage(int LO, int RO, TBitmap* B, TBitmap* SB, const TRect& R, int AW, int AH, bool AStretch);
// The left end copied, the rest filled with the middle; RO only shortens the middle of the source.
void CreateHSkinImageLeft(int LO, int RO, TBitmap* B, TBitmap* SB, const TRect& R, int AW, int AH, bool AStretch);
// The whole width filled with the middle.
void CreateHFillImage(int LO, int RO, TBitmap* B, TBitmap* SB, const TRect& R, int AW, int AH, bool AStretch);
// Three-part vertical picture: B becomes width of R x AH. AW is not used.
void CreateVSkinImage(int TO, int BO, TBitmap* B, TBitmap* SB, const TRect& R, int AW, int AH, bool AStretch);

// Nine-part picture of AW x AH. StretchType: 0 full, 1 horizontal tiling, 2 vertical tiling of the
// stretched client picture (used when StretchEffect is set).
void CreateSkinImage(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint, const TPoint& RBPoint,
    const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint, const TPoint& NewLBPoint,
    const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* B, TBitmap* SB, const TRect& R, int AW, int AH,
    bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch, bool StretchEffect,
    int StretchType);
// The same picture, for the popup-menu and hint windows.
void CreatePopupSkinImage(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint,
    const TPoint& RBPoint, const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint,
    const TPoint& NewLBPoint, const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* B, TBitmap* SB,
    const TRect& R, int AW, int AH, bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
    bool BottomStretch, bool StretchEffect, int StretchType);
// The nine-part picture without its right side: top, bottom and client run to the right edge.
void CreateSkinImageEx(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint, const TPoint& RBPoint,
    const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint, const TPoint& NewLBPoint,
    const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* B, TBitmap* SB, const TRect& R, int AW, int AH,
    bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch, bool StretchEffect,
    int StretchType);
// Nine-part picture at B's present size, everything stretched.
void CreateStretchSkinImage(TBitmap* B, TBitmap* SB, const TRect& R, const TRect& ClRect, bool DrawClient);

// The four border strips of a nine-part picture of AW x AH, each in its own bitmap (coordinates from the
// strip's top-left corner). A strip whose condition does not hold is left as it was.
void CreateSkinImagePair(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint,
    const TPoint& RBPoint, const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint,
    const TPoint& NewLBPoint, const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* LeftB, TBitmap* TopB,
    TBitmap* RightB, TBitmap* BottomB, TBitmap* SB, const TRect& R, int AW, int AH, bool LeftStretch,
    bool TopStretch, bool RightStretch, bool BottomStretch);
// The four border strips of a form mask (the whole mask is the source), always tiled. Each strip is
// cleared to white first and left empty (0 x 0) when it has no area, so the region built from it is
// exactly what was cut.
void CreateSkinBorderImages(const TPoint& LTPoint, const TPoint& RTPoint, const TPoint& LBPoint,
    const TPoint& RBPoint, const TRect& ClRect, const TPoint& NewLTPoint, const TPoint& NewRTPoint,
    const TPoint& NewLBPoint, const TPoint& NewRBPoint, const TRect& NewClRect, TBitmap* Mask, TBitmap* TopB,
    TBitmap* LeftB, TBitmap* RightB, TBitmap* BottomB, int AW, int AH);

// Draws cell Index (1-based) of Count equal cells of Glyph at (X, Y), leaving out the cell's transparent
// colour. Nothing for an empty glyph, Count < 1 or an Index outside 1 .. Count.
void DrawGlyph(TCanvas* Canvas, int X, int Y, TBitmap* Glyph, int Count, int Index);

