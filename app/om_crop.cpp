#include "app/om_crop.h"

#include <algorithm>

#include "app/om_convert.h"
#include "app/om_functions.h"
#include "app/om_shape.h"
#include "app/om_tables.h"
#include "platform/gfx/TSurface.h"
#include "platform/rtl/Strings.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

// A line of Count pixels is a bar when nearly all of them have the colour of its pixel 1.
template <class PixelAt>
bool IsBar(int Count, PixelAt At)
{
    const TPixel reference = At(1) & 0x00FFFFFF;
    int same = 0;
    for (int i = 0; i < Count; ++i)
        same += (At(i) & 0x00FFFFFF) == reference ? 1 : 0;
    return same > Round(Count / 100.0 * 97);
}

int Quantise(int Margin)
{
    return static_cast<int>(Round(std::max(Margin, 4) / 4.0) * 4);
}

} // namespace

bool ScanFrameMargins(const TSurface& Frame, TMargins& Margins)
{
    const int W = Frame.Width(), H = Frame.Height();
    if (W < 2 || H < 2)
        return false;
    const auto column = [&Frame, H](int x) { return IsBar(H, [&Frame, x](int y) { return Frame.Pixel(x, y); }); };
    const auto row = [&Frame, W](int y) { return IsBar(W, [&Frame, y](int x) { return Frame.Pixel(x, y); }); };

    int left = 0;
    for (int x = 0; x <= W / 3 && column(x); ++x)
        left = x;
    // Index W lies outside the picture and counts as a bar without being read.
    int lastRight = W;
    for (int x = W - 1; x >= (W / 3) * 2 && column(x); --x)
        lastRight = x;
    int top = 0;
    for (int y = 0; y <= H / 3 && row(y); ++y)
        top = y;
    int lastBottom = H;
    for (int y = H - 1; y >= (H / 3) * 2 && row(y); --y)
        lastBottom = y;

    Margins.Left = Quantise(left);
    Margins.Right = Quantise(W - lastRight);
    Margins.Top = Quantise(top);
    Margins.Bottom = Quantise(H - lastBottom);
    return true;
}

int VoteMargin(const std::vector<int>& Samples)
{
    int best = 0, bestCount = 0;
    for (const int v : Samples) {
        const int count = static_cast<int>(std::count(Samples.begin(), Samples.end(), v));
        if (count > bestCount) {
            best = v;
            bestCount = count;
        }
    }
    return best;
}

std::vector<int> CropPositions(const std::string& LengthText, const std::string& SourceArg)
{
    const double length = ParseFloatDot(LengthText);
    int step = static_cast<int>(std::min<std::int64_t>(length > 0 ? Round(length / 8.5) : 0, 300));
    const bool dvrms = Pos("dvr-ms", SourceArg) > 0;
    if (dvrms && step >= 16)
        step = 15;
    std::vector<int> positions;
    for (int n = 1; n <= 5; ++n)
        positions.push_back(dvrms ? std::min(n * step, 200) : n * step);
    return positions;
}

void WidenToFill(int FrameW, int FrameH, int DisplayW, int DisplayH, int BoxW, int BoxH, TMargins& m)
{
    if (FrameW <= 0 || FrameH <= 0 || DisplayW <= 0 || DisplayH <= 0 || BoxW <= 0 || BoxH <= 0)
        return;
    const double ax = static_cast<double>(DisplayW) / FrameW;
    const double ay = static_cast<double>(DisplayH) / FrameH;
    const double cw = static_cast<double>(Round((FrameW - (m.Left + m.Right)) * ax));
    const double ch = static_cast<double>(Round((FrameH - (m.Top + m.Bottom)) * ay));
    if (cw <= 0 || ch <= 0)
        return;
    const TFit fit = FitIntoBox(cw, ch, BoxW, BoxH);
    if (fit.Width < BoxW) {
        const int extra = static_cast<int>(Round((ch - Round(Int(cw / BoxW * BoxH))) / (2 * ay)));
        m.Top += extra;
        m.Bottom += extra;
    }
    if (fit.Height < BoxH) {
        const int extra = static_cast<int>(Round((cw - Round(Int(ch / BoxH * BoxW))) / (2 * ax)));
        m.Left += extra;
        m.Right += extra;
    }
    m.Left = std::max(0, m.Left);
    m.Right = std::max(0, m.Right);
    m.Top = std::max(0, m.Top);
    m.Bottom = std::max(0, m.Bottom);
}

