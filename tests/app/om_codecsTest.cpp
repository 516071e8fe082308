#include "app/om_codecs.h"

#include <gtest/gtest.h>

#include <map>

#include "app/om_tables.h"
#include "platform/rtl/TStringList.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

class FakeCombo : public IOmComboBox {
public:
    TStringList List;
    int Index = -1;
    std::string Text() const override { return Index >= 0 && Index < List.Count() ? List[Index] : std::string(); }
    int ItemIndex() const override { return Index; }
    void SetItemIndex(int Value) override { Index = Value; }
    TStrings& Items() override { return List; }
};

class FakeSlider : public IOmSlider {
public:
    int FValue = 0;
    int FMax = 0;
    int Value() const override { return FValue; }
    void SetValue(int v) override { FValue = v; }
    int MaxValue() const override { return FMax; }
    void SetMaxValue(int v) override { FMax = v; }
};

class FakeLabel : public IOmLabel {
public:
    std::string Text;
    std::string Caption() const override { return Text; }
    void SetCaption(const std::string& v) override { Text = v; }
};

struct Profiles : ::testing::Test {
    TComponent owner{nullptr};
    TOmTables tables{&owner};
    FakeCombo devicebox;
    FakeCombo screensize;
    FakeSlider vq;
    FakeLabel quality;
    FakeLabel res;
    TProfileHandlers handlers{tables, devicebox, vq, screensize, quality, res};
    int sizeRefreshes = 0;

    void SetUp() override
    {
        FillCodecProfiles(*tables.codecgrid, *tables.devices, devicebox.Items());
        for (const char* size : {"176 x 144", "320 x 240", "480 x 272", "480 x 320", "640 x 480"})
            screensize.List.Add(size);
        handlers.SetFilesize = [this] { ++sizeRefreshes; };
    }

    // The template of a device at its default quality, as the job builder gets it.
    std::string TemplateFor(const std::string& Device)
    {
        devicebox.Index = devicebox.List.IndexOf(Device);
        handlers.deviceboxChange(nullptr);
        return LoadProfile(*tables.dq, *tables.codecgrid, 0, vq.Value(), "/dest/").Template;
    }
};

TEST_F(Profiles, NineDevicesAndSixCodecsAreListed)
{
    EXPECT_EQ(tables.devices->RowCount(), 9);
    EXPECT_EQ(tables.codecgrid->RowCount(), 6);
    ASSERT_EQ(devicebox.List.Count(), 9);
    EXPECT_EQ(devicebox.List[0], "iPhone / iPod Touch");
    EXPECT_EQ(devicebox.List[8], "Palm Treo / Centro");
    for (int row = 0; row < 9; ++row) {
        EXPECT_EQ(tables.devices->Cells(DeviceProfile::Option1, row), "0");
        EXPECT_EQ(tables.devices->Cells(DeviceProfile::Option2, row), "0");
        EXPECT_EQ(tables.devices->Cells(DeviceProfile::Volume, row), "8");
        EXPECT_EQ(tables.devices->Cells(DeviceProfile::Passes, row), "1");
    }
}

