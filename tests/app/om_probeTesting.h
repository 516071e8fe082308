#pragma once
// What the conversion tests ask of a file they made: ffprobe's view of its container, streams,
// length and frames, and whether ffmpeg decodes it without a complaint.
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "app/om_functions.h"
#include "platform/rtl/Strings.h"
#include "om_testing.h"

namespace omtest {

inline std::string Chomp(std::string S)
{
    S.erase(std::remove(S.begin(), S.end(), '"'), S.end());
    while (!S.empty() && (S.back() == '\n' || S.back() == ','))
        S.pop_back();
    return S;
}

// A path in single quotes for the shell (a quote inside is closed, escaped and reopened).
inline std::string ShellQuote(const std::string& Path)
{
    std::string q = "'";
    for (char c : Path)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline std::string ProbeEntries(const std::string& Path, const std::string& Select, const std::string& Entries)
{
    return Chomp(Capture("ffprobe -v error " + Select + " -show_entries " + Entries + " -of csv=p=0 " + ShellQuote(Path)));
}

// What ffprobe says of a file: "format=...|v=codec,W,H|a=codec" ("a=" when it has no sound).
inline std::string Probe(const std::string& Path)
{
    return "format=" + ProbeEntries(Path, "", "format=format_name") + "|v=" +
           ProbeEntries(Path, "-select_streams v:0", "stream=codec_name,width,height") + "|a=" +
           ProbeEntries(Path, "-select_streams a:0", "stream=codec_name");
}

inline double ProbeSeconds(const std::string& Path)
{
    return ParseFloatDot(ProbeEntries(Path, "", "format=duration"));
}

// How long the first sound stream lasts: from its first packet to the end of its last, in seconds
// (0 without sound).
inline double ProbeAudioSeconds(const std::string& Path)
{
    const std::string packets = Capture("ffprobe -v error -select_streams a:0 -show_entries packet=pts_time,duration_time "
                                        "-of csv=p=0 " + ShellQuote(Path));
    double start = -1, end = 0;
    std::size_t at = 0;
    while (at < packets.size()) {
        std::size_t eol = packets.find('\n', at);
        if (eol == std::string::npos)
            eol = packets.size();
        double pts = 0, duration = 0;
        if (std::sscanf(packets.substr(at, eol - at).c_str(), "%lf,%lf", &pts, &duration) >= 1) {
            start = start < 0 ? pts : std::min(start, pts);
            end = std::max(end, pts + duration);
        }
        at = eol + 1;
    }
    return start < 0 ? 0 : end - start;
}

// The pictures a player gets out of the first video stream (decoded, so a repeated empty frame of
// an AVI does not count).
inline int ProbeFrames(const std::string& Path)
{
    int frames = 0;
    TryStrToInt(ProbeEntries(Path, "-count_frames -select_streams v:0", "stream=nb_read_frames"), frames);
    return frames;
}

inline bool HasAudioStream(const std::string& Path)
{
    return !ProbeEntries(Path, "-select_streams a:0", "stream=codec_name").empty();
}

// Everything ffmpeg complains of while decoding the whole file; "" for a clean file.
inline std::string DecodeErrors(const std::string& Path)
{
    return Capture("ffmpeg -nostdin -v error -i " + ShellQuote(Path) + " -f null - 2>&1");
}

} // namespace omtest