void WidenShownToFill(int FrameW, int FrameH, int DisplayW, int DisplayH, int BoxW, int BoxH, bool OnItsSide,
                      TMargins& m)
{
    if (!OnItsSide) {
        WidenToFill(FrameW, FrameH, DisplayW, DisplayH, BoxW, BoxH, m);
        return;
    }
    // A quarter turn makes the stored left and right the upright top and bottom. Which of the two is
    // which does not matter: both sides of an axis grow alike, and the margins go back the same way.
    TMargins upright{m.Top, m.Bottom, m.Left, m.Right};
    WidenToFill(FrameH, FrameW, DisplayH, DisplayW, BoxW, BoxH, upright);
    m = {upright.Top, upright.Bottom, upright.Left, upright.Right};
}

void BuildCropOptions(TskSkinStringGrid& convertgrid, TskSkinStringGrid& StringGrid1, int j)
{
    for (int col = JobRecord::CropLeft; col <= JobRecord::CropBottom; ++col)
        if (convertgrid.Cells(col, j).empty())
            convertgrid.SetCells(col, j, "0");
    const int FW = CellInt(convertgrid.Cells(JobRecord::FrameWidth, j));
    const int FH = CellInt(convertgrid.Cells(JobRecord::FrameHeight, j));
    const int L = CellInt(convertgrid.Cells(JobRecord::CropLeft, j));
    const int R = CellInt(convertgrid.Cells(JobRecord::CropRight, j));
    const int T = CellInt(convertgrid.Cells(JobRecord::CropTop, j));
    const int B = CellInt(convertgrid.Cells(JobRecord::CropBottom, j));
    int cw = static_cast<int>(Round((FW - (L + R)) / 16.0) * 16);
    int ch = static_cast<int>(Round((FH - (T + B)) / 16.0) * 16);
    const int x = static_cast<int>(Round(L / 8.0) * 8);
    const int y = static_cast<int>(Round(T / 8.0) * 8);
    if (x + cw > FW)
        cw = FW - x;
    if (y + ch > FH)
        ch = FH - y;
    // A crop of nothing (or of no known frame) is no crop.
    const bool crop = FW > 0 && FH > 0 && cw > 0 && ch > 0 && !(cw < 1 && ch < 1 && x < 1 && y < 1);
    convertgrid.SetCells(JobRecord::CropFilter, j,
                         crop ? "crop=" + IntToStr(cw) + ":" + IntToStr(ch) + ":" + IntToStr(x) + ":" + IntToStr(y) : "");
    convertgrid.SetCells(JobRecord::ClipOptions, j,
                         crop ? "-v_clip " + IntToStr(L) + " " + IntToStr(T) + " " + IntToStr(R) + " " + IntToStr(B) : "");
    convertgrid.SetCells(JobRecord::FfmpegCrop, j,
                         crop ? "-croptop " + IntToStr(T) + " -cropbottom " + IntToStr(B) + " -cropleft " + IntToStr(L) +
                                    " -cropright " + IntToStr(R)
                              : "");
    const int s = CellInt(convertgrid.Cells(JobRecord::SourceRow, j), -1);
    if (s >= 0)
        for (int col = SourceRecord::CropLeft; col <= SourceRecord::CropBottom; ++col)
            StringGrid1.SetCells(col, s, "0");
    convertgrid.SetCells(JobRecord::CroppedWidth, j, crop ? IntToStr(cw) : "");
    convertgrid.SetCells(JobRecord::CroppedHeight, j, crop ? IntToStr(ch) : "");
}

// --- detection with the tools -------------------------------------------------------------------------

#include <fstream>
#include <iterator>

#include "app/Unit1.h"
#include "app/om_runcontrol.h"
#include "app/om_workfiles.h"
#include "platform/gfx/Jpeg.h"
#include "platform/rtl/Files.h"
#include "platform/sys/CommandLine.h"

