#include "skin/data/TskSkinData.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

#include "PackedSkinTestSupport.h"
#include "tests/support/THeadlessDriver.h"
#include "platform/gfx/EInvalidGraphic.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TReader.h"
#include "platform/win/Messages.h"
#include "skin/data/SkinBudget.h"
#include "skin/data/SkinIni.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/TskCompressedSkinList.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/TskDataSkinObject.h"
#include "skin/data/TskDataSkinPopupWindow.h"
#include "skin/data/TskResourceStrData.h"

namespace {

struct TSeen {
    std::string Form;
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    bool Loading;
    bool Empty;
};

// A form that notes every skin message it receives, with the state of the sending skin at that moment.
class TRecordingForm : public TForm {
public:
    TRecordingForm(const std::string& name, std::vector<TSeen>& log, TComponent* owner = nullptr)
        : TForm(owner), FLabel(name), FLog(log)
    {
    }
    void WndProc(TMessage& Message) override
    {
        const UINT m = Message.Msg;
        if (m == WM_BEFORECHANGESKINDATA || m == WM_CHANGESKINDATA || m == WM_AFTERCHANGESKINDATA ||
            m == WM_CHANGERESSTRDATA || m == WM_CHANGEFORMSKINNABLE) {
            auto* skin = reinterpret_cast<TskSkinData*>(Message.WParam);
            FLog.push_back({FLabel, m, Message.WParam, Message.LParam, skin->SkinLoading, skin->SkinEmpty});
        }
        TForm::WndProc(Message);
    }

private:
    std::string FLabel;
    std::vector<TSeen>& FLog;
};

std::vector<UINT> Messages(const std::vector<TSeen>& log, const std::string& form)
{
    std::vector<UINT> out;
    for (const auto& s : log)
        if (s.Form == form)
            out.push_back(s.Msg);
    return out;
}

class SkinDataTest : public ::testing::Test {
protected:
    THeadlessDriver driver;
    std::vector<TSeen> log;
};

std::unique_ptr<TskCompressedStoredSkin> StoredTestSkin()
{
    auto stored = std::make_unique<TskCompressedStoredSkin>(nullptr);
    EXPECT_TRUE(stored->LoadFromSkinFile(TestSkinFile()));
    return stored;
}

std::unique_ptr<TskCompressedStoredSkin> StoredImage(const std::string& packedImage)
{
    auto stored = std::make_unique<TskCompressedStoredSkin>(nullptr);
    SetStoredBytes(*stored, Zlib(packedImage));
    return stored;
}

const std::string kFlagEmpty = "\x01";
std::string Slot(int w, int h)
{
    return std::string("\x00", 1) + Bmp24(w, h);
}

// ---- the project's test skin

TEST_F(SkinDataTest, TestSkin_EntriesAreFoundByName)
{
    auto stored = StoredTestSkin();
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(stored.get());
    EXPECT_FALSE(skin.SkinEmpty);
    EXPECT_FALSE(skin.SkinLoading);
    ASSERT_EQ(skin.ControlDataList.size(), 3u); // the entry of an unknown kind is skipped
    EXPECT_EQ(skin.FindControlIndex("button"), 0);
    EXPECT_EQ(skin.FindControlIndex("gauge"), 2);
    EXPECT_EQ(skin.FindControlIndex("Button"), -1);
    EXPECT_EQ(skin.FindControlIndex("oddone"), -1);
    EXPECT_EQ(skin.FindControlIndex(""), -1);
    EXPECT_EQ(skin.ControlDataList[0]->SkinRect, Rect(0, 0, 60, 21));
    EXPECT_EQ(skin.FindObjectIndex("closebutton"), 1);
    EXPECT_EQ(skin.ObjectDataList[1]->SkinRect, Rect(96, 4, 112, 20));
    ASSERT_EQ(skin.FindAreaIndex("statusarea"), 1);
    EXPECT_EQ(skin.SkinAreaList[1]->AreaRect, Rect(10, 60, 110, 70));
}

TEST_F(SkinDataTest, TestSkin_PicturesHaveTheirSizes)
{
    auto stored = StoredTestSkin();
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(stored.get());
    EXPECT_EQ(skin.Picture->Width(), 120);
    EXPECT_EQ(skin.Picture->Height(), 80);
    EXPECT_EQ(skin.Mask->Width(), 120);
    EXPECT_TRUE(skin.InActivePicture->Empty());
    EXPECT_TRUE(skin.RollUpPicture->Empty());
    ASSERT_EQ(skin.ActivePictures.size(), 3u);
    EXPECT_EQ(skin.ActivePictures[0]->Width(), 60);
    EXPECT_EQ(skin.ActivePictures[0]->Height(), 21);
    EXPECT_EQ(skin.ActivePictures[1]->Width(), 33);
    EXPECT_EQ(skin.ActivePictures[2]->Height(), 20);
    ASSERT_EQ(skin.ActivePicturesNames->Count(), 3);
    EXPECT_EQ(skin.ActivePicturesNames->Strings(1), "controls.bmp");
    EXPECT_EQ(skin.PictureName, "frame.bmp");
    EXPECT_EQ(skin.MaskName, "framemask.bmp");
}

TEST_F(SkinDataTest, TestSkin_FormInfoColoursAndTexts)
{
    auto stored = StoredTestSkin();
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(stored.get());
    EXPECT_EQ(skin.SkinName, "Ombrix Test");
    EXPECT_EQ(skin.SkinComments, "Caf\xc3\xa9 test skin"); // Windows-1252 inside, UTF-8 outside
    EXPECT_EQ(skin.ClientRect, Rect(5, 25, 115, 75));
    EXPECT_EQ(skin.MaskRectArea, skin.ClientRect);           // empty area with a mask: the client rect
    EXPECT_EQ(skin.HitTestLeftTopPoint, skin.LeftTopPoint);  // 0,7 has a zero coordinate
    EXPECT_EQ(skin.HitTestRightBottomPoint, skin.RightBottomPoint);
    EXPECT_TRUE(skin.TopStretch);
    EXPECT_EQ(skin.StretchType, 1);
    EXPECT_EQ(skin.InActiveEffect, 1);
    EXPECT_EQ(skin.BGPictureIndex, -1);
    EXPECT_EQ(skin.CursorIndex, -1);
    EXPECT_EQ(skin.StatusBarName, "statusbar");
    EXPECT_EQ(skin.SkinColors->cBtnFace, 12632256);
    EXPECT_EQ(skin.SkinColors->c3DDkShadow, 4210752);
    EXPECT_EQ(skin.PopupWindow->WindowPictureIndex, 1);
}

// ---- messages to the forms

TEST_F(SkinDataTest, Load_EveryFormGetsBeforeChangeAfter_InOrder)
{
    TRecordingForm a("a", log), b("b", log);
    auto stored = StoredTestSkin();
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(stored.get());
    const std::vector<UINT> expected = {WM_BEFORECHANGESKINDATA, WM_CHANGESKINDATA, WM_AFTERCHANGESKINDATA};
    EXPECT_EQ(Messages(log, "a"), expected);
    EXPECT_EQ(Messages(log, "b"), expected);
    for (const auto& s : log) {
        EXPECT_EQ(s.WParam, reinterpret_cast<WPARAM>(&skin));
        EXPECT_EQ(s.LParam, 1000);
        EXPECT_EQ(s.Loading, s.Msg != WM_AFTERCHANGESKINDATA);
        EXPECT_EQ(s.Empty, s.Msg == WM_BEFORECHANGESKINDATA);
    }
    // All forms hear one message before any hears the next.
    EXPECT_EQ(log[0].Msg, WM_BEFORECHANGESKINDATA);
    EXPECT_EQ(log[1].Msg, WM_BEFORECHANGESKINDATA);
}

TEST_F(SkinDataTest, Broadcast_OwnerFormFirstAndOnlyOnce)
{
    TRecordingForm other("other", log);
    TRecordingForm owner("owner", log);
    auto* skin = new TskSkinData(&owner);
    skin->BroadcastSkinMessage(WM_CHANGEFORMSKINNABLE);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Form, "owner");
    EXPECT_EQ(log[1].Form, "other");
}

