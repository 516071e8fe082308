#pragma once
// A temporary HOME with a small tree whose names have blanks and quotes, and a fake mount table with
// optical volumes mounted under it, for the file-system control tests.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "GridTestSupport.h"
#include "ShellTestSupport.h"
#include "platform/sys/Volumes.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace filectrltest {

namespace fs = std::filesystem;

struct FileCtrlTest : gridtest::GridFormTest {
    shelltest::TTempHome Temp;
    TVolumeSources Sources;
    std::string Mounts;

    void SetUp() override
    {
        gridtest::GridFormTest::SetUp();
        RegisterSkinGrids();
        Sources.MountInfo = (Temp.Home / "mountinfo").string();
        Sources.SysBlock = (Temp.Home / "block").string();
        Sources.ByLabel = (Temp.Home / "by-label").string();
        fs::create_directories(Sources.SysBlock);
        fs::create_directories(Sources.ByLabel);
        WriteMounts();
    }
    // The mount table escapes blanks as \040, as the kernel writes it.
    static std::string Escape(const std::string& s)
    {
        std::string out;
        for (char c : s) out += c == ' ' ? std::string("\\040") : std::string(1, c);
        return out;
    }
    void WriteMounts() { std::ofstream(Sources.MountInfo) << "26 1 254:1 / / rw - ext4 /dev/vda rw\n" << Mounts; }
    // Mounts a disc labelled Label (empty: none) at a folder under HOME; returns its root with "/".
    std::string MountDisc(const std::string& Folder, const std::string& Device, const std::string& Label)
    {
        const fs::path point = Temp.Home / "media" / Folder;
        fs::create_directories(point);
        Mounts += "40 26 11:0 / " + Escape(point.string()) + " ro - iso9660 " + Device + " ro\n";
        WriteMounts();
        if (!Label.empty()) fs::create_symlink(Device, fs::path(Sources.ByLabel) / Label);
        return point.string() + "/";
    }
    static void Touch(const fs::path& p) { std::ofstream(p) << "x"; }
};

} // namespace filectrltest
