#include "app/om_dvdscan.h"

#include "app/Unit1.h"
#include "app/om_functions.h"
#include "app/om_identify.h"
#include "app/om_tables.h"
#include "app/om_text.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "platform/sys/CommandLine.h"
#include "skin/grids/TskSkinStringGrid.h"

#include <algorithm>

namespace {

// No disc has more titles than this; a garbled count must not make a giant table.
constexpr int MaxDvdTitles = 999;

std::string KeyValue(const std::string& Line, const std::string& Key)
{
    return Trim(RemoveFirst(Line, Key + "="));
}

struct TKeyColumn {
    const char* Key;
    int Column;
};

// The video and audio keys of a title; later lines overwrite earlier ones.
constexpr TKeyColumn TitleKeys[] = {
    {"ID_VIDEO_FORMAT", SourceRecord::VideoFormat},   {"ID_VIDEO_CODEC", SourceRecord::VideoCodec},
    {"ID_VIDEO_BITRATE", SourceRecord::VideoBitrate}, {"ID_VIDEO_WIDTH", SourceRecord::VideoWidth},
    {"ID_VIDEO2_WIDTH", SourceRecord::DisplayWidth},  {"ID_VIDEO_HEIGHT", SourceRecord::VideoHeight},
    {"ID_VIDEO2_HEIGHT", SourceRecord::DisplayHeight}, {"ID_VIDEO_FPS", SourceRecord::FrameRate},
    {"ID_VIDEO_ASPECT", SourceRecord::DvdAspect},     {"ID_AUDIO_FORMAT", SourceRecord::AudioFormat},
    {"ID_AUDIO_CODEC", SourceRecord::AudioCodec},     {"ID_AUDIO_BITRATE", SourceRecord::AudioBitrate},
    {"ID_AUDIO_RATE", SourceRecord::AudioRate},       {"ID_AUDIO_NCH", SourceRecord::AudioChannels},
};

// The title's keys and stream lines of the log into row Row.
void ParseTitleLog(const TStrings& Log, TskSkinStringGrid& Grid, int Row, TStrings& Audio, TStrings& Subtitles,
                   bool WithLength)
{
    for (int i = 0; i < Log.Count(); ++i) {
        const std::string line = Log.Strings(i);
        if (WithLength && Contains(line, "ID_LENGTH"))
            WriteLength(Grid, Row, KeyValue(line, "ID_LENGTH"));
        for (const TKeyColumn& k : TitleKeys)
            if (Contains(line, k.Key))
                Grid.SetCells(k.Column, Row, KeyValue(line, k.Key));
        if (Contains(" " + line, "audio stream:"))
            AddAudioStreamLine(Audio, Trim(line));
        if (Contains(" " + line, "subtitle ( sid )"))
            Subtitles.Add(Trim(line));
    }
    Grid.SetCells(SourceRecord::AudioStreams, Row, MemoText(Audio));
    Grid.SetCells(SourceRecord::SubtitleStreams, Row, MemoText(Subtitles));
}

bool IsLongTitle(const TskSkinStringGrid& Grid, int Row, int MinTitleLength)
{
    return ParseFloatDot(Grid.Cells(SourceRecord::Length, Row)) > MinTitleLength;
}

} // namespace

std::string NormaliseLocation(const std::string& Location)
{
    std::string path = Location;
    while (path.size() > 1 && path.back() == '/' && !IsDriveRoot(path))
        path.pop_back();
    return path;
}

std::string DvdSourceArg(const std::string& Location, int TitleNumber)
{
    return "-dvd-device " + QuoteArg(SafePathArg(Location)) + " dvdnav://" + IntToStr(TitleNumber);
}

