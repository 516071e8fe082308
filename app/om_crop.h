#pragma once
// Crop detection: the black bars of still frames of a source, voted over five samples, widened so the
// picture fills the device screen, and written into the job as the crop options of the encoders.
#include <string>
#include <vector>

#include "platform/gfx/TSurface.h"

class TskSkinStringGrid;

struct TMargins {
    int Left = 0;
    int Right = 0;
    int Top = 0;
    int Bottom = 0;
};

// The bars of one frame, each side rounded to a multiple of 4 and at least 4. False (and nothing
// measured) for a picture too small to have a reference pixel: no frame, no sample.
bool ScanFrameMargins(const TSurface& Frame, TMargins& Margins);

// The value most samples agree on; on a tie the earlier sample wins. 0 for no samples.
int VoteMargin(const std::vector<int>& Samples);

// The five grab positions (seconds) for a source length: a step of length / 8.5, at most 300 (15 for
// "dvr-ms" sources, whose positions stay at or below 200).
std::vector<int> CropPositions(const std::string& LengthText, const std::string& SourceArg);

// Grows the margins so that the cropped picture, shown at its display size, fills a BoxW x BoxH
// screen (the excess of a wider or taller picture is cut away). Nothing changes when a size is missing.
void WidenToFill(int FrameW, int FrameH, int DisplayW, int DisplayH, int BoxW, int BoxH, TMargins& Margins);
// The same for the picture as a player shows it: one that lies on its side (its margins measured on
// the stored picture) is widened as it stands upright, so the cut falls where the upright picture
// overflows the screen.
void WidenShownToFill(int FrameW, int FrameH, int DisplayW, int DisplayH, int BoxW, int BoxH, bool OnItsSide,
                      TMargins& Margins);

// The crop options of job j from its margins (columns 42-45): the mencoder filter (46), the script's
// clip option (67), ffmpeg's crop options (68) and the cropped size (47, 48). The source row's
// margins are reset to "0".
void BuildCropOptions(TskSkinStringGrid& convertgrid, TskSkinStringGrid& StringGrid1, int j);

class TForm1;

// The crop choice of the main window's radio group.
enum class TCropMode { None, FromFile, FillDevice };

// The whole detection for job j: five frames grabbed with the tools, their bars voted per side,
// widened to fill the device screen when asked, then BuildCropOptions. A grab that gives no frame
// gives no sample (never the previous job's picture); Stop ends the sampling early.
void DetectCrop(TForm1& Form, int j, TCropMode Mode);

// One frame of job j's source at Seconds, scaled to its display size; an empty surface when the
// tools give none.
TSurface GrabCropFrame(TForm1& Form, int Seconds, int j);
