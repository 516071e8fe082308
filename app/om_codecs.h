#pragma once
// The built-in conversion targets: the device profile table (what the user picks) and the codec
// profile table (how the encoder is told), and the filled option template a job is built from.
#include <functional>
#include <string>

#include "app/om_controls.h"

class TObject;
class TStrings;
class TskSkinStringGrid;
class TOmTables;

// Columns of a device profile (a row of `devices`; row 0 of `dq` holds the chosen one).
namespace DeviceProfile {
enum Column : int {
    Name = 0,          // shown in devicebox
    ScreenSize = 1,    // width "x" height, no blanks
    VideoBitrate = 2,  // default video kbit/s
    AudioBitrate = 3,  // kbit/s, fills "$abr"
    CodecKey = 4,      // key of the codec profile row
    Vendor = 5,
    MaxFps = 6,
    Option1 = 7,       // copied into each job (default "0")
    Option2 = 8,       // copied into each job (default "0")
    AudioChannels = 9, // "$ac", default "2"
    Volume = 10,       // "$vol", default "8"
    Passes = 11,       // default "1"
    BudgetOn = 13,     // "YES" switches the pixel-rate budget on
    PixelBudget = 14,  // pixels per second
    NoScale = 20,      // dq only: "YES" puts "noscale" in front of the template
};
}

// Columns of a codec profile (a row of `codecgrid`).
namespace CodecProfile {
enum Column : int { Key = 0, Encoder = 1, OptionTemplate = 2, Extension = 3 };
}

// What LoadProfile leaves for the job builder and the conversion driver.
struct TProfileState {
    std::string DeviceName;  // cleaned by CleanTitleText
    std::string ScreenSize;
    std::string Destination; // destination folder
    std::string Option1;     // device columns 7 and 8
    std::string Option2;
    int Budget = 0;          // pixel-rate budget, 0 = none
    std::string Encoder;     // "mencoder", "wmencoder" or "ffmpeg"
    std::string Template;    // the filled option template
    std::string Extension;
    double MaxFps = 0;
};

// Appends the six codec rows to codecgrid, then the device rows (FillDeviceProfiles).
void FillCodecProfiles(TskSkinStringGrid& codecgrid, TskSkinStringGrid& devices, TStrings& DeviceItems);
// Appends the nine device rows, fills the empty option cells of every row with their defaults, and
// lists every device name once in DeviceItems (the items of devicebox).
void FillDeviceProfiles(TskSkinStringGrid& devices, TStrings& DeviceItems);

// Fills the template of row Row of dq with its codec profile. Quality is the slider value (kbit/s
// divided by 10). Two-pass encoding is not offered: a Passes value of "2" encodes in one pass, like
// "1", so the output is always the whole, finished encode.
TProfileState LoadProfile(const TskSkinStringGrid& dq, const TskSkinStringGrid& codecgrid, int Row, int Quality,
                          const std::string& Destination);

// The Windows Media script's audio token for a bit rate (kbit/s text) and channel count.
std::string WindowsMediaAudioToken(const std::string& AudioKbps, const std::string& Channels);

// The main window's device, quality and screen-size handlers.
class TProfileHandlers {
public:
    TProfileHandlers(TOmTables& Tables, IOmComboBox& devicebox, IOmSlider& vq, IOmComboBox& screensize,
                     IOmLabel& QualityLabel, IOmLabel& res);

    // Copies the chosen device into dq, sets the slider's range and value and the screen size.
    void deviceboxChange(TObject* Sender);
    // Shows the bit rate and the quality number, then refreshes the size estimates.
    void vqChange(TObject* Sender);
    void screensizeChange(TObject* Sender);

    // Refreshes every queue row's size estimate (the window's SetFilesize).
    std::function<void()> SetFilesize;

private:
    TOmTables& FTables;
    IOmComboBox& Fdevicebox;
    IOmSlider& Fvq;
    IOmComboBox& Fscreensize;
    IOmLabel& FQualityLabel; // skSkinStdLabel1
    IOmLabel& Fres;
};
