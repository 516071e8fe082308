#include "platform/gfx/Jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <new>

#include <jpeglib.h>
#include <jerror.h>

namespace {

// libjpeg reports errors through a callback that must not return; it jumps back to the call that started
// the work, and the message is turned into an exception outside the code that jumped.
struct TErrorManager {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX] = {};
};

void ErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<TErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->Message);
    std::longjmp(err->Jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level)
{
    // A file whose picture data ends early (at the end of the file, or at a marker such as the end-of-image
    // marker) is decoded by libjpeg as padding with a warning; such a picture is broken, so those warnings
    // count as errors. Other warnings (stray bytes between segments, say) are let through.
    if (level == -1 && (cinfo->err->msg_code == JWRN_JPEG_EOF || cinfo->err->msg_code == JWRN_HIT_MARKER))
        ErrorExit(cinfo);
}

void Quiet(j_common_ptr) {}

// Memory limit for libjpeg's own buffers (progressive files keep the whole picture's coefficients).
constexpr long MaxJpegMemory = 512L * 1024 * 1024;

// The decoding itself, kept free of objects with destructors so that the error jump skips nothing. Rows are
// added to `pixels` as they are decoded, so a small file that claims a huge picture fails at its end
// before much memory is taken.
bool DecodeRaw(const std::uint8_t* data, std::size_t size, std::vector<TPixel>& pixels, int& width, int& height,
    char* message)
{
    jpeg_decompress_struct cinfo;
    TErrorManager err;
    cinfo.err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = ErrorExit;
    err.Pub.emit_message = EmitMessage;
    err.Pub.output_message = Quiet;
    JSAMPARRAY rowBuffer = nullptr;
    if (setjmp(err.Jump)) {
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.Message);
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = MaxJpegMemory;
    jpeg_mem_src(&cinfo, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > TSurface::MaxSide ||
        cinfo.image_height > TSurface::MaxSide) {
        std::snprintf(message, JMSG_LENGTH_MAX, "size %u x %u is out of range", cinfo.image_width, cinfo.image_height);
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const int w = static_cast<int>(cinfo.output_width), h = static_cast<int>(cinfo.output_height);
    const int comps = cinfo.output_components;
    if ((comps != 3 && comps != 4) || w <= 0 || h <= 0 || w > TSurface::MaxSide || h > TSurface::MaxSide) {
        std::snprintf(message, JMSG_LENGTH_MAX, "unsupported colour layout");
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    width = w;
    height = h;
    rowBuffer = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
        static_cast<JDIMENSION>(w * comps), 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = static_cast<int>(cinfo.output_scanline);
        jpeg_read_scanlines(&cinfo, rowBuffer, 1);
        try {
            pixels.resize(static_cast<std::size_t>(y + 1) * w);
        } catch (const std::bad_alloc&) {
            std::snprintf(message, JMSG_LENGTH_MAX, "not enough memory for %d x %d pixels", w, h);
            jpeg_destroy_decompress(&cinfo);
            return false;
        }
        TPixel* dst = pixels.data() + static_cast<std::size_t>(y) * w;
        const JSAMPLE* s = rowBuffer[0];
        for (int x = 0; x < w; ++x) {
            unsigned r, g, b;
            if (comps == 3) {
                r = s[x * 3];
                g = s[x * 3 + 1];
                b = s[x * 3 + 2];
            } else {
                // CMYK as Adobe writes it (inverted): each channel times K.
                const unsigned k = s[x * 4 + 3];
                r = s[x * 4] * k / 255;
                g = s[x * 4 + 1] * k / 255;
                b = s[x * 4 + 2] * k / 255;
            }
            dst[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

bool EncodeRaw(const TSurface& surface, int quality, unsigned char** buffer, unsigned long* size, char* message)
{
    jpeg_compress_struct cinfo;
    TErrorManager err;
    cinfo.err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = ErrorExit;
    err.Pub.output_message = Quiet;
    JSAMPARRAY rowBuffer = nullptr;
    if (setjmp(err.Jump)) {
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.Message);
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    cinfo.image_width = static_cast<JDIMENSION>(surface.Width());
    cinfo.image_height = static_cast<JDIMENSION>(surface.Height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    rowBuffer = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
        static_cast<JDIMENSION>(surface.Width() * 3), 1);
    while (cinfo.next_scanline < cinfo.image_height) {
        const TPixel* src = surface.ScanLine(static_cast<int>(cinfo.next_scanline));
        JSAMPLE* d = rowBuffer[0];
        for (int x = 0; x < surface.Width(); ++x) {
            d[x * 3] = (src[x] >> 16) & 0xFF;
            d[x * 3 + 1] = (src[x] >> 8) & 0xFF;
            d[x * 3 + 2] = src[x] & 0xFF;
        }
        jpeg_write_scanlines(&cinfo, rowBuffer, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

void DecodeJpeg(const std::uint8_t* data, std::size_t size, TSurface& out)
{
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        throw EInvalidGraphic("Invalid JPEG image: no JPEG signature");
    std::vector<TPixel> pixels;
    int width = 0, height = 0;
    char message[JMSG_LENGTH_MAX] = {};
    if (!DecodeRaw(data, size, pixels, width, height, message))
        throw EInvalidGraphic(std::string("Invalid JPEG image: ") + message);
    TSurface result(width, height);
    if (result.Empty() || pixels.size() != static_cast<std::size_t>(width) * height)
        throw EInvalidGraphic("Invalid JPEG image: no picture decoded");
    std::copy(pixels.begin(), pixels.end(), result.Bits());
    out = std::move(result);
}

std::vector<std::uint8_t> EncodeJpeg(const TSurface& surface, int quality)
{
    if (surface.Empty())
        throw EInvalidGraphic("Invalid JPEG image: cannot write an empty picture");
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = EncodeRaw(surface, std::clamp(quality, 1, 100), &buffer, &size, message);
    std::vector<std::uint8_t> bytes;
    if (ok && buffer)
        bytes.assign(buffer, buffer + size);
    std::free(buffer);
    if (!ok)
        throw EInvalidGraphic(std::string("Invalid JPEG image: ") + message);
    return bytes;
}
