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
                           unsigned long WindowId, int Width, int Height)
{
    const auto cell = [&StringGrid1, r](int col) { return StringGrid1.Cells(col, r); };
    // The X video outputs draw into a foreign window (-wid); the list lets the player take the first
    // one the display offers. Without a window to draw into (no display) the picture is dropped: the
    // player must never open a window of its own or draw into the root window.
    std::string options = cell(SourceRecord::SourceArg) + (WindowId != 0 ? " -vo xv,x11," : " -vo null") +
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
    // The video extension scales to the window by itself; the plain X output draws the picture at its
    // own size unless it is told the size and allowed to scale in software.
    if (WindowId != 0 && Width > 0 && Height > 0)
        options += " -zoom -x " + IntToStr(Width) + " -y " + IntToStr(Height);
    const std::string aspect = Trim(cell(SourceRecord::VideoAspect));
    if (!aspect.empty() && aspect[0] != '0' && IsFloat(aspect))
        options += " -aspect " + aspect;
    if (Trim(cell(SourceRecord::Length)).empty())
        options += " -identify";
    return QuoteArg("mplayer") + " " + options;
}

bool PlayPreview(TForm1& Form, int r, const std::string& Aid, const std::string& Sid, unsigned long WindowId, int Width,
                 int Height)
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
    if (!run.RunTool(PreviewCommand(*Form.StringGrid1, r, Aid, Sid, WindowId, Width, Height), TToolKind::Preview, folder))
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
