#include "platform/gfx/Drawing.h"

#include <cmath>
#include <cstdlib>

#include "platform/gfx/Blits.h"
#include "platform/gfx/Raster.h"

using raster::TPixelOp;

namespace {

bool CanDraw(HDC dc) { return dc && dc->Surface() && !dc->Surface()->Empty(); }

TPixelOp PenOp(HDC dc)
{
    switch (dc->State().Rop2) {
    case R2_XORPEN: return TPixelOp::Xor;
    case R2_NOT: return TPixelOp::Not;
    default: return TPixelOp::Copy;
    }
}

// Dash patterns of the styled pens, in pixels on and off, starting with "on".
const std::vector<int>& PenPattern(int style)
{
    static const std::vector<int> solid;
    static const std::vector<int> dash{18, 6};
    static const std::vector<int> dot{3, 3};
    static const std::vector<int> dashDot{9, 6, 3, 6};
    static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashDot;
    case PS_DASHDOTDOT: return dashDotDot;
    default: return solid;
    }
}

// Draws pen pixels along a path, carrying the dash pattern from one segment to the next.
class TPenWalker {
public:
    explicit TPenWalker(HDC dc) : TPenWalker(dc, dc->Pen()) {}
    TPenWalker(HDC dc, const TLogPen& pen)
        : FDc(*dc), FPen(pen), FColour(RgbToPixel(FPen.Color)), FOp(PenOp(dc)),
          FPattern(PenPattern(FPen.Style)), FWidth(std::max(1, FPen.Width))
    {
    }

    bool Visible() const { return FPen.Style != PS_NULL; }

    // Bresenham from a to b (surface pixels); b itself only when `last`.
    void Line(TPoint a, TPoint b, bool last)
    {
        if (!Visible())
            return;
        // A line far longer than any surface is first cut to the surface (with a margin for the pen), so
        // that the walk stays short; ordinary lines are walked whole so their pixels never depend on the clip.
        constexpr std::int64_t longest = 4 * TSurface::MaxSide;
        if (std::abs(std::int64_t(b.X) - a.X) > longest || std::abs(std::int64_t(b.Y) - a.Y) > longest) {
            if (!CutToSurface(a, b))
                return;
            last = true;
        }
        int x = a.X, y = a.Y;
        const int dx = std::abs(b.X - a.X), dy = -std::abs(b.Y - a.Y);
        const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
        int err = dx + dy;
        while (true) {
            const bool atEnd = x == b.X && y == b.Y;
            if (atEnd && !last)
                break;
            Dot(x, y);
            if (atEnd)
                break;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y += sy;
            }
        }
    }

private:
    // Liang-Barsky clipping of the segment to the surface grown by the pen width; false when nothing is left.
    bool CutToSurface(TPoint& a, TPoint& b) const
    {
        const double margin = FWidth + 1;
        const double xmin = -margin, ymin = -margin;
        const double xmax = FDc.Surface()->Width() + margin, ymax = FDc.Surface()->Height() + margin;
        const double dx = double(b.X) - a.X, dy = double(b.Y) - a.Y;
        double t0 = 0, t1 = 1;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {a.X - xmin, xmax - a.X, a.Y - ymin, ymax - a.Y};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0)
                    return false;
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
        }
        if (t0 > t1)
            return false;
        const TPoint na = {static_cast<int>(std::lround(a.X + t0 * dx)), static_cast<int>(std::lround(a.Y + t0 * dy))};
        const TPoint nb = {static_cast<int>(std::lround(a.X + t1 * dx)), static_cast<int>(std::lround(a.Y + t1 * dy))};
        a = na;
        b = nb;
        return true;
    }

    void Dot(int x, int y)
    {
        if (!FPattern.empty()) {
            const bool on = (FPhase % 2) == 0;
            if (++FCount >= FPattern[FPhase]) {
                FCount = 0;
                FPhase = (FPhase + 1) % static_cast<int>(FPattern.size());
            }
            if (!on)
                return;
        }
        if (FWidth == 1) {
            raster::Plot(FDc, x, y, FColour, FOp);
            return;
        }
        const int lo = -(FWidth - 1) / 2;
        for (int j = lo; j < lo + FWidth; ++j)
            for (int i = lo; i < lo + FWidth; ++i)
                raster::Plot(FDc, x + i, y + j, FColour, FOp);
    }

    const TDeviceContext& FDc;
    TLogPen FPen;
    TPixel FColour;
    TPixelOp FOp;
    const std::vector<int>& FPattern;
    int FWidth;
    int FPhase = 0;
    int FCount = 0;
};

