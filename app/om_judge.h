#pragma once
// Judging a conversion by the file it made, not by what the encoder or the file's header says: the
// packets the file holds are read, and a part counts only when its picture reaches 95 % of what the
// part was to cover and its sound (when the source had sound and the profile keeps it) 95 % of the
// picture. A file that fails, or whose
// run was stopped or skipped, is moved off the final name so it never passes for a finished one.
#include <functional>
#include <string>
#include <vector>

#include "platform/sys/Spawn.h"

// What the player's identify report says of a file or a source.
struct TMediaReport {
    bool Video = false;                // a video stream was found
    bool Audio = false;                // an audio stream was found
    double Length = 0;                 // seconds; 0 when unknown
    double AudioLength = -1;           // seconds the sound's packets reach; -1 when the report cannot say
    // Where the packets start on the file's own timeline (the probing tool's reports only).
    double VideoStart = 0;
    double AudioStart = 0;
    double PictureStep = 0;            // the seconds of one picture (its packets' shortest); 0 when unknown
    std::vector<double> ChapterStarts; // seconds from the start, in order; empty when none are listed
    // How far the sound read at the start leads the picture read with it (the player's "A-V:" when
    // it plays a few pictures); 0 when it was not played or the sound does not lead.
    double SoundLead = 0;
    bool SoundLeadRead = false;        // a status paired the sound with a picture
};

// Adds what one output line of the identify run says ("ID_VIDEO_FORMAT=...", "ID_LENGTH=...",
// "ID_CHAPTER_n_START=" in milliseconds, or the DVD reader's "CHAPTERS: 00:00:00.000,...,").
void ReadReportLine(TMediaReport& Report, const std::string& Line);

// The player's command that reports on Source without playing it. Source is a ready tool argument
// (a quoted file name, or "-dvd-device ... dvd://N").
std::string ReportCommand(const std::string& Source);

struct TPartRange;
// The player's command that plays the first few pictures of Source (as for ReportCommand) from where
// Range starts, so that its status says how far the sound there leads the picture. A chapter is sought
// by its start in seconds where ChapterStarts has it: sought by its number, the player shows a picture
// of the title's start first and its later statuses no longer pair the first sound with its picture.
std::string SoundLeadCommand(const std::string& Source, const TPartRange& Range,
                             const std::vector<double>& ChapterStarts);

// What one part of a job is to cover: a time range (From..To seconds of the source), or a chapter
// range (1-based, inclusive) of a source whose chapter starts are known or not.
struct TPartRange {
    double From = 0;
    double To = 0;        // 0: up to the source's end
    int FirstChapter = 0; // 0: a time range
    int LastChapter = 0;
};

// Reads what a file holds, packet by packet, with the probing tool: the streams, the seconds from
// the first to the end of the last whole video packet (Length) and the same of the sound
// (AudioLength). Serve is called between looks at the tool's output and returns false to give up.
// False when no whole report came (no tool, given up, or no end within TimeoutMs).
bool ProbeOutput(const std::string& Path, TMediaReport& Into, const std::function<bool()>& Serve,
                 int TimeoutMs = 120000);

// ProbeOutput's tool started while the encoder still works: most of a probing run is the tool's start
// (a few hundred libraries), and started alongside the encoder it has that behind it when the part's
// file is ready. Asked once: the tool ends after its
// report. Ended, if still there, when it goes.
class TStandbyProbe {
public:
    TStandbyProbe() = default;
    TStandbyProbe(const TStandbyProbe&) = delete;
    TStandbyProbe& operator=(const TStandbyProbe&) = delete;
    ~TStandbyProbe();

    // Starts the tool, waiting for the name of its file, in Directory; false when it cannot be started.
    bool Start(const std::string& Directory);
    // What ProbeOutput reports of the file at Path (an absolute path). False when no whole report
    // came: never started, a name the tool's input cannot carry, given up, or no end within TimeoutMs;
    // the caller runs ProbeOutput then.
    bool Report(const std::string& Path, TMediaReport& Into, const std::function<bool()>& Serve,
                int TimeoutMs = 120000);

private:
    void End();

    TChildProcess FTool;
    int FInput = -1;  // the name of the file
    int FOutput = -1; // the packet lines
};

// Adds one line of ProbeOutput's tool ("video,pts,dts,duration,flags") to the spans in Spans.
struct TPacketSpans {
    double VideoFrom = -1, VideoTo = -1;
    double AudioFrom = -1, AudioTo = -1;
    double VideoStep = 0; // the shortest duration of a video packet
};
void ReadPacketLine(TPacketSpans& Spans, const std::string& Line);

// The seconds a part is to cover. A chapter range is measured between its chapter starts (the last
// chapter ends at the source's end); without known starts, the chapters count as equal shares of
// ChapterCount. 0 when it cannot be known.
double PartSpan(const TPartRange& Range, double SourceLength, const std::vector<double>& ChapterStarts,
                int ChapterCount);

// Why an output does not hold what its part was to cover ("" when it does): picture for 95 % of
// Span (a part under 2 s may lack one picture, no more; a Span of 0 or less is never met), and when
// WantAudio, sound for 95 % of the picture, or of the share of it the source's own sound covers
// (SoundShare, 0 to 1: a cut file's sound may end early).
std::string JudgeOutput(const TMediaReport& Output, double Span, bool WantAudio, double SoundShare = 1.0);

// What a source holds over one part: seconds of picture, and where its sound starts and ends against
// that picture (seconds after the picture's start and end; negative: before).
struct TPartHolding {
    double Picture = 0;
    bool Sound = false;
    double SoundStart = 0;
    double SoundEnd = 0;
};
// The holding of the part From..To seconds (To 0: to the end) of a source, from its packets.
TPartHolding HeldOverRange(const TMediaReport& Source, double From, double To);

// Why the output's sound does not sit where the source has it ("" when it does, or when either has no
// sound): its start and its end, each against the output's own picture, within 0.3 s of the source's
// ("the sound is 2.0 s early", "the sound ends 1.4 s early").
std::string JudgeSync(const TMediaReport& Output, const TPartHolding& Held);

// True when a profile's options keep the sound (no "-nosound", no "-an").
bool CarriesAudio(const std::string& Options);
