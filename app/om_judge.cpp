#include "app/om_judge.h"

#include <algorithm>
#include <map>

#include "app/om_functions.h"
#include "app/om_identify.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/sys/CommandLine.h"

namespace {

// "hh:mm:ss.mmm" (or fewer fields) in seconds; false when it is no time.
bool ParseClock(const std::string& Text, double& Seconds)
{
    double total = 0;
    std::size_t at = 0;
    const std::string t = Trim(Text);
    if (t.empty())
        return false;
    while (at <= t.size()) {
        std::size_t end = t.find(':', at);
        if (end == std::string::npos)
            end = t.size();
        const std::string field = t.substr(at, end - at);
        if (!IsFloat(field))
            return false;
        total = total * 60 + ParseFloatDot(field);
        at = end + 1;
    }
    Seconds = total;
    return true;
}

} // namespace

void ReadReportLine(TMediaReport& Report, const std::string& Line)
{
    if (Contains(Line, "CHAPTERS:")) {
        // The DVD reader lists the chapter starts of the title in one line, each followed by a comma.
        std::vector<double> starts;
        std::string rest = TextAfter(Line, "CHAPTERS:");
        while (!Trim(rest).empty()) {
            const std::string item = Contains(rest, ",") ? TextBefore(rest, ",") : rest;
            double seconds = 0;
            if (!ParseClock(item, seconds))
                return;
            starts.push_back(seconds);
            rest = Contains(rest, ",") ? TextAfter(rest, ",") : std::string();
        }
        Report.ChapterStarts = starts;
        return;
    }
    if (!Contains(Line, "ID_"))
        return;
    const std::string pair = "ID_" + TextAfter(Line, "ID_");
    const std::string key = Trim(TextBefore(pair, "="));
    const std::string value = Trim(TextAfter(pair, "="));
    if (key.empty() || value.empty())
        return;
    if (key == "ID_VIDEO_FORMAT")
        Report.Video = true;
    else if (key == "ID_AUDIO_FORMAT")
        Report.Audio = true;
    else if (key == "ID_LENGTH")
        Report.Length = std::max(0.0, ParseFloatDot(value));
    else if (key.rfind("ID_CHAPTER_", 0) == 0 && key.size() > 6 && key.compare(key.size() - 6, 6, "_START") == 0) {
        // Other readers give each chapter its own key, the start in milliseconds.
        int n = -1;
        int ms = 0;
        if (!TryStrToInt(key.substr(11, key.size() - 17), n) || n < 0 || n > 9999 || !TryStrToInt(value, ms) || ms < 0)
            return;
        if (Report.ChapterStarts.size() <= static_cast<std::size_t>(n))
            Report.ChapterStarts.resize(static_cast<std::size_t>(n) + 1, 0);
        Report.ChapterStarts[static_cast<std::size_t>(n)] = ms / 1000.0;
    }
}

std::string ReportCommand(const std::string& Source)
{
    // No frame is decoded and no decoder, remote control, configuration or subtitle is looked for:
    // the streams and the length come from the headers, so the run adds little to a conversion.
    return QuoteArg("mplayer") + " -identify -frames 0 -vo null -ao null -vc null -ac null -nocache -nolirc "
                                 "-noconfig all -noautosub " + Source;
}

double PartSpan(const TPartRange& Range, double SourceLength, const std::vector<double>& ChapterStarts,
                int ChapterCount)
{
    if (Range.FirstChapter <= 0) {
        const double to = Range.To > Range.From ? Range.To : SourceLength;
        return std::max(0.0, to - Range.From);
    }
    const int first = Range.FirstChapter;
    const int last = std::max(Range.LastChapter, first);
    const std::size_t known = ChapterStarts.size();
    if (known >= static_cast<std::size_t>(first) && SourceLength > 0) {
        const double from = ChapterStarts[static_cast<std::size_t>(first - 1)];
        const double to = static_cast<std::size_t>(last) < known ? ChapterStarts[static_cast<std::size_t>(last)] : SourceLength;
        return std::max(0.0, to - from);
    }
    if (ChapterCount > 0 && SourceLength > 0)
        return SourceLength * (std::min(last, ChapterCount) - first + 1) / ChapterCount;
    return 0;
}

std::string JudgeOutput(const TMediaReport& Output, double Span, bool WantAudio)
{
    if (!Output.Video)
        return "no video in the output";
    if (Output.Length <= 0 || (Span > 0 && Output.Length < Span / 2))
        return "the output is too short";
    if (WantAudio && !Output.Audio)
        return "no sound in the output";
    return std::string();
}

bool CarriesAudio(const std::string& Options)
{
    for (const std::string& arg : SplitCommandLine(Options))
        if (arg == "-nosound" || arg == "-an")
            return false;
    return true;
}

std::string SetAsideIncomplete(const std::string& Path)
{
    if (!FileExists(Path))
        return std::string();
    if (FileSize(Path) == 0) {
        DeleteFile(Path);
        return std::string();
    }
    const std::string folder = ExtractFilePath(Path);
    const std::string ext = ExtractFileExt(Path);
    const std::string name = ExtractFileName(Path);
    const std::string base = name.substr(0, name.size() - ext.size()) + " (incomplete)";
    std::string target = folder + base + ext;
    for (int n = 1; FileExists(target) || DirectoryExists(target); ++n)
        target = folder + base + "(" + IntToStr(n) + ")" + ext;
    if (!RenameFile(Path, target))
        return std::string();
    return target;
}
