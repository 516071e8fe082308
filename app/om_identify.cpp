#include "app/om_identify.h"

#include <cmath>

#include "app/Unit1.h"
#include "app/om_dvdscan.h"
#include "app/om_functions.h"
#include "app/om_scanahead.h"
#include "app/om_shape.h"
#include "app/om_tables.h"
#include "app/om_text.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "platform/sys/CommandLine.h"
#include "skin/grids/TskSkinStringGrid.h"

// ---------------------------------------------------------------------------------------------
// identification helpers

bool IsPlaybackStatusLine(const std::string& Line)
{
    const std::string t = Trim(Line);
    return t.rfind("A:", 0) == 0 || t.rfind("V:", 0) == 0;
}

bool ParseVideoOutputSize(const std::string& Line, int& Width, int& Height)
{
    if (!Contains(Line, ">"))
        return false;
    std::string t = Trim(TextAfter(Line, ">"));
    if (const std::size_t blank = t.find(' '); blank != std::string::npos)
        t = t.substr(0, blank);
    t = Trim(t);
    if (t.size() <= 4 || !Contains(t, "x"))
        return false;
    int w = 0;
    int h = 0;
    if (!TryStrToInt(Trim(TextBefore(t, "x")), w) || !TryStrToInt(Trim(TextAfter(t, "x")), h) || w <= 0 || h <= 0)
        return false;
    Width = w;
    Height = h;
    return true;
}

