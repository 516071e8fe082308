#include "app/om_convert.h"

#include <algorithm>
#include <cmath>

#include "app/om_functions.h"
#include "app/om_identify.h"
#include "app/om_shape.h"
#include "app/om_tables.h"
#include "app/om_text.h"
#include "app/om_tracks.h"
#include "app/om_workfiles.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "platform/sys/CommandLine.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

// An angle is a number; anything else would not be one argument the tool accepts.
bool IsNumber(const std::string& Text)
{
    int value = 0;
    return !Text.empty() && Text.find_first_not_of("0123456789") == std::string::npos && TryStrToInt(Text, value);
}

std::string SubtitleFontOptions(const std::string& WorkFolder)
{
    return " -subfont-autoscale 1 -spuaa 4 -font " + QuoteArg(JoinPath(WorkFolder, "mplayer/subfont.ttf"));
}

// The per-source part of the encoder command.
std::string JobOptions(const TskSkinStringGrid& Sources, int s, const std::string& Template,
                       const TJobSettings& Settings)
{
    std::string options;

    std::string aspect = Trim(Sources.Cells(SourceRecord::VideoAspect, s));
    // A DVD title's aspect is the display size the player reported: without it the encoder takes
    // the stored pixels as square, and a half-width wide title comes out squeezed.
    const int displayW = StrToIntDef(Trim(Sources.Cells(SourceRecord::DisplayWidth, s)), 0);
    const int displayH = StrToIntDef(Trim(Sources.Cells(SourceRecord::DisplayHeight, s)), 0);
    if ((aspect.empty() || aspect[0] == '0') && displayW > 0 && displayH > 0)
        aspect = Format("%.4f", {static_cast<double>(displayW) / displayH});
    if (!aspect.empty() && aspect[0] != '0' && Pos("aspect", Template) == 0 && IsFloat(aspect))
        options += " -aspect " + aspect;

    // No usable id, no option: an empty -aid would swallow the next option as its value.
    const std::string audioId = TrackStreamId(Sources.Cells(SourceRecord::AudioChoice, s));
    if (!audioId.empty())
        options += " -aid " + audioId;

    if (Sources.Cells(SourceRecord::SubtitlesOn, s) != "YES") {
        // The tool wants the caption channel as a number; a bare -subcc takes the next option.
        options += Settings.ClosedCaptions ? " -subcc 1" : " -noautosub -forcedsubsonly";
    } else {
        const std::string choice = Sources.Cells(SourceRecord::SubtitleChoice, s);
        if (!choice.empty() && Pos("ile", choice) == 0) {
            const std::string subtitleId = TrackStreamId(choice);
            if (!subtitleId.empty())
                options += " -sid " + subtitleId + SubtitleFontOptions(Settings.WorkFolder);
        }
        // Only the chosen side file, never the whole list: exactly that one path is passed.
        const std::string prefix = "SRT File:";
        if (const int at = Pos(prefix, choice); at > 0) {
            std::string path = choice.substr(static_cast<std::size_t>(at - 1) + prefix.size());
            while (!path.empty() && (path.back() == '\r' || path.back() == '\n'))
                path.pop_back();
            if (!path.empty())
                options += " -sub " + QuoteArg(path) + SubtitleFontOptions(Settings.WorkFolder);
        }
    }

    // Sound that starts after the picture (a camera's or a cut recording's) is written where it starts:
    // the encoder itself starts every sound at the output's start.
    const double soundStart = ParseFloatDot(Sources.Cells(SourceRecord::SoundStart, s)) -
                              CellInt(Sources.Cells(SourceRecord::StartSeconds, s));
    if (soundStart >= 0.05)
        options += " -audio-delay " + Format("%.3f", {soundStart});

    if (Sources.Cells(SourceRecord::AngleOn, s) == "YES") {
        const std::string angle = Trim(Sources.Cells(SourceRecord::Angle, s));
        if (IsNumber(angle))
            options += " -angle " + angle;
    }
    return options;
}

} // namespace

std::string SoundReadingOption(const std::string& SourcePath, const std::string& SourceArg)
{
    // A program stream muxed at a disc's full rate (as ffmpeg writes a DVD) can carry some hundred
    // packs of picture between two of sound near its start. After 80 packs without sound the
    // tools' reader takes the sound for ended, and the picture comes with a tenth of a second of
    // sound. -ni has it read on for the sound; its bound on queued packets still holds.
    const std::string ext = LowerCase(ExtractFileExt(SourcePath));
    const bool disc = Pos("dvd-device", SourceArg) > 0;
    return disc || ext == ".vob" || ext == ".mpg" || ext == ".mpeg" ? " -ni" : "";
}

std::string SourceReadingOptions(const std::string& SourcePath, const std::string& SourceArg)
{
    const std::string reading = SoundReadingOption(SourcePath, SourceArg);
    if (Pos("dvd-device", SourceArg) > 0)
        return reading;
    const std::string ext = LowerCase(ExtractFileExt(SourcePath));
    std::string options = reading;
    // The encoder's own AVI reader hands over a single picture of an AVI as ffmpeg writes it (MPEG-4
    // with MP3 sound); the general reader takes every picture of it, and of the XviD files the own
    // reader did take.
    // A transport stream is read as it was identified: its own reader ran the picture twice as fast.
    if (ext == ".avi" || IsTransportStream(SourcePath))
        options += " -demuxer lavf";
    // A file is converted picture for picture: correcting the sound's sync by dropping and repeating
    // pictures lost some of the first and last ones of every MPEG and MP4 file.
    options += " -mc 0";
    return options;
}

double JobFrameRate(const std::string& SourceFps, double MaxFps)
{
    // A rate the player could not know is taken as high as the device allows, as a rate above the
    // device's maximum is.
    double f = Trim(SourceFps).empty() ? 30 : ParseFloatDot(SourceFps);
    // A profile without a maximum does not cap the rate (a cap of 0 would turn every job into 5 fps).
    if (MaxFps > 0)
        f = std::min(f, MaxFps);
    return std::clamp(f, 5.0, 30.0);
}

int BuildJob(TskSkinStringGrid& convertgrid, const TskSkinStringGrid& StringGrid1, const TProfileState& Profile,
             const TJobSettings& Settings, int SourceRow)
{
    const int s = SourceRow;
    if (StringGrid1.Cells(SourceRecord::Selected, s) != "YES" || StringGrid1.Cells(SourceRecord::VideoWidth, s).empty())
        return -1;

    const int r = AppendRow(convertgrid);
    if (const TStringSparseList* source = StringGrid1.StoredRow(s)) {
        source->ForEachLine([&convertgrid, r](int col, const std::string& text, void*) {
            convertgrid.SetCells(col, r, text);
            return 0;
        });
    }

    const auto source = [&StringGrid1, s](int col) { return StringGrid1.Cells(col, s); };
    convertgrid.SetCells(JobRecord::FrameWidth, r, source(SourceRecord::VideoWidth));
    convertgrid.SetCells(JobRecord::FrameHeight, r, source(SourceRecord::VideoHeight));
    convertgrid.SetCells(JobRecord::SizeText, r, source(SourceRecord::VideoAspect));
    convertgrid.SetCells(JobRecord::Aspect, r, source(SourceRecord::VideoAspect));
    convertgrid.SetCells(JobRecord::ProfileOption1, r, Profile.Option1.empty() ? "0" : Profile.Option1);
    convertgrid.SetCells(JobRecord::ProfileOption2, r, Profile.Option2.empty() ? "0" : Profile.Option2);

    std::string options = Profile.Template;
    options += SourceReadingOptions(source(SourceRecord::SourcePath), source(SourceRecord::SourceArg));

    convertgrid.SetCells(JobRecord::JobId, r, Format("%5.5d", {r}));
    convertgrid.SetCells(JobRecord::Encoder, r, Profile.Encoder);
    convertgrid.SetCells(JobRecord::OptionTemplate, r, options);
    convertgrid.SetCells(JobRecord::OutputExt, r, Profile.Extension);
    convertgrid.SetCells(JobRecord::SourceRow, r, IntToStr(s));

    // Each job keeps its own rate: all jobs are built before the first one runs.
    const double fps = JobFrameRate(source(SourceRecord::FrameRate), Profile.MaxFps);
    convertgrid.SetCells(JobRecord::FrameRate, r, Pos("-ofps ", options) > 0 ? std::string() : FloatToStr(fps));

    std::string name = SafeOutputName(source(SourceRecord::OutputName));
    if (name.empty())
        name = SafeOutputName(source(SourceRecord::Title));
    if (name.empty())
        name = Format("%5.5d", {s});

    convertgrid.SetCells(JobRecord::JobOptions, r, JobOptions(StringGrid1, s, options, Settings));
    convertgrid.SetCells(JobRecord::SourceArg, r, source(SourceRecord::SourceArg));
    convertgrid.SetCells(JobRecord::OutputFolder, r, WithTrailingSlash(Profile.Destination));
    convertgrid.SetCells(JobRecord::OutputName, r, name);
    convertgrid.SetCells(JobRecord::DeviceName, r, Profile.DeviceName);
    convertgrid.SetCells(JobRecord::OutputFile, r, name + "." + Profile.Extension);
    convertgrid.SetCells(JobRecord::LengthSeconds, r, source(SourceRecord::RoundedLength));
    convertgrid.SetCells(JobRecord::ScreenSize, r, Profile.ScreenSize);
    return r;
}

