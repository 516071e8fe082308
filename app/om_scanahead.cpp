#include "app/om_scanahead.h"

#include "app/Unit1.h"
#include "app/om_functions.h"
#include "app/om_identify.h"
#include "app/om_runcontrol.h"
#include "app/om_scan.h"
#include "app/om_shape.h"
#include "app/om_tables.h"
#include "app/om_thumbs.h"
#include "app/om_workfiles.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TApplication.h"
#include "process/TOxCreateProcess.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

// The reader the player chose, as the identification reads it from its report.
std::string Demuxer(const std::vector<std::string>& Lines)
{
    TStringList report;
    for (const std::string& line : Lines)
        report.Add(line);
    return LastValue(report, "ID_DEMUXER");
}

} // namespace

TScanAhead::TScanAhead(TForm1& Form, const std::vector<std::string>& Files)
    : FForm(Form), FPool(TToolPool::DefaultSlots(), DirectoryExists(Form.WorkFolder) ? Form.WorkFolder : std::string())
{
    // Only a Stop given during this round ends it; one that ended an earlier conversion does not.
    FForm.RunState.AbortRequested = 0;
    // The files the chain will pass over (too small, known already, unreadable, being written) cost
    // no run.
    std::vector<std::string> candidates;
    std::vector<int> ranks;
    for (std::size_t i = 0; i < Files.size(); ++i) {
        const std::string& file = Files[i];
        if (IsNonEmptyFile(file) && NotYetScanned(file, "vid", *FForm.StringGrid1) && IsFileReadable(file)) {
            candidates.push_back(file);
            ranks.push_back(static_cast<int>(i));
        }
    }
    const std::vector<bool> inUse = FilesInUse(candidates);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (inUse[i])
            FInUse.insert(candidates[i]);
        else
            AddIdentify(candidates[i], ranks[i]);
    }
}

bool TScanAhead::InUse(const std::string& File) const
{
    return FInUse.count(File) > 0;
}

void TScanAhead::AddIdentify(const std::string& File, int Rank)
{
    TPoolRun identify;
    identify.CommandLine = IdentifyFileCommand(File);
    identify.Rank = Rank;
    // The player plays on after its report: its first status line ends it, as in the window's own run.
    identify.EndsWhen = IsPlaybackStatusLine;
    identify.Then = [this, File, Rank](const TPoolRun& Done) {
        if (Done.StartFailed || !NeedsSecondLook(Demuxer(Done.Lines)))
            return;
        TPoolRun refine;
        refine.CommandLine = RefineFileCommand(File);
        refine.Rank = Rank;
        refine.EndsWhen = IsPlaybackStatusLine;
        FPool.Add(std::move(refine));
    };
    FPool.Add(std::move(identify));
    if (MayBeTurnedOrUneven(File)) {
        TPoolRun shape;
        shape.CommandLine = ShapeProbeCommand(File);
        shape.Rank = Rank;
        FPool.Add(std::move(shape));
    }
}

bool TScanAhead::Stopped()
{
    if (!FStopped && (FForm.RunState.AbortRequested != 0 || Application->Terminated())) {
        FStopped = true;
        FPool.EndAll();
    }
    return FStopped;
}

bool TScanAhead::Replay(const std::string& CommandLine)
{
    if (Stopped())
        return true;
    const TPoolRun* run = FPool.Find(CommandLine);
    if (!run)
        return false;
    FRank = run->Rank;
    TRunState& state = FForm.RunState;
    // The flag stands for the tool the chain waits for, as with a run of the window's own.
    state.ToolRunning = -1;
    // The window answers between two files even when their reports are all in already.
    Application->ProcessMessages();
    ServeUntil([this, run] { return run->Ended || Stopped(); }, -1);
    if (run->StartFailed && !Stopped()) {
        state.ToolRunning = 0;
        return false; // the chain's own run says that the tool could not be started
    }
    // After Stop nothing is handed: the chain makes no record more.
    if (!Stopped() && run->Ended && !run->StartFailed) {
        for (const std::string& line : run->Lines) {
            // A line the handler raises on is reported and the next one read, as from the runner.
            try {
                FForm.OxCreateProcess1Read(FForm.OxCreateProcess1, line, true, true);
            } catch (...) {
                Application->HandleException(FForm.OxCreateProcess1);
            }
        }
    }
    state.ToolRunning = 0;
    return true;
}

bool TScanAhead::HoldRow(int Row)
{
    // Pictures are made for the queue's rows; without the queue the row goes on at once, as it would.
    if (!FForm.Queue || !FForm.OnAddItem)
        return false;
    FHeld[Row] = false;
    if (Stopped()) {
        FHeld[Row] = true;
        return true;
    }
    TskSkinStringGrid& g = *FForm.StringGrid1;
    // Each picture has a scratch video of its own beside it: several are made at once.
    const std::string scratch =
        RunScratchFolder(FForm.WorkFolder) + ExtractFileName(ChangeFileExt(ScanThumbnailPath(g, Row, FForm.WorkFolder), ".avi"));
    const TScanThumbnailRuns runs = ScanThumbnailRuns(FForm, Row, scratch);
    if (runs.Grab.empty()) {
        FHeld[Row] = true;
        return true;
    }
    FForm.SetStatusText("Accessing " + g.Cells(SourceRecord::OutputName, Row));
    TPoolRun grab;
    grab.CommandLine = runs.Grab;
    grab.Rank = FRank;
    grab.Then = [this, Row, runs, rank = FRank](const TPoolRun&) {
        if (FPool.Ending() || !FileExists(runs.Scratch)) {
            PictureDone(Row, runs.Scratch);
            return;
        }
        TPoolRun picture;
        picture.CommandLine = runs.ToPicture;
        picture.Rank = rank;
        picture.Then = [this, Row, runs](const TPoolRun& Done) {
            // A picture cut short by Stop would be taken as made by the next round.
            if (Done.Cut)
                DeleteFile(runs.Target);
            PictureDone(Row, runs.Scratch);
        };
        FPool.Add(std::move(picture));
    };
    FPool.Add(std::move(grab));
    return true;
}

void TScanAhead::PictureDone(int Row, const std::string& Scratch)
{
    DeleteFile(Scratch);
    if (const auto it = FHeld.find(Row); it != FHeld.end())
        it->second = true;
}

void TScanAhead::BuildReadyRows()
{
    while (!FHeld.empty() && FHeld.begin()->second) {
        const int row = FHeld.begin()->first;
        FHeld.erase(FHeld.begin());
        if (FForm.OnAddItem)
            FForm.OnAddItem(row);
    }
}

void TScanAhead::Finish()
{
    for (;;) {
        BuildReadyRows();
        if (FHeld.empty() || Stopped())
            break;
        ServeUntil([this] { return FHeld.empty() || FHeld.begin()->second || Stopped(); }, -1);
    }
    // After Stop the rows of complete records are built all the same, some without their picture:
    // a record the queue does not show would still be converted.
    for (auto& held : FHeld)
        held.second = true;
    BuildReadyRows();
}
