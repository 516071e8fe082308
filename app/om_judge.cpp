#include "app/om_judge.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <map>

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include "app/om_functions.h"
#include "app/om_text.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/sys/CommandLine.h"
#include "platform/sys/Folders.h"

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
    if (Contains(Line, "A-V:")) {
        // The player's status after each picture: its sound's time minus its picture's. The first
        // picture after a seek may be one the decoder could not place (seconds apart from the sound);
        // the first status that pairs them holds, as the later ones already carry the player's own
        // correction of the difference.
        const std::string rest = Trim(TextAfter(Line, "A-V:"));
        const double difference = ParseFloatDot(rest.substr(0, rest.find(' ')));
        if (!Report.SoundLeadRead && std::abs(difference) < 1.5) {
            Report.SoundLead = std::max(0.0, -difference);
            Report.SoundLeadRead = true;
        }
        return;
    }
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

std::string SoundLeadCommand(const std::string& Source, const TPartRange& Range,
                             const std::vector<double>& ChapterStarts)
{
    const std::size_t chapter = static_cast<std::size_t>(std::max(Range.FirstChapter, 1) - 1);
    const std::string start = Range.FirstChapter <= 0 ? " -ss " + FloatToStr(Range.From)
                              : chapter < ChapterStarts.size() ? " -ss " + FloatToStr(ChapterStarts[chapter])
                                                               : " -chapter " + IntToStr(Range.FirstChapter);
    // The sound goes to a file output that takes it as fast as it comes: the status then pairs the
    // first sound with the first picture whatever the machine's load, where a sound output that plays
    // in real time lets the sound run on while the picture is decoded.
    return QuoteArg("mplayer") + " -frames 3 -vo null -ao pcm:fast:file=/dev/null -nocache -nolirc -noconfig all "
                                 "-noautosub" + start + " " + Source;
}

namespace {

void CloseFd(int& Fd)
{
    if (Fd >= 0)
        ::close(Fd);
    Fd = -1;
}

// Every complete line of Pending (ended by a new line or a carriage return) goes to OnLine.
void TakeLines(std::string& Pending, const std::function<void(const std::string&)>& OnLine)
{
    std::size_t from = 0;
    for (std::size_t end; (end = Pending.find_first_of("\r\n", from)) != std::string::npos; from = end + 1)
        OnLine(Pending.substr(from, end - from));
    Pending.erase(0, from);
}

// Reads a tool's output lines into OnLine until its end (true), or until Serve gives up or TimeoutMs
// pass (false). Short looks, so the window is served between them.
bool ReadUntilEnd(int Fd, const std::function<bool()>& Serve, int TimeoutMs,
                  const std::function<void(const std::string&)>& OnLine)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
    std::string pending;
    char buffer[16384];
    while (true) {
        if (Serve && !Serve())
            return false;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        pollfd fd{Fd, POLLIN, 0};
        if (::poll(&fd, 1, 20) <= 0)
            continue;
        const ssize_t n = ::read(Fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        pending.append(buffer, static_cast<std::size_t>(n));
        TakeLines(pending, OnLine);
    }
    pending += '\n';
    TakeLines(pending, OnLine);
    return true;
}

// Starts the console tool Args[0] with its standard output (and error, when WithErrors) on a pipe
// whose reading end goes to Output, and with its input on a pipe whose writing end goes to Input
// when Input is given. False, with nothing left open, when it cannot be started.
bool StartTool(const std::vector<std::string>& Args, const std::string& Directory, bool WithErrors, bool EndWithParent,
               TChildProcess& Child, int* Input, int& Output)
{
    const std::string program = FindConsoleTool(Args.front());
    if (program.empty())
        return false;
    int input[2] = {-1, -1};
    int output[2] = {-1, -1};
    try {
        if (Input)
            MakePipe(input);
        MakePipe(output);
        TSpawnRequest request;
        request.Program = program;
        request.Args = Args;
        request.Directory = Directory;
        request.StdIn = input[0];
        request.StdOut = output[1];
        request.StdErr = WithErrors ? output[1] : -1;
        request.EndWithParent = EndWithParent;
        Child = SpawnProcess(request);
    } catch (const Exception&) {
        for (int fd : {input[0], input[1], output[0], output[1]})
            if (fd >= 0)
                ::close(fd);
        return false;
    }
    // Only the child holds its ends now, so our read sees the end of the output when the tool ends.
    if (Input) {
        ::close(input[0]);
        *Input = input[1];
    }
    ::close(output[1]);
    Output = output[0];
    return true;
}

// What the probing tool is asked: the packets' times and flags, one line each, and nothing decoded.
const char* const kPacketEntries = "packet=codec_type,pts_time,dts_time,duration_time,flags";
// Written to its standard output the tool writes each packet's line on its own, and the reading
// wakes for every one of them; through its own output channel it writes whole blocks, the same bytes.
const char* const kOutputByBlocks[] = {"-o", "pipe:1"};

// Reads the probing tool's packet lines from Fd into Into; false when no whole report came.
bool ReadPackets(int Fd, const std::function<bool()>& Serve, int TimeoutMs, TMediaReport& Into)
{
    Into = TMediaReport();
    TPacketSpans spans;
    if (!ReadUntilEnd(Fd, Serve, TimeoutMs, [&spans](const std::string& Line) { ReadPacketLine(spans, Line); }))
        return false;
    Into.Video = spans.VideoTo >= 0;
    Into.Audio = spans.AudioTo >= 0;
    Into.Length = Into.Video ? spans.VideoTo - spans.VideoFrom : 0;
    Into.AudioLength = Into.Audio ? spans.AudioTo - spans.AudioFrom : 0;
    Into.VideoStart = Into.Video ? spans.VideoFrom : 0;
    Into.AudioStart = Into.Audio ? spans.AudioFrom : 0;
    Into.PictureStep = spans.VideoStep;
    return true;
}

// Ends a tool of ours that may still run, through its pidfd (nothing else can be hit), and reaps it,
// so it is gone for good.
void EndTool(TChildProcess& Child)
{
    if (!Child.Assigned())
        return;
    Child.SignalGroup(SIGKILL);
    Child.Reap();
}

} // namespace

