#pragma once
// JPEG pictures through libjpeg. Decoded pictures are opaque 32-bit surfaces; grayscale and CMYK files are
// converted. Writing takes a quality from 1 to 100. A broken file raises EInvalidGraphic.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx/EInvalidGraphic.h"
#include "platform/gfx/TSurface.h"

void DecodeJpeg(const std::uint8_t* data, std::size_t size, TSurface& out);
std::vector<std::uint8_t> EncodeJpeg(const TSurface& surface, int quality);