bool BrushVisible(HBRUSH brush) { return brush && brush->Data.Style != BS_NULL; }

// Fills rows of a shape given as one span per row [x0, x1) (surface coordinates).
struct TRowSpan {
    int X0;
    int X1;
};

// Fills the inside of a row-span shape with the brush and its border with the pen: a pixel is border
// when it ends its row or when the row above or below does not cover it.
void DrawSpanShape(HDC dc, int top, const std::vector<TRowSpan>& rows)
{
    const bool fill = BrushVisible(dc->State().Brush);
    const TPixel brush = RgbToPixel(dc->Brush().Color);
    TPenWalker pen(dc);
    const bool outline = pen.Visible();
    const int n = static_cast<int>(rows.size());
    // Only the rows and columns on the surface (with a pen's margin) are visited, however large the shape.
    const int pad = std::max(1, dc->Pen().Width) + 1;
    const int firstRow = std::clamp(-pad - top, 0, n), lastRow = std::clamp(dc->Surface()->Height() + pad - top, 0, n);
    const int minX = -pad, maxX = dc->Surface()->Width() + pad;
    for (int i = firstRow; i < lastRow; ++i) {
        const TRowSpan& r = rows[i];
        if (r.X1 <= r.X0)
            continue;
        const int y = top + i;
        const TRowSpan up = i > 0 ? rows[i - 1] : TRowSpan{0, 0};
        const TRowSpan down = i + 1 < n ? rows[i + 1] : TRowSpan{0, 0};
        for (int x = std::max(r.X0, minX); x < std::min(r.X1, maxX); ++x) {
            const bool border = x == r.X0 || x == r.X1 - 1 || x < up.X0 || x >= up.X1 || x < down.X0 || x >= down.X1;
            if (border && outline)
                pen.Line({x, y}, {x, y}, true);
            else if (fill && (!border || !outline))
                raster::Plot(*dc, x, y, brush);
        }
    }
}

// The rectangle the right way round, with its coordinates held in range (see raster::Tame).
TRect Normalised(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b)
{
    return raster::Tame(TRect{static_cast<int>(std::clamp<std::int64_t>(std::min(l, r), INT32_MIN, INT32_MAX)),
        static_cast<int>(std::clamp<std::int64_t>(std::min(t, b), INT32_MIN, INT32_MAX)),
        static_cast<int>(std::clamp<std::int64_t>(std::max(l, r), INT32_MIN, INT32_MAX)),
        static_cast<int>(std::clamp<std::int64_t>(std::max(t, b), INT32_MIN, INT32_MAX))});
}

}  // namespace

int FillRect(HDC dc, const TRect& r, HBRUSH brush)
{
    if (!CanDraw(dc) || !brush)
        return false;
    if (brush->Data.Style == BS_NULL)
        return true;
    raster::FillSpans(*dc, raster::ToSurface(*dc, r), RgbToPixel(brush->Data.Color));
    return true;
}

int FrameRect(HDC dc, const TRect& rect, HBRUSH brush)
{
    const TRect r = raster::Tame(rect);
    if (!CanDraw(dc) || !brush)
        return false;
    if (r.IsEmpty() || brush->Data.Style == BS_NULL)
        return true;
    FillRect(dc, {r.Left, r.Top, r.Right, r.Top + 1}, brush);
    FillRect(dc, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, brush);
    FillRect(dc, {r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}, brush);
    FillRect(dc, {r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1}, brush);
    return true;
}

