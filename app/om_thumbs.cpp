#include "app/om_thumbs.h"

#include "app/Unit1.h"
#include "app/om_convert.h"
#include "app/om_crop.h"
#include "app/om_functions.h"
#include "app/om_runcontrol.h"
#include "app/om_tables.h"
#include "app/om_workfiles.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/ScopeGuards.h"
#include "platform/rtl/Strings.h"
#include "platform/sys/CommandLine.h"
#include "skin/grids/TskSkinStringGrid.h"

#include <cstdint>

namespace {

constexpr int BoxW = 320;
constexpr int BoxH = 240;

} // namespace

std::string BuildThumbnailFilter(TskSkinStringGrid& g, int r)
{
    for (int col = SourceRecord::CropLeft; col <= SourceRecord::CropBottom; ++col)
        g.SetCells(col, r, "0");
    const int FW = CellInt(g.Cells(SourceRecord::VideoWidth, r));
    const int FH = CellInt(g.Cells(SourceRecord::VideoHeight, r));
    int DW = CellInt(g.Cells(SourceRecord::DisplayWidth, r));
    int DH = CellInt(g.Cells(SourceRecord::DisplayHeight, r));
    if (FW <= 0 || FH <= 0)
        return std::string();
    if (DW <= 0)
        DW = FW;
    if (DH <= 0)
        DH = FH;
    TMargins m;
    WidenToFill(FW, FH, DW, DH, BoxW, BoxH, m);
    g.SetCells(SourceRecord::CropLeft, r, IntToStr(m.Left));
    g.SetCells(SourceRecord::CropRight, r, IntToStr(m.Right));
    g.SetCells(SourceRecord::CropTop, r, IntToStr(m.Top));
    g.SetCells(SourceRecord::CropBottom, r, IntToStr(m.Bottom));
    int cw = static_cast<int>(Round((FW - (m.Left + m.Right)) / 16.0) * 16);
    int ch = static_cast<int>(Round((FH - (m.Top + m.Bottom)) / 16.0) * 16);
    const int x = static_cast<int>(Round(m.Left / 8.0) * 8);
    const int y = static_cast<int>(Round(m.Top / 8.0) * 8);
    if (x + cw > FW)
        cw = FW - x;
    if (y + ch > FH)
        ch = FH - y;
    if (cw <= 0 || ch <= 0)
        return std::string();
    return "-vf crop=" + IntToStr(cw) + ":" + IntToStr(ch) + ":" + IntToStr(x) + ":" + IntToStr(y) + ",scale=" +
           IntToStr(BoxW) + ":" + IntToStr(BoxH) + ",eq=2:-10 ";
}

std::string ScanThumbnailPath(const TskSkinStringGrid& g, int r, const std::string& WorkFolder)
{
    const std::string name = SafeOutputName(g.Cells(SourceRecord::OutputName, r));
    if (name.empty())
        return std::string();
    // Sources of the same name in different folders (or titles of different discs) each get their own
    // picture: the name carries a mark of where the source is (FNV-1a of its location and argument).
    std::uint32_t mark = 2166136261u;
    for (const char c : g.Cells(SourceRecord::SourcePath, r) + '\n' + g.Cells(SourceRecord::SourceArg, r))
        mark = (mark ^ static_cast<unsigned char>(c)) * 16777619u;
    return JoinPath(WorkFolder, "temp/" + name + Format("-%8.8x", {static_cast<int64_t>(mark)}) + ".jpg");
}

TScanThumbnailRuns ScanThumbnailRuns(TForm1& Form, int r, const std::string& Scratch)
{
    TScanThumbnailRuns runs;
    TskSkinStringGrid& g = *Form.StringGrid1;
    const std::string target = ScanThumbnailPath(g, r, Form.WorkFolder);
    // An encoder must never be ended for a picture.
    if (target.empty() || FileExists(target) || Form.RunState.Converting != 0)
        return runs;
    const std::string filter = BuildThumbnailFilter(g, r);
    if (filter.empty())
        return runs; // no picture size: the row is built without a picture
    const int pos = static_cast<int>(Round(std::max(0.0, ParseFloatDot(g.Cells(SourceRecord::Length, r))) / 10));
    runs.Target = target;
    runs.Scratch = Scratch;
    runs.Grab = QuoteArg("mencoder") + " " + filter + " -frames 5 -ss " + IntToStr(pos) +
                " -oac mp3lame -ovc lavc -lavcopts vcodec=mpeg4 " + g.Cells(SourceRecord::SourceArg, r) + " -o " +
                QuoteArg(Scratch);
    runs.ToPicture =
        QuoteArg("ffmpeg") + " -nostdin -y -i " + QuoteArg(Scratch) + " -f image2 -vframes 1 -an " + QuoteArg(target);
    ForceDirectories(JoinPath(Form.WorkFolder, "temp"));
    DeleteFile(Scratch);
    return runs;
}

void MakeScanThumbnail(TForm1& Form, int r)
{
    // While a folder is scanned, the pictures are made beside the identifications, before the rows.
    if (Form.ScanAhead())
        return;
    const TScanThumbnailRuns runs = ScanThumbnailRuns(Form, r, RunScratchFolder(Form.WorkFolder) + "thumbnail.avi");
    if (runs.Grab.empty())
        return;
    TRunControl& run = Form.RunControl();
    Form.SetStatusText("Accessing " + Form.StringGrid1->Cells(SourceRecord::OutputName, r));
    if (Form.RunState.ToolRunning != 0)
        run.KillTools();
    run.WaitForTool();
    // The scanning flag is this step's own while it runs and is handed back as it was found: cleared
    // when it was clear, still set for a scan chain that called it (the chain clears it at its end).
    Form.RunState.GrabMode = -1;
    const TValueGuard scanningBack(Form.RunState.Scanning, -1);
    if (run.RunTool(runs.Grab, TToolKind::Thumbnail, Form.WorkFolder)) {
        run.WaitForTool();
        if (FileExists(runs.Scratch) && run.RunTool(runs.ToPicture, TToolKind::Thumbnail, Form.WorkFolder))
            run.WaitForTool();
    }
    Form.RunState.GrabMode = 0;
    DeleteFile(runs.Scratch);
}

void MakeOutputThumbnail(TForm1& Form, int j)
{
    TskSkinStringGrid& jobs = *Form.Tables().convertgrid;
    const std::string out = jobs.Cells(JobRecord::OutputFolder, j) + jobs.Cells(JobRecord::OutputName, j) + "." +
                            jobs.Cells(JobRecord::OutputExt, j);
    const std::string pic = ChangeFileExt(out, ".jpg");
    // A picture the user already had there is not overwritten.
    if (!FileExists(out) || FileExists(pic) || DirectoryExists(pic))
        return;
    TRunControl& run = Form.RunControl();
    if (Form.RunState.ToolRunning != 0)
        run.KillTools();
    run.WaitForTool();
    // Five seconds in, past a fade-in; an output whose timestamps ffmpeg cannot seek in (or a very
    // short one) gets its first frame instead.
    for (const char* seek : {" -ss 5", ""}) {
        if (FileExists(pic))
            break;
        if (run.RunTool(QuoteArg("ffmpeg") + " -nostdin -n -i " + QuoteArg(out) + seek +
                            " -s 160x120 -f image2 -vframes 1 -an " + QuoteArg(pic),
                        TToolKind::Thumbnail, Form.WorkFolder))
            run.WaitForTool();
    }
}
