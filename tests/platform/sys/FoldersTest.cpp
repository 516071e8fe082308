#include "platform/sys/Folders.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include "tests/support/TScratchFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A temporary HOME with the XDG variables cleared, restored afterwards.
class FoldersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "PATH"}) {
            const char* v = std::getenv(name);
            saved.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
        }
        setenv("HOME", home.c_str(), 1);
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CONFIG_HOME");
    }
    void TearDown() override
    {
        for (auto& [name, v] : saved) {
            if (v) {
                setenv(name.c_str(), v->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }
    void WriteUserDirs(const std::string& text)
    {
        fs::create_directories(home + "/.config");
        std::ofstream(home + "/.config/user-dirs.dirs") << text;
    }
    TScratchFolder scratch;
    std::string home = scratch.Path();
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

} // namespace

TEST_F(FoldersTest, DefaultsFollowHome)
{
    EXPECT_EQ(UserDataFolder(), home + "/.local/share/");
    EXPECT_EQ(UserDocumentsFolder(), home + "/Documents/");
    EXPECT_EQ(UserDesktopFolder(), home + "/Desktop/");
    EXPECT_EQ(WorkFolder(), home + "/.local/share/Ombrix3/");
}

TEST_F(FoldersTest, XdgDataHomeWins)
{
    setenv("XDG_DATA_HOME", "/srv/data", 1);
    EXPECT_EQ(UserDataFolder(), "/srv/data/");
    EXPECT_EQ(WorkFolder(), "/srv/data/Ombrix3/");
}

TEST_F(FoldersTest, UserDirsFileNamesDocumentsAndDesktop)
{
    WriteUserDirs("# written by the desktop\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                  "XDG_DOCUMENTS_DIR=\"/data/My Docs\"\nXDG_DOCUMENTS_DIRX=\"$HOME/wrong\"\n");
    EXPECT_EQ(UserDesktopFolder(), home + "/Schreibtisch/");
    EXPECT_EQ(UserDocumentsFolder(), "/data/My Docs/");
}

TEST_F(FoldersTest, GarbledUserDirsEntryFallsBack)
{
    WriteUserDirs("XDG_DOCUMENTS_DIR=relative/path\n");
    EXPECT_EQ(UserDocumentsFolder(), home + "/Documents/");
}

TEST_F(FoldersTest, NoHomeRaisesOnlyForDocuments)
{
    unsetenv("HOME");
    try {
        UserDocumentsFolder();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Could not determine My Documents path");
    }
    EXPECT_EQ(UserDesktopFolder(), "");
    EXPECT_EQ(WorkFolder(), "");
}

TEST_F(FoldersTest, ConsoleToolFoundInWorkFolderBeforePath)
{
    fs::create_directories(WorkFolder());
    const std::string local = WorkFolder() + "mplayer";
    std::ofstream(local) << "#!/bin/sh\n";
    chmod(local.c_str(), 0755);
    EXPECT_EQ(FindConsoleTool("mplayer.exe"), local);
}

TEST_F(FoldersTest, ConsoleToolFallsBackToPath)
{
    setenv("PATH", "/usr/bin:/bin", 1);
    EXPECT_EQ(FindConsoleTool("sh.exe"), "/usr/bin/sh");
    EXPECT_EQ(FindConsoleTool("no-such-tool.exe"), "");
    EXPECT_EQ(FindConsoleTool("/opt/x/tool.exe"), "/opt/x/tool.exe");
}

TEST_F(FoldersTest, FolderNamedLikeAToolIsNotATool)
{
    setenv("PATH", "/usr/bin:/bin", 1);
    fs::create_directories(WorkFolder() + "sh");
    EXPECT_EQ(FindConsoleTool("sh"), "/usr/bin/sh");
}
