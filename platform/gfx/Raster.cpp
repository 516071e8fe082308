#include "platform/gfx/Raster.h"

namespace raster {

TRect ToSurface(const TDeviceContext& dc, const TRect& logical)
{
    const TRect d = dc.LogicalToDevice(logical);
    const TPoint a = dc.DeviceToSurface(d.TopLeft()), b = dc.DeviceToSurface(d.BottomRight());
    return {a.X, a.Y, b.X, b.Y};
}

TPoint ToSurface(const TDeviceContext& dc, TPoint logical)
{
    return dc.DeviceToSurface(dc.LogicalToDevice(logical));
}

bool InClip(const TDeviceContext& dc, int x, int y)
{
    for (const TRect& c : dc.SurfaceClipRects()) {
        if (c.Top > y)
            return false;
        if (x >= c.Left && x < c.Right && y >= c.Top && y < c.Bottom)
            return true;
    }
    return false;
}

void FillSpans(const TDeviceContext& dc, const TRect& surfaceArea, TPixel colour)
{
    ForEachSpan(dc, surfaceArea, [colour](TPixel* row, int x0, int x1, int) {
        std::fill(row + x0, row + x1, colour);
    });
}

}  // namespace raster