void ReadPacketLine(TPacketSpans& Spans, const std::string& Line)
{
    // "video,1.040000,1.000000,0.040000,K_" (pts, dts, duration, flags); a time the file does not
    // carry reads "N/A". A packet flagged corrupt holds nothing a player can show.
    std::vector<std::string> f;
    std::size_t at = 0;
    while (at <= Line.size()) {
        std::size_t end = Line.find(',', at);
        if (end == std::string::npos)
            end = Line.size();
        f.push_back(Trim(Line.substr(at, end - at)));
        at = end + 1;
    }
    if (f.size() < 4 || (f.size() > 4 && Contains(f[4], "C")))
        return;
    const bool video = f[0] == "video";
    if (!video && f[0] != "audio")
        return;
    const std::string& time = IsFloat(f[1]) ? f[1] : f[2];
    if (!IsFloat(time))
        return;
    const double from = ParseFloatDot(time);
    const double duration = IsFloat(f[3]) ? std::max(0.0, ParseFloatDot(f[3])) : 0.0;
    const double to = from + duration;
    if (video && duration > 0)
        Spans.VideoStep = Spans.VideoStep > 0 ? std::min(Spans.VideoStep, duration) : duration;
    double& first = video ? Spans.VideoFrom : Spans.AudioFrom;
    double& last = video ? Spans.VideoTo : Spans.AudioTo;
    first = first < 0 && last < 0 ? from : std::min(first, from);
    last = std::max(last, to);
}

bool ProbeOutput(const std::string& Path, TMediaReport& Into, const std::function<bool()>& Serve, int TimeoutMs)
{
    Into = TMediaReport();
    TChildProcess tool;
    int output = -1;
    // Only the packets' times are read: the whole file is walked without decoding a picture.
    if (!StartTool({"ffprobe", "-v", "error", "-show_entries", kPacketEntries, "-of", "csv=p=0", kOutputByBlocks[0],
                    kOutputByBlocks[1], "file:" + Path},
                   std::string(), false, true, tool, nullptr, output))
        return false;
    const bool ended = ReadPackets(output, Serve, TimeoutMs, Into);
    CloseFd(output);
    if (ended)
        tool.Reap();
    EndTool(tool);
    return ended;
}

TStandbyProbe::~TStandbyProbe()
{
    End();
}

void TStandbyProbe::End()
{
    CloseFd(FInput);
    CloseFd(FOutput);
    EndTool(FTool);
}