TEST_F(SkinDataTest, SkinnableForm_SameValueSendsNothing_ChangeSends1294)
{
    TRecordingForm a("a", log);
    TskSkinData skin(nullptr);
    skin.SetSkinnableForm(true);
    EXPECT_TRUE(log.empty());
    skin.SetSkinnableForm(false);
    EXPECT_EQ(Messages(log, "a"), std::vector<UINT>{WM_CHANGEFORMSKINNABLE});
}

TEST_F(SkinDataTest, ResourceStrData_Sends1274)
{
    TRecordingForm a("a", log);
    TskSkinData skin(nullptr);
    TskResourceStrData strings(nullptr);
    skin.SetResourceStrData(&strings);
    EXPECT_EQ(Messages(log, "a"), std::vector<UINT>{WM_CHANGERESSTRDATA});
    skin.SetResourceStrData(nullptr);
}

// ---- loading failures

TEST_F(SkinDataTest, EmptyStoredSkin_DoesNothingAndSendsNothing)
{
    TRecordingForm a("a", log);
    TskCompressedStoredSkin empty(nullptr);
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(&empty);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(skin.SkinEmpty);
}

TEST_F(SkinDataTest, TruncatedZlib_RaisesAndLeavesNoSkin)
{
    TRecordingForm a("a", log);
    auto good = StoredTestSkin();
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(good.get());
    log.clear();

    TskCompressedStoredSkin cut(nullptr);
    const std::string bytes(static_cast<const char*>(good->StoredData().Memory()),
                            static_cast<std::size_t>(good->StoredData().Size()));
    SetStoredBytes(cut, bytes.substr(0, bytes.size() - 40)); // the cut falls in the ini text
    try {
        skin.LoadStoredSkin(&cut);
        FAIL() << "no error";
    } catch (const EDecompressionError& e) {
        EXPECT_EQ(e.Message(), "compression error");
    }
    EXPECT_EQ(Messages(log, "a"), std::vector<UINT>{WM_BEFORECHANGESKINDATA});
    EXPECT_TRUE(skin.SkinEmpty);
    EXPECT_FALSE(skin.SkinLoading);
    EXPECT_TRUE(skin.ControlDataList.empty());
    EXPECT_TRUE(skin.ActivePictures.empty());
    EXPECT_TRUE(skin.Picture->Empty());
}

