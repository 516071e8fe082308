#pragma once
// A bitmap that reads and writes ZSoft PCX pictures: monochrome, 16 colours in four bit planes, 256
// colours with a palette trailer, and true colour in three planes. The picture is kept as the
// bitmap's 32-bit pixels; the palette it came with is remembered so that saving in the same format
// gives the same colours back.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/vcl/TBitmap.h"
#include "process/OxUtils.h"

class EPcxError : public EOxException {
    using EOxException::EOxException;
};

class TOxPcx : public TBitmap {
public:
    TOxPcx() = default;

    // EPcxError for what is not a PCX picture this class knows. A failed load leaves the bitmap at
    // the size and format already read from the header.
    void LoadFromStream(TStream& Stream) override;
    // Saves in the format of PixelFormat; a picture with more colours than its palette format holds
    // is saved in true colour rather than losing colours.
    void SaveToStream(TStream& Stream) override;

    // The palette of the last load (RGB triples as COLORREF), empty for true colour.
    const std::vector<COLORREF>& Palette() const { return FPalette; }

private:
    std::vector<COLORREF> FPalette;
};

// Run-length coding of PCX scan lines. Decoding ignores a run byte with nothing after it.
std::string PcxRleDecompress(const std::string& Data);
std::string PcxRleCompress(const std::string& Data);

// Makes "pcx" a picture file kind ("PCX Image") and TOxPcx a stored-form class. Called once at start.
void RegisterOxPcx();
