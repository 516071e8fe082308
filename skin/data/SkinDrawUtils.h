#pragma once
// Drawing helpers of the skinned controls, the window frame, menus and hints: placing a glyph and a
// caption inside a button, caption drawing and shortening, painting a parent's background behind a
// control, and the plain glyphs drawn when a skin has no entry for them. All halvings are integer
// divisions that round toward zero. Strings are UTF-8; "wide" strings are the same strings (the names stay
// for the callers).
#include <string>

#include "platform/rtl/Types.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "skin/data/SkinRects.h"

class TStrings;

class TControl;
class TCustomImageList;

// Layout codes: 0 glyph left of the text, 1 right, 2 above, 3 below. A margin of -1 centres the pair.
// The spacing counts only when the glyph width is not 0. An unknown layout code places as layout 0.
void CalcButtonLayout(int Layout, const TRect& R, int GlyphWidth, int GlyphHeight, int TextWidth, int TextHeight,
    int Margin, int Spacing, TPoint& GlyphPos, TPoint& TextPos);

// Draws image ImageIndex of IL (disabled look when not Enabled) and the caption, placed by
// CalcButtonLayout, one pixel right and down when Pressed; with DrawMarker a bar in MarkerColor marks the
// glyph, the caption or the button.
void DrawImageAndText(TCanvas* Cnvs, const TRect& R, int Margin, int Spacing, int Layout, const std::string& Caption,
    TCustomImageList* IL, int ImageIndex, TColor MarkerColor, bool DrawMarker, bool Enabled, bool Pressed);
// The same with cell GlyphIndex (1-based) of a bitmap holding GlyphCount equal cells side by side. A count
// below 1 means no glyph; an index outside 1 .. count keeps the glyph's place empty.
void DrawGlyphAndText(TCanvas* Cnvs, const TRect& R, int Margin, int Spacing, int Layout, const std::string& Caption,
    TBitmap* Glyph, int GlyphCount, int GlyphIndex, TColor MarkerColor, bool DrawMarker, bool Pressed);

// Shortens S so that it fits Width, ending it with "..." (which may be all that is left). Whole code points
// are removed, never part of one. A string that fits is left alone.
void CorrectTextByWidth(TCanvas* C, std::string& S, int Width);
void CorrectWideTextByWidth(TCanvas* C, std::string& S, int Width);

// DrawText on the canvas with its font; returns what DrawText returns.
int DrawWideText(TCanvas* C, const std::string& S, TRect& R, UINT Flags);
int WideTextWidth(TCanvas* C, const std::string& S);
int WideTextHeight(TCanvas* C, const std::string& S);
// Single line, left-aligned, centred vertically in R; nothing for an empty string.
// The tab stops of a list's tab-width strings, at most MaxTabStops of them: only an entry of digits is a width
// (capped at the largest a text position holds); an empty or other entry counts 0 rather than failing.
constexpr int MaxTabStops = 10;
int ParseTabStops(TStrings* Tabs, int* Stops);

void DrawTextVCenter(TCanvas* C, const std::string& S, const TRect& R);
// Clipped to R at x = R.Left + 2 (+ Offset), centred vertically; nothing for an empty string.
void DrawTextRectVCenter(TCanvas* C, const std::string& S, const TRect& R);
void DrawTextRectVCenterOffset(TCanvas* C, const std::string& S, const TRect& R, int Offset);

// Paints into C what Control's parent (and the graphic controls below Control) would show under Control.
void PaintParentBackground(TControl* Control, TCanvas* C);

// Plain glyphs; each sets the pen colour to Color. Positions are the glyph cell's top-left corner.
void DrawCloseImage(TCanvas* C, int X, int Y, TColor Color);
void DrawSysMenuImage(TCanvas* C, int X, int Y, TColor Color);
void DrawMinimizeImage(TCanvas* C, int X, int Y, TColor Color);
void DrawMaximizeImage(TCanvas* C, int X, int Y, TColor Color);
void DrawRestoreImage(TCanvas* C, int X, int Y, TColor Color);
void DrawRollDownImage(TCanvas* C, int X, int Y, TColor Color);
void DrawRollUpImage(TCanvas* C, int X, int Y, TColor Color);
void DrawMinimizeToTrayImage(TCanvas* C, int X, int Y, TColor Color);
// Centred in R.
void DrawDownArrowImage(TCanvas* C, const TRect& R, TColor Color);
// Code 1 left, 2 right, 3 up, 4 down; any other code draws nothing.
void DrawArrowImage(TCanvas* C, const TRect& R, TColor Color, int Code);
void DrawRadioImage(TCanvas* C, int X, int Y, TColor Color);
void DrawCheckImage(TCanvas* C, int X, int Y, TColor Color);
void DrawFrame3D(TCanvas* C, const TRect& R, TColor TopLeftColor, TColor BottomRightColor);
