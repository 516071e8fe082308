#pragma once
// The job table: one row per output file to make (the chosen device profile applied to one selected
// source), and the building of a job from a source record.
#include <string>

#include "app/om_codecs.h"

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

// The output frame rate of a source rate text under a device maximum: 5 when there is none, never
// above the maximum (when the profile has one) and never outside 5..30.
double JobFrameRate(const std::string& SourceFps, double MaxFps);
