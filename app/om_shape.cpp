#include "app/om_shape.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/om_functions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/sys/CommandLine.h"

namespace {

// "30000/1001" or "25" as a number; 0 for "0/0" and anything that is not a rate.
double RateValue(const std::string& Text)
{
    const std::size_t slash = Text.find('/');
    const std::string num = Trim(Text.substr(0, slash));
    const std::string den = slash == std::string::npos ? std::string("1") : Trim(Text.substr(slash + 1));
    if (!IsFloat(num) || !IsFloat(den))
        return 0;
    const double d = ParseFloatDot(den);
    const double rate = d > 0 ? ParseFloatDot(num) / d : 0;
    return std::isfinite(rate) && rate > 0 ? rate : 0;
}

} // namespace

bool MayBeTurnedOrUneven(const std::string& Path)
{
    const std::string ext = LowerCase(ExtractFileExt(Path));
    for (const char* e : {".mp4", ".m4v", ".mov", ".qt", ".3gp", ".3gpp", ".3g2", ".mkv", ".webm", ".flv", ".wmv", ".asf"})
        if (ext == e)
            return true;
    return false;
}

std::string ShapeProbeCommand(const std::string& Path)
{
    return QuoteArg("ffprobe") + " -v error -select_streams v:0 -show_entries "
                                 "stream=r_frame_rate,avg_frame_rate:stream_side_data=rotation -of default " +
           QuoteArg(Path);
}

void ReadShapeLine(TPictureShape& Shape, const std::string& Line)
{
    const std::string text = Trim(Line);
    const std::size_t eq = text.find('=');
    if (eq == std::string::npos)
        return;
    const std::string key = text.substr(0, eq);
    const std::string value = text.substr(eq + 1);
    if (key == "rotation") {
        int degrees = 0;
        if (TryStrToInt(value, degrees))
            Shape.Rotation = ((degrees % 360) + 360) % 360;
    } else if (key == "r_frame_rate") {
        Shape.Rate = RateValue(value);
    } else if (key == "avg_frame_rate") {
        // The nominal rate comes first in the report. A steady file's mean rate is its nominal one
        // within a rounding of its last picture's time; a mean a percent off means pictures are
        // missing or doubled in places, and the encoder, which counts pictures and not their times,
        // would make the picture run fast or slow against the sound.
        const double mean = RateValue(value);
        Shape.VariableRate = Shape.Rate > 0 && mean > 0 && std::fabs(mean - Shape.Rate) > Shape.Rate * 0.01;
    }
}

bool LiesOnItsSide(const TPictureShape& Shape)
{
    return Shape.Rotation == 90 || Shape.Rotation == 270;
}

std::string UprightFilters(const TPictureShape& Shape)
{
    switch (Shape.Rotation) {
    case 90:
        return "rotate=2,"; // a quarter turn counter-clockwise
    case 270:
        return "rotate=1,"; // a quarter turn clockwise
    case 180:
        return "flip,mirror,";
    default:
        return std::string();
    }
}

int RoundToStep(int X, int Step)
{
    if (X <= 0 || Step <= 0)
        return 0;
    return static_cast<int>(std::max<std::int64_t>(1, Round(static_cast<double>(X) / Step))) * Step;
}

std::string ConstantRateCommand(const std::string& Path, double Rate, const std::string& Scratch)
{
    // -noautorotate: the copy keeps the stored picture, so the job's own turn is done once, not twice.
    // The encoder reads NUT through its general reader; the lossless picture and plain PCM sound lose
    // nothing it would have had from the file, whatever codecs a phone wrote (a copied sound stream
    // could be one NUT cannot hold). Every sound stream is kept in its order, so the job's stream
    // choice still names the same one.
    return QuoteArg("ffmpeg") + " -hide_banner -nostdin -y -noautorotate -i " + QuoteArg(Path) +
           " -map 0:v:0 -map 0:a? -r " + FloatToStr(Rate) +
           " -fps_mode cfr -c:v libx264 -preset ultrafast -qp 0 -c:a pcm_s16le -f nut " + QuoteArg(Scratch);
}
