#include "skin/data/TskBitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/gfx/Blits.h"   // StretchBlt, TransparentBlt
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/TClipboard.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TPicture.h"
#include "skin/data/SkinPlatform.h"

namespace {

// Every bitmap that has a DC, so that a DC handed to DrawTo can be traced back to its bitmap and the
// pixels moved without going through the blitter.
std::vector<TskBitmap*>& Registry()
{
    static std::vector<TskBitmap*> list;
    return list;
}

void Register(TskBitmap* b)
{
    auto& list = Registry();
    if (std::find(list.begin(), list.end(), b) == list.end())
        list.push_back(b);
}

void Unregister(TskBitmap* b)
{
    auto& list = Registry();
    list.erase(std::remove(list.begin(), list.end(), b), list.end());
}

// Nearest-neighbour index map with both ends matched: index i of a run of dstLen maps to
// srcStart + trunc(i * (srcLen - 1) / (dstLen - 1)); a run of one takes the middle of the source.
// Integer arithmetic, so the truncation is exact.
std::vector<int> EndMatchedMap(int from, int to, int dstStart, int dstLen, int srcStart, int srcLen)
{
    std::vector<int> map(static_cast<std::size_t>(to - from));
    for (int i = from; i < to; ++i) {
        int s;
        if (dstLen > 1)
            s = srcStart + static_cast<int>((static_cast<std::int64_t>(i - dstStart) * (srcLen - 1)) / (dstLen - 1));
        else
            s = (2 * srcStart + srcLen - 1) / 2;
        map[static_cast<std::size_t>(i - from)] = s;
    }
    return map;
}

void LineByMode(const TPixel* src, TPixel* dst, int count, TskTransferMode mode)
{
    switch (mode) {
    case TskTransferMode::Copy: MoveLongs(src, dst, count); break;
    case TskTransferMode::Transparent: TransparentLine(src, dst, count); break;
    case TskTransferMode::Blend: BlendLine(src, dst, count); break;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------------------
// Line routines

void BlendLine(const TPixel* Src, TPixel* Dst, int Count)
{
    // Chosen once: no row asks the processor again.
    static const TskBlendLineProc chosen = SelectBlendLine(HasMMX());
    chosen(Src, Dst, Count);
}

TskBlendLineProc SelectBlendLine(bool MMX) { return MMX ? BlendLineMMX : BlendLinePlain; }

void BlendLineMMX(const TPixel* Src, TPixel* Dst, int Count)
{
    for (int i = 0; i < Count; ++i) {
        const TPixel f = Src[i], b = Dst[i];
        const TPixel a = f >> 24;
        if (a == 0)
            continue;
        if (a == 255) {
            Dst[i] = f;
            continue;
        }
        // Each byte lane on its own; the sum stays within 0 .. 65280, as in a 16-bit lane.
        TPixel mixed = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const TPixel fc = (f >> shift) & 0xFF, bc = (b >> shift) & 0xFF;
            mixed |= ((fc * a + bc * (256 - a)) >> 8) << shift;
        }
        Dst[i] = mixed;
    }
    ClearMMXState();
}

void BlendLinePlain(const TPixel* Src, TPixel* Dst, int Count)
{
    // The formula of the header (the graphics layer's BlendPixel is the same one), written out here so the
    // compiler can keep the loop tight: red and blue share one multiplication, as their products stay
    // below 2^16 and cannot touch.
    // Branch-free, so the loop does not stall on pictures whose alpha changes from pixel to pixel.
    for (int i = 0; i < Count; ++i) {
        const TPixel f = Src[i], b = Dst[i];
        const TPixel a = f >> 24, na = 255 - a;
        const TPixel rb = (((f & 0x00FF00FFu) * a + (b & 0x00FF00FFu) * na) >> 8) & 0x00FF00FFu;
        const TPixel g = (((f & 0x0000FF00u) * a + (b & 0x0000FF00u) * na) >> 8) & 0x0000FF00u;
        const TPixel mixed = 0xFF000000u | rb | g;
        Dst[i] = a == 0 ? b : a == 255 ? f : mixed;
    }
}

void TransparentLine(const TPixel* Src, TPixel* Dst, int Count)
{
    for (int i = 0; i < Count; ++i)
        if ((Src[i] & 0xFFFFFFu) != skKeyColor)
            Dst[i] = Src[i] | 0xFF000000u;
}

void MoveLongs(const TPixel* Src, TPixel* Dst, int Count)
{
    if (Count < 1 || Src == Dst)
        return;
    std::memmove(Dst, Src, static_cast<std::size_t>(Count) * sizeof(TPixel));
}

void SetAlphaLine(TPixel* Dst, BYTE A, int Count)
{
    const TPixel a = static_cast<TPixel>(A) << 24;
    for (int i = 0; i < Count; ++i)
        Dst[i] = (Dst[i] & 0x00FFFFFFu) | a;
}

void SkinTransfer(TPixel* DstBits, int DstW, int DstH, const TRect& DstRect, const TRect& ClipRect,
    const TPixel* SrcBits, int SrcW, int SrcH, const TRect& SrcRect, TskTransferMode Mode)
{
    if (!DstBits || !SrcBits || SrcRect.IsEmpty())
        return;
    if (SrcRect.Left < 0 || SrcRect.Top < 0 || SrcRect.Right > SrcW || SrcRect.Bottom > SrcH)
        return;
    TRect clip;
    if (!IntersectRect(clip, ClipRect, TRect{0, 0, DstW, DstH}) || !IntersectRect(clip, clip, DstRect))
        return;
    const int sw = SrcRect.Width(), sh = SrcRect.Height();
    const int dw = DstRect.Width(), dh = DstRect.Height();
    const int cw = clip.Width();
    if (sw == dw && sh == dh) {
        const int sx = SrcRect.Left + clip.Left - DstRect.Left;
        for (int y = clip.Top; y < clip.Bottom; ++y) {
            const int sy = SrcRect.Top + y - DstRect.Top;
            LineByMode(SrcBits + static_cast<std::size_t>(sy) * SrcW + sx,
                DstBits + static_cast<std::size_t>(y) * DstW + clip.Left, cw, Mode);
        }
        return;
    }
    const std::vector<int> cols = EndMatchedMap(clip.Left, clip.Right, DstRect.Left, dw, SrcRect.Left, sw);
    const std::vector<int> rows = EndMatchedMap(clip.Top, clip.Bottom, DstRect.Top, dh, SrcRect.Top, sh);
    std::vector<TPixel> row(static_cast<std::size_t>(cw));
    int lastSrcRow = -1;
    for (int y = clip.Top; y < clip.Bottom; ++y) {
        const int sy = rows[static_cast<std::size_t>(y - clip.Top)];
        TPixel* d = DstBits + static_cast<std::size_t>(y) * DstW + clip.Left;
        if (Mode == TskTransferMode::Copy && sy == lastSrcRow) {
            // A repeated source row: the row above already holds it.
            std::memcpy(d, d - DstW, static_cast<std::size_t>(cw) * sizeof(TPixel));
            continue;
        }
        const TPixel* s = SrcBits + static_cast<std::size_t>(sy) * SrcW;
        if (Mode == TskTransferMode::Copy) {
            for (int i = 0; i < cw; ++i)
                d[i] = s[cols[static_cast<std::size_t>(i)]];
        } else {
            for (int i = 0; i < cw; ++i)
                row[static_cast<std::size_t>(i)] = s[cols[static_cast<std::size_t>(i)]];
            LineByMode(row.data(), d, cw, Mode);
        }
        lastSrcRow = sy;
    }
}

// ---------------------------------------------------------------------------------------------------------
// Free routines

TPixel Color32(TColor Color)
{
    return ColorToPixel(Color);
}

int DisplayBitsPerPixel()
{
    HDC dc = CreateCompatibleDC(nullptr);
    const int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    DeleteDC(dc);
    return bits;
}

bool IsTrueColorDisplay()
{
    return DisplayBitsPerPixel() >= 24;
}

// ---------------------------------------------------------------------------------------------------------
// TskBitmap

TskBitmap::TskBitmap() = default;

TskBitmap::~TskBitmap()
{
    Unregister(this);
    FreeDib();
}

void TskBitmap::FreeDib()
{
    if (FCanvas)
        FCanvas->SetHandle(nullptr);
    if (FDC)
        DeleteDC(FDC);
    FDC = nullptr;
    FSurface.reset();
    FWidth = 0;
    FHeight = 0;
}

void TskBitmap::AllocateDib(int W, int H)
{
    W = W < 0 ? -W : W;
    H = H < 0 ? -H : H;
    if (W == 0 || H == 0 || (FSurface && W == FWidth && H == FHeight))
        return;
    FreeDib();
    // The surface would clamp a larger side silently; a picture of another size than asked is worse
    // than an error the caller sees.
    if (W > TSurface::MaxSide || H > TSurface::MaxSide)
        throw Exception("Can't allocate the DIB handle");
    auto surface = std::make_unique<TSurface>(W, H);
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        throw Exception("Can't create compatible DC");
    SelectObject(dc, surface.get());
    FSurface = std::move(surface);
    FDC = dc;
    FWidth = W;
    FHeight = H;
    Register(this);
    if (FCanvas)
        FCanvas->SetHandle(FDC);
}

TPixel* TskBitmap::Bits()
{
    return FSurface ? FSurface->Bits() : nullptr;
}

const TPixel* TskBitmap::Bits() const
{
    return FSurface ? FSurface->Bits() : nullptr;
}

void TskBitmap::SetPixel(int X, int Y, TPixel Value)
{
    if (FSurface && X >= 0 && Y >= 0 && X < FWidth && Y < FHeight)
        *PixelPtr(X, Y) = Value;
}

TPixel TskBitmap::Pixel(int X, int Y) const
{
    return FSurface ? FSurface->Pixel(X, Y) : 0;
}

TCanvas* TskBitmap::Canvas()
{
    if (!FCanvas) {
        FCanvas = std::make_unique<TCanvas>();
        if (FDC)
            FCanvas->SetHandle(FDC);
    }
    return FCanvas.get();
}

void TskBitmap::ResetAlpha(BYTE A)
{
    if (!FSurface)
        return;
    SetAlphaLine(Bits(), A, FWidth * FHeight);
}

void TskBitmap::CheckAlpha()
{
    FAlphaBlend = false;
    if (!FSurface)
        return;
    const TPixel* p = Bits();
    const std::size_t n = static_cast<std::size_t>(FWidth) * FHeight;
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned a = p[i] >> 24;
        if (a != 0 && a != 255) {
            FAlphaBlend = true;
            return;
        }
    }
}

TskBitmap* TskBitmap::FromDC(HDC DC)
{
    if (!DC)
        return nullptr;
    for (TskBitmap* b : Registry())
        if (b->FDC == DC)
            return b;
    return nullptr;
}

void TskBitmap::DrawTo(HDC DC, int X, int Y)
{
    DrawTo(DC, TRect{X, Y, X + FWidth, Y + FHeight}, TRect{0, 0, FWidth, FHeight});
}

void TskBitmap::DrawTo(TCanvas* Canvas, int X, int Y)
{
    if (Canvas)
        DrawTo(Canvas->Handle(), X, Y);
}

void TskBitmap::DrawTo(HDC DC, const TRect& DstRect, const TRect& SrcRect)
{
    if (!FSurface || !DC || !DC->Surface() || DC->Surface()->Empty())
        return;
    const bool registered = FromDC(DC) != nullptr;
    if (!registered && !FAlphaBlend) {
        // A foreign DC gets the blitter, which already honours its mapping and clip.
        const int dw = DstRect.Width(), dh = DstRect.Height();
        if (FTransparent)
            TransparentBlt(DC, DstRect.Left, DstRect.Top, dw, dh, FDC, SrcRect.Left, SrcRect.Top, SrcRect.Width(),
                SrcRect.Height(), skKeyColor);
        else {
            SetStretchBltMode(DC, COLORONCOLOR);
            StretchBlt(DC, DstRect.Left, DstRect.Top, dw, dh, FDC, SrcRect.Left, SrcRect.Top, SrcRect.Width(),
                SrcRect.Height(), SRCCOPY);
        }
        return;
    }
    // Straight into the pixels of the DC's surface: the whole mapping (logical -> device -> surface)
    // applies, and each rectangle of the DC's clip limits the transfer. For a foreign DC this gives the
    // same picture as blending into a copy of the background and copying it back.
    TRect dst = DC->LogicalToDevice(DstRect);
    const TPoint org = DC->DeviceToSurface(TPoint{0, 0});
    OffsetRect(dst, org.X, org.Y);
    const TskTransferMode mode = FAlphaBlend ? TskTransferMode::Blend
        : FTransparent                       ? TskTransferMode::Transparent
                                             : TskTransferMode::Copy;
    TSurface* target = DC->Surface();
    // The clip list is copied: drawing into our own DC must not see it change under the loop.
    const std::vector<TRect> clips = DC->SurfaceClipRects();
    for (const TRect& clip : clips)
        SkinTransfer(target->Bits(), target->Width(), target->Height(), dst, clip, Bits(), FWidth, FHeight, SrcRect,
            mode);
}

void TskBitmap::Assign(TPersistent* Source)
{
    if (auto* b = dynamic_cast<TskBitmap*>(Source)) {
        if (b == this)
            return;
        if (b->Empty())
            FreeDib();
        else {
            AllocateDib(b->Width(), b->Height());
            MoveLongs(b->Bits(), Bits(), FWidth * FHeight);
        }
        FName = b->FName;
        FTransparent = b->FTransparent;
        FAlphaBlend = b->FAlphaBlend;
        return;
    }
    if (auto* bmp = dynamic_cast<TBitmap*>(Source)) {
        if (bmp->Empty()) {
            FreeDib();
            return;
        }
        AllocateDib(bmp->Width(), bmp->Height());
        // Pictures are 32-bit in memory whatever their format, so the pixels are taken as they are; only
        // a 32-bit picture keeps its alpha.
        const TSurface* from = bmp->Handle();
        MoveLongs(from->Bits(), Bits(), FWidth * FHeight);
        if (bmp->PixelFormat() == pf32bit)
            CheckAlpha();
        else
            ResetAlpha(255);
        return;
    }
    if (auto* pic = dynamic_cast<TPicture*>(Source)) {
        TGraphic* g = pic->Graphic();
        if (auto* bmp = dynamic_cast<TBitmap*>(g)) {
            if (bmp->Empty()) {
                FreeDib();
                return;
            }
            AllocateDib(bmp->Width(), bmp->Height());
            MoveLongs(bmp->Handle()->Bits(), Bits(), FWidth * FHeight);
            ResetAlpha(255);
            return;
        }
        if (!g) {
            FreeDib();
            return;
        }
        AssignGraphic(g);
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        AssignGraphic(g);
        return;
    }
    TPersistent::Assign(Source);
}

void TskBitmap::AssignGraphic(TGraphic* Graphic)
{
    if (Graphic->Empty()) {
        FreeDib();
        return;
    }
    AllocateDib(Graphic->Width(), Graphic->Height());
    // The graphic is drawn on magenta; whatever it leaves magenta is not taken.
    constexpr TPixel magenta = 0xFFFF00FFu;
    TBitmap tmp(FWidth, FHeight);
    tmp.SetPixelFormat(pf32bit);
    tmp.Handle()->Fill(magenta);
    Graphic->Draw(tmp.Canvas(), TRect{0, 0, FWidth, FHeight});
    const TPixel* s = tmp.Handle()->Bits();
    TPixel* d = Bits();
    const std::size_t n = static_cast<std::size_t>(FWidth) * FHeight;
    for (std::size_t i = 0; i < n; ++i)
        if ((s[i] & 0xFFFFFFu) != (magenta & 0xFFFFFFu))
            d[i] = s[i];
    ResetAlpha(255);
}

void TskBitmap::AssignTo(TPersistent* Dest)
{
    if (auto* pic = dynamic_cast<TPicture*>(Dest)) {
        AssignTo(pic->Bitmap());
        return;
    }
    if (auto* bmp = dynamic_cast<TBitmap*>(Dest)) {
        bmp->SetPixelFormat(pf32bit);
        bmp->SetSize(FWidth, FHeight);
        if (FSurface)
            DrawTo(bmp->Canvas(), 0, 0);
        return;
    }
    if (auto* clipboard = dynamic_cast<TClipboard*>(Dest)) {
        TBitmap made;
        AssignTo(&made);
        clipboard->Assign(&made);
        return;
    }
    TPersistent::AssignTo(Dest);
}
