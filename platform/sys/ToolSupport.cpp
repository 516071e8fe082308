#include "platform/sys/ToolSupport.h"

#include <sys/mman.h>
#include <unistd.h>

#include "platform/sys/CommandLine.h"
#include "platform/sys/Folders.h"
#include "platform/sys/Spawn.h"

namespace {

// What a tool prints on its standard output and error for Args; "" when it cannot be run.
std::string ToolOutput(const std::string& Tool, const std::vector<std::string>& Args)
{
    const std::string program = FindConsoleTool(Tool);
    if (program.empty())
        return std::string();
    // A memory file takes the output: no pipe to drain while waiting, no file left behind.
    const int fd = memfd_create("ombrix-probe", MFD_CLOEXEC);
    if (fd < 0)
        return std::string();
    std::string text;
    try {
        TSpawnRequest request;
        request.Program = program;
        request.Args = Args;
        request.StdOut = fd;
        request.StdErr = fd;
        TChildProcess child = SpawnProcess(request);
        child.PeekStatus(true);
        child.Reap();
        char buffer[4096];
        for (off_t at = 0;;) {
            const ssize_t n = pread(fd, buffer, sizeof buffer, at);
            if (n <= 0)
                break;
            text.append(buffer, static_cast<std::size_t>(n));
            at += n;
        }
    } catch (...) {
        text.clear();
    }
    close(fd);
    return text;
}

// An argument rendered back into a command line: bare when the splitter gives it back unchanged.
std::string Render(const std::string& Arg)
{
    if (Arg.empty() || Arg.find_first_of(" \t\r\n\"\\") != std::string::npos)
        return QuoteArg(Arg);
    return Arg;
}

std::string Join(const std::vector<std::string>& Args)
{
    std::string line;
    for (const std::string& a : Args)
        line += (line.empty() ? "" : " ") + Render(a);
    return line;
}

// The value of Key in a colon-separated option list ("br=128:mpeg=4" -> "128").
std::string SubOption(const std::string& List, const std::string& Key)
{
    std::size_t at = 0;
    while (at <= List.size()) {
        std::size_t end = List.find(':', at);
        if (end == std::string::npos)
            end = List.size();
        const std::string item = List.substr(at, end - at);
        if (item.rfind(Key + "=", 0) == 0)
            return item.substr(Key.size() + 1);
        at = end + 1;
    }
    return std::string();
}

// The list without the items whose key is one of Keys.
std::string WithoutSubOptions(const std::string& List, const std::vector<std::string>& Keys)
{
    std::string out;
    std::size_t at = 0;
    while (at <= List.size()) {
        std::size_t end = List.find(':', at);
        if (end == std::string::npos)
            end = List.size();
        const std::string item = List.substr(at, end - at);
        bool drop = item.empty();
        for (const std::string& k : Keys)
            drop = drop || item.rfind(k + "=", 0) == 0;
        if (!drop)
            out += (out.empty() ? "" : ":") + item;
        at = end + 1;
    }
    return out;
}

bool IsDigits(const std::string& Text)
{
    return !Text.empty() && Text.find_first_not_of("0123456789") == std::string::npos;
}

// "2", "2.000", "-0.5": a number of seconds as the tools take it.
bool IsDecimal(const std::string& Text)
{
    const std::string digits = !Text.empty() && Text[0] == '-' ? Text.substr(1) : Text;
    const std::size_t dot = digits.find('.');
    return IsDigits(digits.substr(0, dot)) && (dot == std::string::npos || IsDigits(digits.substr(dot + 1)));
}

} // namespace

const TToolSupport& InstalledToolSupport()
{
    static const TToolSupport support = [] {
        TToolSupport s;
        const std::string codecs = ToolOutput("mencoder", {"mencoder", "-oac", "help"});
        s.MencoderFaac = codecs.find("\n   faac") != std::string::npos || codecs.find(" faac ") != std::string::npos;
        const std::string encoders = ToolOutput("ffmpeg", {"ffmpeg", "-hide_banner", "-encoders"});
        s.FfmpegAmrNb = encoders.find("libopencore_amrnb") != std::string::npos;
        return s;
    }();
    return support;
}

