#pragma once
// The converter's in-memory tables: hidden string grids, one row per record, one column per field,
// every value text. The column numbers below are the field keys every unit uses; a column that was
// never written reads as "".
#include <memory>
#include <string>

class TComponent;
class TStrings;
class TStringList;
class TskSkinStringGrid;

// Columns of a source record (a row of StringGrid1, and of dvdgrid, which uses the same keys).
namespace SourceRecord {
enum Column : int {
    RowId = 0,            // row index, "%5.5d"
    Kind = 1,             // "VIDEO" or "DVD"
    Title = 2,            // file name less extension, or disc label + "_" + title number
    Length = 3,           // seconds as printed by the player
    VideoFormat = 4,      // "" = no video found
    VideoCodec = 5,
    VideoBitrate = 6,
    VideoWidth = 7,       // a file keeps the first value
    VideoHeight = 8,
    FrameRate = 9,
    VideoAspect = 10,     // aspect of a file
    AudioFormat = 11,
    AudioCodec = 12,
    AudioBitrate = 13,
    AudioRate = 14,
    AudioChannels = 15,
    AudioStreams = 16,    // one line per stream
    SubtitleStreams = 17, // stream lines and side files ("SRT File:" / "SUB File:" + path)
    Chapters = 18,
    AngleCount = 19,
    VideoOutput = 20,     // the player's "VO: [null]" line after that marker
    SourcePath = 21,      // file path or DVD location
    SourceArg = 22,       // tool input argument
    StartSeconds = 23,
    EndSeconds = 24,
    LengthText = 25,      // "%1.1d:%2.2d:%2.2d"
    AudioChoice = 26,     // stream id, a blank, language name
    AudioIndex = 27,
    SubtitlesOn = 29,     // "YES" / "NO"
    SubtitleChoice = 30,  // stream id + blank + language, or a side-file line
    SubtitleIndex = 31,
    Counter1 = 32,
    Counter2 = 33,
    Selected = 34,        // "YES", "NO", "Done", "No"
    RoundedLength = 35,
    PictureTurn = 37,     // degrees a player turns a file's picture counter-clockwise ("" = none)
    UnevenRate = 38,      // the nominal rate of a file whose pictures come unevenly ("" = steady)
    CropLeft = 42,
    CropRight = 43,
    CropTop = 44,
    CropBottom = 45,
    OutputName = 52,      // output base name, starts as the title
    DisplayWidth = 53,
    DisplayHeight = 54,
    PreferredAudioFound = 55,
    SubtitleChoiceMarker = 56,
    FileName = 57,        // file name with extension, or the disc label
    ChapterRangeOn = 59,
    FirstChapter = 60,
    LastChapter = 61,
    SplitOn = 62,
    SplitChapters = 63,
    AngleOn = 64,
    Angle = 65,
    TitleNumber = 66,     // 1-based DVD title number
    DvdAspect = 69,       // aspect of a DVD title
    FieldCoded = 76,      // "YES" when a file's picture is stored as fields (interlaced)
    SoundStart = 77,      // seconds a file's sound starts after its picture ("" = with it)
};
} // namespace SourceRecord

// The stored column counts of the tables. Columns beyond them are written and read like the others.
constexpr int SourceTableColumns = 69;
constexpr int JobTableColumns = 69;
constexpr int DeviceTableColumns = 15;
constexpr int CurrentProfileColumns = 21;
constexpr int CodecTableColumns = 4;
constexpr int DvdTableColumns = 100;
constexpr int CropTableColumns = 10;

// Appends a record to a table and returns its row. A last row whose column 0 is still empty is reused
// (so a fresh table's empty first row takes the first record); a reused row is emptied first, so the
// new record never inherits fields of an abandoned one. The caller writes column 0 itself.
int AppendRow(TskSkinStringGrid& Grid);

// Empties every cell of a row (texts and objects).
void ClearRow(TskSkinStringGrid& Grid, int Row);

// Empties a table: every stored cell cleared and one row left.
void ClearTable(TskSkinStringGrid& Grid);

// The video extensions, in stored order (31 items, two repeated, the last one empty).
void FillVideoExtensions(TStrings& List);

// The main window's hidden tables and work lists. The grids are components of the owner given at
// construction (so they go with it): a grid the owner already has under the table's name (read from
// its stored form) is taken as it is, a missing one is made with the stored shape. The lists are
// string lists owned here. Only their texts are
// used, so a list box's or memo's items can stand in for them wherever a caller has those.
class TOmTables {
public:
    explicit TOmTables(TComponent* Owner);
    ~TOmTables();
    TOmTables(const TOmTables&) = delete;
    TOmTables& operator=(const TOmTables&) = delete;

    TskSkinStringGrid* StringGrid1 = nullptr; // the source table: sources, 69 columns
    TskSkinStringGrid* convertgrid = nullptr; // jobs, 69 columns
    TskSkinStringGrid* devices = nullptr;     // device profiles, 15 columns
    TskSkinStringGrid* dq = nullptr;          // the chosen device profile, 21 columns
    TskSkinStringGrid* codecgrid = nullptr;   // codec profiles
    TskSkinStringGrid* dvdgrid = nullptr;     // titles of the DVD being scanned, 100 columns
    TskSkinStringGrid* cropgrid = nullptr;    // crop samples, 10 columns x 5 rows

    TStrings* ListBox1 = nullptr;   // pending source names
    TStrings* ListBox2 = nullptr;   // sorted copy being scanned
    TStrings* filelist = nullptr;
    TStrings* filelist2 = nullptr;  // files found below one pending folder
    TStrings* filelist3 = nullptr;  // scratch list of "*.ifo" files
    TStrings* folderlist = nullptr;
    TStrings* folderlist2 = nullptr; // folders already searched
    TStrings* voblist = nullptr;
    TStrings* dvdbox = nullptr;
    TStrings* videobox = nullptr;
    TStrings* subVid = nullptr;     // video extensions
    TStrings* subISO = nullptr;     // disc-image extensions: empty, never filled
    TStrings* Memo1 = nullptr;      // audio stream lines of the source being identified
    TStrings* Memo2 = nullptr;      // subtitle stream lines of the source being identified
    TStrings* dvdlog = nullptr;
    TStrings* mySettings = nullptr;

private:
    std::unique_ptr<TStringList> FLists[16];
};
