#pragma once
// Identification of a source by the player's "-identify" report: the command lines, the handling of
// one output line (TForm1::ParseScanLine) and the completion of a video file's record.
#include <string>

class TStrings;
class TskSkinStringGrid;

// --- identification ---
// A playback status line ("A:  12.3 V:  12.3 A-V: ..." or "V:   0.0   1/  1 ..."): the only line that
// ends an identification. Echoed names and clip data that merely contain "A:" do not.
bool IsPlaybackStatusLine(const std::string& Line);
// The size "W x H" of a video-output line (the text after ">", up to the first blank). False, and
// nothing set, when it is missing or not two positive numbers.
bool ParseVideoOutputSize(const std::string& Line, int& Width, int& Height);
// The title of a video file: its name without its own extension; ".dvr-ms", ".tivo", ".ts" and ".tp"
// files get the name lower-cased.
std::string VideoFileTitle(const std::string& Path);
// The path without the extension of its file name (a folder's dots are never touched).
std::string PathWithoutExtension(const std::string& Path);
// Appends the side subtitle files of a video file ("SRT File:" / "SUB File:" + path) to Lines.
void AddSideSubtitleFiles(const std::string& Path, TStrings& Lines);
// The value of the last log line holding Key ("" when none does).
std::string LastValue(const TStrings& Log, const std::string& Key);
// A transport stream by its name (".ts", ".m2ts", ".mts", ".m2t", ".tp", ".trp"): its own reader
// takes it for twice its picture rate and gives no length (it counts fields), so the player and the
// encoder read it with the general reader, and the stream ids they use are that reader's.
bool IsTransportStream(const std::string& Path);
// The player's command line for identifying a file, and a DVD location.
std::string IdentifyFileCommand(const std::string& Path);
// The player's second look at a file its own reader could only estimate: the general reader, which
// takes the length from the times in the file, and no picture decoded.
std::string RefineFileCommand(const std::string& Path);
// True when the reader the player chose (its "ID_DEMUXER" value) estimates what the general reader
// reads: an MPEG program stream's length from its bitrate, an ASF's picture rate from its clock.
// A transport stream's own reader gives a length of 0 and the field rate; a length of 0 from any
// reader is a guess too.
bool NeedsSecondLook(const std::string& Demuxer, const std::string& Length = "1");
// The probing tool's look at a file's streams: where the picture and the sound start on the file's
// timeline, and how the picture is stored (frames or fields). Nothing is decoded.
std::string TimelineProbeCommand(const std::string& Path);
// What that look found: the seconds the first sound starts after the first picture (0 when they start
// together or one is missing) and whether the picture is stored as fields.
struct TSourceTimeline {
    bool FieldCoded = false;
    double SoundStart = 0;
};
// Reads the tool's "key=value" lines, in order.
TSourceTimeline ReadTimeline(const TStrings& Lines, int From);
std::string IdentifyDvdCommand(const std::string& Location);
// A file name as a tool argument: one that starts with "-" is made "./-..." so it can never be read
// as an option.
std::string SafePathArg(const std::string& Path);
// Appends an audio stream line of the identify report to Lines, one line per stream id: a line that
// tells more of a stream already listed takes its place, one that tells less is dropped.
void AddAudioStreamLine(TStrings& Lines, const std::string& Line);
// Writes a length text into a record: length, start 0, end, "h:mm:ss" and the rounded seconds.
void WriteLength(TskSkinStringGrid& Grid, int Row, const std::string& Value);