std::vector<std::string> AdaptToInstalledTools(const std::string& CommandLine, const std::string& Scratch,
                                               const TToolSupport& Support, bool SourceHasSound)
{
    std::vector<std::string> args = SplitCommandLine(CommandLine);
    std::string tool = args.empty() ? std::string() : args[0];
    if (const std::size_t slash = tool.rfind('/'); slash != std::string::npos)
        tool = tool.substr(slash + 1);
    if (tool != "mencoder" && tool != "mencoder.exe")
        return {CommandLine};

    std::string oac, lavcopts, faacopts, format, output, soundDelay;
    std::size_t x264At = 0;
    for (std::size_t i = 1; i + 1 < args.size(); ++i) {
        const std::string& a = args[i];
        const std::string& v = args[i + 1];
        if (a == "-oac") oac = v;
        else if (a == "-lavcopts") lavcopts = v;
        else if (a == "-faacopts") faacopts = v;
        else if (a == "-lavfopts") format = SubOption(v, "format");
        else if (a == "-o") output = v;
        else if (a == "-audio-delay") soundDelay = v;
        else if (a == "-x264encopts") x264At = i + 1;
    }
    const std::string acodec = SubOption(lavcopts, "acodec");
    const bool wantsAac = (oac == "faac" && !Support.MencoderFaac) || (oac == "lavc" && acodec == "aac");
    const bool wantsAmr = oac == "lavc" && (acodec == "libamr_nb" || acodec == "amr_nb");
    // mencoder's own WMA encoding keeps only the first packet or two of the sound (its frame size
    // does not fit the encoder's), and the ASF it writes from a WMV source gets its times wrong.
    const bool wantsWma = oac == "lavc" && (acodec == "wmav2" || acodec == "wmav1");
    const bool twoSteps = (wantsAac || wantsAmr || wantsWma) && !output.empty();

    // Today's x264 defaults (B-frames, the 8x8 transform) make High profile of a template written
    // for a player that takes Baseline (no CABAC) or Main: the profile the template means is asked
    // for. B-frames in the scratch lose their order of decoding, so the copy into the final
    // container would write times that go backwards: the scratch gets none.
    if (x264At != 0) {
        std::string& opts = args[x264At];
        const bool noCabac = (":" + opts + ":").find(":nocabac:") != std::string::npos;
        if (SubOption(opts, "profile").empty())
            opts += noCabac ? ":profile=baseline" : ":profile=main";
        if (twoSteps && SubOption(opts, "bframes").empty())
            opts += ":bframes=0";
    }
    if (!twoSteps)
        return {x264At != 0 ? Join(args) : CommandLine};

    // Step 1: everything as asked, but PCM audio into a scratch file.
    std::vector<std::string> first;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (hasValue && (a == "-faacopts" || a == "-of" || a == "-lavfopts" || a == "-o" || a == "-oac")) {
            ++i;
            continue;
        }
        if (hasValue && a == "-lavcopts") {
            first.push_back(a);
            first.push_back(WithoutSubOptions(args[++i], {"acodec", "abitrate", "aglobal"}));
            continue;
        }
        first.push_back(a);
    }
    // The scratch is written by the general muxer as NUT: the encoder's own AVI writer flags every
    // H.263 picture as a key picture, and a copy of that would let a player seek to any of them.
    for (const char* a : {"-oac", "pcm", "-of", "lavf", "-lavfopts", "format=nut", "-o"})
        first.push_back(a);
    first.push_back(Scratch);

    // Step 2: the video copied into the asked-for container, the audio encoded by ffmpeg. A player
    // that takes no file without sound (the PSP) gets a silent track as long as the picture.
    const bool silentTrack = !SourceHasSound && format == "psp";
    std::vector<std::string> second = {"ffmpeg", "-hide_banner", "-nostdin", "-n", "-i", Scratch};
    for (const char* a : {"-f", "lavfi", "-i", "anullsrc=r=48000:cl=stereo", "-shortest"})
        if (silentTrack)
            second.push_back(a);
    // The general muxer does not write the sound's delay the first step was asked for: the sound is
    // read a second time, that much later on the timeline.
    const bool delayed = !silentTrack && IsDecimal(soundDelay);
    for (const std::string& a : {std::string("-itsoffset"), soundDelay, std::string("-i"), Scratch})
        if (delayed)
            second.push_back(a);
    // The picture starts at the start: a WMV read by the encoder's own reader keeps the container's
    // preroll (about three seconds) in the picture's times but not in the sound's.
    for (const char* a : {"-map", "0:v:0", "-map", silentTrack ? "1:a:0" : delayed ? "1:a:0?" : "0:a:0?", "-c:v", "copy", "-bsf:v",
                          "setts=pts=PTS-STARTPTS:dts=DTS-STARTDTS"})
        second.push_back(a);
    std::string br = SubOption(faacopts, "br");
    if (!IsDigits(br))
        br = SubOption(lavcopts, "abitrate");
    if (!IsDigits(br))
        br = "128";
    if (wantsAmr && Support.FfmpegAmrNb) {
        for (const char* a : {"-c:a", "libopencore_amrnb", "-ar", "8000", "-ac", "1", "-b:a", "12.2k"})
            second.push_back(a);
    } else if (wantsAmr) {
        // No AMR-NB encoder: AAC is what a 3GP player also takes, at the same narrow-band rate.
        for (const char* a : {"-c:a", "aac", "-ar", "8000", "-ac", "1", "-b:a", "16k"})
            second.push_back(a);
    } else {
        for (const std::string& a : {std::string("-c:a"), std::string(wantsWma ? acodec : "aac"), std::string("-b:a"), br + "k"})
            second.push_back(a);
    }
    second.push_back("-f");
    second.push_back(!format.empty() ? format : wantsWma ? std::string("asf") : std::string("mp4"));
    second.push_back(output);
    return {Join(first), Join(second)};
}
