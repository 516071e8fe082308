#include "skin/grids/TskSkinDriveComboBox.h"

#include <unistd.h>

#include <functional>
#include <vector>

#include "FileCtrlTestSupport.h"
#include "platform/rtl/Files.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TReader.h"
#include "skin/grids/ShellPictures.h"

using filectrltest::FileCtrlTest;

namespace {

struct DriveComboBox : FileCtrlTest {
    TskSkinDriveComboBox* Box = nullptr;
    std::string Film, Empty;

    void MakeBox()
    {
        Film = MountDisc("My \"Film\" Disc", "/dev/loop7", "SYS");
        Empty = MountDisc("cd rom", "/dev/loop8", "");
        Box = new TskSkinDriveComboBox(Form);
        Box->SetParent(Form);
        Box->SetBounds(10, 10, 200, 20);
        Box->SetVolumeSources(Sources);
    }
};

} // namespace

TEST_F(DriveComboBox, ListsRootThenMountedDiscsWithLowerCaseCaptions)
{
    MakeBox();
    ASSERT_EQ(Box->Items()->Count(), 3);
    EXPECT_EQ(Box->Items()->Strings(0), "/ []");
    EXPECT_EQ(Box->Items()->Strings(1), Film + " [sys]");
    EXPECT_EQ(Box->Items()->Strings(2), Empty + " []");
}

TEST_F(DriveComboBox, RemovableAndNetworkVolumesFollow_NamedFromTheMountTableAlone)
{
    Mounts += "50 26 8:17 / /media/ann/My\\040Stick rw - vfat /dev/sdb1 rw\n"
              "51 26 0:60 / /mnt/films rw - cifs //server/films\\040and\\040more rw\n"
              "52 26 0:61 / /proc rw - proc proc rw\n";
    MakeBox();
    ASSERT_EQ(Box->Items()->Count(), 5);
    EXPECT_EQ(Box->Items()->Strings(3), "/media/ann/My Stick/");
    EXPECT_EQ(Box->Items()->Strings(4), "/mnt/films/ [//server/films and more]");
    Box->SetItemIndex(4);
    EXPECT_EQ(Box->Drive(), "/mnt/films/");
}

TEST_F(DriveComboBox, EachRowShowsItsVolumesPictureBeforeTheText)
{
    MakeBox();
    // The 16 x 16 square at a row's left end, drawn the way the box draws its face and its list rows,
    // against the picture itself.
    using TSquare = std::vector<TColor>;
    auto square = [](const std::function<void(TCanvas*)>& Draw) {
        TBitmap b(120, 20);
        b.Canvas()->Brush()->SetColor(clWhite);
        b.Canvas()->FillRect(Rect(0, 0, 120, 20));
        Draw(b.Canvas());
        TSquare out;
        for (int y = 2; y < 18; ++y)
            for (int x = 0; x < 16; ++x) out.push_back(b.Canvas()->Pixels(x, y));
        return out;
    };
    auto drawn = [&](int Index) {
        return square([&](TCanvas* C) { Box->OnComboBoxDrawItem(C, Index, 0, 0, Rect(0, 0, 120, 20), TOwnerDrawState{}); });
    };
    auto picture = [&](TskShellIcon Icon) { return square([&](TCanvas* C) { ShellImages(false)->Draw(C, 0, 2, Icon, true); }); };
    ASSERT_NE(picture(siComputer), picture(siOpticalDrive));
    EXPECT_EQ(drawn(0), picture(siComputer));
    EXPECT_EQ(drawn(1), picture(siOpticalDrive));
    EXPECT_EQ(drawn(2), picture(siOpticalDrive));
}

TEST_F(DriveComboBox, UpperCaseShowsLabelsInUpperCaseAndKeepsDrive)
{
    MakeBox();
    Box->SetDrive(Film);
    Box->SetTextCase(tcUpperCase);
    EXPECT_EQ(Box->Items()->Strings(1), Film + " [SYS]");
    EXPECT_EQ(Box->Drive(), Film);
    EXPECT_EQ(Box->ItemIndex(), 1);
}

TEST_F(DriveComboBox, SettingItemIndexMakesThatVolumeTheDrive)
{
    MakeBox();
    for (int i = 0; i < Box->Items()->Count(); ++i) {
        Box->SetItemIndex(i);
        EXPECT_EQ(Box->Drive(), Box->DriveRoot(i));
    }
    EXPECT_EQ(Box->Drive(), Empty);
}

TEST_F(DriveComboBox, DriveFollowsItemIndexEvenWithCallersOwnOnChange)
{
    MakeBox();
    int changes = 0;
    Box->OnChange = [&](TObject*) { ++changes; };
    Box->SetItemIndex(1);
    EXPECT_EQ(Box->Drive(), Film);
    EXPECT_EQ(changes, 1);
}

TEST_F(DriveComboBox, SetDriveSelectsItemAndEmptySelectsNone)
{
    MakeBox();
    // Without the trailing slash it is the same drive.
    Box->SetDrive(Film.substr(0, Film.size() - 1));
    EXPECT_EQ(Box->ItemIndex(), 1);
    EXPECT_EQ(Box->Drive(), Film);
    Box->SetDrive("");
    EXPECT_EQ(Box->ItemIndex(), -1);
    EXPECT_EQ(Box->Drive(), "");
}

TEST_F(DriveComboBox, RebuildKeepsDriveWhileMountedAndForgetsItsItemOnceGone)
{
    MakeBox();
    Box->SetDrive(Empty);
    Mounts.clear();
    WriteMounts();
    Box->BuildList();
    EXPECT_EQ(Box->Items()->Count(), 1);
    EXPECT_EQ(Box->ItemIndex(), -1);
    EXPECT_EQ(Box->DriveRoot(1), "");
}

TEST_F(DriveComboBox, DriveOfPathIsTheLongestRootInFront)
{
    MakeBox();
    EXPECT_EQ(Box->DriveOfPath(Film + "VIDEO_TS/VTS_01_1.VOB"), Film);
    EXPECT_EQ(Box->DriveOfPath(Film), Film);
    EXPECT_EQ(Box->DriveOfPath("/usr/bin"), "/");
    EXPECT_EQ(Box->DriveOfPath("relative"), "");
}

TEST_F(DriveComboBox, ReadFromFormChoosesTheCurrentDirectorysDrive)
{
    MountDisc("Disc", "/dev/loop7", "FILM");
    TForm form(nullptr);
    ReadComponentFromText(&form, R"(object F: TForm
  object drives: TskSkinDriveComboBox
    Width = 150
    TextCase = tcUpperCase
  end
end
)");
    auto* box = dynamic_cast<TskSkinDriveComboBox*>(form.FindComponent("drives"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->TextCase(), tcUpperCase);
    // Read from the real mount table: the root is always there and holds the current directory
    // unless a mounted volume does.
    ASSERT_GE(box->Items()->Count(), 1);
    EXPECT_EQ(box->Drive(), box->DriveOfPath(GetCurrentDir()));
    EXPECT_GE(box->ItemIndex(), 0);
}
