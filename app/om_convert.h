#pragma once
// The job table: one row per output file to make (the chosen device profile applied to one selected
// source), and the building of a job from a source record.
#include <functional>
#include <string>
#include <vector>

#include "app/om_codecs.h"
#include "app/om_judge.h"

class TStrings;
class TskSkinStringGrid;

// Columns of a job record (a row of convertgrid). A job starts as a copy of its source record, so the
// source's columns not listed here keep their meaning.
namespace JobRecord {
enum Column : int {
    JobId = 0,          // "%5.5d"
    Encoder = 1,        // "mencoder", "wmencoder", "ffmpeg"
    OptionTemplate = 2, // filled template (+ " -mc 0" for ".mkv" sources)
    OutputExt = 3,
    JobOptions = 4,     // per-job options
    VideoCodec = 5,     // copied; a job with this empty is passed over
    SourceArg = 6,      // tool input argument
    OutputFolder = 7,   // with a trailing "/"
    OutputName = 8,     // output base name, made unique by the driver
    DeviceName = 9,
    SizeText = 10,      // output picture size "W x H" (driver)
    OutputFile = 11,    // base name + "." + extension
    StartTime = 12,
    StatusText = 13,
    EndTime = 14,       // "part k of n" while converting, then the end time
    LengthSeconds = 15,
    ScreenSize = 16,
    GroupKey = 21,      // the source location
    FrameWidth = 27,
    FrameHeight = 28,
    ProfileOption1 = 32,
    ProfileOption2 = 33,
    FrameRate = 36,     // this job's output frame rate ("" when the template sets its own)
    PictureTurn = 37,   // copied
    UnevenRate = 38,    // copied
    CropLeft = 42,
    CropRight = 43,
    CropTop = 44,
    CropBottom = 45,
    CropFilter = 46,
    CroppedWidth = 47,
    CroppedHeight = 48,
    DisplayWidth = 53,
    DisplayHeight = 54,
    SourceRow = 58,
    ClipOptions = 67,
    FfmpegCrop = 68,
    Aspect = 69,
};
}

// What BuildJob reads besides the tables and the profile.
struct TJobSettings {
    bool ClosedCaptions = false; // the menu item "Use Closed Captions when available"
    std::string WorkFolder;      // holds "mplayer/subfont.ttf"
};

// Appends a job for source row SourceRow of StringGrid1 to convertgrid when the source is selected
// ("YES") and has a frame width; returns the job's row, or -1 when no job was made.
//
// Every file name in the options goes through the command-line quoting, so names with blanks or
// quotes stay one argument. The output base name is made safe as a file name (no "/" or NUL, no
// leading "-" or "."); when nothing is left, the title is used, then the record id.
int BuildJob(TskSkinStringGrid& convertgrid, const TskSkinStringGrid& StringGrid1, const TProfileState& Profile,
             const TJobSettings& Settings, int SourceRow);

// " -ni" where the player and the encoder must read on for the sound of a program stream (a DVD
// title, a VOB or MPEG file), else nothing.
std::string SoundReadingOption(const std::string& SourcePath, const std::string& SourceArg);

// The reading options a file source adds to the encoder's template (none for a DVD title): the
// reader that takes every picture of the file, and no sync correction that drops pictures.
std::string SourceReadingOptions(const std::string& SourcePath, const std::string& SourceArg);

// The output frame rate of a source rate text under a device maximum: never above the maximum (when
// the profile has one) and never outside 5..30. An unknown rate ("") counts as above every maximum.
double JobFrameRate(const std::string& SourceFps, double MaxFps);

// --- the conversion plan of one job -------------------------------------------------------------

// Reads a whole number from a table cell; "" or anything else that is no number gives Default.
int CellInt(const std::string& Text, int Default = 0);

// A picture of W x H fitted into a box of BoxW x BoxH (the width filled first, the height when the
// picture would be too tall), each side rounded up to a multiple of 16. 0 x 0 when a size is missing.
struct TFit {
    int Width = 0;
    int Height = 0;
};
TFit FitIntoBox(double W, double H, int BoxW, int BoxH);
// Up to the next multiple of 16 (a multiple stays).
int RoundUp16(double X);

// The chapter parts " -chapter a-b " of a range split every Every chapters (Every below 1 counts as
// 1, so the split always ends). No part when First > Last or Last < 1.
std::vector<std::string> ChapterParts(int First, int Last, int Every);
// The same parts as chapter ranges.
std::vector<TPartRange> ChapterRanges(int First, int Last, int Every);

