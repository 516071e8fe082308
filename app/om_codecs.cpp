#include "app/om_codecs.h"

#include "app/om_functions.h"
#include "app/om_tables.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

struct TCodecRow {
    const char* Key;
    const char* Encoder;
    const char* Template;
    const char* Extension;
};

// The MPEG-4 and WMV rows have the encoder write the shape the picture is shown in (the MPEG-4
// stream's pixel aspect, the ASF aspect): the fit into a screen rounds a side up to whole macroblocks
// (a wide picture's 180 lines become 192), and a stored picture of non-square pixels is kept as it is
// stored. Without it every player would take the pixels for square.
const TCodecRow CodecRows[] = {
    {"3gp1_amr-nb", "mencoder",
     "-ovc lavc -oac lavc -lavcopts aglobal=1:vglobal=1:vcodec=h263:acodec=libamr_nb:$vm1:subq=1:vbitrate=$vbr:abitrate=12200 "
     "-of lavf -lavfopts format=3gp -af channels=1,volume=$vol:resample=8000 -srate 8000",
     "3gp"},
    {"divx5_mp3", "mencoder",
     "-ovc lavc -oac mp3lame -lameopts vbr=0:cbr:aq=9:fast:br=$abr -lavcopts vcodec=mpeg4:$vm1:subq=1:vbitrate=$vbr:autoaspect "
     "-ffourcc DX50 -af channels=$ac,volume=$vol",
     "avi"},
    {"h264_ipod", "mencoder",
     "-ovc x264 -x264encopts turbo=2:threads=auto:$vm1:bitrate=$vbr:vbv_maxrate=$vbr:vbv_bufsize=2000:nocabac:level_idc=13:"
     "global_header:subq=1:frameref=1:me=dia -oac faac -faacopts br=$abr:mpeg=4:object=2:raw -of lavf -lavfopts format=mp4 "
     "-af channels=$ac,volume=$vol",
     "mp4"},
    {"audio_mp3", "mencoder", "-ovc copy -oac mp3lame -lameopts vbr=0:cbr:aq=9:br=$abr -of rawaudio", "mp3"},
    {"h264_psp", "mencoder",
     "-ovc x264 -x264encopts threads=auto:bitrate=$vbr:global_header:vbv_maxrate=$vbr:vbv_bufsize=2000:$vm1:level_idc=30:"
     "subq=1:frameref=1:me=dia -oac faac -faacopts br=$abr:mpeg=4:object=2:raw -of lavf -lavfopts format=psp "
     "-af channels=$ac,volume=$vol",
     "mp4"},
    {"wmv_wma", "mencoder",
     "-ovc lavc -oac lavc -lavcopts subq=1:vcodec=wmv2:$vm1:vbitrate=$vbr:autoaspect:acodec=wmav2:abitrate=$abr -of lavf "
     "-lavfopts format=asf -af channels=$ac,volume=$vol",
     "wmv"},
};

struct TDeviceRow {
    const char* Name;
    const char* ScreenSize;
    const char* VideoBitrate;
    const char* AudioBitrate;
    const char* CodecKey;
    const char* Vendor;
    const char* MaxFps;
    const char* AudioChannels;
};

const TDeviceRow DeviceRows[] = {
    {"iPhone / iPod Touch", "480x320", "500", "128", "h264_ipod", "Apple", "30", "2"},
    {"iPod Classic/Nano/Video", "320x240", "300", "128", "h264_ipod", "Apple", "30", "2"},
    {"3gpp Cellphone", "176x144", "120", "32", "3gp1_amr-nb", "Generic", "12", "1"},
    {"Zune 4/8/80", "320x240", "300", "128", "h264_ipod", "Zune", "30", "2"},
    {"Zune 30", "320x240", "500", "128", "wmv_wma", "Zune", "30", "2"},
    {"Playstation Portable", "480x272", "500", "128", "h264_psp", "Sony", "30", "2"},
    {"Windows Mobile", "320x240", "300", "64", "divx5_mp3", "Generic", "30", "1"},
    {"Windows Mobile VGA", "640x480", "700", "64", "divx5_mp3", "PocketPC", "25", "1"},
    {"Palm Treo / Centro", "320x240", "300", "64", "divx5_mp3", "PocketPC", "25", "1"},
};

// Replaces the first occurrence only, then trims, as every placeholder is filled.
std::string Fill(const std::string& Template, const std::string& Placeholder, const std::string& Value)
{
    return Trim(StringReplace(Template, Placeholder, Value));
}

