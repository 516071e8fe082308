#pragma once
// What the installed console tools can do, and how a command they cannot run as written is done
// with the tools that are there. Debian's mencoder has no AAC encoder it can open and neither tool
// has the old AMR-NB encoder name, so a command asking for those is run as two steps: mencoder writes
// the video (as asked) with plain PCM audio into a scratch file, then ffmpeg copies that video into the
// asked-for container under the asked-for name and encodes the audio (AAC, or AMR-NB where ffmpeg has
// it). The first step prints mencoder's usual progress lines.
#include <string>
#include <vector>

struct TToolSupport {
    bool MencoderFaac = false;   // "faac" among mencoder's audio codecs
    bool FfmpegAmrNb = false;    // ffmpeg can write AMR-NB
};

// Probed once (the tools are asked for their codec lists), then remembered.
const TToolSupport& InstalledToolSupport();

// The command lines that together do what CommandLine asks: CommandLine itself when the tools can
// run it, else the two steps described above, the first writing Scratch. Composed as one string each,
// with the same quoting as every other command. Windows Media sound goes the same two-step road, and
// an H.264 encode is held to the profile its options were written for. SourceHasSound false: the
// source has no sound, and a container that cannot be without it gets a silent track.
std::vector<std::string> AdaptToInstalledTools(const std::string& CommandLine, const std::string& Scratch,
                                               const TToolSupport& Support, bool SourceHasSound = true);
