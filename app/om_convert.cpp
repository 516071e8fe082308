#include "app/om_convert.h"

#include <algorithm>

#include "app/om_functions.h"
#include "app/om_tables.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/sys/CommandLine.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

// The stream id at the start of a track description ("128 eng" -> "128"); the whole text when it
// has no blank.
std::string StreamId(const std::string& Description)
{
    const std::string text = Trim(Description);
    const std::size_t blank = text.find(' ');
    return blank == std::string::npos ? text : text.substr(0, blank);
}

// A stream id or angle is a number; anything else would not be one argument the tool accepts.
bool IsNumber(const std::string& Text)
{
    int value = 0;
    return !Text.empty() && Text.find_first_not_of("0123456789") == std::string::npos && TryStrToInt(Text, value);
}

std::string SubtitleFontOptions(const std::string& WorkFolder)
{
    return " -subfont-autoscale 1 -spuaa 4 -font " + QuoteArg(JoinPath(WorkFolder, "mplayer/subfont.ttf"));
}

// The per-source part of the encoder command.
std::string JobOptions(const TskSkinStringGrid& Sources, int s, const std::string& Template,
                       const TJobSettings& Settings)
{
    std::string options;

    const std::string aspect = Trim(Sources.Cells(SourceRecord::VideoAspect, s));
    if (!aspect.empty() && aspect[0] != '0' && Pos("aspect", Template) == 0 && IsFloat(aspect))
        options += " -aspect " + aspect;

    // No usable id, no option: an empty -aid would swallow the next option as its value.
    const std::string audioId = StreamId(Sources.Cells(SourceRecord::AudioChoice, s));
    if (IsNumber(audioId))
        options += " -aid " + audioId;

    if (Sources.Cells(SourceRecord::SubtitlesOn, s) != "YES") {
        // The tool wants the caption channel as a number; a bare -subcc takes the next option.
        options += Settings.ClosedCaptions ? " -subcc 1" : " -noautosub -forcedsubsonly";
    } else {
        const std::string choice = Sources.Cells(SourceRecord::SubtitleChoice, s);
        if (!choice.empty() && Pos("ile", choice) == 0) {
            const std::string subtitleId = StreamId(choice);
            if (IsNumber(subtitleId))
                options += " -sid " + subtitleId + SubtitleFontOptions(Settings.WorkFolder);
        }
        // Only the chosen side file, never the whole list: exactly that one path is passed.
        const std::string prefix = "SRT File:";
        if (const int at = Pos(prefix, choice); at > 0) {
            std::string path = choice.substr(static_cast<std::size_t>(at - 1) + prefix.size());
            while (!path.empty() && (path.back() == '\r' || path.back() == '\n'))
                path.pop_back();
            if (!path.empty())
                options += " -sub " + QuoteArg(path) + SubtitleFontOptions(Settings.WorkFolder);
        }
    }

    if (Sources.Cells(SourceRecord::AngleOn, s) == "YES") {
        const std::string angle = Trim(Sources.Cells(SourceRecord::Angle, s));
        if (IsNumber(angle))
            options += " -angle " + angle;
    }
    return options;
}

} // namespace

double JobFrameRate(const std::string& SourceFps, double MaxFps)
{
    double f = SourceFps.empty() ? 0 : ParseFloatDot(SourceFps);
    // A profile without a maximum does not cap the rate (a cap of 0 would turn every job into 5 fps).
    if (MaxFps > 0)
        f = std::min(f, MaxFps);
    return std::clamp(f, 5.0, 30.0);
}

int BuildJob(TskSkinStringGrid& convertgrid, const TskSkinStringGrid& StringGrid1, const TProfileState& Profile,
             const TJobSettings& Settings, int SourceRow)
{
    const int s = SourceRow;
    if (StringGrid1.Cells(SourceRecord::Selected, s) != "YES" || StringGrid1.Cells(SourceRecord::VideoWidth, s).empty())
        return -1;

    const int r = AppendRow(convertgrid);
    if (const TStringSparseList* source = StringGrid1.StoredRow(s)) {
        source->ForEachLine([&convertgrid, r](int col, const std::string& text, void*) {
            convertgrid.SetCells(col, r, text);
            return 0;
        });
    }

    const auto source = [&StringGrid1, s](int col) { return StringGrid1.Cells(col, s); };
    convertgrid.SetCells(JobRecord::FrameWidth, r, source(SourceRecord::VideoWidth));
    convertgrid.SetCells(JobRecord::FrameHeight, r, source(SourceRecord::VideoHeight));
    convertgrid.SetCells(JobRecord::SizeText, r, source(SourceRecord::VideoAspect));
    convertgrid.SetCells(JobRecord::Aspect, r, source(SourceRecord::VideoAspect));
    convertgrid.SetCells(JobRecord::ProfileOption1, r, Profile.Option1.empty() ? "0" : Profile.Option1);
    convertgrid.SetCells(JobRecord::ProfileOption2, r, Profile.Option2.empty() ? "0" : Profile.Option2);

    std::string options = Profile.Template;
    if (LowerCase(ExtractFileExt(source(SourceRecord::SourcePath))) == ".mkv")
        options += " -mc 0";

    convertgrid.SetCells(JobRecord::JobId, r, Format("%5.5d", {r}));
    convertgrid.SetCells(JobRecord::Encoder, r, Profile.Encoder);
    convertgrid.SetCells(JobRecord::OptionTemplate, r, options);
    convertgrid.SetCells(JobRecord::OutputExt, r, Profile.Extension);
    convertgrid.SetCells(JobRecord::SourceRow, r, IntToStr(s));

    // Each job keeps its own rate: all jobs are built before the first one runs.
    const double fps = JobFrameRate(source(SourceRecord::FrameRate), Profile.MaxFps);
    convertgrid.SetCells(JobRecord::FrameRate, r, Pos("-ofps ", options) > 0 ? std::string() : FloatToStr(fps));

    std::string name = SafeOutputName(source(SourceRecord::OutputName));
    if (name.empty())
        name = SafeOutputName(source(SourceRecord::Title));
    if (name.empty())
        name = Format("%5.5d", {s});

    convertgrid.SetCells(JobRecord::JobOptions, r, JobOptions(StringGrid1, s, options, Settings));
    convertgrid.SetCells(JobRecord::SourceArg, r, source(SourceRecord::SourceArg));
    convertgrid.SetCells(JobRecord::OutputFolder, r, WithTrailingSlash(Profile.Destination));
    convertgrid.SetCells(JobRecord::OutputName, r, name);
    convertgrid.SetCells(JobRecord::DeviceName, r, Profile.DeviceName);
    convertgrid.SetCells(JobRecord::OutputFile, r, name + "." + Profile.Extension);
    convertgrid.SetCells(JobRecord::LengthSeconds, r, source(SourceRecord::RoundedLength));
    convertgrid.SetCells(JobRecord::ScreenSize, r, Profile.ScreenSize);
    return r;
}
