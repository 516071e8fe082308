// libFuzzer entry point for the crop reader: the fuzzer's bytes are a frame the encoder grabbed from
// a source, and the sizes the source claimed. The bars are measured, widened to fill a screen and
// turned into the encoders' crop options, without a crash, a hang or a sanitizer report; the crop
// made always lies inside the frame.
//   byte 0: 0 = the frame is a JPEG file (as ffmpeg writes it), else raw pixels;
//   bytes 1-8: frame width and height, display width and height (one byte each, x 4), screen size.
#include "FuzzForm.h"

#include "app/om_convert.h"
#include "app/om_crop.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/TSurface.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"

namespace {

// A picture of W x H taken from the bytes, row after row, repeated to fill it.
TSurface RawFrame(const std::uint8_t* Data, std::size_t Size, int W, int H)
{
    TSurface frame(W, H);
    std::size_t at = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x, ++at) {
            const TPixel v = Size ? Data[at % Size] : 0;
            frame.SetPixel(x, y, 0xFF000000u | (v << 16) | (v << 8) | (v ^ 0x55));
        }
    return frame;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 9)
        return 0;
    const int frameW = data[1] % 96 + 1, frameH = data[2] % 96 + 1;
    const int displayW = data[3] * 4, displayH = data[4] * 4;
    const int screenW = data[5] * 4, screenH = data[6] * 4;
    const std::uint8_t* body = data + 9;
    const std::size_t bodySize = size - 9;
    TSurface frame;
    try {
        if (data[0] == 0)
            DecodeJpeg(body, bodySize, frame);
        else
            frame = RawFrame(body, bodySize, frameW, frameH);
    } catch (const std::exception&) {
        return 0;
    }
    TMargins m;
    if (!ScanFrameMargins(frame, m))
        return 0;
    if (m.Left < 0 || m.Right < 0 || m.Top < 0 || m.Bottom < 0)
        __builtin_trap();
    WidenToFill(frame.Width(), frame.Height(), displayW, displayH, screenW, screenH, m);

    TForm1& form = fuzzform::FreshForm({});
    TskSkinStringGrid& jobs = *form.Tables().convertgrid;
    ClearTable(jobs);
    const std::pair<int, int> cells[] = {{JobRecord::FrameWidth, frame.Width()}, {JobRecord::FrameHeight, frame.Height()},
                                         {JobRecord::CropLeft, m.Left}, {JobRecord::CropRight, m.Right},
                                         {JobRecord::CropTop, m.Top}, {JobRecord::CropBottom, m.Bottom},
                                         {JobRecord::SourceRow, data[7] % 3}};
    for (const auto& [col, value] : cells)
        jobs.SetCells(col, 0, IntToStr(value));
    try {
        BuildCropOptions(jobs, *form.StringGrid1, 0);
    } catch (const Exception&) {
        return 0;
    }
    const int cw = CellInt(jobs.Cells(JobRecord::CroppedWidth, 0));
    const int ch = CellInt(jobs.Cells(JobRecord::CroppedHeight, 0));
    if (cw > frame.Width() || ch > frame.Height())
        __builtin_trap();
    return 0;
}
