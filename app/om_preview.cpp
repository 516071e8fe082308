#include "app/om_preview.h"

#include "app/Unit1.h"
#include "app/om_convert.h"
#include "app/om_functions.h"
#include "app/om_runcontrol.h"
#include "app/om_tables.h"
#include "app/om_tracks.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/sys/CommandLine.h"
#include "process/TOxCreateProcess.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

bool PreviewPlaying(TForm1& Form)
{
    return Form.RunControl().RunningKind() == TToolKind::Preview;
}

} // namespace

std::string PreviewCommand(const TskSkinStringGrid& StringGrid1, int r, const std::string& Aid, const std::string& Sid,
                           unsigned long WindowId)
{
    const auto cell = [&StringGrid1, r](int col) { return StringGrid1.Cells(col, r); };
    // The X video outputs draw into a foreign window (-wid); the list lets the player take the first
    // one the display offers. Without a window to draw into (no display) the picture is dropped: the
    // player must never open a window of its own or draw into the root window.
    // The video extension scales to the window by itself; the plain X output does once it may scale in
    // software, to the window's size as it stands and again each time the window is resized. No size
    // is given: a given size would also stand in the player's video-output line in place of the
    // picture's own, and the picture area could no longer take the source's aspect from that line.
    std::string options = cell(SourceRecord::SourceArg) + (WindowId != 0 ? " -vo xv,x11, -zoom" : " -vo null") +
                          " -slave -nokeepaspect " +
                          SoundReadingOption(cell(SourceRecord::SourcePath), cell(SourceRecord::SourceArg)) + " ";

    const std::string chosen = cell(SourceRecord::AudioChoice);
    const std::string aid = TrackStreamId(chosen.empty() ? Aid : chosen);
    if (!aid.empty())
        options += " -aid " + aid + " ";

    if (Trim(Sid).empty()) {
        options += " -noautosub -forcedsubsonly";
    } else {
        if (Pos("ile", Sid) == 0)
            if (const std::string sid = TrackStreamId(Sid); !sid.empty())
                options += " -sid " + sid + " ";
        const std::string prefix = "SRT File:";
        if (const std::size_t at = Sid.find(prefix); at != std::string::npos) {
            const std::string path = Trim(Sid.substr(at + prefix.size()));
            if (!path.empty())
                options += " -sub " + QuoteArg(path);
        }
    }

    if (WindowId != 0)
        options += " -wid " + IntToStr(static_cast<std::int64_t>(WindowId));
    const std::string aspect = Trim(cell(SourceRecord::VideoAspect));
    if (!aspect.empty() && aspect[0] != '0' && IsFloat(aspect))
        options += " -aspect " + aspect;
    if (Trim(cell(SourceRecord::Length)).empty())
        options += " -identify";
    return QuoteArg("mplayer") + " " + options;
}

bool PlayPreview(TForm1& Form, int r, const std::string& Aid, const std::string& Sid, unsigned long WindowId)
{
    TRunControl& run = Form.RunControl();
    // Play is a toggle on the player, never a way to end someone else's run.
    if (PreviewPlaying(Form)) {
        run.KillTools();
        return true;
    }
    if (Form.RunState.Converting != 0 || Form.RunState.Scanning != 0 || run.RunningKind() != TToolKind::None || Form.RunState.ToolRunning != 0)
        return false;

    Form.RunState.GrabMode = -1;
    const std::string folder = DirectoryExists(Form.WorkFolder) ? Form.WorkFolder : std::string();
    if (!run.RunTool(PreviewCommand(*Form.StringGrid1, r, Aid, Sid, WindowId), TToolKind::Preview, folder))
        return false;
    run.WaitForTool();
    Form.RunState.GrabMode = 0;
    return true;
}

bool StopPreview(TForm1& Form)
{
    if (!PreviewPlaying(Form))
        return false;
    Form.RunControl().KillTools();
    return true;
}

bool SlaveCommand(TForm1& Form, const std::string& Command)
{
    if (!PreviewPlaying(Form))
        return false;
    return Form.OxCreateProcess1->WriteLn(Command);
}
