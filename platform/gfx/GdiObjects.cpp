#include "platform/gfx/GdiObjects.h"

#include <array>

#include "platform/gfx/Regions.h"
#include "platform/gfx/TSurface.h"

void TGdiObject::ReleaseSelection()
{
    if (FSelections > 0)
        --FSelections;
    // The object was deleted while a DC still had it: it goes now that nobody holds it.
    if (FSelections == 0 && FDeletePending && !FStock)
        delete this;
}

bool TGdiObject::MarkDeleted()
{
    if (FStock)
        return false;
    if (FSelections > 0) {
        FDeletePending = true;
        return false;
    }
    return true;
}

HPEN CreatePen(int style, int width, COLORREF color)
{
    return new TGdiPen(TLogPen{style, width, color & 0xFFFFFF});
}

HBRUSH CreateSolidBrush(COLORREF color) { return new TGdiBrush(TLogBrush{BS_SOLID, color & 0xFFFFFF}); }

HBRUSH CreateBrushIndirect(const TLogBrush& lb) { return new TGdiBrush(TLogBrush{lb.Style, lb.Color & 0xFFFFFF}); }

HBRUSH GetSysColorBrush(int index)
{
    static std::array<TGdiBrush*, COLOR_SYSCOLOR_COUNT> brushes = [] {
        std::array<TGdiBrush*, COLOR_SYSCOLOR_COUNT> a{};
        for (int i = 0; i < COLOR_SYSCOLOR_COUNT; ++i) {
            a[i] = new TGdiBrush(TLogBrush{BS_SOLID, GetSysColor(i)});
            a[i]->MakeStock();
        }
        return a;
    }();
    if (index < 0 || index >= COLOR_SYSCOLOR_COUNT)
        return nullptr;
    return brushes[index];
}

HFONT CreateFontIndirect(const TLogFont& lf) { return new TGdiFont(lf); }

HGDIOBJ GetStockObject(int which)
{
    // Made once and never freed: stock objects live as long as the program.
    static const std::array<TGdiObject*, 18> stock = [] {
        std::array<TGdiObject*, 18> a{};
        auto brush = [](UINT style, COLORREF c) { return new TGdiBrush(TLogBrush{style, c}); };
        a[WHITE_BRUSH] = brush(BS_SOLID, RGB(255, 255, 255));
        a[LTGRAY_BRUSH] = brush(BS_SOLID, RGB(192, 192, 192));
        a[GRAY_BRUSH] = brush(BS_SOLID, RGB(128, 128, 128));
        a[DKGRAY_BRUSH] = brush(BS_SOLID, RGB(64, 64, 64));
        a[BLACK_BRUSH] = brush(BS_SOLID, RGB(0, 0, 0));
        a[NULL_BRUSH] = brush(BS_NULL, 0);
        a[WHITE_PEN] = new TGdiPen(TLogPen{PS_SOLID, 1, RGB(255, 255, 255)});
        a[BLACK_PEN] = new TGdiPen(TLogPen{PS_SOLID, 1, 0});
        a[NULL_PEN] = new TGdiPen(TLogPen{PS_NULL, 1, 0});
        TLogFont sys;
        sys.FaceName = "MS Sans Serif";
        sys.Height = -11;
        a[SYSTEM_FONT] = new TGdiFont(sys);
        a[DEFAULT_GUI_FONT] = new TGdiFont(sys);
        for (TGdiObject* o : a)
            if (o)
                o->MakeStock();
        return a;
    }();
    if (which < 0 || which >= static_cast<int>(stock.size()))
        return nullptr;
    return stock[which];
}

BOOL DeleteObject(HGDIOBJ object)
{
    if (!object)
        return false;
    if (object->IsStock())
        return true;
    if (object->MarkDeleted())
        delete object;
    return true;
}

bool GetObject(HPEN pen, TLogPen& out)
{
    if (!pen)
        return false;
    out = pen->Data;
    return true;
}

bool GetObject(HBRUSH brush, TLogBrush& out)
{
    if (!brush)
        return false;
    out = brush->Data;
    return true;
}

bool GetObject(HFONT font, TLogFont& out)
{
    if (!font)
        return false;
    out = font->Data;
    return true;
}
