#pragma once
// What the fuzz targets of the converter's readers share: the main window they live in, made once per
// fuzzing process on the headless backend in a scratch HOME, with every console tool replaced: a
// command goes to the stand-in system's OnRunTool, which hands the window the fuzzer's bytes as the
// tool's output.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/AppClasses.h"
#include "app/Unit1.h"
#include "app/om_tables.h"
#include "platform/rtl/TStringList.h"
#include "process/TOxCreateProcess.h"
#include "skin/grids/TskSkinStringGrid.h"
#include "tests/support/TTestSystemServices.h"

namespace fuzzform {

// The input as output lines, ended by LF or CR as the runner splits them (encoders rewrite their
// progress line with CR); the last one may lack its line end, as a tool's last line may.
inline std::vector<std::string> Lines(const std::uint8_t* Data, std::size_t Size)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < Size; ++i) {
        const char c = static_cast<char>(Data[i]);
        if (c == '\n' || c == '\r') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// What the window is handed of the system: no drives, and tool runs answered by the targets.
inline TTestSystemServices& System()
{
    static TTestSystemServices system;
    return system;
}

// The scratch HOME the window lives in.
inline const std::string& HomeFolder()
{
    static const std::string home = (std::filesystem::temp_directory_path() / "ombrix-fuzz-home").string();
    return home;
}

inline TForm1& Form()
{
    static TForm1* form = [] {
        setenv("OMBRIX_BACKEND", "headless", 1);
        const std::string& home = HomeFolder();
        std::filesystem::create_directories(home);
        setenv("HOME", home.c_str(), 1);
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CONFIG_HOME");
        RegisterAppClasses(); // as the program does first
        System().OnListVolumes = [] { return std::vector<TOpticalVolume>{}; };
        auto* f = new TForm1(nullptr, System());
        return f;
    }();
    return *form;
}

// The window as before a new source: empty tables and lists, its run state at rest; every tool
// run reports Output, line by line, as the runner would.
inline TForm1& FreshForm(const std::vector<std::string>& Output)
{
    TForm1& form = Form();
    form.RunState = TRunState();
    ClearTable(*form.StringGrid1);
    ClearTable(*form.dvdgrid);
    for (TStrings* list : {form.ListBox1, form.dvdlog, form.Memo1, form.Memo2})
        list->Clear();
    System().OnRunTool = [&form, Output](const std::string&) {
        for (const std::string& line : Output)
            form.OxCreateProcess1Read(form.OxCreateProcess1, line, true, true);
    };
    return form;
}

} // namespace fuzzform