namespace {

// The extension of the file name itself, with its dot; "" when the name has none (a leading dot
// marks a hidden file, not an extension).
std::string OwnExtension(const std::string& Path)
{
    const std::string name = ExtractFileName(Path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return std::string();
    return name.substr(dot);
}

} // namespace

std::string PathWithoutExtension(const std::string& Path)
{
    return Path.substr(0, Path.size() - OwnExtension(Path).size());
}

std::string VideoFileTitle(const std::string& Path)
{
    const std::string name = ExtractFileName(Path);
    const std::string ext = OwnExtension(Path);
    const std::string base = name.substr(0, name.size() - ext.size());
    const std::string lowerExt = LowerCase(ext);
    if (lowerExt == ".dvr-ms" || lowerExt == ".tivo" || lowerExt == ".ts" || lowerExt == ".tp")
        return Trim(LowerCase(base));
    return Trim(base);
}

void AddSideSubtitleFiles(const std::string& Path, TStrings& Lines)
{
    const std::string base = PathWithoutExtension(Path);
    if (FileExists(base + ".srt"))
        Lines.Add("SRT File:" + base + ".srt");
    // The job builder hands "SRT File:" lines to the player's text-subtitle reader, which reads .ssa.
    if (FileExists(base + ".ssa"))
        Lines.Add("SRT File:" + base + ".ssa");
    if (FileExists(base + ".sub") && FileExists(base + ".idx"))
        Lines.Add("SUB File:" + base + ".sub");
}

std::string SafePathArg(const std::string& Path)
{
    return !Path.empty() && Path[0] == '-' ? "./" + Path : Path;
}

bool IsTransportStream(const std::string& Path)
{
    const std::string ext = LowerCase(OwnExtension(Path));
    for (const char* e : {".ts", ".m2ts", ".mts", ".m2t", ".tp", ".trp"})
        if (ext == e)
            return true;
    return false;
}

std::string IdentifyFileCommand(const std::string& Path)
{
    return QuoteArg("mplayer") + (IsTransportStream(Path) ? " -demuxer lavf" : "") + " -af volume=-200 -vo null -identify " +
           QuoteArg(SafePathArg(Path));
}

std::string LastValue(const TStrings& Log, const std::string& Key)
{
    for (int i = Log.Count() - 1; i >= 0; --i)
        if (Contains(Log.Strings(i), Key))
            return Trim(RemoveFirst(Log.Strings(i), Key + "="));
    return std::string();
}

std::string RefineFileCommand(const std::string& Path)
{
    return QuoteArg("mplayer") + " -demuxer lavf -frames 0 -ao null -vo null -identify " + QuoteArg(SafePathArg(Path));
}

bool NeedsSecondLook(const std::string& Demuxer, const std::string& Length)
{
    return Demuxer == "mpegps" || Demuxer == "asf" || Demuxer == "mpegts" || ParseFloatDot(Length) <= 0;
}

std::string TimelineProbeCommand(const std::string& Path)
{
    return QuoteArg("ffprobe") + " -v error -show_entries stream=codec_type,field_order,start_time -of default " +
           QuoteArg("file:" + Path);
}

TSourceTimeline ReadTimeline(const TStrings& Lines, int From)
{
    TSourceTimeline timeline;
    std::string kind;
    bool pictureSeen = false, soundSeen = false;
    double picture = 0, sound = 0;
    for (int i = From; i < Lines.Count(); ++i) {
        const std::string line = Trim(Lines.Strings(i));
        const std::string key = TextBefore(line, "=");
        const std::string value = Trim(TextAfter(line, "="));
        if (line == "[STREAM]")
            kind.clear();
        else if (key == "codec_type")
            kind = value;
        else if (key == "field_order" && kind == "video" && !pictureSeen)
            // "tt", "bb", "tb", "bt": two fields to a frame; "progressive" or "unknown" are left alone.
            timeline.FieldCoded = value.size() == 2 && (value[0] == 't' || value[0] == 'b');
        else if (key == "start_time" && IsFloat(value) && kind == "video" && !pictureSeen) {
            pictureSeen = true;
            picture = ParseFloatDot(value);
        } else if (key == "start_time" && IsFloat(value) && kind == "audio" && !soundSeen) {
            soundSeen = true;
            sound = ParseFloatDot(value);
        }
    }
    if (pictureSeen && soundSeen)
        timeline.SoundStart = sound - picture;
    return timeline;
}

std::string IdentifyDvdCommand(const std::string& Location)
{
    return QuoteArg("mplayer") + " -af volume=-200 -vo null -identify -dvd-device " + QuoteArg(SafePathArg(Location)) +
           " dvd://";
}

// ---------------------------------------------------------------------------------------------
// TForm1: identification

void TForm1::IdentifyVideoFile(const std::string& Path)
{
    SetCaption(RunState.MainTitle);
    RunState.ScanKind = "video";
    const int r = AppendRow(*StringGrid1);
    Memo1->Clear();
    Memo2->Clear();
    dvdlog->Clear();
    RunState.ScanRow = r;
    FScanBroken = false;
    RunAndWait(IdentifyFileCommand(Path));
    // A report cut short by Stop tells nothing of the file: the record goes without a word.
    if (FScanAhead && FScanAhead->Stopped()) {
        ClearRow(*StringGrid1, r);
        return;
    }
    // The first look fills the record; the second corrects only the length and the picture rate.
    // (A file in which the first look found no picture is given up below without a second.)
    if (NeedsSecondLook(LastValue(*dvdlog, "ID_DEMUXER"), LastValue(*dvdlog, "ID_LENGTH")) && !FScanBroken &&
        !StringGrid1->Cells(SourceRecord::VideoFormat, r).empty()) {
        RunState.ScanKind = "refine";
        RunAndWait(RefineFileCommand(Path));
        RunState.ScanKind = "video";
    }

    TskSkinStringGrid& g = *StringGrid1;
    // Without a video stream and a picture size the player found nothing to convert (random bytes,
    // an MP4 cut before its index): the record is given up and nothing of it reaches the encoder.
    if (FScanBroken || g.Cells(SourceRecord::VideoFormat, r).empty() ||
        StrToIntDef(Trim(g.Cells(SourceRecord::VideoWidth, r)), 0) <= 0) {
        ClearRow(g, r);
        NoteSkipped(ExtractFileName(Path), "no video found");
        return;
    }
    g.SetCells(SourceRecord::RowId, r, Format("%5.5d", {r}));
    g.SetCells(SourceRecord::Kind, r, "VIDEO");
    g.SetCells(SourceRecord::Title, r, VideoFileTitle(Path));
    g.SetCells(SourceRecord::FileName, r, ExtractFileName(Path));
    g.SetCells(SourceRecord::OutputName, r, g.Cells(SourceRecord::Title, r));
    g.SetCells(SourceRecord::SourcePath, r, Path);
    g.SetCells(SourceRecord::SourceArg, r, QuoteArg(SafePathArg(Path)));
    g.SetCells(SourceRecord::Selected, r, "YES");
    AddSideSubtitleFiles(Path, *Memo2);
    g.SetCells(SourceRecord::AudioStreams, r, MemoText(*Memo1));
    g.SetCells(SourceRecord::SubtitleStreams, r, MemoText(*Memo2));
    g.SetCells(SourceRecord::Counter1, r, "0");
    g.SetCells(SourceRecord::Counter2, r, "0");
    // What the player does not tell: the turn every player gives the picture, and an uneven rate.
    const int from = dvdlog->Count();
    if (MayBeTurnedOrUneven(Path)) {
        RunState.ScanKind = "shape";
        RunAndWait(ShapeProbeCommand(Path));
        RunState.ScanKind = "video";
    }
    TPictureShape shape;
    for (int i = from; i < dvdlog->Count(); ++i)
        ReadShapeLine(shape, dvdlog->Strings(i));
    if (shape.Rotation != 0)
        g.SetCells(SourceRecord::PictureTurn, r, IntToStr(shape.Rotation));
    if (shape.VariableRate)
        g.SetCells(SourceRecord::UnevenRate, r, FloatToStr(shape.Rate));
    // Where the sound starts against the picture, and whether the picture is stored as fields: the
    // player tells neither, and both change how the file is read.
    const int timelineFrom = dvdlog->Count();
    RunState.ScanKind = "shape";
    RunAndWait(TimelineProbeCommand(Path));
    RunState.ScanKind = "video";
    const TSourceTimeline timeline = ReadTimeline(*dvdlog, timelineFrom);
    g.SetCells(SourceRecord::FieldCoded, r, timeline.FieldCoded ? "YES" : "");
    g.SetCells(SourceRecord::SoundStart, r, std::abs(timeline.SoundStart) >= 0.05 ? Format("%.3f", {timeline.SoundStart}) : "");
    ChooseTracks(r);
}

void TForm1::IdentifyDvd(const std::string& Location, const std::string& Label)
{
    SetCaption(RunState.MainTitle);
    RunState.ScanKind = "dvd";
    RunState.ScanRow = AppendRow(*StringGrid1);
    const std::string p = NormaliseLocation(Location);
    Memo1->Clear();
    Memo2->Clear();
    dvdlog->Clear();
    RunAndWait(IdentifyDvdCommand(p));
    ParseDvdTitles(GetVolumeTitle(p), Location, Label);
}

namespace {

// The keys of an identify report and the record column each fills.
struct TKeyColumn {
    const char* Key;
    int Column;
    bool FirstWins;
};

constexpr TKeyColumn ScanKeys[] = {
    {"ID_VIDEO_FORMAT", SourceRecord::VideoFormat, false},
    {"ID_VIDEO_CODEC", SourceRecord::VideoCodec, false},
    {"ID_VIDEO_BITRATE", SourceRecord::VideoBitrate, false},
    {"ID_VIDEO_WIDTH", SourceRecord::VideoWidth, true},
    {"ID_VIDEO_HEIGHT", SourceRecord::VideoHeight, true},
    {"ID_VIDEO2_WIDTH", SourceRecord::DisplayWidth, true},
    {"ID_VIDEO2_HEIGHT", SourceRecord::DisplayHeight, true},
    {"ID_VIDEO_FPS", SourceRecord::FrameRate, false},
    {"ID_VIDEO_ASPECT", SourceRecord::VideoAspect, false},
    {"ID_AUDIO_FORMAT", SourceRecord::AudioFormat, false},
    {"ID_AUDIO_CODEC", SourceRecord::AudioCodec, false},
    {"ID_AUDIO_BITRATE", SourceRecord::AudioBitrate, false},
    {"ID_AUDIO_RATE", SourceRecord::AudioRate, false},
    {"ID_AUDIO_NCH", SourceRecord::AudioChannels, false},
};

std::string KeyValue(const std::string& L, const std::string& Key)
{
    return Trim(RemoveFirst(L, Key + "="));
}

} // namespace

namespace {

// The stream id an audio line speaks of: "128 ?????", "128_LANG=en", or the player's "audio stream:"
// line ending "aid: 128."; "" when it names none.
std::string AudioLineId(const std::string& Line)
{
    if (Contains(Line, "audio stream")) {
        std::string id = Trim(TextAfter(Line, "aid:"));
        while (!id.empty() && id.back() == '.')
            id.pop_back();
        return Contains(Line, "aid:") ? Trim(id) : std::string();
    }
    const std::size_t end = Line.find_first_of(" _");
    return end == std::string::npos ? Line : Line.substr(0, end);
}

// How much a line tells of its stream: the bare id, the language, the player's full description.
int AudioLineDetail(const std::string& Line)
{
    if (Contains(Line, "audio stream"))
        return 2;
    return Contains(Line, "_LANG=") ? 1 : 0;
}

} // namespace

void AddAudioStreamLine(TStrings& Lines, const std::string& Line)
{
    // The player names a stream up to three times (its id, its language, its description): the
    // list keeps one line per stream, the one that tells most.
    const std::string id = AudioLineId(Line);
    if (!id.empty())
        for (int i = 0; i < Lines.Count(); ++i) {
            if (AudioLineId(Lines.Strings(i)) != id)
                continue;
            if (AudioLineDetail(Lines.Strings(i)) < AudioLineDetail(Line))
                Lines.SetStrings(i, Line);
            return;
        }
    Lines.Add(Line);
}

void WriteLength(TskSkinStringGrid& Grid, int Row, const std::string& Value)
{
    const double seconds = ParseFloatDot(Value);
    Grid.SetCells(SourceRecord::Length, Row, Value);
    Grid.SetCells(SourceRecord::StartSeconds, Row, "0");
    Grid.SetCells(SourceRecord::EndSeconds, Row, Value);
    Grid.SetCells(SourceRecord::LengthText, Row, FormatHms(seconds));
    Grid.SetCells(SourceRecord::RoundedLength, Row, IntToStr(Round(seconds)));
}

void TForm1::ParseScanLine(const std::string& S)
{
    TskSkinStringGrid& g = *StringGrid1;
    const int row = RunState.ScanRow;
    std::string L = S;

    if (RunState.ScanKind == "shape") {
        dvdlog->Add(Trim(S));
        return;
    }
    if (RunState.ScanKind == "refine") {
        if (Contains(L, "ID_LENGTH=") && ParseFloatDot(TextAfter(L, "ID_LENGTH=")) > 0)
            WriteLength(g, row, Trim(TextAfter(L, "ID_LENGTH=")));
        if (Contains(L, "ID_VIDEO_FPS=")) {
            const std::string fps = Trim(TextAfter(L, "ID_VIDEO_FPS="));
            if (ParseFloatDot(fps) > 0 && ParseFloatDot(fps) < 1000)
                g.SetCells(SourceRecord::FrameRate, row, fps);
        }
        return;
    }

    // A player that draws a picture (the preview) reports its driver in place of "null". Only the
    // picture size is taken from such a line: it belongs to the previewed source, not to the record
    // being identified.
    const bool previewOutput = Contains(S, "VO: [") && !Contains(S, "VO: [null]");
    if (previewOutput) {
        int w = 0;
        int h = 0;
        if (ParseVideoOutputSize(S, w, h)) {
            RunState.PreviewAspectWidth = w;
            RunState.PreviewAspectHeight = h;
            if (OnPreviewSize)
                OnPreviewSize(w, h);
        }
        return;
    }

    if (Contains(L, "VO: [null]")) {
        int w = 0;
        int h = 0;
        if (ParseVideoOutputSize(L, w, h)) {
            if (RunState.ScanKind == "video") {
                g.SetCells(SourceRecord::DisplayWidth, row, IntToStr(w));
                g.SetCells(SourceRecord::DisplayHeight, row, IntToStr(h));
            } else if (RunState.ScanKind == "dvd") {
                dvdlog->Add("ID_VIDEO2_WIDTH=" + IntToStr(w));
                dvdlog->Add("ID_VIDEO2_HEIGHT=" + IntToStr(h));
            }
        }
    }

    if (RunState.ScanKind == "video" && (Contains(L, "moov atom not found") || Contains(L, "missing header (moov/cmov)")))
        FScanBroken = true;

    if (Contains(L, "ID_"))
        L = " ID_" + TrimRight(TextAfter(L, "ID_"));

    // The DVD log.
    if (Contains(L, "ID_"))
        dvdlog->Add(L);
    if (Contains(L, "DVDNAV stream read error!"))
        dvdlog->Add(L);
    if (Contains(L, "Invalid title IFO") && dvdlog->Count() > 0)
        dvdlog->SetStrings(dvdlog->Count() - 1, "");
    if (Contains(L, "audio stream"))
        dvdlog->Add(L);
    if (Contains(" " + L, "subtitle"))
        dvdlog->Add(L);
    if (Contains(L, "VO: [null]"))
        dvdlog->Add(L);
    if (Contains(L, "VIDEO:"))
        dvdlog->Add(L);
    if (Contains(L, "AUDIO:"))
        dvdlog->Add(L);

    // Keys into the record.
    if (Contains(L, "ID_LENGTH"))
        WriteLength(g, row, KeyValue(L, "ID_LENGTH"));
    for (const TKeyColumn& k : ScanKeys) {
        if (!Contains(L, k.Key))
            continue;
        if (k.FirstWins && !g.Cells(k.Column, row).empty())
            continue;
        std::string value = KeyValue(L, k.Key);
        // A rate of a thousand pictures a second is the clock of a container that does not know its
        // rate (ASF counts milliseconds): the rate is unknown.
        if (k.Column == SourceRecord::FrameRate && ParseFloatDot(value) >= 1000)
            value.clear();
        g.SetCells(k.Column, row, value);
    }

    if (Contains(L, "VO: [null]")) {
        g.SetCells(SourceRecord::VideoOutput, row, Trim(RemoveFirst(L, "VO: [null]")));
        const std::string t = Trim(TextBefore(Trim(TextAfter(L, "]")), "=>"));
        const std::string w = Trim(TextBefore(t, "x"));
        const std::string h = Trim(TextAfter(t, "x"));
        if (Contains(t, "x")) {
            if (g.Cells(SourceRecord::VideoWidth, row).empty() || g.Cells(SourceRecord::VideoWidth, row) == "0")
                g.SetCells(SourceRecord::VideoWidth, row, w);
            if (g.Cells(SourceRecord::VideoHeight, row).empty() || g.Cells(SourceRecord::VideoHeight, row) == "0")
                g.SetCells(SourceRecord::VideoHeight, row, h);
        }
    }

    const std::string padded = " " + L;
    if (Contains(padded, "ID_AID_") && !Contains(padded, "NAME"))
        AddAudioStreamLine(*Memo1, Trim(RemoveFirst(L, "ID_AID_")));
    if (Contains(padded, "ID_SID_") && !Contains(padded, "NAME"))
        Memo2->Add(Trim(RemoveFirst(L, "ID_SID_")));
    if (Contains(padded, "ID_AUDIO_ID") && !Contains(padded, "NAME"))
        AddAudioStreamLine(*Memo1, Trim(RemoveFirst(L, "ID_AUDIO_ID=")) + " ?????");
    if (Contains(padded, "audio stream:"))
        AddAudioStreamLine(*Memo1, Trim(L));
    if (Contains(padded, "subtitle ( sid )"))
        Memo2->Add(Trim(L));

    // The player's readable lines become key lines of the DVD log.
    L = S;
    if (Contains("  " + L, "VIDEO:") && Contains("  " + L, "fps")) {
        L = Trim(RemoveFirst(L, "VIDEO:"));
        const std::string f = TextBefore(L + " ", " ");
        dvdlog->Add("ID_VIDEO_FORMAT=" + f);
        dvdlog->Add("ID_VIDEO_CODEC=" + f);
        L = Trim(RemoveFirst(L, f));
        const std::string t = TextBefore(L + " ", " ");
        dvdlog->Add("ID_VIDEO_WIDTH=" + Trim(TextBefore(t, "x")));
        dvdlog->Add("ID_VIDEO_HEIGHT=" + Trim(TextAfter(t, "x")));
        L = Trim(TextAfter(L, ")"));
        dvdlog->Add("ID_VIDEO_FPS=" + Trim(TextBefore(L, "fps")));
        L = Trim(TextAfter(L, "s"));
        dvdlog->Add("ID_VIDEO_BITRATE=" + Trim(TextBefore(L, "kbps")));
    }
    L = S;
    if (Contains("  " + L, "Aspect") && Contains("  " + L, "presc")) {
        L = Trim(RemoveFirst(L, "Movie-Aspect is"));
        dvdlog->Add("ID_VIDEO_ASPECT=" + Trim(TextBefore(L, ":")));
    }
    L = S;
    if (Contains("  " + L, "AUDIO:") && Contains("  " + L, "ch")) {
        L = Trim(RemoveFirst(L, "AUDIO:"));
        dvdlog->Add("ID_AUDIO_RATE=" + TextBefore(L + " ", " "));
        L = Trim(TextAfter(L, ","));
        dvdlog->Add("ID_AUDIO_NCH=" + TextBefore(L + " ", " "));
        L = Trim(TextAfter(L, ","));
        L = Trim(TextAfter(L, ","));
        std::string b = TextBefore(L + " ", " ");
        if (!b.empty() && IsFloat(b))
            b = IntToStr(Round(ParseFloatDot(b) * 1000));
        dvdlog->Add("ID_AUDIO_BITRATE=" + b);
    }
    if (Contains("  " + L, "audio codec:") && Contains("  " + L, "Selected")) {
        L = Trim(TextAfter(L, "["));
        const std::string n = Trim(TextBefore(L, "]"));
        dvdlog->Add("ID_AUDIO_FORMAT=" + n);
        dvdlog->Add("ID_AUDIO_CODEC=" + n);
    }

    if (RunState.GrabMode == 0 && IsPlaybackStatusLine(S))
        EndIdentifyRun();
}