TEST_F(SkinDataTest, DamagedBitmap_RaisesTheBitmapErrorAndResetsLoading)
{
    std::string bmp = Bmp24(4, 4);
    bmp[2] = 0; // bfSize 0
    bmp[3] = 0;
    auto stored = StoredImage(PackedImage(3, Slot(4, 4) + kFlagEmpty + kFlagEmpty, {bmp}, MinimalSkinIni()));
    TskSkinData skin(nullptr);
    EXPECT_THROW(skin.LoadStoredSkin(stored.get()), EInvalidGraphic);
    EXPECT_TRUE(skin.SkinEmpty);
    EXPECT_FALSE(skin.SkinLoading);
}

TEST_F(SkinDataTest, DamagedStoredSkinThroughTheProperty_LeavesTheDefaultLook)
{
    TskCompressedStoredSkin bad(nullptr);
    SetStoredBytes(bad, "this is no zlib data");
    TskSkinData skin(nullptr);
    EXPECT_NO_THROW(skin.SetCompressedStoredSkin(&bad));
    EXPECT_TRUE(skin.SkinEmpty);
    EXPECT_FALSE(skin.SkinLoading);
    skin.SetCompressedStoredSkin(nullptr);
}

TEST_F(SkinDataTest, DamagedStoredSkinInAFormDescription_DoesNotStopTheForm)
{
    TForm form(nullptr);
    ReadComponentFromText(&form, "object F: TForm\n"
                                 "  object Stored: TskCompressedStoredSkin\n"
                                 "    CompressedData = {789C0102}\n"
                                 "  end\n"
                                 "  object Skin: TskSkinData\n"
                                 "    CompressedStoredSkin = Stored\n"
                                 "  end\n"
                                 "end\n");
    auto* skin = dynamic_cast<TskSkinData*>(form.FindComponent("Skin"));
    ASSERT_NE(skin, nullptr);
    EXPECT_TRUE(skin->SkinEmpty);
    EXPECT_FALSE(skin->SkinLoading);
}