// --- the conversion plan ----------------------------------------------------------------------------

namespace {

// A part that starts after the source's own start: its first pictures are reached by a seek.
bool StartsInsideTheSource(const TPartRange& Range)
{
    return Range.From > 0 || Range.FirstChapter > 1;
}

bool Exists(const std::string& Path)
{
    return FileExists(Path) || DirectoryExists(Path);
}

} // namespace

int CellInt(const std::string& Text, int Default)
{
    const std::string t = Trim(Text);
    int value = 0;
    if (TryStrToInt(t, value))
        return value;
    // Sizes and lengths are sometimes written with a fraction ("120.04").
    if (IsFloat(t)) {
        const double d = ParseFloatDot(t);
        if (d > -2e9 && d < 2e9)
            return static_cast<int>(Round(d));
    }
    return Default;
}

int RoundUp16(double X)
{
    if (!(X > 0) || X > 1e9)
        return 0;
    std::int64_t k = Round(X / 16);
    if (X / 16 > static_cast<double>(k))
        ++k;
    return static_cast<int>(k * 16);
}

TFit FitIntoBox(double W, double H, int BoxW, int BoxH)
{
    TFit fit;
    if (!(W > 0) || !(H > 0) || BoxW <= 0 || BoxH <= 0)
        return fit;
    double h = static_cast<double>(Round(Int(BoxW / W * H)));
    double w = BoxW;
    if (h > BoxH) {
        w = static_cast<double>(Round(Int(BoxH / H * W)));
        h = BoxH;
    }
    fit.Width = RoundUp16(w);
    fit.Height = RoundUp16(h);
    return fit;
}

std::vector<TPartRange> ChapterRanges(int First, int Last, int Every)
{
    std::vector<TPartRange> ranges;
    Every = std::max(1, Every);
    First = std::max(1, First);
    if (Last < 1 || First > Last)
        return ranges;
    for (int a = First; a <= Last;) {
        const int b = std::min(a + Every - 1, Last);
        TPartRange range;
        range.FirstChapter = a;
        range.LastChapter = b;
        ranges.push_back(range);
        a = b + 1;
    }
    return ranges;
}

std::vector<std::string> ChapterParts(int First, int Last, int Every)
{
    std::vector<std::string> parts;
    for (const TPartRange& r : ChapterRanges(First, Last, Every))
        parts.push_back(" -chapter " + IntToStr(r.FirstChapter) + "-" + IntToStr(r.LastChapter) + " ");
    return parts;
}

std::string PartOutputPath(const std::string& Encoder, const std::string& Folder, const std::string& Name,
                           const std::string& Ext, int k, int n)
{
    std::string number;
    if (n > 1)
        number = Encoder == "ffmpeg" ? IntToStr(k + 1) : Format("%2.2d", {k + 1});
    return Folder + Name + number + "." + Ext;
}

std::string ComposeCommand(const std::string& Encoder, const TJobPlan& Plan, const std::string& Src,
                           const std::string& Part, int PartCount, const std::string& JobOptions,
                           const std::string& Output, const std::string& WorkFolder)
{
    const std::string B = " ";
    if (Encoder == "mencoder") {
        const std::string filters = Plan.CropPiece + Plan.FilterChain;
        return QuoteArg("mencoder") + B + Src + Part + B + Plan.FrameRatePiece +
               (filters.empty() ? std::string() : " -vf " + filters) + B + Plan.Template + B + JobOptions + " -o " +
               QuoteArg(Output);
    }
    if (Encoder == "wmencoder") {
        const std::string head =
            QuoteArg("omscript") + B + QuoteArg(JoinPath(WorkFolder, "wmcmd.vbs")) + " -input " + Src + B;
        if (PartCount > 1)
            return head + Plan.Template + B + Plan.ClipPiece + B + Plan.ScriptOptions + " -output " + QuoteArg(Output);
        return head + Plan.ClipPiece + B + Plan.ScriptOptions + B + Plan.Template + " -output " + QuoteArg(Output);
    }
    if (Encoder == "ffmpeg") {
        // -nostdin: the runner keeps the child's input open, and a question there would wait for ever.
        return QuoteArg("ffmpeg") + " -nostdin -i " + Src + B + Plan.Template + B + Plan.FfmpegCrop + B +
               Plan.FfmpegOptions + B + QuoteArg(Output);
    }
    return std::string();
}

