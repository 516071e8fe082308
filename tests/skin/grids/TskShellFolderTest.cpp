// Shell namespace nodes over a scratch folder tree: names, kinds, children, renaming, details and
// the named roots.
#include "skin/grids/TskShellFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/TScratchFolder.h"

namespace fs = std::filesystem;

namespace {

struct ShellFolderTest : ::testing::Test {
    TScratchFolder Scratch;
    fs::path Dir = Scratch.Path();
    void SetUp() override
    {
        fs::create_directories(Dir / "Videos" / "Trips");
        fs::create_directories(Dir / "Archive.ZIP");
        fs::create_directories(Dir / ".hidden");
        std::ofstream(Dir / "notes.txt") << "x";
    }
    std::unique_ptr<TskShellFolder> Root() { return CreateRootFolder(Dir.string()); }
};

std::vector<std::string> Names(const std::vector<std::unique_ptr<TskShellFolder>>& Nodes)
{
    std::vector<std::string> names;
    for (const auto& n : Nodes)
        names.push_back(n->DisplayName());
    return names;
}

} // namespace

TEST_F(ShellFolderTest, ChildrenComeFoldersFirst_AndAZipFolderIsAFile)
{
    auto root = Root();
    EXPECT_EQ(root->PathName(), Dir.string());
    EXPECT_EQ(root->Level(), 0);
    auto all = root->Children(TShellObjectTypes{otFolders, otNonFolders});
    EXPECT_EQ(Names(all), (std::vector<std::string>{"Videos", "Archive.ZIP", "notes.txt"}));
    EXPECT_FALSE(all[1]->IsFolder());
    EXPECT_EQ(all[0]->Level(), 1);
    EXPECT_EQ(all[0]->Parent(), root.get());
    EXPECT_TRUE(all[0]->HasSubFolders());
    EXPECT_FALSE(all[2]->HasChildren(TShellObjectTypes{otFolders, otNonFolders}));
    auto hidden = root->Children(TShellObjectTypes{otFolders, otHidden});
    EXPECT_EQ(Names(hidden), (std::vector<std::string>{".hidden", "Videos"}));
    EXPECT_EQ(ObjectTypeFlags(TShellObjectTypes{otFolders, otNonFolders, otHidden}), 32 | 64 | 128);
}

TEST_F(ShellFolderTest, RenameNeverReplacesAndKeepsTheNodeCurrent)
{
    auto root = Root();
    auto kids = root->Children(TShellObjectTypes{otFolders});
    TskShellFolder& videos = *kids[0];
    videos.Rename("Films");
    EXPECT_EQ(videos.PathName(), (Dir / "Films").string());
    EXPECT_TRUE(fs::is_directory(Dir / "Films" / "Trips"));
    EXPECT_THROW(videos.Rename("notes.txt"), Exception);
    EXPECT_THROW(videos.Rename("a/b"), Exception);
    EXPECT_TRUE(fs::exists(Dir / "notes.txt"));
}

TEST_F(ShellFolderTest, DetailsAndTheFullSizeOfALargeFile)
{
    const fs::path big = Dir / "big.mkv";
    {
        const int fd = ::open(big.c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, 5000000000LL), 0); // sparse: takes no room
        ::close(fd);
    }
    auto root = Root();
    TskShellFolder node(root.get(), IDListFromPath("big.mkv"));
    EXPECT_THROW(node.Details(1), Exception);
    node.LoadColumnDetails(nullptr, 4);
    EXPECT_EQ(node.Details(1), "5000000000");
    EXPECT_EQ(node.Details(2), ".mkv");
    EXPECT_EQ(node.Details(4), "32");
    EXPECT_EQ(TskShellFolder::SizeOf(node.FileData()), 5000000000LL);
    TskShellFolder gone(node.Parent(), IDListFromPath("gone"));
    EXPECT_THROW(gone.FileData(), EInvalidPath);
}

TEST_F(ShellFolderTest, RootsByNameOrPath_AndABadRootSaysWhich)
{
    const char* savedHome = std::getenv("HOME");
    const std::string saved = savedHome ? savedHome : "";
    setenv("HOME", Dir.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    fs::create_directories(Dir / "Documents");
    EXPECT_EQ(CreateRootFolder("rfPersonal")->PathName(), (Dir / "Documents").string());
    fs::create_directories(Dir / "Videos");
    EXPECT_EQ(CreateRootFolder("~/Videos")->PathName(), (Dir / "Videos").string());
    EXPECT_EQ(CreateRootFolder("~")->PathName(), Dir.string());
    // "~x" is no home folder: a relative name that parses to no folder.
    EXPECT_THROW(CreateRootFolder("~x"), Exception);
    EXPECT_EQ(CreateRootFolder("rfDesktop")->DisplayName(), "/");
    try {
        CreateRootFolder("/no/such/folder");
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Error setting path: \"/no/such/folder\"");
    }
    EXPECT_THROW(CreateRootFolder("rfPrinters"), Exception);
    TskRootFolder f{};
    EXPECT_TRUE(RootFolderFromName("RFPERSONAL", f));
    EXPECT_EQ(RootFolderId(f), 5);
    setenv("HOME", saved.c_str(), 1);
}