TEST_F(SkinDataTest, StoredSkinInAFormDescription_LoadsAfterTheWholeForm)
{
    auto stored = StoredTestSkin();
    std::ostringstream hex;
    const auto* p = static_cast<const unsigned char*>(stored->StoredData().Memory());
    for (std::int64_t i = 0; i < stored->StoredData().Size(); ++i)
        hex << std::uppercase << std::hex << std::setw(2) << std::setfill('0') << int(p[i]);
    TRecordingForm form("form", log);
    // The skin component comes before its stored skin: the reference is resolved after both exist.
    ReadComponentFromText(&form, "object F: TForm\n"
                                 "  object Skin: TskSkinData\n"
                                 "    CompressedStoredSkin = Stored\n"
                                 "  end\n"
                                 "  object Stored: TskCompressedStoredSkin\n"
                                 "    CompressedData = {" + hex.str() + "}\n"
                                 "  end\n"
                                 "end\n");
    auto* skin = dynamic_cast<TskSkinData*>(form.FindComponent("Skin"));
    ASSERT_NE(skin, nullptr);
    EXPECT_FALSE(skin->SkinEmpty);
    EXPECT_EQ(skin->FindControlIndex("panel"), 1);
    EXPECT_EQ(Messages(log, "form"),
              (std::vector<UINT>{WM_BEFORECHANGESKINDATA, WM_CHANGESKINDATA, WM_AFTERCHANGESKINDATA}));
}

TEST_F(SkinDataTest, PackedVersionAboveThree_LeavesTheSkinEmptyWithoutError)
{
    TRecordingForm a("a", log);
    auto stored = StoredImage(PackedImage(4, "", {}, MinimalSkinIni()));
    TskSkinData skin(nullptr);
    EXPECT_NO_THROW(skin.LoadStoredSkin(stored.get()));
    EXPECT_EQ(Messages(log, "a"), std::vector<UINT>{WM_BEFORECHANGESKINDATA});
    EXPECT_TRUE(skin.SkinEmpty);
    EXPECT_FALSE(skin.SkinLoading);
}

TEST_F(SkinDataTest, TrailingBytesAfterTheZlibData_LoadNormally)
{
    TskCompressedStoredSkin stored(nullptr);
    SetStoredBytes(stored, Zlib(PackedImage(3, kFlagEmpty + kFlagEmpty + kFlagEmpty, {}, MinimalSkinIni())) +
                               std::string(5000, '\0'));
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(&stored);
    EXPECT_FALSE(skin.SkinEmpty);
    EXPECT_EQ(skin.SkinName, "Tiny");
}

TEST_F(SkinDataTest, HugeActivePictureCount_EndsInALoadError)
{
    std::string image = PackedImage(3, kFlagEmpty + kFlagEmpty + kFlagEmpty, {Bmp24(2, 2)}, "");
    image[4 + 3] = '\xff'; // count 0x7fffffff
    image[4 + 3 + 1] = '\xff';
    image[4 + 3 + 2] = '\xff';
    image[4 + 3 + 3] = '\x7f';
    auto stored = StoredImage(image);
    TskSkinData skin(nullptr);
    EXPECT_THROW(skin.LoadStoredSkin(stored.get()), EInvalidGraphic);
    EXPECT_TRUE(skin.ActivePictures.empty());
}

TEST_F(SkinDataTest, ImageInflatingBeyondTheCap_IsRefusedSayingSo)
{
    auto stored = StoredImage(PackedImage(3, kFlagEmpty + kFlagEmpty + kFlagEmpty, {}, std::string(MaxPackedSkinSize, ' ')));
    TskSkinData skin(nullptr);
    try {
        skin.LoadStoredSkin(stored.get());
        FAIL() << "no error";
    } catch (const EDecompressionError& e) {
        EXPECT_EQ(e.Message(), "The skin is larger than 64 MB unpacked");
    }
    EXPECT_TRUE(skin.SkinEmpty);
}

TEST_F(SkinDataTest, SkinPastTheMemoryBudget_IsRefusedWholeSayingSo)
{
    // Each packs into a few kilobytes (the picture into 32 KB) and would take gigabytes once loaded.
    std::string shortLines = "[filler]\r\n";
    for (int i = 0; i < 1500000; ++i)
        shortLines += "a=\r\n";
    const std::string empty3 = kFlagEmpty + kFlagEmpty + kFlagEmpty;
    const std::pair<const char*, std::string> cases[] = {
        {"one list of 65,536 lines named by 200 entries", PackedImage(3, empty3, {}, ManyListsIni(200))},
        {"an active picture of 16384 x 16384", PackedImage(3, empty3, {Bmp1(16384, 16384)}, MinimalSkinIni())},
        {"a frame picture of 16384 x 16384",
         PackedImage(3, std::string(1, '\0') + Bmp1(16384, 16384) + kFlagEmpty + kFlagEmpty, {}, MinimalSkinIni())},
        {"1.5 million ini lines", PackedImage(3, empty3, {}, shortLines)},
    };
    for (const auto& [what, image] : cases) {
        SCOPED_TRACE(what);
        TRecordingForm a("a", log);
        auto stored = StoredImage(image);
        TskSkinData skin(nullptr);
        try {
            skin.LoadStoredSkin(stored.get());
            ADD_FAILURE() << "loaded";
        } catch (const ESkinTooLarge& e) {
            EXPECT_EQ(e.Message(), "The skin needs more than 256 MB of memory for its pictures, lists and texts together");
        }
        EXPECT_TRUE(skin.SkinEmpty && skin.ActivePictures.empty());
        EXPECT_EQ(Messages(log, "a"), std::vector<UINT>{WM_BEFORECHANGESKINDATA});
        log.clear();
    }
}