// Everything the driver needs to run one job: sizes, option pieces, parts, and for each part the
// output file and the command line.
struct TJobPlan {
    bool Runnable = false;      // false: no picture size, no encoder or no part; the job ends "No"
    std::string Reason;         // why it is not runnable
    int Width = 0;              // output picture
    int Height = 0;
    std::string SizeText;       // "w x h" for column 10
    std::string Template;       // the option template ("noscale" taken out)
    std::string FilterChain;    // mencoder: "harddup," "scale=w:h,"
    std::string CropPiece;      // mencoder: column 46 + ","
    std::string FrameRatePiece; // mencoder: " -ofps r"
    std::string ScriptOptions;  // Windows Media script
    std::string FfmpegOptions;
    std::string ClipPiece;      // Windows Media script: column 67
    std::string FfmpegCrop;     // ffmpeg: column 68
    std::vector<std::string> Parts;
    std::vector<TPartRange> Ranges; // one per part: what of the source it is to cover
    bool PictureForPicture = false; // the encoder takes the source's pictures one for one (rate kept)
    std::string OutputName;     // the base name actually used (unique for every part's file)
    // One per part: the files the job is judged on. An "mp4x" job's encoder writes "temp.mp4x" (made
    // unique like the output name); its result is the ".mp4" file another step would make of it.
    std::vector<std::string> Outputs;
    // One per part: the file the part's last step writes, a working name beside its output (the
    // output itself for an "mp4x" job). Only a file the judge passed is renamed to its output.
    std::vector<std::string> Written;
    std::vector<std::string> Commands; // one per part
    // A file whose pictures come unevenly is first written at a constant rate (this step, run before
    // each part's command), and the encoder reads that copy instead of the file.
    std::string ReadStep;
};

// What the plan reads besides the job and source rows.
struct TPlanSettings {
    int Budget = 0;          // the device's pixel-rate budget (0 = none)
    bool NicerSubtitles = false; // the check box `dvdnav`: "dvd:" in place of "dvdnav:"
    std::string WorkFolder;
    std::string SteadyCopy;      // where an uneven file's constant-rate copy goes
};

// Plans job row j of convertgrid against its source row in StringGrid1. The output base name is
// chosen so that none of the files the job will write exists yet (each part's numbered file for a
// split job), so nothing of the user's is ever overwritten; column 8 keeps it. The commands write
// working names (Written), never an output's final name.
TJobPlan PlanJob(TskSkinStringGrid& convertgrid, const TskSkinStringGrid& StringGrid1, int j,
                 const TPlanSettings& Settings);

// The output file of part k of n: folder + name + ext for one part; numbered for more parts ("%2.2d"
// for mencoder and the script, the plain number for ffmpeg).
std::string PartOutputPath(const std::string& Encoder, const std::string& Folder, const std::string& Name,
                           const std::string& Ext, int k, int n);

// The command line of one part for the encoder shape ("mencoder", "wmencoder" or "ffmpeg"); "" for
// an unknown encoder. Every file name goes through QuoteArg. The " -vf " option is given only when
// there is a filter to give (an empty one makes mencoder stop at once).
std::string ComposeCommand(const std::string& Encoder, const TJobPlan& Plan, const std::string& Src,
                           const std::string& Part, int PartCount, const std::string& JobOptions,
                           const std::string& Output, const std::string& WorkFolder);

// --- the conversion driver ------------------------------------------------------------------------

class TForm1;
class IEjector;
class ILauncher;

// What ConvertQueue reads of the window besides the tables and the runner, and the seams to the
// parts of it built elsewhere.
struct TConvertOptions {
    int Quality = 0;              // the quality slider (kbit/s div 10)
    std::string Destination;      // the confirmed destination folder
    bool ClosedCaptions = false;
    bool NicerSubtitles = false;  // the check box `dvdnav`
    std::string DeviceText;       // devicebox's text ("gpp" devices get crop detection)
    IEjector* Ejector = nullptr;  // opens the tray after the last part from a disc
    std::function<bool(const std::string& Path)> IsDiscRoot; // a disc's root? (IsDriveRoot when empty)
    ILauncher* Launcher = nullptr; // shows the destination at the end
    std::function<void(const std::string&)> ShowCommand;    // skSkinEdit1
    std::function<void(int JobRow)> DetectCrop;             // crop detection before a "gpp" job
    std::function<void(int Row)> PartDone;                  // the queue row's check box is cleared
    std::function<void(int JobRow)> MakeOutputThumbnail;    // outputs in a "laystat" folder
    TStrings* Playlist = nullptr; // every produced file not yet listed is added (the window's playlist)
};

// Converts every selected source for the chosen device, one job after the other, with the real
// tools; returns when the queue is done or stopped. A source ends "Done" only when every part
// succeeded, nothing was stopped or skipped and every expected output exists and is not empty;
// otherwise "No" (a skipped or stopped job is not judged). Each part's file gets its output's name
// only once it was judged whole; what a stopped, skipped or failed part wrote is set aside as
// incomplete. The program closing while the queue runs ends it as Stop does. The flags Converting, Scanning, GrabMode
// and ToolRunning are off again when it returns, however it returns. Start while a queue runs is
// ignored. Every file of a "Done" job goes into the playlist once; a disc's tray opens after the last
// part of its last job when that part succeeded.
void ConvertQueue(TForm1& Form, const TConvertOptions& Options);

// What a destination folder is to the output files: usable, a file, not there, or not to be written
// by this process.
enum class TDestinationState { Usable, NotAFolder, Missing, ReadOnly };
TDestinationState DestinationState(const std::string& Folder);

// The number of jobs in convertgrid (rows with an id).
int JobCount(const TskSkinStringGrid& convertgrid);
