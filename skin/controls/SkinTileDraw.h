#pragma once
// Filling an area with a piece of a skin picture: tiled 1:1 from the area's top-left corner (the last
// tiles cut at the area's edges) or stretched. Every skinned control tiles through these, so that an
// empty piece (an entry with an empty "clientrect", a missing picture) simply leaves the area alone
// instead of looping on a zero step.
#include "platform/rtl/Types.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"

// The part of R that lies inside Src; empty when Src is nil or empty.
TRect ClipToPicture(TBitmap* Src, const TRect& R);
// Tiles the piece SrcR of Src over DestR. Nothing when the piece or the area is empty.
void TileDraw(TCanvas* Canvas, TBitmap* Src, const TRect& SrcR, const TRect& DestR);
// Stretches the piece by the skin's stretch type: 0 over the whole area; 1 to the area's height, tiled
// across; 2 to the area's width, tiled down. Nothing when the piece or the area is empty.
void StretchTileDraw(TCanvas* Canvas, TBitmap* Src, const TRect& SrcR, const TRect& DestR, int StretchType);
