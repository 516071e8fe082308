#pragma once
// JPEG pictures through libjpeg. Decoded pictures are opaque 32-bit surfaces; grayscale and CMYK files are
// converted. Writing takes a quality from 1 to 100. A broken file raises EInvalidGraphic.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/EInvalidGraphic.h"
#include "platform/gfx/TSurface.h"

class TStream;

void DecodeJpeg(const std::uint8_t* data, std::size_t size, TSurface& out);
std::vector<std::uint8_t> EncodeJpeg(const TSurface& surface, int quality);
// A JPEG file has no size field that can be trusted, so a stream is read from its position to its end.
void LoadJpegFromStream(TStream& stream, TSurface& out);
void SaveJpegToStream(TStream& stream, const TSurface& surface, int quality);