BOOL InvertRect(HDC dc, const TRect& r)
{
    if (!CanDraw(dc))
        return false;
    raster::ForEachSpan(*dc, raster::ToSurface(*dc, r), [](TPixel* row, int x0, int x1, int) {
        for (int x = x0; x < x1; ++x)
            row[x] = (~row[x] & 0x00FFFFFF) | 0xFF000000u;
    });
    return true;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop)
{
    if (!CanDraw(dc))
        return false;
    const TRect area = raster::ToSurface(*dc, Normalised(x, y, std::int64_t(x) + width, std::int64_t(y) + height));
    const TPixel brush = BrushVisible(dc->State().Brush) ? RgbToPixel(dc->Brush().Color) : 0xFF000000u;
    switch (rop) {
    case PATCOPY:
        if (BrushVisible(dc->State().Brush))
            raster::FillSpans(*dc, area, brush);
        return true;
    case BLACKNESS: raster::FillSpans(*dc, area, 0xFF000000u); return true;
    case WHITENESS: raster::FillSpans(*dc, area, 0xFFFFFFFFu); return true;
    case DSTINVERT:
    case PATINVERT: {
        const TPixel mask = rop == DSTINVERT ? 0x00FFFFFFu : (brush & 0x00FFFFFFu);
        raster::ForEachSpan(*dc, area, [mask](TPixel* row, int x0, int x1, int) {
            for (int i = x0; i < x1; ++i)
                row[i] = (row[i] ^ mask) | 0xFF000000u;
        });
        return true;
    }
    default: return false;
    }
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom)
{
    if (!CanDraw(dc))
        return false;
    const TRect r = Normalised(left, top, right, bottom);
    TPenWalker pen(dc);
    if (!pen.Visible()) {
        // Without a pen the window system fills one pixel less to the right and at the bottom.
        if (BrushVisible(dc->State().Brush))
            FillRect(dc, {r.Left, r.Top, r.Right - 1, r.Bottom - 1}, dc->State().Brush);
        return true;
    }
    if (r.Width() < 1 || r.Height() < 1)
        return true;
    const int w = std::max(1, dc->Pen().Width);
    if (BrushVisible(dc->State().Brush))
        FillRect(dc, {r.Left + w, r.Top + w, r.Right - w, r.Bottom - w}, dc->State().Brush);
    // The outline lies inside the rectangle: rings of the pen's width, each drawn as four one-pixel lines.
    TLogPen thin = dc->Pen();
    for (int i = 0; i < w; ++i) {
        const TRect q = {r.Left + i, r.Top + i, r.Right - i, r.Bottom - i};
        if (q.Width() < 1 || q.Height() < 1)
            break;
        const TPoint tl = raster::ToSurface(*dc, TPoint{q.Left, q.Top});
        const TPoint br = raster::ToSurface(*dc, TPoint{q.Right - 1, q.Bottom - 1});
        TPenWalker ring(dc, TLogPen{thin.Style, 1, thin.Color});
        ring.Line(tl, {br.X, tl.Y}, false);
        ring.Line({br.X, tl.Y}, br, false);
        ring.Line(br, {tl.X, br.Y}, false);
        ring.Line({tl.X, br.Y}, tl, false);
        if (q.Width() == 1 || q.Height() == 1)
            ring.Line(br, br, true);
    }
    return true;
}

namespace {

// Half-width of an ellipse row: the ellipse of radii a, b around the centre, sampled at pixel centres.
std::vector<TRowSpan> EllipseRows(const TRect& s)
{
    std::vector<TRowSpan> rows;
    const double cx = (s.Left + s.Right - 1) / 2.0, cy = (s.Top + s.Bottom - 1) / 2.0;
    const double a = (s.Right - s.Left) / 2.0, b = (s.Bottom - s.Top) / 2.0;
    for (int y = s.Top; y < s.Bottom; ++y) {
        const double t = (y - cy) / b;
        const double h = t * t >= 1 ? 0 : a * std::sqrt(1 - t * t);
        int x0 = static_cast<int>(std::ceil(cx - h - 1e-9));
        int x1 = static_cast<int>(std::floor(cx + h + 1e-9)) + 1;
        if (x1 <= x0) {   // keep the outline closed at the poles
            x0 = static_cast<int>(std::floor(cx));
            x1 = static_cast<int>(std::ceil(cx)) + 1;
        }
        rows.push_back({x0, x1});
    }
    return rows;
}

}  // namespace

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom)
{
    if (!CanDraw(dc))
        return false;
    const TRect s = raster::ToSurface(*dc, Normalised(left, top, right, bottom));
    if (s.Width() < 1 || s.Height() < 1 || s.Width() > 4 * TSurface::MaxSide || s.Height() > 4 * TSurface::MaxSide)
        return true;
    DrawSpanShape(dc, s.Top, EllipseRows(s));
    return true;
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    if (!CanDraw(dc))
        return false;
    const TRect s = raster::ToSurface(*dc, Normalised(left, top, right, bottom));
    if (s.Width() < 1 || s.Height() < 1 || s.Width() > 4 * TSurface::MaxSide || s.Height() > 4 * TSurface::MaxSide)
        return true;
    const int ew = static_cast<int>(std::clamp<std::int64_t>(std::llabs(ellipseWidth), 0, s.Width()));
    const int eh = static_cast<int>(std::clamp<std::int64_t>(std::llabs(ellipseHeight), 0, s.Height()));
    if (ew < 2 || eh < 2)
        return Rectangle(dc, left, top, right, bottom);
    // The corners are the quarters of an ellipse of ew x eh; rows in between span the whole width.
    const std::vector<TRowSpan> corner = EllipseRows({0, 0, ew, eh});
    std::vector<TRowSpan> rows;
    for (int y = 0; y < s.Height(); ++y) {
        int inset = 0;
        if (y < eh / 2)
            inset = corner[y].X0;
        else if (y >= s.Height() - eh / 2)
            inset = corner[eh - (s.Height() - y)].X0;
        rows.push_back({s.Left + inset, s.Right - inset});
    }
    DrawSpanShape(dc, s.Top, rows);
    return true;
}