void TForm1::ParseDvdTitles(const std::string& Label, const std::string& Location, const std::string& DisplayLabel)
{
    TskSkinStringGrid& d = *dvdgrid;
    int titles = 0;
    if (!TryStrToInt(LastValue(*dvdlog, "ID_DVD_TITLES"), titles) || titles < 0)
        titles = 0;
    titles = std::min(titles, MaxDvdTitles);
    int current = -1;
    if (int n = 0; TryStrToInt(LastValue(*dvdlog, "ID_DVD_CURRENT_TITLE"), n))
        current = n - 1;
    // A title number outside the disc's count would address a row that is no title.
    if (current < 0 || current >= titles)
        current = -1;

    ClearTable(d);
    d.SetRowCount(std::max(titles, 1));
    for (int i = 0; i < titles; ++i)
        d.SetCells(SourceRecord::TitleNumber, i, IntToStr(i + 1));
    Memo1->Clear();
    Memo2->Clear();
    if (current == -1)
        return;

    ParseTitleLog(*dvdlog, d, current, *Memo1, *Memo2, true);

    std::string name = Label;
    if (const int star = Pos('*', name); star > 0)
        Delete(name, star, 1);
    name = Trim(name);
    const bool chapterMarker = Pos('*', Label) > 0;
    // One spelling of the location for every title, so that the already-scanned test and the job
    // grouping see one disc.
    const std::string location = NormaliseLocation(Location);
    for (int i = 0; i < titles; ++i) {
        const std::string n = IntToStr(i + 1);
        d.SetCells(SourceRecord::Kind, i, "DVD");
        d.SetCells(SourceRecord::Title, i, name + "_" + n);
        d.SetCells(SourceRecord::FileName, i, name);
        d.SetCells(SourceRecord::OutputName, i, name + "_" + n);
        d.SetCells(SourceRecord::SourcePath, i, location);
        d.SetCells(SourceRecord::Counter1, i, "0");
        d.SetCells(SourceRecord::Counter2, i, "0");
        d.SetCells(SourceRecord::Selected, i, "YES");
        d.SetCells(SourceRecord::SourceArg, i, DvdSourceArg(location, i + 1));
        const std::string key = "ID_DVD_TITLE_" + n + "_";
        for (int l = 0; l < dvdlog->Count(); ++l) {
            const std::string line = dvdlog->Strings(l);
            if (Contains(line, key + "LENGTH")) {
                WriteLength(d, i, KeyValue(line, key + "LENGTH"));
            } else if (Contains(line, key + "CHAPTERS")) {
                const std::string chapters = KeyValue(line, key + "CHAPTERS");
                d.SetCells(SourceRecord::Chapters, i, chapters);
                d.SetCells(SourceRecord::ChapterRangeOn, i, chapterMarker ? "YES" : "NO");
                d.SetCells(SourceRecord::FirstChapter, i, chapterMarker ? "2" : "1");
                d.SetCells(SourceRecord::LastChapter, i, chapters);
                d.SetCells(SourceRecord::SplitOn, i, "NO");
                d.SetCells(SourceRecord::SplitChapters, i, "1");
            } else if (Contains(line, key + "ANGLES")) {
                d.SetCells(SourceRecord::AngleCount, i, KeyValue(line, key + "ANGLES"));
                d.SetCells(SourceRecord::AngleOn, i, "NO");
                d.SetCells(SourceRecord::Angle, i, "1");
            }
            if (Contains(line, "VO: [null]"))
                d.SetCells(SourceRecord::VideoOutput, i, Trim(RemoveFirst(line, "VO: [null]")));
        }
    }

    // A second look at long titles the first run said nothing about, 90 s in.
    for (int r = 0; r < titles; ++r) {
        if (d.Cells(SourceRecord::Length, r).empty() || !IsLongTitle(d, r, RunState.MinTitleLength) ||
            !d.Cells(SourceRecord::VideoFormat, r).empty())
            continue;
        dvdlog->Clear();
        Memo1->Clear();
        Memo2->Clear();
        const std::string command = QuoteArg("mplayer") + " -ss 90 -af volume=-200 -vo null " + d.Cells(SourceRecord::SourceArg, r);
        SetStatusText("Scanning " + DisplayLabel + ", track " + IntToStr(r + 1));
        RunAndWait(command);
        bool anyKey = false;
        for (int l = 0; l < dvdlog->Count() && !anyKey; ++l)
            anyKey = Contains(dvdlog->Strings(l), "ID_");
        if (anyKey) {
            dvdlog->Clear();
            Memo1->Clear();
            Memo2->Clear();
            RunAndWait(StringReplace(command, "dvdnav", "dvd"));
        }
        // The run has listed the streams already; they are taken from the log once.
        Memo1->Clear();
        Memo2->Clear();
        ParseTitleLog(*dvdlog, d, r, *Memo1, *Memo2, false);
    }

    ImportDvdTitles();
}

void TForm1::ImportDvdTitles()
{
    TskSkinStringGrid& d = *dvdgrid;
    const int titles = d.RowCount();
    int imported = 0;
    for (int r = 0; r < titles; ++r) {
        if (!IsLongTitle(d, r, RunState.MinTitleLength) || d.Cells(SourceRecord::VideoFormat, r).empty())
            continue;
        ++imported;
        const int row = AppendRow(*StringGrid1);
        StringGrid1->SetCells(SourceRecord::RowId, row, Format("%5.5d", {row}));
        for (int c = 1; c < DvdTableColumns; ++c) {
            const std::string value = d.Cells(c, r);
            if (!value.empty())
                StringGrid1->SetCells(c, row, value);
        }
        ChooseTracks(row);
    }
    // A disc that brings nothing says why, or the user is left waiting for titles that never come.
    if (imported == 0 && !d.Cells(SourceRecord::FileName, 0).empty())
        NoteSkipped(d.Cells(SourceRecord::FileName, 0),
                    "no title longer than " + IntToStr(RunState.MinTitleLength) + " s");
}