bool TStandbyProbe::Start(const std::string& Directory)
{
    End();
    // The file is named on the tool's input, as the one entry of a list its concat reader reads; the
    // list names the file by its own protocol, so that it is read from the disk and not taken as a
    // name beside the list. The reader hands on every packet with its times and flags as they are
    // (no conversion of the data), so the lines are those of ProbeOutput's run.
    return StartTool({"ffprobe", "-v", "error", "-f", "concat", "-safe", "0", "-auto_convert", "0",
                      "-protocol_whitelist", "file,pipe", "-show_entries", kPacketEntries, "-of", "csv=p=0",
                      kOutputByBlocks[0], kOutputByBlocks[1], "-i", "pipe:0"},
                     Directory, false, true, FTool, &FInput, FOutput);
}

bool TStandbyProbe::Report(const std::string& Path, TMediaReport& Into, const std::function<bool()>& Serve,
                           int TimeoutMs)
{
    Into = TMediaReport();
    // The list is read line by line, and a name that is not whole would be taken beside the list:
    // such a name is left to ProbeOutput's run.
    if (!FTool.Assigned() || FInput < 0 || Path.empty() || Path[0] != '/' || Path.find_first_of("\r\n") != std::string::npos) {
        End();
        return false;
    }
    // Between single quotes everything stands as written; a quote itself is closed, escaped and reopened.
    std::string quoted;
    for (const char c : Path)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    const std::string list = "file 'file:" + quoted + "'\n";
    const bool sent = ::write(FInput, list.data(), list.size()) == static_cast<ssize_t>(list.size());
    // The end of the list starts the reading.
    CloseFd(FInput);
    const bool ended = sent && ReadPackets(FOutput, Serve, TimeoutMs, Into);
    if (ended)
        FTool.Reap();
    End();
    if (!ended)
        Into = TMediaReport();
    return ended;
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

std::string JudgeOutput(const TMediaReport& Output, double Span, bool WantAudio, double SoundShare)
{
    if (!Output.Video)
        return "no video in the output";
    if (Span <= 0)
        return "the source holds nothing of this part";
    // 5 % of a short clip is less than a picture: such a part may lack one picture, no more (and a
    // hundredth of a second of rounding).
    const double step = Output.PictureStep > 0 ? Output.PictureStep : Output.Length / 25;
    const double least = Span < 2 ? Span - step - 0.01 : Span * 0.95;
    if (Output.Length <= 0 || Output.Length < least)
        return "the output is too short";
    if (WantAudio && !Output.Audio)
        return "no sound in the output";
    if (WantAudio && Output.AudioLength >= 0 && Output.AudioLength < Output.Length * std::clamp(SoundShare, 0.0, 1.0) * 0.95)
        return "the sound stops early";
    return std::string();
}

TPartHolding HeldOverRange(const TMediaReport& Source, double From, double To)
{
    TPartHolding held;
    if (!Source.Video)
        return held;
    const double videoEnd = Source.VideoStart + Source.Length;
    const double pictureFrom = Source.VideoStart + std::max(0.0, From);
    const double pictureTo = To > From ? std::min(videoEnd, Source.VideoStart + To) : videoEnd;
    held.Picture = pictureTo - pictureFrom;
    if (!Source.Audio || Source.AudioLength <= 0)
        return held;
    const double soundFrom = std::max(Source.AudioStart, pictureFrom);
    const double soundTo = std::min(Source.AudioStart + Source.AudioLength, pictureTo);
    held.Sound = soundTo > soundFrom;
    held.SoundStart = soundFrom - pictureFrom;
    held.SoundEnd = soundTo - pictureTo;
    return held;
}

std::string JudgeSync(const TMediaReport& Output, const TPartHolding& Held)
{
    if (!Held.Sound || !Output.Video || !Output.Audio || Output.AudioLength <= 0)
        return std::string();
    const double tolerance = 0.3;
    const double start = Output.AudioStart - Output.VideoStart - Held.SoundStart;
    const double end = (Output.AudioStart + Output.AudioLength) - (Output.VideoStart + Output.Length) - Held.SoundEnd;
    const auto seconds = [](double Off) { return Format("%.1f", {std::abs(Off)}); };
    if (start < -tolerance)
        return "the sound is " + seconds(start) + " s early";
    if (start > tolerance)
        return "the sound is " + seconds(start) + " s late";
    if (end < -tolerance)
        return "the sound ends " + seconds(end) + " s early";
    if (end > tolerance)
        return "the sound ends " + seconds(end) + " s late";
    return std::string();
}

bool CarriesAudio(const std::string& Options)
{
    for (const std::string& arg : SplitCommandLine(Options))
        if (arg == "-nosound" || arg == "-an")
            return false;
    return true;
}