TJobPlan PlanJob(TskSkinStringGrid& convertgrid, const TskSkinStringGrid& StringGrid1, int j,
                 const TPlanSettings& Settings)
{
    TJobPlan plan;
    const auto job = [&convertgrid, j](int col) { return convertgrid.Cells(col, j); };
    const std::string encoder = job(JobRecord::Encoder);
    plan.Template = job(JobRecord::OptionTemplate);

    // Screen size "480x320".
    int SW = 0, SH = 0;
    {
        const std::string screen = job(JobRecord::ScreenSize);
        const std::size_t x = LowerCase(screen).find('x');
        if (x != std::string::npos) {
            SW = CellInt(screen.substr(0, x));
            SH = CellInt(screen.substr(x + 1));
        }
    }

    // The source picture in display pixels: the cropped size when there is one, the display size,
    // else the frame size.
    const int frameW = CellInt(job(JobRecord::FrameWidth));
    const int frameH = CellInt(job(JobRecord::FrameHeight));
    int displayW = CellInt(job(JobRecord::DisplayWidth));
    int displayH = CellInt(job(JobRecord::DisplayHeight));
    if (displayW <= 0)
        displayW = frameW;
    if (displayH <= 0)
        displayH = frameH;
    const int croppedW = CellInt(job(JobRecord::CroppedWidth));
    const int croppedH = CellInt(job(JobRecord::CroppedHeight));
    int W = croppedW > 0 ? croppedW : displayW;
    int H = croppedH > 0 ? croppedH : displayH;
    if (croppedW > 0 && frameW > 0 && displayW != W)
        W = static_cast<int>(Round(static_cast<double>(displayW) / frameW * W / 16) * 16);
    if (croppedH > 0 && frameH > 0 && displayH != H)
        H = static_cast<int>(Round(static_cast<double>(displayH) / frameH * H / 16) * 16);
    if (W <= 0 || H <= 0) {
        plan.Reason = "no picture size";
        return plan;
    }
    TPictureShape shape;
    shape.Rotation = CellInt(job(JobRecord::PictureTurn));
    shape.Rate = ParseFloatDot(job(JobRecord::UnevenRate));
    shape.VariableRate = shape.Rate > 0;
    // A picture a player shows turned a quarter is fitted into the device's box the way it is shown.
    if (LiesOnItsSide(shape))
        std::swap(W, H);

    int w = W, h = H;
    if (SW > 0 && SH > 0) {
        const TFit fit = FitIntoBox(W, H, SW, SH);
        w = fit.Width;
        h = fit.Height;
        if (w > SW * 0.95)
            w = SW;
        if (h > SH * 0.95)
            h = SH;
    }
    if (job(JobRecord::ProfileOption1).empty())
        convertgrid.SetCells(JobRecord::ProfileOption1, j, "0");
    if (job(JobRecord::ProfileOption2).empty())
        convertgrid.SetCells(JobRecord::ProfileOption2, j, "0");
    plan.Width = W;
    plan.Height = H;
    plan.SizeText = IntToStr(W) + " x " + IntToStr(H);

    // H.263 takes only its fixed picture sizes: the picture is always brought to the device's screen,
    // scaled up when smaller and framed with black where its shape differs.
    const bool fixedSize = Pos("vcodec=h263", plan.Template) > 0 && SW > 0 && SH > 0;
    bool scale = false;
    if (Pos("noscale", plan.Template) > 0) {
        plan.Template = StringReplace(plan.Template, "noscale", "");
    } else if (SW > 0 && SH > 0 && (W > w || h < H || fixedSize)) {
        scale = true;
        w = std::min(w, SW);
        h = std::min(h, SH);
    } else {
        // A picture that fits the screen reaches the encoder as it is stored, and that size may be
        // one its codec refuses (an odd side): it is brought to even sides. The encoder carries the
        // shape it is shown in (the display size travels through the filters), so only the size
        // changes.
        int storedW = croppedW > 0 ? croppedW : frameW;
        int storedH = croppedH > 0 ? croppedH : frameH;
        if (LiesOnItsSide(shape))
            std::swap(storedW, storedH);
        const int step = PictureSizeStep;
        w = RoundToStep(storedW, step);
        h = RoundToStep(storedH, step);
        // Pixels narrower than they are shown can make the stored picture wider than the screen
        // its shown size fits: it is brought to that shown size instead.
        if (SW > 0 && SH > 0 && (w > SW || h > SH)) {
            w = std::min(RoundToStep(W, step), SW);
            h = std::min(RoundToStep(H, step), SH);
        }
        scale = w > 0 && h > 0 && (w != storedW || h != storedH);
    }
    if (scale) {
        plan.FilterChain = "scale=" + IntToStr(w) + ":" + IntToStr(h) + ",";
        if (fixedSize && (w != SW || h != SH))
            plan.FilterChain += "expand=" + IntToStr(SW) + ":" + IntToStr(SH) + ",";
        plan.ScriptOptions += " -v_width " + IntToStr(w) + " -v_height " + IntToStr(h);
        plan.FfmpegOptions += " -s " + IntToStr(w) + "x" + IntToStr(h);
        plan.Width = w;
        plan.Height = h;
        plan.SizeText = IntToStr(w) + " x " + IntToStr(h);
    }
    convertgrid.SetCells(JobRecord::SizeText, j, plan.SizeText);
    // Turned upright after the crop (found on the stored picture) and before the scale (which is meant
    // for the upright one).
    if (encoder == "mencoder")
        plan.FilterChain = UprightFilters(shape) + plan.FilterChain;

    double outputRate = 0; // pictures a second of the output; 0 when the template sets its own
    // An uneven file's constant-rate copy is made at the rate the job writes (the file's own when the
    // template sets the rate).
    double steadyRate = shape.Rate;
    if (Pos("fps", plan.Template) == 0) {
        std::string rate = Trim(job(JobRecord::FrameRate));
        if (Settings.Budget > 0)
            rate = IntToStr(static_cast<int>(
                std::clamp<std::int64_t>(Round(static_cast<double>(Settings.Budget) / plan.Width / plan.Height), 2, 30)));
        if (!rate.empty() && IsFloat(rate)) {
            plan.FrameRatePiece = " -ofps " + rate;
            plan.ScriptOptions += " -v_framerate " + rate;
            plan.FfmpegOptions += " -r " + rate;
            outputRate = ParseFloatDot(rate);
            steadyRate = outputRate;
        }
    }

    std::string src = job(JobRecord::SourceArg);
    const int sourceRow = CellInt(job(JobRecord::SourceRow), -1);
    const bool keepsItsRate =
        outputRate > 0 && sourceRow >= 0 &&
        std::abs(ParseFloatDot(StringGrid1.Cells(SourceRecord::FrameRate, sourceRow)) - outputRate) < 0.01;
    const bool fieldCoded = job(SourceRecord::FieldCoded) == "YES";
    // A field-coded picture whose rate the job changes is brought to that rate by the copy too: the
    // encoder's own rate change held its first pictures back (its decoder's delay counted as pictures),
    // and the picture ran 0.12-0.17 s behind the sound from then on.
    const bool steadyCopy = (shape.VariableRate || (fieldCoded && outputRate > 0 && !keepsItsRate)) &&
                            steadyRate > 0 && encoder == "mencoder" && !Settings.SteadyCopy.empty() &&
                            Pos("dvd-device", src) == 0;
    if (steadyCopy) {
        plan.ReadStep = ConstantRateCommand(job(JobRecord::GroupKey), steadyRate, Settings.SteadyCopy);
        src = QuoteArg(Settings.SteadyCopy);
    }
    // A picture stored as fields is made whole before it is turned or scaled: scaled as it is, its
    // two fields blur into doubled moving edges. A picture stored as frames is left as it is.
    if (encoder == "mencoder" && fieldCoded)
        plan.FilterChain = "yadif," + plan.FilterChain;
    if (Pos("dvd-device", src) > 0)
        plan.FilterChain = "harddup," + plan.FilterChain;
    // A source kept at its own rate is taken picture for picture: the encoder's rate conversion still
    // drops the first picture and repeats one now and then, which a clip of a second cannot spare,
    // and its sync correction on a disc's title held the sound 0.16 s behind the picture on the MP3
    // profiles. (A file's reading options already turn that correction off.) A field-coded source's
    // steady copy is made at the job's rate, so it is taken picture for picture as well.
    const bool disc = Pos("dvd-device", src) > 0;
    const bool pictureForPicture = encoder == "mencoder" && (keepsItsRate || (steadyCopy && fieldCoded));
    plan.PictureForPicture = pictureForPicture;
    if (pictureForPicture && !disc)
        plan.FrameRatePiece += " -noskip";

    // Parts, from the source row. Empty cells take the defaults, never another job's values.
    const int s = CellInt(job(JobRecord::SourceRow), -1);
    const auto source = [&StringGrid1, s](int col) { return s >= 0 ? StringGrid1.Cells(col, s) : std::string(); };
    const int chapters = CellInt(source(SourceRecord::Chapters));
    const int first = CellInt(source(SourceRecord::FirstChapter), 1);
    const int last = CellInt(source(SourceRecord::LastChapter), chapters);
    const int every = CellInt(source(SourceRecord::SplitChapters), 1);
    const bool rangeOn = source(SourceRecord::ChapterRangeOn) == "YES";
    const bool splitOn = source(SourceRecord::SplitOn) == "YES";
    if (rangeOn && !splitOn) {
        if (first <= last && last >= 1) {
            plan.Parts.push_back(" -chapter " + IntToStr(first) + "-" + IntToStr(last) + " ");
            plan.Ranges.push_back({0, 0, first, last});
        }
    } else if (rangeOn || splitOn) {
        plan.Ranges = rangeOn ? ChapterRanges(first, last, every) : ChapterRanges(1, chapters, every);
        plan.Parts = rangeOn ? ChapterParts(first, last, every) : ChapterParts(1, chapters, every);
    } else {
        const int a = CellInt(source(SourceRecord::StartSeconds));
        const int b = CellInt(source(SourceRecord::EndSeconds));
        const int length = CellInt(source(SourceRecord::Length));
        const bool ranged = b > a && b != length;
        plan.Ranges.push_back({static_cast<double>(a), ranged ? static_cast<double>(b) : 0.0, 0, 0});
        std::string piece = " ";
        if (a != 0) {
            piece += " -ss " + IntToStr(a);
            plan.ScriptOptions += " -time " + IntToStr(a) + "000";
            plan.FfmpegOptions += " -ss " + IntToStr(a);
        } else {
            plan.ScriptOptions += " -time 0";
        }
        if (ranged) {
            piece += " -endpos " + IntToStr(b - a);
            plan.ScriptOptions += " " + IntToStr(b);
            plan.FfmpegOptions += " -t " + IntToStr(b - a);
        } else {
            plan.ScriptOptions += " end";
            // A disc's navigation may lead on from the title's end into another title (or back into
            // this one) for ever: the title's own length ends the run.
            // Counted in pictures: bounded by a time, the encoder never exits when the title's stream
            // ends at (or just before) that time, as a disc's last title does.
            const double titleLength = ParseFloatDot(source(SourceRecord::Length));
            if (Pos("dvd-device", src) > 0 && titleLength > a && outputRate > 0 && encoder == "mencoder")
                piece += " -frames " + IntToStr(static_cast<int>(std::ceil((titleLength - a) * outputRate)));
            else if (Pos("dvd-device", src) > 0 && titleLength > a)
                piece += " -endpos " + FloatToStr(titleLength - a);
        }
        plan.Parts.push_back(piece);
    }
    if (plan.Parts.empty()) {
        plan.Reason = "no chapters to convert";
        return plan;
    }

    if (const std::string crop = job(JobRecord::CropFilter); !crop.empty())
        plan.CropPiece = crop + ",";
    plan.ClipPiece = job(JobRecord::ClipOptions);
    plan.FfmpegCrop = job(JobRecord::FfmpegCrop);

    // A base name for which none of the files this job writes exists: a split job writes numbered
    // files, and those are the ones that must not be overwritten.
    const std::string folder = job(JobRecord::OutputFolder);
    const std::string ext = job(JobRecord::OutputExt);
    const int n = static_cast<int>(plan.Parts.size());
    // An "mp4x" job has mencoder write "temp.mp4x" and is judged on the ".mp4" file, which only
    // another step makes; both names must be free, so an older ".mp4" is never taken for the result.
    const bool mp4x = encoder == "mencoder" && ext == "mp4x";
    const auto taken = [&](const std::string& name, const std::vector<std::string>& exts) {
        for (const std::string& e : exts)
            for (int k = 0; k < n; ++k)
                if (Exists(PartOutputPath(encoder, folder, name, e, k, n)))
                    return true;
        return false;
    };
    const auto unique = [&](const std::string& name, const std::vector<std::string>& exts) {
        if (!taken(name, exts))
            return name;
        for (int c = 1;; ++c) {
            const std::string candidate = name + "(" + IntToStr(c) + ")";
            if (!taken(candidate, exts))
                return candidate;
        }
    };
    const std::string name = unique(job(JobRecord::OutputName), mp4x ? std::vector<std::string>{ext, "mp4"}
                                                                     : std::vector<std::string>{ext});
    // The scratch name is made free the same way: a "temp.mp4x" of the user's is never overwritten.
    const std::string tempName = mp4x ? unique("temp", {ext}) : std::string();
    plan.OutputName = name;
    convertgrid.SetCells(JobRecord::OutputName, j, name);
    convertgrid.SetCells(JobRecord::OutputFile, j, name + "." + ext);

    for (int k = 0; k < n; ++k) {
        const std::string& part = plan.Parts[static_cast<std::size_t>(k)];
        std::string partSrc = src;
        if (Pos("chapter", part) > 0 || n > 1)
            partSrc = StringReplace(partSrc, "dvdnav:", "dvd:", rfReplaceAll);
        const std::string out = PartOutputPath(encoder, folder, mp4x ? tempName : name, ext, k, n);
        // The tool writes a working name: a file under the final name is always one that was judged.
        const std::string written = mp4x ? out : WorkingOutputPath(out);
        // A part that starts inside a title begins where the disc holds sound ahead of its picture:
        // only the encoder's sync correction takes that lead back, so such a part keeps it.
        const bool startsInside = k < static_cast<int>(plan.Ranges.size()) &&
                                  StartsInsideTheSource(plan.Ranges[static_cast<std::size_t>(k)]);
        const std::string partPiece = pictureForPicture && disc && !startsInside ? part + " -mc 0 -noskip" : part;
        std::string command = ComposeCommand(encoder, plan, partSrc, partPiece, n, job(JobRecord::JobOptions),
                                             written, Settings.WorkFolder);
        if (Settings.NicerSubtitles)
            command = StringReplace(command, "dvdnav:", "dvd:", rfReplaceAll);
        plan.Outputs.push_back(mp4x ? PartOutputPath(encoder, folder, name, "mp4", k, n) : out);
        plan.Written.push_back(mp4x ? plan.Outputs.back() : written);
        plan.Commands.push_back(command);
    }
    if (plan.Commands.front().empty()) {
        plan.Reason = "unknown encoder";
        return plan;
    }
    plan.Runnable = true;
    return plan;
}