BOOL LineTo(HDC dc, int x, int y)
{
    if (!dc)
        return false;
    const TPoint from = dc->State().CurrentPos;
    dc->State().CurrentPos = {x, y};
    if (!CanDraw(dc))
        return true;
    TPenWalker pen(dc);
    pen.Line(raster::ToSurface(*dc, from), raster::ToSurface(*dc, TPoint{x, y}), false);
    return true;
}

BOOL Polyline(HDC dc, const TPoint* points, int count)
{
    if (!dc || !points || count < 2)
        return false;
    if (!CanDraw(dc))
        return true;
    TPenWalker pen(dc);
    for (int i = 0; i + 1 < count; ++i)
        pen.Line(raster::ToSurface(*dc, points[i]), raster::ToSurface(*dc, points[i + 1]), false);
    return true;
}

BOOL Polygon(HDC dc, const TPoint* points, int count)
{
    if (!dc || !points || count < 2)
        return false;
    if (!CanDraw(dc))
        return true;
    std::vector<TPoint> p(count);
    for (int i = 0; i < count; ++i)
        p[i] = raster::ToSurface(*dc, points[i]);
    if (BrushVisible(dc->State().Brush)) {
        // Alternate fill, sampled at pixel centres: a pixel is inside when its centre is.
        int top = p[0].Y, bottom = p[0].Y;
        for (const TPoint& q : p) {
            top = std::min(top, q.Y);
            bottom = std::max(bottom, q.Y);
        }
        const TRect clipBox = Rect(0, 0, dc->Surface()->Width(), dc->Surface()->Height());
        top = std::max(top, clipBox.Top);
        bottom = std::min(bottom, clipBox.Bottom);
        const TPixel brush = RgbToPixel(dc->Brush().Color);
        std::vector<double> xs;
        for (int y = top; y < bottom; ++y) {
            const double cy = y + 0.5;
            xs.clear();
            for (int i = 0; i < count; ++i) {
                const TPoint a = p[i], b = p[(i + 1) % count];
                if ((a.Y <= cy) != (b.Y <= cy))
                    xs.push_back(a.X + (cy - a.Y) * (b.X - a.X) / static_cast<double>(b.Y - a.Y));
            }
            std::sort(xs.begin(), xs.end());
            for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
                const int x0 = static_cast<int>(std::ceil(xs[i] - 0.5));
                const int x1 = static_cast<int>(std::ceil(xs[i + 1] - 0.5));
                raster::FillSpans(*dc, {x0, y, x1, y + 1}, brush);
            }
        }
    }
    TPenWalker pen(dc);
    for (int i = 0; i < count; ++i)
        pen.Line(p[i], p[(i + 1) % count], false);
    return true;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color)
{
    if (!CanDraw(dc))
        return CLR_INVALID;
    const TPoint s = raster::ToSurface(*dc, TPoint{x, y});
    if (!raster::InClip(*dc, s.X, s.Y))
        return CLR_INVALID;
    dc->Surface()->ScanLine(s.Y)[s.X] = RgbToPixel(color);
    return color & 0xFFFFFF;
}

COLORREF GetPixel(HDC dc, int x, int y)
{
    if (!CanDraw(dc))
        return CLR_INVALID;
    const TPoint s = raster::ToSurface(*dc, TPoint{x, y});
    if (!dc->Surface()->Contains(s.X, s.Y))
        return CLR_INVALID;
    return PixelToColor(dc->Surface()->Pixel(s.X, s.Y));
}

BOOL DrawFocusRect(HDC dc, const TRect& r)
{
    if (!CanDraw(dc))
        return false;
    if (r.IsEmpty())
        return true;
    const TRect s = raster::ToSurface(*dc, r);
    // Every other pixel of the frame, by the parity of its position, so the dots line up on all sides.
    auto dot = [&](int x, int y) {
        if (((x - s.Left) + (y - s.Top)) % 2 == 0)
            raster::Plot(*dc, x, y, 0, TPixelOp::Not);
    };
    const int w = dc->Surface()->Width(), h = dc->Surface()->Height();
    for (int x = std::max(s.Left, -1); x < std::min(s.Right, w + 1); ++x) {
        dot(x, s.Top);
        if (s.Bottom - 1 > s.Top)
            dot(x, s.Bottom - 1);
    }
    for (int y = std::max(s.Top + 1, -1); y < std::min(s.Bottom - 1, h + 1); ++y) {
        dot(s.Left, y);
        if (s.Right - 1 > s.Left)
            dot(s.Right - 1, y);
    }
    return true;
}

