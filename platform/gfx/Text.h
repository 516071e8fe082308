#pragma once
// Text on a device context with the selected font: UTF-8 strings, measured per code point (each code point
// advances by its glyph's whole-pixel advance; no kerning), drawn grayscale anti-aliased in the text colour,
// on an opaque background box in the background colour when the background mode is OPAQUE.
// Family names resolve through fontconfig; the classic desktop families map to metric-compatible or
// similar fonts ("Arial" -> Liberation Sans, "Times New Roman" -> Liberation Serif, "Courier New" ->
// Liberation Mono, "Tahoma", "MS Sans Serif", "Verdana" and unknown names -> a sans).
#include <string>

#include "platform/gfx/TDeviceContext.h"

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmCharSet = 0;
};

// The reference point (x, y) is the top-left corner of the text's cell (the cell is rotated with the font's
// escapement). The current position is neither used nor moved.
BOOL TextOut(HDC dc, int x, int y, const std::string& text);

constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;
// ETO_OPAQUE fills `rect` with the background colour first; ETO_CLIPPED limits the text to `rect`.
// rect may be null when neither flag is given.
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const TRect* rect, const std::string& text);

BOOL GetTextExtentPoint32(HDC dc, const std::string& text, TSize& size);
BOOL GetTextMetrics(HDC dc, TEXTMETRIC& tm);

// Tab stops: up to 10 positions relative to tabOrigin; none: every 8 average character widths; one: that
// distance repeated. Returns the extent as MAKELONG(width, height).
LONG TabbedTextOut(HDC dc, int x, int y, const std::string& text, int tabCount, const int* tabStops, int tabOrigin);

enum : UINT {
    DT_TOP = 0x0000, DT_LEFT = 0x0000, DT_CENTER = 0x0001, DT_RIGHT = 0x0002, DT_VCENTER = 0x0004,
    DT_BOTTOM = 0x0008, DT_WORDBREAK = 0x0010, DT_SINGLELINE = 0x0020, DT_EXPANDTABS = 0x0040,
    DT_TABSTOP = 0x0080, DT_NOCLIP = 0x0100, DT_EXTERNALLEADING = 0x0200, DT_CALCRECT = 0x0400,
    DT_NOPREFIX = 0x0800, DT_INTERNAL = 0x1000, DT_EDITCONTROL = 0x2000, DT_PATH_ELLIPSIS = 0x4000,
    DT_END_ELLIPSIS = 0x8000, DT_MODIFYSTRING = 0x10000, DT_RTLREADING = 0x20000, DT_WORD_ELLIPSIS = 0x40000,
    DT_HIDEPREFIX = 0x100000, DT_PREFIXONLY = 0x200000,
};
// Formats text into r. Lines break at "\n" (and "\r\n"), and with DT_WORDBREAK at spaces so that a line
// fits the width (a single word wider than the width stays whole and is clipped). Without DT_NOPREFIX "&"
// underlines the next character and "&&" shows one "&". DT_VCENTER and DT_BOTTOM place a single line
// (DT_SINGLELINE). DT_END_ELLIPSIS cuts a line that is too wide and ends it with "..."; DT_PATH_ELLIPSIS
// keeps the part after the last "/" or "\" and puts "..." in the middle. Drawing is clipped to r unless
// DT_NOCLIP. DT_CALCRECT draws nothing and sets r's right and bottom to the text's extent (for several lines
// the widest line). Returns the height of the text (with DT_VCENTER or DT_BOTTOM: the offset of the text's
// bottom from r.Top); 0 for a null DC.
int DrawText(HDC dc, const std::string& text, TRect& r, UINT format);
int DrawText(HDC dc, const std::string& text, int length, TRect& r, UINT format);   // length -1: all

// Number of code points in a UTF-8 string; bad bytes count as one code point each.
int Utf8Length(const std::string& text);