TEST_F(Profiles, EveryDeviceGivesItsFilledTemplateVerbatim)
{
    const std::map<std::string, std::string> expected = {
        {"iPhone / iPod Touch",
         "-ovc x264 -x264encopts turbo=2:threads=auto:bitrate=500:vbv_maxrate=500:vbv_bufsize=2000:nocabac:level_idc=13:"
         "global_header:subq=1:frameref=1:me=dia -oac faac -faacopts br=128:mpeg=4:object=2:raw -of lavf -lavfopts "
         "format=mp4 -af channels=2,volume=8"},
        {"iPod Classic/Nano/Video",
         "-ovc x264 -x264encopts turbo=2:threads=auto:bitrate=300:vbv_maxrate=300:vbv_bufsize=2000:nocabac:level_idc=13:"
         "global_header:subq=1:frameref=1:me=dia -oac faac -faacopts br=128:mpeg=4:object=2:raw -of lavf -lavfopts "
         "format=mp4 -af channels=2,volume=8"},
        {"3gpp Cellphone",
         "-ovc lavc -oac lavc -lavcopts aglobal=1:vglobal=1:vcodec=h263:acodec=libamr_nb:subq=1:vbitrate=120:"
         "abitrate=12200 -of lavf -lavfopts format=3gp -af channels=1,volume=8:resample=8000 -srate 8000"},
        {"Zune 4/8/80",
         "-ovc x264 -x264encopts turbo=2:threads=auto:bitrate=300:vbv_maxrate=300:vbv_bufsize=2000:nocabac:level_idc=13:"
         "global_header:subq=1:frameref=1:me=dia -oac faac -faacopts br=128:mpeg=4:object=2:raw -of lavf -lavfopts "
         "format=mp4 -af channels=2,volume=8"},
        {"Zune 30",
         "-ovc lavc -oac lavc -lavcopts subq=1:vcodec=wmv2:vbitrate=500:autoaspect:acodec=wmav2:abitrate=128 -of lavf -lavfopts "
         "format=asf -af channels=2,volume=8"},
        {"Playstation Portable",
         "-ovc x264 -x264encopts threads=auto:bitrate=500:global_header:vbv_maxrate=500:vbv_bufsize=2000:level_idc=30:"
         "subq=1:frameref=1:me=dia -oac faac -faacopts br=128:mpeg=4:object=2:raw -of lavf -lavfopts format=psp "
         "-af channels=2,volume=8"},
        {"Windows Mobile",
         "-ovc lavc -oac mp3lame -lameopts vbr=0:cbr:aq=9:fast:br=64 -lavcopts vcodec=mpeg4:subq=1:vbitrate=300:autoaspect "
         "-ffourcc DX50 -af channels=1,volume=8"},
        {"Windows Mobile VGA",
         "-ovc lavc -oac mp3lame -lameopts vbr=0:cbr:aq=9:fast:br=64 -lavcopts vcodec=mpeg4:subq=1:vbitrate=700:autoaspect "
         "-ffourcc DX50 -af channels=1,volume=8"},
        {"Palm Treo / Centro",
         "-ovc lavc -oac mp3lame -lameopts vbr=0:cbr:aq=9:fast:br=64 -lavcopts vcodec=mpeg4:subq=1:vbitrate=300:autoaspect "
         "-ffourcc DX50 -af channels=1,volume=8"},
    };
    for (const auto& [device, filled] : expected)
        EXPECT_EQ(TemplateFor(device), filled) << device;
}

TEST_F(Profiles, ProfileStateCarriesTheDeviceFacts)
{
    devicebox.Index = devicebox.List.IndexOf("Windows Mobile VGA");
    handlers.deviceboxChange(nullptr);
    const TProfileState state = LoadProfile(*tables.dq, *tables.codecgrid, 0, vq.Value(), "/dest/");
    EXPECT_EQ(state.DeviceName, "Windows Mobile Vga");
    EXPECT_EQ(state.ScreenSize, "640x480");
    EXPECT_EQ(state.Encoder, "mencoder");
    EXPECT_EQ(state.Extension, "avi");
    EXPECT_DOUBLE_EQ(state.MaxFps, 25.0);
    EXPECT_EQ(state.Budget, 0);
    EXPECT_EQ(state.Destination, "/dest/");
}

TEST_F(Profiles, UnknownCodecKeyFallsBackToTheFirstRow)
{
    tables.dq->SetCells(DeviceProfile::CodecKey, 0, "nothing");
    const TProfileState state = LoadProfile(*tables.dq, *tables.codecgrid, 0, 12, "");
    EXPECT_EQ(state.Extension, "3gp");
}