// --- the conversion driver ------------------------------------------------------------------------

#include <ctime>

#include <unistd.h>

#include "app/Unit1.h"
#include "app/om_progress.h"
#include "app/om_queue.h"
#include "app/om_runcontrol.h"
#include "platform/sys/ToolSupport.h"
#include "platform/sys/Volumes.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TTimer.h"
#include "process/TOxCreateProcess.h"

namespace {

// An encoder's lines are served in batches this far apart: less than a frame of the window, and a
// few dozen wakes a second instead of one for every picture it encodes.
constexpr int kEncoderPaceMs = 15;

// What the identification found of the source's sound; a source it says nothing of has none.
bool SourceHasSound(const TskSkinStringGrid& Sources, int Row)
{
    if (Row < 0)
        return true;
    for (int col : {SourceRecord::AudioFormat, SourceRecord::AudioCodec, SourceRecord::AudioStreams})
        if (!Trim(Sources.Cells(col, Row)).empty())
            return true;
    return false;
}

// What a user can mend when a part made nothing usable, named before the encoder is blamed; "" when
// it is none of these.
std::string FailureCause(const std::string& SourcePath, const std::string& SourceArg, const std::string& OutputFolder)
{
    if (Pos("dvd-device", SourceArg) == 0 && !SourcePath.empty() && !FileExists(SourcePath))
        return "the source file is gone";
    switch (DestinationState(OutputFolder)) {
    case TDestinationState::NotAFolder: return "the destination is not a folder";
    case TDestinationState::Missing: return "the destination folder is gone";
    case TDestinationState::ReadOnly: return "the destination folder is read-only";
    case TDestinationState::Usable: break;
    }
    return std::string();
}

std::string ClockText()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &tm);
    return std::string(text) + "  ";
}

// Puts the window's flags and the runner's line handler back, whatever way the queue ends.
class TQueueGuard {
public:
    TQueueGuard(TForm1& Form) : FForm(Form), FOnRead(Form.OxCreateProcess1->OnRead) {}
    ~TQueueGuard()
    {
        FForm.OxCreateProcess1->OnRead = FOnRead;
        FForm.converttimer->SetEnabled(false);
        // The progress display wrote into the application's title; the program's own comes back.
        Application->SetTitle(FForm.RunState.MainTitle);
        FForm.RunState.Converting = 0;
        FForm.RunState.Scanning = 0;
        FForm.RunState.GrabMode = 0;
        if (!FForm.OxCreateProcess1->Waiting())
            FForm.RunState.ToolRunning = 0;
    }
    TQueueGuard(const TQueueGuard&) = delete;
    TQueueGuard& operator=(const TQueueGuard&) = delete;

private:
    TForm1& FForm;
    TOxCPSReadEvent FOnRead;
};

// Builds the job table: every profile row of dq against every source row.
std::vector<int> BuildJobs(TForm1& Form, const TConvertOptions& Options)
{
    TOmTables& t = Form.Tables();
    ClearTable(*t.convertgrid);
    std::vector<int> budgets;
    for (int d = 0; d < t.dq->StoredRowCount(); ++d) {
        if (t.dq->Cells(DeviceProfile::Name, d).empty())
            continue;
        const TProfileState profile = LoadProfile(*t.dq, *t.codecgrid, d, Options.Quality, Options.Destination);
        TJobSettings settings;
        settings.ClosedCaptions = Options.ClosedCaptions;
        settings.WorkFolder = Form.WorkFolder;
        for (int s = 0; s < t.StringGrid1->StoredRowCount(); ++s) {
            if (Form.Queue && !Form.Queue->MayConvert(s))
                continue;
            const int r = BuildJob(*t.convertgrid, *t.StringGrid1, profile, settings, s);
            if (r >= 0) {
                budgets.resize(static_cast<std::size_t>(r) + 1, 0);
                budgets[static_cast<std::size_t>(r)] = profile.Budget;
            }
        }
    }
    const int jobs = JobCount(*t.convertgrid);
    for (int j = 0; j < jobs; ++j)
        for (int col : {10, 12, 13, 14})
            t.convertgrid->SetCells(col, j, "");
    budgets.resize(static_cast<std::size_t>(jobs), 0);
    return budgets;
}

// One run of the queue, in the order its steps come: the jobs are built, then each job is planned,
// its parts are run and judged one after the other and its row is finished; at the end the queue is
// summed up. What Stop and Skip do to each step is decided in one place (the section below marked so).
class TQueueRun {
public:
    TQueueRun(TForm1& Form, const TConvertOptions& Options);
    TQueueRun(const TQueueRun&) = delete;
    TQueueRun& operator=(const TQueueRun&) = delete;