// Width and height of a size text "W x H" (each part trimmed); false when it is no such text.
bool SplitSize(const std::string& Text, std::string& Width, std::string& Height)
{
    const int x = Pos('x', Text);
    if (x == 0)
        return false;
    Width = Trim(Copy(Text, 1, x - 1));
    Height = Trim(Copy(Text, x + 1, static_cast<int64_t>(Text.size())));
    return true;
}

} // namespace

void FillCodecProfiles(TskSkinStringGrid& codecgrid, TskSkinStringGrid& devices, TStrings& DeviceItems)
{
    for (const TCodecRow& codec : CodecRows) {
        const int row = AppendRow(codecgrid);
        codecgrid.SetCells(CodecProfile::Key, row, codec.Key);
        codecgrid.SetCells(CodecProfile::Encoder, row, codec.Encoder);
        codecgrid.SetCells(CodecProfile::OptionTemplate, row, codec.Template);
        codecgrid.SetCells(CodecProfile::Extension, row, codec.Extension);
    }
    FillDeviceProfiles(devices, DeviceItems);
}

void FillDeviceProfiles(TskSkinStringGrid& devices, TStrings& DeviceItems)
{
    for (const TDeviceRow& device : DeviceRows) {
        const int row = AppendRow(devices);
        devices.SetCells(DeviceProfile::Name, row, device.Name);
        devices.SetCells(DeviceProfile::ScreenSize, row, device.ScreenSize);
        devices.SetCells(DeviceProfile::VideoBitrate, row, device.VideoBitrate);
        devices.SetCells(DeviceProfile::AudioBitrate, row, device.AudioBitrate);
        devices.SetCells(DeviceProfile::CodecKey, row, device.CodecKey);
        devices.SetCells(DeviceProfile::Vendor, row, device.Vendor);
        devices.SetCells(DeviceProfile::MaxFps, row, device.MaxFps);
        devices.SetCells(DeviceProfile::AudioChannels, row, device.AudioChannels);
    }
    static const struct {
        int Column;
        const char* Default;
    } defaults[] = {{DeviceProfile::Option1, "0"},
                    {DeviceProfile::Option2, "0"},
                    {DeviceProfile::AudioChannels, "2"},
                    {DeviceProfile::Volume, "8"},
                    {DeviceProfile::Passes, "1"}};
    for (int row = 0; row < devices.RowCount(); ++row)
        for (const auto& d : defaults)
            if (devices.Cells(d.Column, row).empty())
                devices.SetCells(d.Column, row, d.Default);
    DeviceItems.BeginUpdate();
    DeviceItems.Clear();
    for (int row = 0; row < devices.RowCount(); ++row) {
        const std::string name = devices.Cells(DeviceProfile::Name, row);
        if (NotInList(name, DeviceItems))
            DeviceItems.Add(name);
    }
    DeviceItems.EndUpdate();
}

std::string WindowsMediaAudioToken(const std::string& AudioKbps, const std::string& Channels)
{
    static const struct {
        const char* Kbps;
        const char* Token;
    } tokens[] = {{"16", "16_16_"},    {"32", "20_22_"},    {"48", "32_44_"},    {"64", "48_44_"},
                  {"80", "64_44_"},    {"96", "80_44_"},    {"112", "96_48_"},   {"128", "128_44_"},
                  {"144", "128_44_"},  {"160", "160_44_"},  {"176", "160_44_"},  {"192", "192_44_"}};
    std::string token = "64_44_";
    for (const auto& t : tokens)
        if (AudioKbps == t.Kbps)
            token = t.Token;
    return token + (Channels == "2" ? "2" : "1");
}