// ---- the packed image layout

TEST_F(SkinDataTest, PictureSlots_DependOnTheVersion)
{
    struct TCase {
        int Version;
        int Slots;
        std::vector<int> Filled; // Picture, InActive, Mask, RollUp, RollUpMask
    };
    const TCase cases[] = {{0, 2, {1, 0, 1, 0, 0}},
                           {-1, 2, {1, 0, 1, 0, 0}},
                           {1, 4, {1, 0, 1, 1, 1}},
                           {2, 5, {1, 1, 1, 1, 1}},
                           {3, 3, {1, 1, 1, 0, 0}}};
    for (const auto& c : cases) {
        std::string slots;
        for (int i = 0; i < c.Slots; ++i)
            slots += Slot(3 + i, 2);
        auto stored = StoredImage(PackedImage(c.Version, slots, {Bmp24(7, 7)}, MinimalSkinIni()));
        TskSkinData skin(nullptr);
        skin.LoadStoredSkin(stored.get());
        const TBitmap* pics[] = {skin.Picture.get(), skin.InActivePicture.get(), skin.Mask.get(),
                                 skin.RollUpPicture.get(), skin.RollUpMask.get()};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(!pics[i]->Empty(), c.Filled[i] == 1) << "version " << c.Version << " slot " << i;
        ASSERT_EQ(skin.ActivePictures.size(), 1u) << c.Version;
        EXPECT_EQ(skin.ActivePictures[0]->Width(), 7);
        EXPECT_EQ(skin.SkinName, "Tiny");
    }
}

TEST_F(SkinDataTest, FlagTwo_ReadsLikeAnEmptyPicture)
{
    auto stored = StoredImage(PackedImage(3, "\x02" + Slot(5, 5) + "\x01", {}, MinimalSkinIni()));
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(stored.get());
    EXPECT_TRUE(skin.Picture->Empty());
    EXPECT_EQ(skin.InActivePicture->Width(), 5);
    EXPECT_TRUE(skin.Mask->Empty());
}

TEST_F(SkinDataTest, NegativeActiveCount_TextFollowsTheCount)
{
    std::string image = PackedImage(3, kFlagEmpty + kFlagEmpty + kFlagEmpty, {}, MinimalSkinIni());
    image[7] = image[8] = image[9] = image[10] = '\xff'; // -1
    auto stored = StoredImage(image);
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(stored.get());
    EXPECT_TRUE(skin.ActivePictures.empty());
    EXPECT_EQ(skin.SkinName, "Tiny");
}

// ---- entry lists

std::unique_ptr<TskCompressedStoredSkin> IniOnly(const std::string& ini)
{
    return StoredImage(PackedImage(3, kFlagEmpty + kFlagEmpty + kFlagEmpty, {}, ini));
}

TEST_F(SkinDataTest, Controls_UnknownKindsAndMissingColonsAreSkipped)
{
    auto stored = IniOnly("[SKINCONTROLS]\r\ncount=4\r\n0=button:button\r\n1=x:nosuchkind\r\n2=button\r\n"
                          "3=x:y:z\r\n[SKINOBJECTS]\r\ncount=1\r\n0=cap:caption\r\n");
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(stored.get());
    ASSERT_EQ(skin.ControlDataList.size(), 1u);
    EXPECT_EQ(skin.ControlDataList[0]->IDName, "button");
    ASSERT_EQ(skin.ObjectDataList.size(), 1u);
    EXPECT_EQ(skin.ObjectDataList[0]->IDName, "cap");
}

TEST_F(SkinDataTest, DuplicateNames_LookupGivesTheFirst)
{
    auto stored = IniOnly("[SKINCONTROLS]\r\ncount=2\r\n0=b:button\r\n1=b:panel\r\n");
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(stored.get());
    EXPECT_EQ(skin.FindControlIndex("b"), 0);
}

