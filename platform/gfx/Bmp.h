#pragma once
// The BMP picture file. Reads 1, 4, 8, 24 and 32 bits per pixel (uncompressed, and 16/32-bit with bit
// fields), with a palette, bottom-up or top-down, with the 40-byte header (or a longer one) or the older
// 12-byte one. Writes 24 or 32 bits with the 40-byte header, bottom-up. Sides are capped at 32767.
// Anything else raises EInvalidGraphic.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx/EInvalidGraphic.h"
#include "platform/gfx/TSurface.h"

class TStream;

// Decodes the BMP file at the start of data (size bytes; the file may be followed by other data). Returns
// the number of bytes the file occupies: the size its file header states when that is sane, else the end
// of its pixel data.
std::size_t DecodeBmp(const std::uint8_t* data, std::size_t size, TSurface& out);
std::vector<std::uint8_t> EncodeBmp(const TSurface& surface, int bitCount);   // bitCount 24 or 32

// Reads one BMP file from the stream's position and leaves the stream right after it (several pictures may
// follow each other in one stream). On failure the stream position is unspecified.
void LoadBmpFromStream(TStream& stream, TSurface& out);
void SaveBmpToStream(TStream& stream, const TSurface& surface, int bitCount);
// The file forms: the tests' picture helpers save with them, the end-to-end suite reads back.
void LoadBmpFromFile(const std::string& fileName, TSurface& out);
void SaveBmpToFile(const std::string& fileName, const TSurface& surface, int bitCount);
