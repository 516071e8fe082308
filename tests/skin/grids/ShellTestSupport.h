#pragma once
// A temporary HOME whose documents folder holds a small tree with blanks and quotes in its names, on a
// borderless form at the screen's origin, for the shell view tests:
//
//   Documents/
//     Empty Folder/
//     My "Quoted" Clips/
//       Disc 1/
//       clip one.avi
//     clip one.avi   (5 bytes)
//     notes.txt      (1 byte)
//     .hidden.avi
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "GridTestSupport.h"
#include "tests/support/TScratchFolder.h"
#include "skin/grids/TskSkinCustomGrid.h"

namespace shelltest {

namespace fs = std::filesystem;

struct TTempHome {
    TScratchFolder Scratch;
    fs::path Home = Scratch.Path();
    std::string OldHome, OldConfig, OldData;
    bool HadHome = false, HadConfig = false, HadData = false;

    TTempHome()
    {
        Save("HOME", OldHome, HadHome);
        Save("XDG_CONFIG_HOME", OldConfig, HadConfig);
        Save("XDG_DATA_HOME", OldData, HadData);
        ::setenv("HOME", Home.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (Home / ".config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (Home / ".local/share").c_str(), 1);
        fs::create_directories(Docs() / "Empty Folder");
        fs::create_directories(Docs() / "My \"Quoted\" Clips" / "Disc 1");
        std::ofstream(Docs() / "My \"Quoted\" Clips" / "clip one.avi") << "clip";
        std::ofstream(Docs() / "clip one.avi") << "12345";
        std::ofstream(Docs() / "notes.txt") << "x";
        std::ofstream(Docs() / ".hidden.avi") << "h";
    }
    ~TTempHome()
    {
        Restore("HOME", OldHome, HadHome);
        Restore("XDG_CONFIG_HOME", OldConfig, HadConfig);
        Restore("XDG_DATA_HOME", OldData, HadData);
    }
    fs::path Docs() const { return Home / "Documents"; }
    fs::path Quoted() const { return Docs() / "My \"Quoted\" Clips"; }

private:
    static void Save(const char* Name, std::string& Value, bool& Had)
    {
        const char* v = ::getenv(Name);
        Had = v != nullptr;
        Value = v ? v : "";
    }
    static void Restore(const char* Name, const std::string& Value, bool Had)
    {
        if (Had)
            ::setenv(Name, Value.c_str(), 1);
        else
            ::unsetenv(Name);
    }
};

struct ShellViewTest : gridtest::GridFormTest {
    TTempHome Temp;
    void SetUp() override
    {
        gridtest::GridFormTest::SetUp();
        // The form reader knows the views once the grids are registered.
        RegisterSkinGrids();
    }
};

} // namespace shelltest