TEST_F(SkinDataTest, HugeCounts_AreCutAndLoad)
{
    auto stored = IniOnly("[SKINCONTROLS]\r\ncount=2147483647\r\n0=b:button\r\n"
                          "[SKINOBJECTS]\r\ncount=2000000000\r\n"
                          "[SKINAREAS]\r\ncount=2147483647\r\n0=a:1,2,3,4\r\n");
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(stored.get());
    EXPECT_EQ(skin.ControlDataList.size(), 1u);
    EXPECT_TRUE(skin.ObjectDataList.empty());
    EXPECT_EQ(skin.FindAreaIndex("a"), 0);
    EXPECT_EQ(skin.SkinAreaList.size(), static_cast<std::size_t>(MaxSkinListCount));
}

TEST_F(SkinDataTest, Areas_EntriesWithoutColonOrMissingAreEmptyAreas)
{
    auto stored = IniOnly("[SKINAREAS]\r\ncount=3\r\n0=noColon\r\n2=top:1,2,3,4\r\n");
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(stored.get());
    ASSERT_EQ(skin.SkinAreaList.size(), 3u);
    EXPECT_EQ(skin.SkinAreaList[0]->IDName, "");
    EXPECT_EQ(skin.SkinAreaList[0]->AreaRect, Rect(0, 0, 0, 0));
    EXPECT_EQ(skin.SkinAreaList[1]->IDName, "");
    EXPECT_EQ(skin.SkinAreaList[2]->AreaRect, Rect(1, 2, 3, 4));
}

