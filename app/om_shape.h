#pragma once
// What the player's identify report does not tell of a file's picture, asked of ffprobe before the
// file is converted: the turn every player gives it (phones store an upright clip lying on its side
// with a flag), and whether its pictures come at a steady rate (phone and screen recordings do not).
// The encoder honours neither, so a job turns the picture itself and reads an uneven file through a
// copy made at a constant rate.
#include <string>

struct TPictureShape {
    int Rotation = 0;          // degrees a player turns the picture counter-clockwise: 0, 90, 180 or 270
    double Rate = 0;           // the nominal picture rate; 0 when unknown
    bool VariableRate = false; // the pictures' mean rate is not the nominal one
};

// True for the containers that keep a time for each picture or a rotation flag (MP4 and its kin,
// Matroska, Flash, ASF); AVI and MPEG streams have a steady rate by their make and no flag.
bool MayBeTurnedOrUneven(const std::string& Path);
// The ffprobe command that reports on the first picture stream of Path.
std::string ShapeProbeCommand(const std::string& Path);
// Adds what one output line of that command says ("r_frame_rate=30/1", "avg_frame_rate=600/29",
// "rotation=-90").
void ReadShapeLine(TPictureShape& Shape, const std::string& Line);

// True when the picture lies on its side: the width and height it shows are swapped.
bool LiesOnItsSide(const TPictureShape& Shape);
// The encoder's filters (each with a trailing ",") that turn the picture as a player does; "" for none.
std::string UprightFilters(const TPictureShape& Shape);

// The multiple an output picture's sides must be of: the profiles' codecs store the colour at half
// the size each way, so a side must be even (x264 refuses an odd one). The fit into a device's screen
// gives whole macroblocks anyway.
constexpr int PictureSizeStep = 2;
// X brought to the nearest multiple of Step (at least one Step); 0 for no size.
int RoundToStep(int X, int Step);

// The step that writes Path at Rate pictures a second into Scratch, each picture repeated or dropped
// as its time asks, every sound stream decoded. The picture is stored losslessly and left as stored
// (not turned), so the encoder's step reads it as it would read the file itself.
std::string ConstantRateCommand(const std::string& Path, double Rate, const std::string& Scratch);
