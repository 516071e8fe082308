#pragma once
// Sources whose sync can be read back from any file made of them, and the reading: the picture
// flashes white and the sound beeps at the same irregular instants (k + 0.12 x (k^2 mod 7) s, one a
// second), and a file made of such a source is decoded to find every flash and every beep again.
// The irregular instants let only one offset pair most flashes with most beeps, however far the two
// were shifted apart.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "om_probeTesting.h"
#include "om_testing.h"

namespace omtest {

// A lavfi expression of the time t (commas escaped as a filter option needs them when Escaped):
// 1 while a marker lasts (a tenth of a second from each instant), else 0.
inline std::string MarkerOn(bool Escaped)
{
    const std::string c = Escaped ? "\\," : ",";
    const std::string at = "0.12*mod(floor(t)*floor(t)" + c + "7)";
    return "between(t-floor(t)" + c + at + c + at + "+0.1)";
}

// The filter that turns a picture white over each marker.
inline std::string MarkerFlash()
{
    return "drawbox=c=white:t=fill:enable='" + MarkerOn(true) + "'";
}

// A moving test picture with the flashes, as a lavfi input ("-f lavfi -i ...") of Size ("640x360") and
// Rate ("25", "60000/1001"); its noise makes every picture cost what a camera's does.
inline std::string MarkerPicture(const std::string& Size, const std::string& Rate)
{
    return "-f lavfi -i \"testsrc2=size=" + Size + ":rate=" + Rate + ",noise=alls=30:allf=t," + MarkerFlash() + "\" ";
}

// The lavfi source of the sound: a 1 kHz beep over each marker, silence between (Channels as
// aevalsrc takes them: "mono", "stereo", "5.1").
inline std::string MarkerBeepSource(int SampleRate, const std::string& Channels)
{
    return "aevalsrc='if(" + MarkerOn(false) + ",0.5*sin(2*PI*1000*t),0)':s=" + std::to_string(SampleRate) +
           ":c=" + Channels;
}

inline std::string MarkerSound(int SampleRate, const std::string& Channels)
{
    return "-f lavfi -i \"" + MarkerBeepSource(SampleRate, Channels) + "\" ";
}

// The marker instants in [From, To) seconds of the source.
inline std::vector<double> MarkerInstants(double From, double To)
{
    std::vector<double> at;
    for (int k = 0; k < To; ++k) {
        const double t = k + 0.12 * ((k * k) % 7);
        if (t >= From && t < To)
            at.push_back(t);
    }
    return at;
}

// What the markers of a file say of its sync.
struct TSyncReading {
    int Flashes = 0;  // flashes found in the picture
    int Beeps = 0;    // beeps found in the sound
    int Paired = 0;   // flashes with a beep at the offset most of them share
    double Offset = 0; // sound minus picture, seconds (the median of the paired ones)
    std::vector<double> FlashTimes; // on the file's own timeline
    std::vector<double> BeepTimes;
};

namespace markers {

// The times at which Values (time, value) rise to Threshold, at least 0.3 s apart.
inline std::vector<double> Onsets(const std::vector<std::pair<double, double>>& Values, double Threshold)
{
    std::vector<double> at;
    bool above = false;
    for (const auto& [t, v] : Values) {
        const bool now = v >= Threshold;
        if (now && !above && (at.empty() || t - at.back() > 0.3))
            at.push_back(t);
        above = now;
    }
    return at;
}

inline double Median(std::vector<double> V)
{
    if (V.empty())
        return 0;
    std::sort(V.begin(), V.end());
    return V[V.size() / 2];
}

} // namespace markers

// Decodes the first picture and sound of Path and pairs their markers. The sound is read as a player
// plays it: a gap in its times is silence, not the next sound moved up.
inline TSyncReading ReadSync(const std::string& Path)
{
    const std::string report = Capture(
        "ffmpeg -nostdin -hide_banner -i " + ShellQuote(Path) +
        " -filter_complex \"[0:v:0]scale=32:18,signalstats,metadata=print:key=lavfi.signalstats.YAVG[v];"
        "[0:a:0]aresample=8000:async=1,aformat=channel_layouts=mono,asetnsamples=n=40:p=0,"
        "astats=metadata=1:reset=1,ametadata=print:key=lavfi.astats.Overall.RMS_level[a]\" "
        "-map \"[v]\" -map \"[a]\" -f null - 2>&1");
    std::vector<std::pair<double, double>> light, loudness;
    double time = 0;
    std::size_t at = 0;
    while (at < report.size()) {
        std::size_t eol = report.find('\n', at);
        if (eol == std::string::npos)
            eol = report.size();
        const std::string line = report.substr(at, eol - at);
        at = eol + 1;
        if (const std::size_t p = line.find("pts_time:"); p != std::string::npos)
            time = std::atof(line.c_str() + p + 9);
        else if (const std::size_t y = line.find("YAVG="); y != std::string::npos)
            light.emplace_back(time, std::atof(line.c_str() + y + 5));
        else if (const std::size_t r = line.find("RMS_level="); r != std::string::npos)
            loudness.emplace_back(time, line.find("inf", r) != std::string::npos ? -200 : std::atof(line.c_str() + r + 10));
    }
    TSyncReading reading;
    if (light.empty() || loudness.empty())
        return reading;
    // A flash is white, the moving picture around it far darker; a beep is far above the silence.
    double brightest = 0, loudest = -200;
    for (const auto& v : light)
        brightest = std::max(brightest, v.second);
    for (const auto& v : loudness)
        loudest = std::max(loudest, v.second);
    reading.FlashTimes = markers::Onsets(light, brightest - 40);
    // A flash starts somewhere between the picture before the first white one and that one: on
    // average half a picture before it.
    std::vector<double> steps;
    for (std::size_t i = 1; i < light.size(); ++i)
        steps.push_back(light[i].first - light[i - 1].first);
    // A flash in the file's first picture started with it: nothing lies before it.
    for (double& t : reading.FlashTimes)
        if (t > light.front().first)
            t -= markers::Median(steps) / 2;
    reading.BeepTimes = markers::Onsets(loudness, loudest - 15);
    reading.Flashes = static_cast<int>(reading.FlashTimes.size());
    reading.Beeps = static_cast<int>(reading.BeepTimes.size());
    // The offset most flashes share with a beep (within 0.1 s), looked for within 4 s either way.
    std::vector<double> best;
    for (const double f0 : reading.FlashTimes)
        for (const double b0 : reading.BeepTimes) {
            const double offset = b0 - f0;
            if (std::abs(offset) > 4)
                continue;
            std::vector<double> paired;
            for (const double f : reading.FlashTimes) {
                double nearest = 1e9;
                for (const double b : reading.BeepTimes)
                    if (std::abs(b - f - offset) < std::abs(nearest - offset))
                        nearest = b - f;
                if (std::abs(nearest - offset) <= 0.1)
                    paired.push_back(nearest);
            }
            if (paired.size() > best.size() ||
                (paired.size() == best.size() && std::abs(markers::Median(paired)) < std::abs(markers::Median(best))))
                best = paired;
        }
    reading.Paired = static_cast<int>(best.size());
    reading.Offset = markers::Median(best);
    return reading;
}

} // namespace omtest