TSurface GrabCropFrame(TForm1& Form, int Seconds, int j)
{
    TskSkinStringGrid& jobs = *Form.Tables().convertgrid;
    const auto job = [&jobs, j](int col) { return jobs.Cells(col, j); };
    if (Pos("dvr-ms", job(JobRecord::SourceArg)) > 0)
        Seconds = std::min(Seconds, 200);
    for (int col = JobRecord::CropLeft; col <= JobRecord::CropBottom; ++col)
        jobs.SetCells(col, j, "0");
    TRunControl& run = Form.RunControl();
    if (Form.RunState.ToolRunning != 0)
        run.KillTools();
    run.WaitForTool();

    TSurface frame;
    int W = CellInt(job(JobRecord::DisplayWidth)), H = CellInt(job(JobRecord::DisplayHeight));
    if (W <= 0 || H <= 0) {
        W = CellInt(job(JobRecord::FrameWidth));
        H = CellInt(job(JobRecord::FrameHeight));
    }
    if (W <= 0 || H <= 0)
        return frame; // a scale to ":" would only make the tool fail
    const std::string scratch = RunScratchFolder(Form.WorkFolder);
    const std::string avi = scratch + "crop.avi";
    const std::string jpg = scratch + "crop.jpg";
    DeleteFile(avi);
    DeleteFile(jpg);
    std::string grab = QuoteArg("mencoder") + " -vf scale=" + IntToStr(W) + ":" + IntToStr(H) + "  -frames 5 -ss " +
                       IntToStr(Seconds) + " -oac mp3lame -ovc lavc -lavcopts vcodec=mpeg4 " + job(JobRecord::SourceArg) +
                       " -o " + QuoteArg(avi);
    const std::string aspect = Trim(job(JobRecord::Aspect));
    if (!aspect.empty() && aspect[0] != '0' && IsFloat(aspect))
        grab += " -aspect " + aspect;
    Form.RunState.GrabMode = -1;
    Form.RunState.Scanning = -1;
    if (run.RunTool(grab, TToolKind::Crop, Form.WorkFolder)) {
        run.WaitForTool();
        if (FileExists(avi) && run.RunTool(QuoteArg("ffmpeg") + " -nostdin -y -i " + QuoteArg(avi) +
                                               " -f image2 -vframes 1 -an " + QuoteArg(jpg),
                                           TToolKind::Crop, Form.WorkFolder))
            run.WaitForTool();
    }
    Form.RunState.GrabMode = 0;
    Form.RunState.Scanning = 0;
    if (FileExists(jpg)) {
        std::ifstream in(jpg, std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        try {
            DecodeJpeg(bytes.data(), bytes.size(), frame);
        } catch (const std::exception&) {
            frame = TSurface(); // a broken picture is no picture
        }
    }
    DeleteFile(avi);
    DeleteFile(jpg);
    return frame;
}

void DetectCrop(TForm1& Form, int j, TCropMode Mode)
{
    TskSkinStringGrid& jobs = *Form.Tables().convertgrid;
    TskSkinStringGrid& samples = *Form.Tables().cropgrid;
    jobs.SetCells(JobRecord::StatusText, j, "Cropdetection");
    ClearTable(samples);
    std::vector<int> left, right, top, bottom;
    const std::vector<int> positions = CropPositions(jobs.Cells(JobRecord::LengthSeconds, j), jobs.Cells(JobRecord::SourceArg, j));
    for (int n = 1; n <= 5 && Form.RunState.AbortRequested == 0; ++n) {
        Form.SetStatusText("Crop detection : scanning position " + IntToStr(n) + " of 5");
        TMargins m;
        if (!ScanFrameMargins(GrabCropFrame(Form, positions[static_cast<std::size_t>(n - 1)], j), m))
            continue;
        left.push_back(m.Left);
        right.push_back(m.Right);
        top.push_back(m.Top);
        bottom.push_back(m.Bottom);
        const int values[] = {m.Left, m.Right, m.Top, m.Bottom};
        for (int side = 0; side < 4; ++side) {
            samples.SetCells(side * 2, n - 1, IntToStr(values[side]));
            samples.SetCells(side * 2 + 1, n - 1, "0");
        }
    }
    TMargins m;
    if (Mode != TCropMode::None && !left.empty()) {
        m = {std::max(0, VoteMargin(left)), std::max(0, VoteMargin(right)), std::max(0, VoteMargin(top)),
             std::max(0, VoteMargin(bottom))};
    }
    if (Mode == TCropMode::FillDevice) {
        int SW = 0, SH = 0;
        const std::string screen = jobs.Cells(JobRecord::ScreenSize, j);
        if (const std::size_t x = LowerCase(screen).find('x'); x != std::string::npos) {
            SW = CellInt(screen.substr(0, x));
            SH = CellInt(screen.substr(x + 1));
        }
        TPictureShape shape;
        shape.Rotation = CellInt(jobs.Cells(JobRecord::PictureTurn, j));
        WidenShownToFill(CellInt(jobs.Cells(JobRecord::FrameWidth, j)), CellInt(jobs.Cells(JobRecord::FrameHeight, j)),
                         CellInt(jobs.Cells(JobRecord::DisplayWidth, j)),
                         CellInt(jobs.Cells(JobRecord::DisplayHeight, j)), SW, SH, LiesOnItsSide(shape), m);
    }
    jobs.SetCells(JobRecord::CropLeft, j, IntToStr(m.Left));
    jobs.SetCells(JobRecord::CropRight, j, IntToStr(m.Right));
    jobs.SetCells(JobRecord::CropTop, j, IntToStr(m.Top));
    jobs.SetCells(JobRecord::CropBottom, j, IntToStr(m.Bottom));
    BuildCropOptions(jobs, *Form.StringGrid1, j);
    Form.SetStatusText("");
}
