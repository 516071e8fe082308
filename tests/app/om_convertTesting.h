#pragma once
// What the conversion tests against the real tools share: choosing a device as the device box does,
// and a window with the built-in profiles converting into a scratch destination.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "om_testing.h"

#include "app/Unit1.h"
#include "app/om_codecs.h"
#include "app/om_convert.h"
#include "app/om_runcontrol.h"
#include "app/om_tables.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TTimer.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace omtest {

// The device's row copied into dq as the device box does, its default quality into the options.
inline void ChooseDevice(TForm1& Form, TConvertOptions& Options, const std::string& Device)
{
    TOmTables& t = Form.Tables();
    ClearTable(*t.dq);
    for (int r = 0; r < t.devices->StoredRowCount(); ++r)
        if (t.devices->Cells(DeviceProfile::Name, r) == Device)
            for (int c = 0; c < DeviceTableColumns; ++c)
                t.dq->SetCells(c, 0, t.devices->Cells(c, r));
    Options.Quality = CellInt(t.dq->Cells(DeviceProfile::VideoBitrate, 0)) / 10;
    Options.DeviceText = Device;
}

// The window with the built-in profiles; every command the driver shows is kept.
struct ConvertFixture : FormTest {
    struct NoLauncher : ILauncher {
        void OpenFolder(const std::string&) override {}
    };
    TempFolder Dir;
    std::string Dest;
    NoLauncher Launcher;
    TConvertOptions Options;
    std::vector<std::string> Commands;

    void SetUp() override
    {
        FormTest::SetUp();
        Dest = Dir / "out/";
        fs::create_directories(Dest);
        TStringList items;
        FillCodecProfiles(*Form->Tables().codecgrid, *Form->Tables().devices, items);
        Options.Destination = Dest;
        Options.Launcher = &Launcher;
        Options.ShowCommand = [this](const std::string& c) { Commands.push_back(c); };
    }
    void Choose(const std::string& Device) { ChooseDevice(*Form, Options, Device); }
    // Converts the queue; a run that never ends is stopped after Milliseconds, a bound no sound run
    // comes near, so the checks after it fail instead of the test hanging.
    void ConvertWithin(int Milliseconds)
    {
        TTimer guard(nullptr);
        guard.SetInterval(Milliseconds);
        guard.OnTimer = [this](TObject*) {
            if (Form->RunState.Converting != 0)
                Form->RunControl().Stop();
        };
        guard.SetEnabled(true);
        ConvertQueue(*Form, Options);
    }
    std::string AllCommands() const
    {
        std::string all;
        for (const std::string& c : Commands)
            all += c + "\n";
        return all;
    }
};

// A source made once for every test of the build (each test runs in its own process) by the shell
// commands Make gives for a path: it is written in a private folder and renamed into place, so a
// parallel test never sees half of one. Its folder is named after the commands, so a changed recipe
// makes it anew. Beside (when given) writes side files into the private folder, then moves them into
// the source's folder. "" when the commands failed.
inline std::string SharedSource(const std::string& Name, const std::string& Ext,
                                const std::function<std::string(const std::string& Path)>& Make,
                                const std::function<void(const std::string& Scratch, const std::string& Dir)>& Beside = {})
{
    std::uint32_t recipe = 2166136261u;
    for (const char c : Make("source"))
        recipe = (recipe ^ static_cast<unsigned char>(c)) * 16777619u;
    const std::string root = std::string(OMBRIX_BINARY_DIR) + "/matrix-sources/";
    const std::string dir = root + Name + "-" + std::to_string(recipe) + "/";
    const std::string file = Name + "." + Ext;
    if (fs::exists(dir + file))
        return dir + file;
    const std::string scratch = root + "making-" + std::to_string(getpid()) + "/";
    fs::create_directories(scratch);
    fs::create_directories(dir);
    const bool made = RunQuiet(Make(scratch + file));
    if (made && Beside)
        Beside(scratch, dir);
    if (made)
        fs::rename(scratch + file, dir + file);
    fs::remove_all(scratch);
    return made ? dir + file : std::string();
}

} // namespace omtest
