#include "app/om_progress.h"

#include <algorithm>

#include "app/Unit1.h"
#include "app/om_functions.h"
#include "app/om_identify.h"
#include "app/om_text.h"
#include "platform/rtl/Strings.h"
#include "platform/vcl/TApplication.h"

namespace {

std::string CleanPosition(const std::string& Text)
{
    std::string t = StringReplace(Text, ",", ".");
    t = RemoveFirst(t, "Wos:");
    return Trim(t);
}

} // namespace

bool IsProgressLine(const std::string& Line)
{
    return (Contains(Line, "os:") && Contains(Line, "Trem:")) || (Contains(Line, "time=") && Contains(Line, "size=")) ||
           (Contains(Line, "ncoded:") && Contains(Line, "Elapsed"));
}

std::string ProgressPositionText(const std::string& Line)
{
    if (Contains(Line, "os:") && Contains(Line, "Trem:"))
        return CleanPosition(TextBefore(Trim(RemoveFirst(Line, "Pos:")), "s "));
    if (Contains(Line, "time=") && Contains(Line, "size=")) {
        const std::string cut = Trim(Contains(Line, "bitrate") ? TextBefore(Line, "bitrate") : Line);
        return CleanPosition(Trim(RemoveFirst(TextFrom(cut, "time="), "time=")));
    }
    if (Contains(Line, "ncoded:") && Contains(Line, "Elapsed"))
        return CleanPosition(TextBefore(Trim(RemoveFirst(Line, "Encoded:")), "s "));
    return std::string();
}

bool ProgressSeconds(const std::string& Text, double& Seconds)
{
    if (Text.empty())
        return false;
    if (!Contains(Text, ":")) {
        // Longer texts were never positions of the tools; the original ignored them too.
        if (Text.size() > 7 || !IsFloat(Text))
            return false;
        Seconds = ParseFloatDot(Text);
        return true;
    }
    // "h:mm:ss.cc": every ffmpeg of this platform writes its time so.
    const std::string h = TextBefore(Text, ":");
    const std::string rest = TextAfter(Text, ":");
    const std::string m = TextBefore(rest, ":");
    const std::string s = TextAfter(rest, ":");
    int hours = 0;
    int minutes = 0;
    if (!TryStrToInt(h, hours) || !TryStrToInt(m, minutes) || !IsFloat(s) || hours < 0 || minutes < 0 || minutes > 59)
        return false;
    const double sec = ParseFloatDot(s);
    if (sec < 0 || sec >= 60)
        return false;
    Seconds = hours * 3600.0 + minutes * 60.0 + sec;
    return true;
}

double JobPosition(const TRunState& State, double StepSeconds)
{
    const double total = std::max(State.CurrentTotal, 0);
    return total * State.StepStart + State.StepShare * std::clamp(StepSeconds, 0.0, total);
}

double StepCost(const std::string& CommandLine)
{
    return Contains(CommandLine, "-c:v copy") ? 0.85 : 1.0;
}

// ---------------------------------------------------------------------------------------------
// TForm1: routing and display

void TForm1::OxCreateProcess1Read(TObject*, const std::string& Line, bool, bool EndsLine)
{
    RunState.ToolRunning = -1;
    if (RunState.Converting == 0) {
        // The runner reports a growing line at every chunk end and again when it is complete. Only
        // the complete line is parsed, so no value is taken cut short and no stream listed twice.
        // The player's status line, though, never ends while it plays: it ends the run as soon as
        // it shows up, complete or not.
        if (EndsLine) {
            if (!Trim(Line).empty())
                ParseScanLine(" " + Line);
        } else if (RunState.GrabMode == 0 && IsPlaybackStatusLine(Line)) {
            EndIdentifyRun();
        }
        return;
    }
    if (RunState.PendingProgressLine.empty() && IsProgressLine(Line))
        RunState.PendingProgressLine = Line;
}

void TForm1::OxCreateProcess1Terminate(TObject*, DWORD)
{
    RunState.ToolRunning = 0;
}

void TForm1::GetLine(const std::string& Line)
{
    if (!IsProgressLine(Line))
        return;
    double seconds = 0;
    if (ProgressSeconds(ProgressPositionText(Line), seconds))
        setProgress(RunState.CurrentJob, static_cast<int>(Round(JobPosition(RunState, seconds))));
}

void TForm1::BeginProgressPart()
{
    RunState.PendingProgressLine.clear();
    RunState.LastPos = 0;
    RunState.SpeedSum = 0;
    RunState.SpeedTicks = 0;
    RunState.StepStart = 0;
    RunState.StepShare = 1;
}

void TForm1::converttimerTimer(TObject*)
{
    SetCaption(RunState.MainTitle);
    if (RunState.PendingProgressLine.empty())
        return;
    GetLine(RunState.PendingProgressLine);
    RunState.PendingProgressLine.clear();

    const int delta = RunState.CurrentPos - RunState.LastPos;
    RunState.SpeedSum += delta;
    RunState.SpeedTicks += 1;
    status->SetMaxValue(RunState.CurrentTotal);
    status->SetValue(RunState.CurrentPos);
    RunState.LastPos = RunState.CurrentPos;

    const double speed = RunState.SpeedTicks >= 1 && RunState.SpeedSum >= 1 ? RunState.SpeedSum / RunState.SpeedTicks : 0.0;
    // A job of no length has no share done: it shows 0 % rather than a division by zero.
    const double percent = RunState.CurrentTotal > 0 ? 100.0 / RunState.CurrentTotal * RunState.CurrentPos : 0.0;
    if (speed != 0) {
        const double jobLeft = static_cast<double>(Round((RunState.CurrentTotal - RunState.CurrentPos) / speed));
        const double queueLeft = static_cast<double>(Round((RunState.QueueTotal - RunState.CurrentPos) / speed));
        SetStatusText(FormatHms(RunState.CurrentPos) + " of " + FormatHms(RunState.CurrentTotal) + ", " + Format("%3.2f", {speed}) + "x, " +
                      Format("%3.2f", {percent}) + "%, " + FormatHms(jobLeft) + " left, total: " + FormatHms(queueLeft) +
                      " left");
    }
    Application->SetTitle(RunState.JobCounterText + Format("%3.2f", {percent}) + "% (" + Format("%3.2f", {speed}) + "x)");
}
