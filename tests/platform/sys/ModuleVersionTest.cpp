#include "platform/sys/ModuleVersion.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace fs = std::filesystem;

TEST(ModuleVersion, TheProgramAndALibraryAreFoundByTheirCode)
{
    const std::string program = ModuleFileName();
    EXPECT_EQ(fs::path(program).filename(), "test_sys");
    EXPECT_EQ(ModuleFileName(ModuleOfAddress(reinterpret_cast<const void*>(&ModuleFileName))), program);
    // A library linked in dynamically is named by its real file.
    const std::string library = ModuleFileName(ModuleOfAddress(reinterpret_cast<const void*>(&FT_Init_FreeType)));
    EXPECT_NE(library.find("libfreetype.so"), std::string::npos) << library;
    EXPECT_TRUE(fs::exists(library));
    EXPECT_EQ(ModuleOfAddress(nullptr), nullptr);
}

TEST(ModuleVersion, TheVersionIsReadFromTheRealFileName)
{
    const fs::path dir = fs::temp_directory_path() / ("ombrix-version-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "libsample.so.3.14.15") << "x";
    fs::create_symlink("libsample.so.3.14.15", dir / "libsample.so.3");
    std::ofstream(dir / "plain.so") << "x";
    TFileVersion v;
    ASSERT_TRUE(GetFileVersion((dir / "libsample.so.3").string(), v));
    EXPECT_EQ(v.Major, 3);
    EXPECT_EQ(v.Minor, 14);
    EXPECT_EQ(v.Release, 15);
    EXPECT_EQ(v.Build, 0);
    EXPECT_FALSE(GetFileVersion((dir / "plain.so").string(), v));
    EXPECT_FALSE(GetFileVersion((dir / "missing.so.1").string(), v));
    fs::remove_all(dir);
}