namespace {

void FillColour(HDC dc, const TRect& r, COLORREF c)
{
    TGdiBrush b(TLogBrush{BS_SOLID, c});
    FillRect(dc, r, &b);
}

// One ring of a 3D edge: top and left in `tl`, bottom and right in `br`, the two far corners in `br`.
void EdgeRing(HDC dc, const TRect& r, COLORREF tl, COLORREF br, UINT flags)
{
    if (flags & BF_TOP)
        FillColour(dc, {r.Left, r.Top, r.Right - 1, r.Top + 1}, tl);
    if (flags & BF_LEFT)
        FillColour(dc, {r.Left, r.Top, r.Left + 1, r.Bottom - 1}, tl);
    if (flags & BF_BOTTOM)
        FillColour(dc, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, br);
    if (flags & BF_RIGHT)
        FillColour(dc, {r.Right - 1, r.Top, r.Right, r.Bottom - 1}, br);
}

}  // namespace

BOOL DrawEdge(HDC dc, TRect& r, UINT edge, UINT flags)
{
    if (!dc)
        return false;
    TRect q = r;
    const UINT outer = edge & BDR_OUTER;
    const UINT inner = edge & BDR_INNER;
    auto shrink = [&](TRect& x) {
        if (flags & BF_LEFT)
            ++x.Left;
        if (flags & BF_TOP)
            ++x.Top;
        if (flags & BF_RIGHT)
            --x.Right;
        if (flags & BF_BOTTOM)
            --x.Bottom;
    };
    if (outer) {
        COLORREF tl, br;
        if (flags & BF_MONO) {
            tl = br = GetSysColor(COLOR_WINDOWFRAME);
        } else if (flags & BF_FLAT) {
            tl = br = GetSysColor(COLOR_BTNSHADOW);
        } else if (outer & BDR_RAISEDOUTER) {
            tl = GetSysColor(COLOR_3DLIGHT);
            br = GetSysColor(COLOR_3DDKSHADOW);
        } else {
            tl = GetSysColor(COLOR_BTNSHADOW);
            br = GetSysColor(COLOR_BTNHIGHLIGHT);
        }
        if (CanDraw(dc) && !q.IsEmpty())
            EdgeRing(dc, q, tl, br, flags);
        shrink(q);
    }
    if (inner) {
        COLORREF tl, br;
        if (flags & (BF_MONO | BF_FLAT)) {
            tl = br = GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
        } else if (inner & BDR_RAISEDINNER) {
            tl = GetSysColor(COLOR_BTNHIGHLIGHT);
            br = GetSysColor(COLOR_BTNSHADOW);
        } else {
            tl = GetSysColor(COLOR_3DDKSHADOW);
            br = GetSysColor(COLOR_3DLIGHT);
        }
        if (CanDraw(dc) && !q.IsEmpty())
            EdgeRing(dc, q, tl, br, flags);
        shrink(q);
    }
    if ((flags & BF_MIDDLE) && CanDraw(dc) && !q.IsEmpty())
        FillColour(dc, q, GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    if (flags & BF_ADJUST)
        r = q;
    return true;
}

void Frame3D(HDC dc, TRect& r, TColor topColor, TColor bottomColor, int width)
{
    if (!dc)
        return;
    const COLORREF top = ColorToRGB(topColor), bottom = ColorToRGB(bottomColor);
    --r.Right;
    --r.Bottom;
    for (int i = 0; i < width; ++i) {
        if (CanDraw(dc)) {
            // Left column and top row in the first colour, then right column and bottom row in the second,
            // which takes the top-right and bottom-left corners.
            FillColour(dc, {r.Left, r.Top, r.Left + 1, r.Bottom + 1}, top);
            FillColour(dc, {r.Left, r.Top, r.Right, r.Top + 1}, top);
            FillColour(dc, {r.Right, r.Top, r.Right + 1, r.Bottom}, bottom);
            FillColour(dc, {r.Left, r.Bottom, r.Right + 1, r.Bottom + 1}, bottom);
        }
        InflateRect(r, -1, -1);
    }
    ++r.Right;
    ++r.Bottom;
}
