// The main window with 50 queue rows on the headless screen: the time from the skin component loading
// a skin at run time (every form and every control under it told) until every control has painted
// again. Milliseconds per change; aim: under 100 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/AppClasses.h"
#include "app/Unit1.h"
#include "app/om_tables.h"
#include "tests/support/THeadlessDriver.h"
#include "tests/support/TTestSystemServices.h"
#include "skin/data/TskSkinData.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

void SkinChangeOnTheMainWindow(benchmark::State& State)
{
    // The window writes its settings and a desktop link: a scratch HOME takes them.
    std::string pattern = (std::filesystem::temp_directory_path() / "skinchange-XXXXXX").string();
    const std::string home = ::mkdtemp(pattern.data());
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CONFIG_HOME");
    {
        THeadlessDriver driver(false);
        RegisterAppClasses();
        TTestSystemServices system;
        system.OnListVolumes = [] { return std::vector<TOpticalVolume>{}; };
        auto form = std::make_unique<TForm1>(nullptr, system);
        form->DoCreate();
        form->Show();
        TskSkinStringGrid& grid = *form->StringGrid1;
        for (int i = 0; i < 50; ++i) {
            const int r = AppendRow(grid);
            grid.SetCells(SourceRecord::RowId, r, std::to_string(r));
            grid.SetCells(SourceRecord::Title, r, "clip " + std::to_string(i));
            grid.SetCells(SourceRecord::OutputName, r, "clip " + std::to_string(i));
            grid.SetCells(SourceRecord::Length, r, "20.00");
            grid.SetCells(SourceRecord::LengthText, r, "0:00:20");
            grid.SetCells(SourceRecord::Selected, r, "YES");
            form->AddItem(r);
        }
        driver.ProcessMessages();
        auto* skin = dynamic_cast<TskSkinData*>(form->FindComponent("skSkinData1"));
        if (skin == nullptr) {
            State.SkipWithError("the main window has no skin component");
            return;
        }
        for (auto _ : State) {
            // Setting the stored skin again loads it again, as a new skin would be.
            skin->SetCompressedStoredSkin(skin->CompressedStoredSkin());
            driver.ProcessMessages();
        }
        form.reset();
    }
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
}

BENCHMARK(SkinChangeOnTheMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