TEST_F(SkinDataTest, MalformedRectOrPoint_FailsTheLoadWithAClearError)
{
    struct TCase {
        std::string Ini;
        std::string Message;
    };
    const TCase cases[] = {
        {"[FORMINFO]\r\nclientrect=\r\n", "Skin value [FORMINFO] clientrect= is not a valid rectangle"},
        {"[FORMINFO]\r\nlefttoppoint=1\r\n", "Skin value [FORMINFO] lefttoppoint=1 is not a valid point"},
        {"[SKINAREAS]\r\ncount=1\r\n0=short:1,2,3\r\n",
         "Skin value [SKINAREAS] 0=short:1,2,3 holds no valid rectangle"},
        {"[SKINCONTROLS]\r\ncount=1\r\n0=b:button\r\n[b]\r\nskinrect=1,2,3,99999999999\r\n",
         "Skin value [b] skinrect=1,2,3,99999999999 is not a valid rectangle"},
    };
    TRecordingForm a("a", log);
    for (const auto& c : cases) {
        auto good = StoredTestSkin();
        TskSkinData skin(nullptr);
        skin.LoadStoredSkin(good.get());
        log.clear();
        auto bad = IniOnly(c.Ini);
        try {
            skin.LoadStoredSkin(bad.get());
            ADD_FAILURE() << "loaded: " << c.Ini;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
        EXPECT_EQ(Messages(log, "a"), std::vector<UINT>{WM_BEFORECHANGESKINDATA}) << c.Ini;
        EXPECT_TRUE(skin.SkinEmpty);
        EXPECT_FALSE(skin.SkinLoading);
        EXPECT_TRUE(skin.ControlDataList.empty()); // the earlier skin is gone too
        EXPECT_EQ(skin.FindControlIndex("b"), -1);
    }
}

TEST_F(SkinDataTest, MalformedRectThroughTheProperty_LeavesTheDefaultLook)
{
    auto bad = IniOnly("[SKINCONTROLS]\r\ncount=1\r\n0=b:button\r\n[b]\r\nclientrect=1,2\r\n");
    TskSkinData skin(nullptr);
    EXPECT_NO_THROW(skin.SetCompressedStoredSkin(bad.get()));
    EXPECT_TRUE(skin.SkinEmpty);
    EXPECT_EQ(skin.FindControlIndex("b"), -1);
    skin.SetCompressedStoredSkin(nullptr);
}

// ---- colours and clearing

TEST_F(SkinDataTest, MissingSkinColors_GiveBlack_ClearSkinGivesSystemColours)
{
    auto stored = IniOnly(MinimalSkinIni());
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(stored.get());
    EXPECT_EQ(skin.SkinColors->cBtnFace, 0);
    EXPECT_EQ(skin.SkinColors->cHighLightText, 0);
    skin.ClearSkin();
    EXPECT_EQ(skin.SkinColors->cBtnFace, clBtnFace);
    EXPECT_EQ(skin.SkinColors->c3DDkShadow, cl3DDkShadow);
    EXPECT_TRUE(skin.SkinEmpty);
}

TEST_F(SkinDataTest, MaskRectArea_GrowsToHoldTheClientRect)
{
    auto stored = IniOnly("[PICTURES]\r\nmask=m.bmp\r\n[FORMINFO]\r\nclientrect=5,5,50,50\r\n"
                          "maskrectarea=10,0,40,60\r\nhittestrighttoppoint=3,4\r\n");
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(stored.get());
    EXPECT_EQ(skin.MaskRectArea, Rect(5, 0, 50, 60));
    EXPECT_EQ(skin.HitTestRightTopPoint, Point(3, 4));
}

TEST_F(SkinDataTest, CornerPoints_AreKeptInsideTheClientRectWhenTheyCutAFrame)
{
    struct Case {
        const char* Points;
        TPoint LeftTop, RightTop, LeftBottom, RightBottom;
    } cases[] = {
        // Each point outside the client rect is pulled onto its nearest edges.
        {"lefttoppoint=4,6\r\nrighttoppoint=95,3\r\nleftbottompoint=2,80\r\nrightbottompoint=99,75\r\n",
         Point(10, 10), Point(90, 10), Point(10, 70), Point(90, 70)},
        // Inside, they stay where the skin put them.
        {"lefttoppoint=12,14\r\nrighttoppoint=80,14\r\nleftbottompoint=12,60\r\nrightbottompoint=80,60\r\n",
         Point(12, 14), Point(80, 14), Point(12, 60), Point(80, 60)},
        // No frame to cut (no X distance between the outer corners): nothing is moved.
        {"lefttoppoint=4,6\r\nrighttoppoint=95,3\r\nleftbottompoint=2,80\r\nrightbottompoint=4,75\r\n",
         Point(4, 6), Point(95, 3), Point(2, 80), Point(4, 75)},
    };
    for (const Case& c : cases) {
        auto stored = IniOnly(std::string("[FORMINFO]\r\nclientrect=10,10,90,70\r\ninactiveeffect=iesplitblur\r\n") + c.Points);
        TskSkinData skin(nullptr);
        skin.LoadStoredSkin(stored.get());
        EXPECT_EQ(skin.LeftTopPoint, c.LeftTop) << c.Points;
        EXPECT_EQ(skin.RightTopPoint, c.RightTop) << c.Points;
        EXPECT_EQ(skin.LeftBottomPoint, c.LeftBottom) << c.Points;
        EXPECT_EQ(skin.RightBottomPoint, c.RightBottom) << c.Points;
    }
}

TEST_F(SkinDataTest, NewLoad_ReplacesEveryEntryOfTheOldSkin)
{
    auto first = StoredTestSkin();
    auto second = IniOnly("[SKINCONTROLS]\r\ncount=1\r\n0=edit:edit\r\n");
    TskSkinData skin(nullptr);
    skin.LoadStoredSkin(first.get());
    skin.LoadStoredSkin(second.get());
    EXPECT_EQ(skin.ControlDataList.size(), 1u);
    EXPECT_EQ(skin.FindControlIndex("button"), -1);
    EXPECT_TRUE(skin.ActivePictures.empty());
    EXPECT_TRUE(skin.Picture->Empty());
}

// ---- references

TEST_F(SkinDataTest, FreedStoredSkin_IsForgotten)
{
    TskSkinData skin(nullptr);
    auto* stored = new TskCompressedStoredSkin(nullptr);
    skin.SetCompressedStoredSkin(stored);
    delete stored;
    EXPECT_EQ(skin.CompressedStoredSkin(), nullptr);
}

// ---- skin lists

TEST_F(SkinDataTest, SkinIndex_OutsideTheListChangesNothing)
{
    TRecordingForm a("a", log);
    TskCompressedSkinList list(nullptr);
    for (int i = 0; i < 3; ++i) {
        auto* item = list.Skins()->Add();
        SetStoredBytes(*item->StoredSkin(),
                       Zlib(PackedImage(3, "\x01\x01\x01", {}, MinimalSkinIni() + "[X]\r\nn=" + std::to_string(i))));
    }
    TskSkinData skin(nullptr);
    skin.SetSkinList(&list);
    EXPECT_EQ(skin.SkinName, "Tiny");
    log.clear();
    skin.SetSkinIndex(5);
    EXPECT_EQ(skin.SkinIndex(), 0);
    EXPECT_TRUE(log.empty());
    skin.SetSkinIndex(2);
    EXPECT_EQ(skin.SkinIndex(), 2);
    EXPECT_EQ(Messages(log, "a").size(), 3u);
    skin.SetSkinList(nullptr);
}

TEST_F(SkinDataTest, SkinListItemWithVersionFour_LoadsNothingAndSendsNothing)
{
    TRecordingForm a("a", log);
    TskCompressedSkinList list(nullptr);
    auto* item = list.Skins()->Add();
    TStringStream file(SkinFile(4, 3, "abc"));
    item->StoredSkin()->ReadSkinFileStream(file);
    TskSkinData skin(nullptr);
    skin.SetSkinList(&list);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(skin.SkinEmpty);
    skin.SetSkinList(nullptr);
}

} // namespace