TEST_F(Profiles, TwoPassRequestStillEncodesInOnePass)
{
    TemplateFor("iPhone / iPod Touch");
    tables.dq->SetCells(DeviceProfile::Passes, 0, "2");
    const std::string t = LoadProfile(*tables.dq, *tables.codecgrid, 0, 50, "").Template;
    EXPECT_EQ(t.find("pass"), std::string::npos);
    EXPECT_EQ(t.find("$vm1"), std::string::npos);
}

TEST_F(Profiles, NoScaleFlagGoesInFront)
{
    TemplateFor("Zune 30");
    tables.dq->SetCells(DeviceProfile::NoScale, 0, "YES");
    EXPECT_EQ(LoadProfile(*tables.dq, *tables.codecgrid, 0, 50, "").Template.rfind("noscale-ovc", 0), 0u);
}

TEST_F(Profiles, WindowsMediaScriptGetsItsAudioToken)
{
    tables.codecgrid->SetCells(CodecProfile::Encoder, 5, "wmencoder");
    tables.codecgrid->SetCells(CodecProfile::OptionTemplate, 5, "-a_setting $abr -v_passes $vm3 -v_bitrate $vbr");
    devicebox.Index = devicebox.List.IndexOf("Zune 30");
    handlers.deviceboxChange(nullptr);
    EXPECT_EQ(LoadProfile(*tables.dq, *tables.codecgrid, 0, 50, "").Template,
              "-a_setting 128_44_2 -v_passes 0 -v_bitrate 500");
}

TEST(WindowsMediaAudioToken, TableAndFallback)
{
    const std::map<std::string, std::string> tokens = {
        {"16", "16_16_"},   {"32", "20_22_"},   {"48", "32_44_"},   {"64", "48_44_"},   {"80", "64_44_"},
        {"96", "80_44_"},   {"112", "96_48_"},  {"128", "128_44_"}, {"144", "128_44_"}, {"160", "160_44_"},
        {"176", "160_44_"}, {"192", "192_44_"}, {"256", "64_44_"},  {"", "64_44_"}};
    for (const auto& [kbps, token] : tokens)
        EXPECT_EQ(WindowsMediaAudioToken(kbps, "2"), token + "2") << kbps;
    EXPECT_EQ(WindowsMediaAudioToken("64", "1"), "48_44_1");
    EXPECT_EQ(WindowsMediaAudioToken("64", "6"), "48_44_1");
}

TEST_F(Profiles, DeviceChangeSetsSliderScreenSizeAndLabel)
{
    devicebox.Index = 0; // iPhone / iPod Touch
    handlers.deviceboxChange(nullptr);
    EXPECT_EQ(vq.FMax, 100);
    EXPECT_EQ(vq.FValue, 50);
    EXPECT_EQ(screensize.Text(), "480 x 320");
    // 50 x 10000 / (480 x 320) x 2.5 = 8.14
    EXPECT_EQ(quality.Text, "500 Kbps (Q8)");
    EXPECT_EQ(tables.dq->Cells(DeviceProfile::CodecKey, 0), "h264_ipod");
    EXPECT_EQ(sizeRefreshes, 1);
}

TEST_F(Profiles, ScreenSizeChangeShowsTheCleanedSize)
{
    screensize.Index = 1;
    vq.FValue = 30;
    handlers.screensizeChange(nullptr);
    EXPECT_EQ(res.Text, "320 X 240");
    EXPECT_EQ(quality.Text, "300 Kbps (Q10)");
}

TEST_F(Profiles, NoScreenSizeSelectedShowsQualityZero)
{
    vq.FValue = 30;
    handlers.vqChange(nullptr);
    EXPECT_EQ(quality.Text, "300 Kbps (Q0)");
}

TEST(DeviceList, NameOfTwoRowsIsListedOnce)
{
    TComponent owner(nullptr);
    TOmTables tables(&owner);
    TStringList items;
    FillDeviceProfiles(*tables.devices, items);
    FillDeviceProfiles(*tables.devices, items); // every row now twice
    EXPECT_EQ(tables.devices->RowCount(), 18);
    EXPECT_EQ(items.Count(), 9);
}

} // namespace