    void Run();

private:
    // Where the queue goes after a job.
    enum class TAfterJob { NextJob, EndQueue };
    // How the steps of a part ended.
    enum class TStepsEnd { Ran, Failed };

    // What one job gathers over its parts.
    struct TJob {
        int Index = 0;      // the job's row of convertgrid
        int SourceRow = -1; // its row of StringGrid1, -1 when it has none
        TJobPlan Plan;
        // What the job is to cover: the source's length, and for chapter parts where its chapters
        // start (the player is asked once, after the first part that ran).
        double SourceLength = 0;
        bool WantAudio = false;
        TMediaReport SourceReport;
        bool SourceAsked = false;
        TMediaReport SourceHeld; // the source file's packets, read when a part is judged against them
        bool AllParts = true;
        bool DestinationFull = false;
        std::string Why; // what went wrong, for the row's failure
    };

    // --- the steps -------------------------------------------------------------------------------
    TAfterJob RunJob(int j);
    void EndUnrunnableJob(const TJob& Job);
    void RunPart(TJob& Job, int k);
    void BeginPart(const TJob& Job, int k);
    std::vector<std::string> PartSteps(const TJob& Job, int k) const;
    TStepsEnd RunSteps(const TJob& Job, int k, const std::vector<std::string>& Steps);
    // "" when the part's file holds what the part was to cover, else what is wrong with it.
    std::string JudgePart(TJob& Job, int k, TStandbyProbe& Judge);
    std::string JudgeAgainstSource(TJob& Job, const TPartRange& Range, const TMediaReport& Made);
    static std::string JudgeHolding(const TMediaReport& Made, const TPartHolding& Held, bool WantAudio);
    void EndPart(TJob& Job, int k, bool PartOk);
    // The judged-whole file of part k under its final name; false when it could not be renamed.
    bool GiveFinalName(TJob& Job, int k);
    void OpenTrayAfterLastPart(const TJob& Job, int k);
    TAfterJob FinishJob(TJob& Job);
    void FinishQueue();

    // --- what Stop and Skip do: decided here only ------------------------------------------------
    // Stop ends the queue: no tool starts after it, the part it cut is neither judged nor kept, the
    // job's row says "Stopped Conversion", every later job only gets its times and that text, and
    // the queue ends without summing up its failures and without showing the folder.
    // Skip ends the part that runs: it is neither judged nor kept, no tray opens for it, and the next
    // part starts afresh; a job whose last part was skipped says "Skipped Conversion".
    // Closing the window is a Stop: what the cut part wrote is set aside and the scratch files go
    // before the window does.
    bool StopAsked() const { return FForm.RunState.AbortRequested != 0 || Application->Terminated(); }
    bool SkipAsked() const { return FForm.RunState.SkipRequested != 0; }
    bool Interrupted() const { return StopAsked() || SkipAsked(); }
    // Whether a tool run or a judgement that serves the window's messages goes on.
    bool KeepGoing() const { return !Interrupted() && !Application->Terminated(); }
    // What a judgement's probing run calls between its looks: the window is served.
    std::function<bool()> ServeWhileJudging()
    {
        return [this] {
            Application->ProcessMessages();
            return KeepGoing();
        };
    }
    void StartQueueAfresh();
    void StartPartAfresh();
    // The row of a job that Stop or Skip ended. One that Stop ended before any of its parts ran
    // (PartsRan false) only gets its text: the status already says the queue stopped.
    void EndInterruptedJob(const TJob& Job, bool PartsRan);

    // --- the tools -------------------------------------------------------------------------------
    void OnToolLine(TObject* Sender, const std::string& Line, bool Starts, bool Ends);
    TRunControl::TToolWatch Watch(const std::string& File);
    // What the player's Command reports; false when the run was cut short (Stop, closing).
    bool AskPlayer(const std::string& Command, TMediaReport& Into);

    // What part k of the job is to cover of its source.
    static TPartRange PartRange(const TJob& Job, int k)
    {
        return k < static_cast<int>(Job.Plan.Ranges.size()) ? Job.Plan.Ranges[static_cast<std::size_t>(k)]
                                                            : TPartRange();
    }
    std::string Cell(const TJob& Job, int Column) const { return FJobs.Cells(Column, Job.Index); }
    std::string SourceCell(const TJob& Job, int Column) const
    {
        return Job.SourceRow >= 0 ? FForm.StringGrid1->Cells(Column, Job.SourceRow) : std::string();
    }
    // A failure must not read like the finished jobs around it: the row and the status say so, and
    // it counts among the failures the status sums up at the end.
    void Failed(int Row, const std::string& File, const std::string& Why);

    TQueueGuard FGuard; // first, so that it puts everything back last
    TForm1& FForm;
    const TConvertOptions& FOptions;
    TRunControl& FRun;
    TskSkinStringGrid& FJobs;
    const TOxCPSReadEvent FFormRead;
    std::vector<int> FBudgets;
    int FCount = 0;
    std::string FScratch;
    std::string FSteadyCopy;
    std::string FScratchFolder;
    std::string FUncut;      // a part's file before its sound's lead is cut (named as its output's kind)
    double FSoundLead = 0;   // seconds of the part's sound to cut (a disc part that starts inside)
    double FInnerSpan = 0;   // seconds a disc part that ends inside its title lasts (0 = to the end)

    // The last progress line of each run, so a part that ends between two timer ticks is judged on
    // where it got to, not on the tick before.
    std::string FLastProgress;
    // While the player reports on a file, its lines go to that report instead.
    TMediaReport* FReport = nullptr;
    // Where in the source the encoder of the running part first could not decode it (-1: nowhere),
    // named when the part fails.
    double FDamageAt = -1;
    // The running part starts with a seek: the pictures before the first whole one after it cannot
    // be decoded on any source (their references lie before the seek), which is no damage.
    bool FPartSeeks = false;
    // How far the running tool got: every line moves it, and its closing report says it is done.
    int FToolLines = 0;
    bool FToolSaidEnd = false;

    int FFailures = 0;
    std::string FLastFailure;
    bool FMadeSomething = false;
};

TQueueRun::TQueueRun(TForm1& Form, const TConvertOptions& Options)
    : FGuard(Form), FForm(Form), FOptions(Options), FRun(Form.RunControl()), FJobs(*Form.Tables().convertgrid),
      FFormRead(Form.OxCreateProcess1->OnRead)
{
    FForm.RunState.Converting = -1;
    StartQueueAfresh();
    FForm.OxCreateProcess1->OnRead = [this](TObject* Sender, const std::string& Line, bool Starts, bool Ends) {
        OnToolLine(Sender, Line, Starts, Ends);
    };
}

void TQueueRun::Run()
{
    FBudgets = BuildJobs(FForm, FOptions);
    FCount = JobCount(FJobs);
    // The scratch files are this run's own: another copy of the program converting beside it never
    // writes them.
    const std::string scratch = RunScratchFolder(FForm.WorkFolder);
    FScratch = scratch + "convert.avi";
    FSteadyCopy = scratch + "steady.nut";
    FScratchFolder = scratch;
    for (int j = 0; j < FCount; ++j)
        if (RunJob(j) == TAfterJob::EndQueue)
            break;
    FinishQueue();
}

