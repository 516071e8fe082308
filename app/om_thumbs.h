#pragma once
// Thumbnails: the still picture of each queue row's source (framed to fill 320 x 240 and slightly
// brightened), and the small picture beside an output written to a "laystat" folder. Both are made
// with the console tools: mencoder encodes five frames into a scratch video, ffmpeg turns the first
// into a JPEG.
#include <string>

class TForm1;
class TskSkinStringGrid;

// The framing filter "-vf crop=...,scale=320:240,eq=2:-10 " of source row r (columns 42-45 keep the
// framing margins), or "" when the row has no picture size.
std::string BuildThumbnailFilter(TskSkinStringGrid& StringGrid1, int r);

// The picture file of source row r: work folder + "temp/" + the output name, a mark of the source's
// location, ".jpg"; "" when the row has no usable name.
std::string ScanThumbnailPath(const TskSkinStringGrid& StringGrid1, int r, const std::string& WorkFolder);

// The two tool runs that make source row r's picture: the grab of five frames into Scratch, and the
// first of them turned into the picture. All empty when no picture is to be made: the picture is
// there already, the row has no name or no picture size, or a conversion runs. Otherwise the
// framing margins are written into the row, the picture's folder is made and Scratch deleted.
struct TScanThumbnailRuns {
    std::string Target;
    std::string Scratch;
    std::string Grab;
    std::string ToPicture;
};
TScanThumbnailRuns ScanThumbnailRuns(TForm1& Form, int r, const std::string& Scratch);

// Makes the row's picture when it does not exist yet. Nothing is run for a row without a picture
// size, never while a conversion runs, and never during a scan round, which makes its pictures itself.
void MakeScanThumbnail(TForm1& Form, int r);

// The 160 x 120 picture beside the output of job j; a picture already there is left as it is.
void MakeOutputThumbnail(TForm1& Form, int j);
