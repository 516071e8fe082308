#pragma once
// The drawing objects of the graphics layer: pens, brushes, fonts, bitmaps (surfaces) and regions are all
// TGdiObject, reached through typed handles that are plain pointers. A device context holds a selection
// count on what it has selected; DeleteObject of a selected object only marks it, and it goes when the
// last device context lets go of it, so a handle selected somewhere never dangles. Stock objects are never
// deleted.
#include <string>

#include "platform/gfx/Colors.h"
#include "platform/rtl/Types.h"

enum class TGdiKind { Pen, Brush, Font, Bitmap, Region };

class TGdiObject {
public:
    virtual ~TGdiObject() = default;
    virtual TGdiKind Kind() const = 0;

    bool IsStock() const { return FStock; }
    void MakeStock() { FStock = true; }
    // Bookkeeping used by device contexts; Release deletes the object when it was marked for deletion.
    void AddSelection() { ++FSelections; }
    void ReleaseSelection();
    bool MarkDeleted();   // true when the object may be freed at once

protected:
    TGdiObject() = default;
    // Copying a drawing object copies what it describes, never its selection bookkeeping.
    TGdiObject(const TGdiObject&) {}
    TGdiObject& operator=(const TGdiObject&) { return *this; }

private:
    bool FStock = false;
    bool FDeletePending = false;
    int FSelections = 0;
};

using HGDIOBJ = TGdiObject*;

// Pen styles.
enum : int { PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5, PS_INSIDEFRAME = 6 };
// Brush styles.
enum : UINT { BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = BS_NULL, BS_HATCHED = 2 };

struct TLogPen {
    int Style = PS_SOLID;
    int Width = 1;
    COLORREF Color = 0;
};

class TGdiPen : public TGdiObject {
public:
    explicit TGdiPen(const TLogPen& lp) : Data(lp) {}
    TGdiKind Kind() const override { return TGdiKind::Pen; }
    TLogPen Data;
};

struct TLogBrush {
    UINT Style = BS_SOLID;
    COLORREF Color = 0;
};

class TGdiBrush : public TGdiObject {
public:
    explicit TGdiBrush(const TLogBrush& lb) : Data(lb) {}
    TGdiKind Kind() const override { return TGdiKind::Brush; }
    TLogBrush Data;
};

enum : int { FW_DONTCARE = 0, FW_NORMAL = 400, FW_BOLD = 700 };
enum : BYTE { ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, SHIFTJIS_CHARSET = 128, GB2312_CHARSET = 134,
    CHINESEBIG5_CHARSET = 136, RUSSIAN_CHARSET = 204, EASTEUROPE_CHARSET = 238 };

// A font description. Height < 0: character height (em size) in pixels; Height > 0: cell height
// (ascent + descent) in pixels; 0: the default size. Escapement: rotation of the baseline in tenths of a
// degree, counter-clockwise. CharSet is carried along for those who ask; text is always UTF-8.
struct TLogFont {
    int Height = 0;
    int Width = 0;
    int Escapement = 0;
    int Orientation = 0;
    int Weight = FW_NORMAL;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    BYTE CharSet = DEFAULT_CHARSET;
    std::string FaceName;
    friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

class TGdiFont : public TGdiObject {
public:
    explicit TGdiFont(const TLogFont& lf) : Data(lf) {}
    TGdiKind Kind() const override { return TGdiKind::Font; }
    TLogFont Data;
};

using HPEN = TGdiPen*;
using HBRUSH = TGdiBrush*;
using HFONT = TGdiFont*;

HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateBrushIndirect(const TLogBrush& lb);
// A solid brush of a system colour; a stock object (never deleted).
HBRUSH GetSysColorBrush(int index);
HFONT CreateFontIndirect(const TLogFont& lf);

// Stock objects.
enum : int { WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4, NULL_BRUSH = 5,
    HOLLOW_BRUSH = NULL_BRUSH, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8, SYSTEM_FONT = 13, DEFAULT_GUI_FONT = 17 };
HGDIOBJ GetStockObject(int which);

// Frees the object, or marks it to be freed when the last device context deselects it. False for a null
// handle. Stock objects stay and the call succeeds.
BOOL DeleteObject(HGDIOBJ object);

// The description of a pen, brush or font; for bitmaps see TSurface.h, for regions Regions.h.
bool GetObject(HPEN pen, TLogPen& out);
bool GetObject(HBRUSH brush, TLogBrush& out);
bool GetObject(HFONT font, TLogFont& out);