TQueueRun::TAfterJob TQueueRun::RunJob(int j)
{
    if (FJobs.Cells(JobRecord::VideoCodec, j).empty())
        return TAfterJob::NextJob;
    TJob job;
    job.Index = j;
    FJobs.SetCells(JobRecord::StartTime, j, ClockText());
    FJobs.SetCells(JobRecord::StatusText, j, "");
    FJobs.SetCells(JobRecord::EndTime, j, "");
    job.SourceRow = CellInt(Cell(job, JobRecord::SourceRow), -1);

    if (!StopAsked() && Pos("gpp", FOptions.DeviceText) > 0 && FOptions.DetectCrop)
        FOptions.DetectCrop(j);

    TPlanSettings planSettings;
    planSettings.Budget = FBudgets[static_cast<std::size_t>(j)];
    planSettings.NicerSubtitles = FOptions.NicerSubtitles;
    planSettings.WorkFolder = FForm.WorkFolder;
    planSettings.SteadyCopy = FSteadyCopy;
    job.Plan = PlanJob(FJobs, *FForm.StringGrid1, j, planSettings);

    if (StopAsked()) {
        FJobs.SetCells(JobRecord::EndTime, j, ClockText());
        EndInterruptedJob(job, false);
        return TAfterJob::NextJob;
    }
    if (!job.Plan.Runnable || Cell(job, JobRecord::Encoder) == "wmencoder") {
        EndUnrunnableJob(job);
        return TAfterJob::NextJob;
    }

    if (FForm.Queue)
        FForm.Queue->setNote(job.SourceRow, "");
    job.SourceLength = ParseFloatDot(SourceCell(job, SourceRecord::Length));
    job.WantAudio = SourceHasSound(*FForm.StringGrid1, job.SourceRow) &&
                    CarriesAudio(Cell(job, JobRecord::OptionTemplate) + " " + Cell(job, JobRecord::JobOptions));
    const int n = static_cast<int>(job.Plan.Commands.size());
    for (int k = 0; k < n && !StopAsked() && !job.DestinationFull; ++k)
        RunPart(job, k);
    FJobs.SetCells(JobRecord::EndTime, j, ClockText());
    return FinishJob(job);
}

// Nothing can be made: the row says so instead of waiting on a tool that never comes.
void TQueueRun::EndUnrunnableJob(const TJob& Job)
{
    if (Job.SourceRow >= 0)
        FForm.SetSourceSelected(Job.SourceRow, "No");
    FJobs.SetCells(JobRecord::EndTime, Job.Index, ClockText());
    FJobs.SetCells(JobRecord::StatusText, Job.Index, "Finished Conversion");
    Failed(Job.SourceRow, Cell(Job, JobRecord::OutputFile), Job.Plan.Runnable ? "tool not available" : Job.Plan.Reason);
}

void TQueueRun::RunPart(TJob& Job, int k)
{
    BeginPart(Job, k);
    FLastProgress.clear();
    FDamageAt = -1;
    FPartSeeks = StartsInsideTheSource(PartRange(Job, k));
    FSoundLead = 0;
    FInnerSpan = 0;
    FUncut = FScratchFolder + "uncut" + ExtractFileExt(Job.Plan.Written[static_cast<std::size_t>(k)]);
    // A disc part that starts inside its title lands where the disc holds sound ahead of its picture
    // (the sound is stored before the pictures it goes with), and the encoder keeps that sound: the
    // player measures the lead there, and the part's file has that much of its sound cut. A part that
    // ends inside its title is read on past its end (the encoder stops a chapter range early, and the
    // cut needs the sound stored after the part's last picture) and the copy ends it at its span.
    const std::string sourceArg = StringReplace(Cell(Job, JobRecord::SourceArg), "dvdnav:", "dvd:", rfReplaceAll);
    const TPartRange range = PartRange(Job, k);
    const int chapters = CellInt(SourceCell(Job, SourceRecord::Chapters));
    const bool toTheEnd = range.FirstChapter > 0 ? chapters > 0 && range.LastChapter >= chapters : range.To <= 0;
    if (Pos("dvd-device", sourceArg) > 0 && Pos("mencoder", Job.Plan.Commands[static_cast<std::size_t>(k)]) > 0) {
        // Where the part's chapters start and end, in seconds.
        if ((FPartSeeks || !toTheEnd) && range.FirstChapter > 0 && !Job.SourceAsked) {
            Job.SourceAsked = true;
            AskPlayer(ReportCommand(sourceArg), Job.SourceReport);
        }
        if (FPartSeeks) {
            TMediaReport start;
            AskPlayer(SoundLeadCommand(sourceArg, range, Job.SourceReport.ChapterStarts), start);
            FSoundLead = start.SoundLead;
        }
        if (!toTheEnd) {
            FInnerSpan = PartSpan(range, std::max(Job.SourceLength, Job.SourceReport.Length),
                                  Job.SourceReport.ChapterStarts, chapters);
        }
    }
    // The judge of this part's file starts now, so that its start overlaps the encode.
    TStandbyProbe judge;
    judge.Start(FForm.WorkFolder);
    const std::vector<std::string> steps = PartSteps(Job, k);
    DeleteFile(FScratch);
    DeleteFile(FSteadyCopy);
    DeleteFile(FUncut);
    const TStepsEnd ran = RunSteps(Job, k, steps);
    DeleteFile(FScratch);
    DeleteFile(FSteadyCopy);
    DeleteFile(FUncut);

    bool partOk = ran == TStepsEnd::Ran;
    if (partOk && range.FirstChapter > 0 && !Job.SourceAsked) {
        Job.SourceAsked = true;
        AskPlayer(ReportCommand(StringReplace(Cell(Job, JobRecord::SourceArg), "dvdnav:", "dvd:", rfReplaceAll)),
                  Job.SourceReport);
    }
    if (partOk) {
        const std::string verdict = JudgePart(Job, k, judge);
        if (!verdict.empty()) {
            partOk = false;
            Job.Why = verdict;
        }
    } else if (Job.Why.empty()) {
        Job.Why = FRun.LastStartFailed() ? "the encoder could not be started" : "the encoder failed";
    }
    EndPart(Job, k, partOk);
}

void TQueueRun::BeginPart(const TJob& Job, int k)
{
    TRunState& state = FForm.RunState;
    const int n = static_cast<int>(Job.Plan.Commands.size());
    state.CurrentJob = Job.SourceRow;
    state.CurrentTotal = CellInt(Cell(Job, JobRecord::LengthSeconds));
    FForm.setProgress(state.CurrentJob, 0);
    state.CurrentPos = 0;
    state.GrabMode = -1;
    state.Scanning = -1;
    StartPartAfresh();
    FForm.BeginProgressPart();
    state.QueueTotal = 0;
    for (int i = Job.Index; i < FCount; ++i)
        state.QueueTotal += static_cast<int>(Round(ParseFloatDot(FJobs.Cells(JobRecord::LengthSeconds, i))));
    state.JobCounterText = IntToStr(Job.Index + 1) + " of " + IntToStr(FCount) + " : ";
    if (n > 1)
        FJobs.SetCells(JobRecord::EndTime, Job.Index, "part " + IntToStr(k + 1) + " of " + IntToStr(n));
    FJobs.SetCells(JobRecord::StatusText, Job.Index, "Converting");
    if (FOptions.ShowCommand)
        FOptions.ShowCommand(Job.Plan.Commands[static_cast<std::size_t>(k)]);
}

// The tool runs a part takes: the command as the installed tools can run it, after the constant-rate
// copy of an uneven source when the plan has one.
std::vector<std::string> TQueueRun::PartSteps(const TJob& Job, int k) const
{
    std::vector<std::string> steps =
        AdaptToInstalledTools(Job.Plan.Commands[static_cast<std::size_t>(k)], FScratch, InstalledToolSupport(),
                              SourceHasSound(*FForm.StringGrid1, Job.SourceRow));
    if (!Job.Plan.ReadStep.empty())
        steps.insert(steps.begin(), Job.Plan.ReadStep);
    // Under a picture's length of lead is left as it is; more is cut from the file's sound by a copy
    // of its streams (nothing encoded again): the sound read from the lead on, its picture as it is.
    // The same copy ends a part read on past its end at the part's span.
    const bool cutLead = FSoundLead > 0.04;
    if (!cutLead && FInnerSpan <= 0)
        return steps;
    const TPartRange range = PartRange(Job, k);
    const std::string& written = Job.Plan.Written[static_cast<std::size_t>(k)];
    steps.back() = Pos(QuoteArg(written), steps.back()) > 0
                       ? StringReplace(steps.back(), QuoteArg(written), QuoteArg(FUncut), rfReplaceAll)
                       : StringReplace(steps.back(), written, FUncut, rfReplaceAll);
    for (std::string& step : steps) {
        if (Pos("mencoder", step) == 0)
            continue;
        // The encoder's own sync correction would chase the lead with repeated pictures: the cut
        // takes its place, so the pictures are taken as they come (one for one where the rate is
        // kept; a lower rate still drops its share).
        if (Pos(" -mc ", step) == 0)
            step += Job.Plan.PictureForPicture ? " -mc 0 -noskip" : " -mc 0";
        if (FInnerSpan > 0) {
            // From the part's start on, for its span, the lead and a margin the copy drops again.
            step = range.FirstChapter > 0
                       ? StringReplace(step, " -chapter " + IntToStr(range.FirstChapter) + "-" + IntToStr(range.LastChapter) + " ",
                                       " -chapter " + IntToStr(range.FirstChapter) + " ")
                       : StringReplace(step, " -endpos " + IntToStr(static_cast<int>(range.To - range.From)), "");
            step += " -endpos " + FloatToStr(FInnerSpan + FSoundLead + 0.5);
        }
    }
    const std::string sound = cutLead ? " -itsoffset -" + FloatToStr(FSoundLead) + " -i " + QuoteArg(FUncut) : "";
    const std::string span = FInnerSpan > 0 ? " -t " + FloatToStr(FInnerSpan) : "";
    steps.push_back(QuoteArg("ffmpeg") + " -nostdin -y -v error" + sound + " -i " + QuoteArg(FUncut) +
                    (cutLead ? " -map 1:v -map 0:a?" : " -map 0:v -map 0:a?") + " -c copy -ss 0" + span + " " +
                    QuoteArg(written));
    return steps;
}