// ---- one unpacking per distinct skin

TEST_F(SkinDataTest, ComponentsGivenTheSameBytes_UnpackOnceAndShareThePictures)
{
    // Separate stored-skin components with identical bytes, as a window's skin components get them.
    std::vector<std::unique_ptr<TskCompressedStoredSkin>> stored;
    std::vector<std::unique_ptr<TskSkinData>> skins;
    const int before = SkinUnpackCount();
    for (int i = 0; i < 4; ++i) {
        stored.push_back(StoredTestSkin());
        skins.push_back(std::make_unique<TskSkinData>(nullptr));
        skins.back()->LoadStoredSkin(stored.back().get());
    }
    EXPECT_EQ(SkinUnpackCount() - before, 1);
    for (const auto& skin : skins) {
        EXPECT_FALSE(skin->SkinEmpty);
        ASSERT_EQ(skin->ActivePictures.size(), 3u);
        EXPECT_EQ(skin->ActivePictures[0]->Width(), 60);
        EXPECT_EQ(skin->Picture->Width(), 120);
        EXPECT_EQ(skin->FindControlIndex("button"), 0);
    }

    // The pictures are the unpacked skin's, held once for all (a picture may be a gigabyte); the entries
    // are each component's own, and clearing one component leaves the others as they are.
    TskSkinData& first = *skins[0];
    TskSkinData& second = *skins[1];
    EXPECT_EQ(first.Picture.get(), second.Picture.get());
    EXPECT_EQ(first.ActivePictures[2].get(), second.ActivePictures[2].get());
    const TPixel original = second.Picture->ScanLine(0)[0];
    first.ControlDataList[0]->SkinRect = Rect(1, 1, 2, 2);
    EXPECT_EQ(second.ControlDataList[0]->SkinRect, Rect(0, 0, 60, 21));
    first.ClearSkin();
    EXPECT_TRUE(first.Picture->Empty());
    EXPECT_EQ(second.Picture->Width(), 120);
    EXPECT_EQ(second.ActivePictures.size(), 3u);

    // Loading again while another component still holds the skin unpacks nothing; a different skin
    // is unpacked for itself.
    first.LoadStoredSkin(stored[0].get());
    EXPECT_EQ(first.Picture->ScanLine(0)[0], original);
    EXPECT_EQ(SkinUnpackCount() - before, 1);
    auto other = StoredImage(PackedImage(0, Slot(7, 5) + kFlagEmpty, {}, MinimalSkinIni()));
    TskSkinData third(nullptr);
    third.LoadStoredSkin(other.get());
    EXPECT_EQ(SkinUnpackCount() - before, 2);
    EXPECT_EQ(third.Picture->Width(), 7);
}

TEST_F(SkinDataTest, DamagedBytesAreNotRemembered_EachLoadFailsAlike)
{
    std::string packed = Zlib(PackedImage(0, Slot(8, 8) + kFlagEmpty, {}, MinimalSkinIni()));
    packed.resize(packed.size() / 2);
    TskCompressedStoredSkin stored(nullptr);
    SetStoredBytes(stored, packed);
    TskSkinData a(nullptr);
    TskSkinData b(nullptr);
    EXPECT_THROW(a.LoadStoredSkin(&stored), Exception);
    EXPECT_THROW(b.LoadStoredSkin(&stored), Exception);
    EXPECT_TRUE(a.SkinEmpty);
    EXPECT_TRUE(b.SkinEmpty);
}
