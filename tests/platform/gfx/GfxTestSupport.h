#pragma once
// A small surface with a DC on it, for the tests of this folder.
#include <map>
#include <string>
#include <vector>

#include "platform/gfx/TDeviceContext.h"
#include "tests/support/TestPictures.h"

struct TPaper {
    TSurface Surface;
    HDC Dc = nullptr;

    TPaper(int w, int h, COLORREF background = RGB(255, 255, 255)) : Surface(w, h)
    {
        Surface.Fill(RgbToPixel(background));
        Dc = CreateSurfaceDC(&Surface, {0, 0}, nullptr);
    }
    ~TPaper() { DeleteDC(Dc); }
    TPaper(const TPaper&) = delete;
    TPaper& operator=(const TPaper&) = delete;

    COLORREF At(int x, int y) const { return PixelToColor(Surface.Pixel(x, y)); }
    std::string Compare(const std::vector<std::string>& rows, int x = 0, int y = 0) const
    {
        return ComparePixels(Surface, x, y, rows, Legend());
    }
    static const std::map<char, COLORREF>& Legend()
    {
        static const std::map<char, COLORREF> legend = {{'.', RGB(255, 255, 255)}, {'#', RGB(0, 0, 0)},
            {'r', RGB(255, 0, 0)}, {'g', RGB(0, 255, 0)}, {'b', RGB(0, 0, 255)}, {'y', RGB(255, 255, 0)}};
        return legend;
    }
    // Number of pixels in an area that differ from a colour.
    int CountNot(const TRect& area, COLORREF c) const
    {
        int n = 0;
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                n += At(x, y) != c;
        return n;
    }
};