TQueueRun::TStepsEnd TQueueRun::RunSteps(const TJob& Job, int k, const std::vector<std::string>& Steps)
{
    TRunState& state = FForm.RunState;
    // Each step's progress counts for its share of what the whole part costs.
    double cost = 0;
    for (const std::string& step : Steps)
        cost += StepCost(step);
    double costBefore = 0;
    for (const std::string& step : Steps) {
        state.StepStart = costBefore / cost;
        state.StepShare = StepCost(step) / cost;
        costBefore += StepCost(step);
        if (Interrupted())
            return TStepsEnd::Failed;
        FToolLines = 0;
        FToolSaidEnd = false;
        if (!FRun.RunTool(step, TToolKind::Encode, FForm.WorkFolder))
            return TStepsEnd::Failed;
        // Later steps and parts keep the position and time left the one before showed.
        if (k == 0 && &step == &Steps.front())
            FForm.SetStatusText("Conversion started");
        FLastProgress.clear();
        FForm.converttimer->SetEnabled(true);
        const bool makesTheSteadyCopy = !Job.Plan.ReadStep.empty() && &step == &Steps.front();
        const std::string written = &step == &Steps.back() ? Job.Plan.Written[static_cast<std::size_t>(k)]
                                    : makesTheSteadyCopy    ? FSteadyCopy
                                                            : FScratch;
        // A tool ended for not ending by itself wrote what it could: its file is judged.
        TRunControl::TToolWatch watch = Watch(written);
        watch.PaceMs = kEncoderPaceMs;
        const bool cutShort = FRun.WaitForTool(watch);
        FForm.converttimer->SetEnabled(false);
        state.PendingProgressLine.clear();
        if (StopAsked())
            return TStepsEnd::Failed;
        if (FRun.LastExitCode() != 0 && !cutShort)
            return TStepsEnd::Failed;
        if (!FLastProgress.empty()) {
            double seconds = 0;
            if (ProgressSeconds(ProgressPositionText(FLastProgress), seconds) && seconds > 0)
                FForm.setProgress(state.CurrentJob,
                                  std::max(state.CurrentPos, static_cast<int>(Round(JobPosition(state, seconds)))));
        }
    }
    return TStepsEnd::Ran;
}

// The part is judged by its file: the probing tool must find in it what the part was to cover, with
// its sound where the source has it. What identification found of the source is asked first; a part
// it does not pass (or cannot judge: no length known) is judged again against the source's own
// packets, read once per job and only then.
std::string TQueueRun::JudgePart(TJob& Job, int k, TStandbyProbe& Judge)
{
    const std::string& out = Job.Plan.Written[static_cast<std::size_t>(k)];
    const TPartRange range = PartRange(Job, k);
    TMediaReport made;
    const auto serve = ServeWhileJudging();
    if (!Judge.Report(out, made, serve) && !ProbeOutput(out, made, serve))
        return "the output could not be checked";
    std::string verdict = JudgeAgainstSource(Job, range, made);
    // What the encoder could not decode explains a file that came out wrong.
    if (!verdict.empty() && FDamageAt >= 0)
        verdict = "the source is damaged at " + FormatHms(FDamageAt) + ", " + verdict;
    return verdict;
}

std::string TQueueRun::JudgeAgainstSource(TJob& Job, const TPartRange& Range, const TMediaReport& Made)
{
    const int chapters = CellInt(SourceCell(Job, SourceRecord::Chapters));
    const bool disc = Pos("dvd-device", Cell(Job, JobRecord::SourceArg)) > 0;
    if (disc && !Job.SourceAsked && PartSpan(Range, Job.SourceLength, {}, chapters) <= 0) {
        // A title whose length identification did not get: the player reads the title once more.
        Job.SourceAsked = true;
        AskPlayer(ReportCommand(StringReplace(Cell(Job, JobRecord::SourceArg), "dvdnav:", "dvd:", rfReplaceAll)),
                  Job.SourceReport);
    }
    TPartHolding told;
    told.Picture = PartSpan(Range, std::max(Job.SourceLength, Job.SourceReport.Length), Job.SourceReport.ChapterStarts,
                            chapters);
    told.Sound = Job.WantAudio;
    if (Range.FirstChapter <= 1)
        told.SoundStart = std::max(0.0, ParseFloatDot(SourceCell(Job, SourceRecord::SoundStart)) - Range.From);
    std::string verdict = JudgeHolding(Made, told, Job.WantAudio);
    const std::string sourceFile = Cell(Job, JobRecord::GroupKey);
    if (verdict.empty() || disc || !FileExists(sourceFile))
        return verdict;
    if (!Job.SourceHeld.Video && !ProbeOutput(sourceFile, Job.SourceHeld, ServeWhileJudging()))
        return verdict;
    double from = Range.From, to = Range.To;
    if (Range.FirstChapter > 0) {
        const std::vector<double>& starts = Job.SourceReport.ChapterStarts;
        const auto first = static_cast<std::size_t>(Range.FirstChapter - 1);
        from = first < starts.size() ? starts[first] : Job.SourceHeld.Length;
        to = from + PartSpan(Range, Job.SourceHeld.Length, starts, chapters);
    }
    return JudgeHolding(Made, HeldOverRange(Job.SourceHeld, from, to), Job.WantAudio);
}

std::string TQueueRun::JudgeHolding(const TMediaReport& Made, const TPartHolding& Held, bool WantAudio)
{
    const bool sound = WantAudio && Held.Sound;
    // The share of the picture the source's own sound covers: a cut file's sound may end early.
    const double share = Held.Picture > 0 ? (Held.Picture - Held.SoundStart + Held.SoundEnd) / Held.Picture : 1.0;
    std::string verdict = JudgeOutput(Made, Held.Picture, sound, std::clamp(share, 0.0, 1.0));
    if (verdict.empty() && sound)
        verdict = JudgeSync(Made, Held);
    return verdict;
}

void TQueueRun::EndPart(TJob& Job, int k, bool PartOk)
{
    const std::string& out = Job.Plan.Outputs[static_cast<std::size_t>(k)];
    const bool interrupted = Interrupted();
    if (PartOk && !interrupted && !GiveFinalName(Job, k)) {
        PartOk = false;
        Job.Why = "the output could not be given its name";
    }
    if (!PartOk && !interrupted) {
        const std::string cause = FailureCause(Cell(Job, JobRecord::GroupKey), Cell(Job, JobRecord::SourceArg),
                                               Cell(Job, JobRecord::OutputFolder));
        if (!cause.empty())
            Job.Why = cause;
        // A write cut off by a full destination looks like any other failure (the encoders even
        // exit 0): the room left tells. Every later job would fail the same way, so the queue stops.
        const long long room = VolumeFreeBytes(ExtractFilePath(out));
        if (room >= 0 && room < 2 * 1024 * 1024) {
            Job.Why = "the destination is full";
            Job.DestinationFull = true;
        }
    }
    const bool partOk = PartOk && !interrupted;
    // A stopped, skipped or failed part's file never gets the final name.
    if (!partOk)
        SetAsideIncomplete(Job.Plan.Written[static_cast<std::size_t>(k)], out);
    if (partOk) {
        FForm.setProgress(FForm.RunState.CurrentJob, FForm.RunState.CurrentTotal);
        if (FOptions.PartDone)
            FOptions.PartDone(FForm.RunState.CurrentJob);
        OpenTrayAfterLastPart(Job, k);
    }
    Job.AllParts = Job.AllParts && partOk;
}