TProfileState LoadProfile(const TskSkinStringGrid& dq, const TskSkinStringGrid& codecgrid, int Row, int Quality,
                          const std::string& Destination)
{
    TProfileState state;
    state.DeviceName = CleanTitleText(dq.Cells(DeviceProfile::Name, Row));
    state.ScreenSize = dq.Cells(DeviceProfile::ScreenSize, Row);
    state.Destination = Destination;
    state.Option1 = dq.Cells(DeviceProfile::Option1, Row);
    state.Option2 = dq.Cells(DeviceProfile::Option2, Row);
    // A garbled budget counts as none rather than stopping the queue.
    if (dq.Cells(DeviceProfile::BudgetOn, Row) == "YES")
        state.Budget = StrToIntDef(Trim(dq.Cells(DeviceProfile::PixelBudget, Row)), 0);

    // The last row with the key wins; an unknown key falls back to the first row.
    const std::string key = dq.Cells(DeviceProfile::CodecKey, Row);
    int codecRow = 0;
    for (int r = 0; r < codecgrid.RowCount(); ++r)
        if (codecgrid.Cells(CodecProfile::Key, r) == key)
            codecRow = r;
    state.Encoder = codecgrid.Cells(CodecProfile::Encoder, codecRow);
    std::string t = codecgrid.Cells(CodecProfile::OptionTemplate, codecRow);
    state.Extension = codecgrid.Cells(CodecProfile::Extension, codecRow);
    const std::string maxFps = dq.Cells(DeviceProfile::MaxFps, Row);
    state.MaxFps = maxFps.empty() ? 0 : ParseFloatDot(maxFps);

    const std::string videoKbps = IntToStr(static_cast<int64_t>(Quality) * 10);
    for (int i = 0; i < 3; ++i)
        t = Fill(t, "$vbr", videoKbps);

    const std::string audioKbps = dq.Cells(DeviceProfile::AudioBitrate, Row);
    const std::string channels = dq.Cells(DeviceProfile::AudioChannels, Row);
    // Only one pass is ever run, so every two-pass slot stays empty (a first pass alone would be
    // presented as the result).
    if (state.Encoder == "mencoder") {
        t = Fill(t, "$abr", audioKbps);
        t = Fill(t, "$ac", channels);
        t = Fill(t, "$vol", dq.Cells(DeviceProfile::Volume, Row));
        t = Fill(t, "$vm1:", "");
    } else if (state.Encoder == "wmencoder") {
        t = Fill(t, "$vm3", "0");
        t = Fill(t, "$abr", WindowsMediaAudioToken(audioKbps, channels));
    } else if (state.Encoder == "ffmpeg") {
        t = Fill(t, "$abr", audioKbps);
        t = Fill(t, "$ac", channels);
        t = Fill(t, "$vm2", "");
    }
    if (dq.Cells(DeviceProfile::NoScale, Row) == "YES")
        t = "noscale" + t;
    state.Template = t;
    return state;
}

// ---------------------------------------------------------------------------------------------
// TProfileHandlers

TProfileHandlers::TProfileHandlers(TOmTables& Tables, IOmComboBox& devicebox, IOmSlider& vq, IOmComboBox& screensize,
                                   IOmLabel& QualityLabel, IOmLabel& res)
    : FTables(Tables), Fdevicebox(devicebox), Fvq(vq), Fscreensize(screensize), FQualityLabel(QualityLabel), Fres(res)
{
}

void TProfileHandlers::deviceboxChange(TObject* /*Sender*/)
{
    TskSkinStringGrid& devices = *FTables.devices;
    TskSkinStringGrid& dq = *FTables.dq;
    const std::string chosen = Fdevicebox.Text();
    for (int row = 0; row < devices.RowCount(); ++row) {
        if (devices.Cells(DeviceProfile::Name, row) != chosen)
            continue;
        for (int col = 0; col < DeviceTableColumns; ++col)
            dq.SetCells(col, 0, devices.Cells(col, row));
        const int videoKbps = StrToIntDef(Trim(devices.Cells(DeviceProfile::VideoBitrate, row)), 0);
        Fvq.SetMaxValue(static_cast<int>(Round(videoKbps / 5.0)));
        std::string width;
        std::string height;
        if (SplitSize(devices.Cells(DeviceProfile::ScreenSize, row), width, height)) {
            TStrings& sizes = Fscreensize.Items();
            for (int i = 0; i < sizes.Count(); ++i) {
                std::string w;
                std::string h;
                if (SplitSize(sizes.Strings(i), w, h) && w == width && h == height)
                    Fscreensize.SetItemIndex(i);
            }
        }
        Fvq.SetValue(videoKbps / 10);
        vqChange(nullptr);
    }
}

void TProfileHandlers::vqChange(TObject* /*Sender*/)
{
    const int value = Fvq.Value();
    // Without a readable screen size there is no quality number to show: Q0.
    int64_t quality = 0;
    std::string width;
    std::string height;
    int w = 0;
    int h = 0;
    if (SplitSize(Fscreensize.Text(), width, height) && TryStrToInt(width, w) && TryStrToInt(height, h) &&
        static_cast<int64_t>(w) * h > 0)
        quality = Round(value * 10000.0 / (static_cast<double>(w) * h) * 2.5);
    FQualityLabel.SetCaption(IntToStr(static_cast<int64_t>(value) * 10) + " Kbps" + " (Q" + IntToStr(quality) + ")");
    if (SetFilesize)
        SetFilesize();
}

void TProfileHandlers::screensizeChange(TObject* /*Sender*/)
{
    vqChange(nullptr);
    Fres.SetCaption(Trim(CleanTitleText(Fscreensize.Text())));
}