bool TQueueRun::GiveFinalName(TJob& Job, int k)
{
    std::string& out = Job.Plan.Outputs[static_cast<std::size_t>(k)];
    const std::string named = ::GiveFinalName(Job.Plan.Written[static_cast<std::size_t>(k)], out);
    if (named.empty())
        return false;
    // Taken since the plan (another copy of the program made a file of that name): the file got the
    // next free name, and the row and the playlist name that one.
    if (named != out && Job.Plan.Outputs.size() == 1) {
        const std::string file = ExtractFileName(named);
        const std::string name = file.substr(0, file.size() - ExtractFileExt(file).size());
        FJobs.SetCells(JobRecord::OutputName, Job.Index, name);
        FJobs.SetCells(JobRecord::OutputFile, Job.Index, file);
        Job.Plan.OutputName = name;
    }
    out = named;
    return true;
}

// The tray opens after the last part of the disc's last job, never before a later title of the same
// disc (the keys stay, so that last job still knows its drive).
void TQueueRun::OpenTrayAfterLastPart(const TJob& Job, int k)
{
    const std::string drive = Cell(Job, JobRecord::GroupKey);
    const auto isDiscRoot = FOptions.IsDiscRoot ? FOptions.IsDiscRoot : IsDriveRoot;
    if (k != static_cast<int>(Job.Plan.Commands.size()) - 1 || drive.empty() || !isDiscRoot(drive))
        return;
    int later = 0;
    for (int i = Job.Index + 1; i < FCount; ++i)
        later += FJobs.Cells(JobRecord::GroupKey, i) == drive ? 1 : 0;
    if (later == 0 && !SkipAsked() && FOptions.Ejector)
        FOptions.Ejector->Eject(drive);
}

TQueueRun::TAfterJob TQueueRun::FinishJob(TJob& Job)
{
    if (Interrupted()) {
        EndInterruptedJob(Job, true);
        return TAfterJob::NextJob;
    }
    const int j = Job.Index;
    const bool done = Job.AllParts;
    if (done) {
        if (Cell(Job, JobRecord::OutputExt) == "mp4x") {
            FJobs.SetCells(JobRecord::OutputExt, j, "mp4");
            FJobs.SetCells(JobRecord::OutputFile, j, Job.Plan.OutputName + ".mp4");
        }
        FMadeSomething = true;
        if (FOptions.Playlist)
            for (const std::string& out : Job.Plan.Outputs)
                if (NotInList(out, *FOptions.Playlist))
                    FOptions.Playlist->Add(out);
    }
    if (Job.SourceRow >= 0)
        FForm.SetSourceSelected(Job.SourceRow, done ? "Done" : "No");
    FJobs.SetCells(JobRecord::StatusText, j, "Finished Conversion");
    if (done && Pos("laystat", Cell(Job, JobRecord::OutputFolder)) > 0 && FOptions.MakeOutputThumbnail)
        FOptions.MakeOutputThumbnail(j);
    if (done) {
        FForm.SetStatusText("Completed");
        return TAfterJob::NextJob;
    }
    Failed(Job.SourceRow, Cell(Job, JobRecord::OutputFile), Job.Why.empty() ? "no output" : Job.Why);
    // Every later job would find the destination as full: the queue stops here.
    return Job.DestinationFull ? TAfterJob::EndQueue : TAfterJob::NextJob;
}

void TQueueRun::FinishQueue()
{
    if (!StopAsked()) {
        if (FFailures > 1)
            FForm.SetStatusText(IntToStr(FFailures) + " jobs failed; " + FLastFailure);
        else if (FFailures == 1)
            FForm.SetStatusText(FLastFailure);
    }
    // The folder is shown only when there is something new in it to see.
    if (!StopAsked() && FOptions.Launcher && FMadeSomething && DirectoryExists(FOptions.Destination))
        FOptions.Launcher->OpenFolder(FOptions.Destination);
    if (FForm.status)
        FForm.status->SetValue(0);
}

void TQueueRun::StartQueueAfresh()
{
    FForm.RunState.AbortRequested = 0;
    FForm.RunState.SkipRequested = 0;
}

void TQueueRun::StartPartAfresh()
{
    FForm.RunState.SkipRequested = 0;
}

void TQueueRun::EndInterruptedJob(const TJob& Job, bool PartsRan)
{
    const bool stopped = StopAsked();
    FJobs.SetCells(JobRecord::StatusText, Job.Index, stopped ? "Stopped Conversion" : "Skipped Conversion");
    if (!PartsRan)
        return;
    // The row keeps its mark (it can be converted again), but its gauge no longer stands where the
    // skip cut it off as if the job were still running.
    if (!stopped && FForm.Queue)
        FForm.Queue->setNote(Job.SourceRow, "Skipped");
    FForm.SetStatusText(stopped ? "Stopped" : "Skipped: " + Cell(Job, JobRecord::OutputFile));
}

void TQueueRun::OnToolLine(TObject* Sender, const std::string& Line, bool Starts, bool Ends)
{
    ++FToolLines;
    FToolSaidEnd = FToolSaidEnd || Contains(Line, "Writing index") || Contains(Line, "muxing overhead");
    if (FReport) {
        // The player's status after each picture ends in a carriage return, not a line's end.
        if (Ends || Contains(Line, "A-V:"))
            ReadReportLine(*FReport, Line);
        return;
    }
    if (IsProgressLine(Line))
        FLastProgress = Line;
    else if (FDamageAt < 0 && !(FPartSeeks && FLastProgress.empty()) &&
             (Contains(Line, "Error while decoding") || Contains(Line, "concealing"))) {
        double seconds = 0;
        FDamageAt = ProgressSeconds(ProgressPositionText(FLastProgress), seconds) ? seconds : 0;
    }
    if (FFormRead)
        FFormRead(Sender, Line, Starts, Ends);
}

// A tool is watched by its lines and by the size of the file it writes.
TRunControl::TToolWatch TQueueRun::Watch(const std::string& File)
{
    TRunControl::TToolWatch w;
    w.Mark = [this, File] { return IntToStr(FToolLines) + ":" + IntToStr(File.empty() ? 0 : FileSize(File)); };
    w.SaidEnd = [this] { return FToolSaidEnd; };
    return w;
}

bool TQueueRun::AskPlayer(const std::string& Command, TMediaReport& Into)
{
    Into = TMediaReport();
    if (Interrupted())
        return false;
    FReport = &Into;
    FToolLines = 0;
    FToolSaidEnd = false;
    const bool started = FRun.RunTool(Command, TToolKind::Identify, FForm.WorkFolder);
    if (started)
        FRun.WaitForTool(Watch(std::string()));
    FReport = nullptr;
    return started && KeepGoing();
}

void TQueueRun::Failed(int Row, const std::string& File, const std::string& Why)
{
    if (FForm.Queue)
        FForm.Queue->setNote(Row, "Failed");
    ++FFailures;
    FLastFailure = "Failed: " + File + " (" + Why + ")";
    FForm.SetStatusText(FLastFailure);
}

} // namespace

TDestinationState DestinationState(const std::string& Folder)
{
    if (DirectoryExists(Folder)) {
        // access() asks with this process's own rights, which is what the encoder it starts has.
        return access(Folder.c_str(), W_OK) == 0 ? TDestinationState::Usable : TDestinationState::ReadOnly;
    }
    // Asked without its trailing "/", a file is found as a file.
    std::string path = Folder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return FileExists(path) ? TDestinationState::NotAFolder : TDestinationState::Missing;
}

int JobCount(const TskSkinStringGrid& convertgrid)
{
    int n = 0;
    while (n < convertgrid.StoredRowCount() && !convertgrid.Cells(JobRecord::JobId, n).empty())
        ++n;
    return n;
}

void ConvertQueue(TForm1& Form, const TConvertOptions& Options)
{
    // A second Start while the first queue still unwinds would clear the job table under it.
    if (Form.RunState.Converting != 0)
        return;
    TRunControl& run = Form.RunControl();
    if (Form.status)
        Form.status->SetValue(0);
    if (Form.RunState.Scanning != 0)
        run.WaitForTool();
    if (Form.RunState.GrabMode != 0 && Form.RunState.ToolRunning != 0)
        run.KillTools();
    run.WaitForTool();

    TQueueRun(Form, Options).Run();
}
