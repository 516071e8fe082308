#include "skin/data/StoredSkinForms.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "PackedSkinTestSupport.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/FormParser.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TReader.h"
#include "skin/data/TskSkinData.h"
#include "tests/support/TScratchFolder.h"

namespace {

const std::string TwoStoredSkins = "object F: TForm\n"
                                   "  Caption = 'Two skins'\n"
                                   "  object Skin: TskSkinData\n"
                                   "    CompressedStoredSkin = Stored\n"
                                   "  end\n"
                                   "  object Stored: TskCompressedStoredSkin\n"
                                   "    Description = 'The window'\n"
                                   "    FileName = 'testskin.ini'\n"
                                   "  end\n"
                                   "  object Panel: TPanel\n"
                                   "    object Inner: TskCompressedStoredSkin\n"
                                   "      FileName = 'testskin.ini'\n"
                                   "    end\n"
                                   "  end\n"
                                   "end\n";

std::string PackedTestSkin()
{
    TskCompressedStoredSkin skin(nullptr);
    skin.BuildFromSkinIni(TestSkinDir() + "testskin.ini");
    TMemoryStream& data = skin.StoredData();
    return std::string(static_cast<const char*>(data.Memory()), static_cast<std::size_t>(data.Size()));
}

const TFormProp* StoredData(const TFormObject& Object)
{
    for (const TFormProp& p : Object.Props)
        if (p.Path == "CompressedData")
            return &p;
    return nullptr;
}

// The text without the lines the builder adds: from "CompressedData = {" to the line ending in "}".
std::string WithoutStoredData(const std::string& Text)
{
    std::string out;
    bool inside = false;
    for (std::size_t start = 0; start < Text.size();) {
        std::size_t end = Text.find('\n', start);
        end = end == std::string::npos ? Text.size() : end + 1;
        const std::string line = Text.substr(start, end - start);
        if (line.find("CompressedData = {") != std::string::npos)
            inside = true;
        if (!inside)
            out += line;
        if (inside && line.find('}') != std::string::npos)
            inside = false;
        start = end;
    }
    return out;
}

std::string ErrorOf(const std::string& Form, const std::string& Folder = TestSkinDir())
{
    try {
        StoreSkinsInForm(Form, Folder);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

} // namespace

TEST(StoredSkinForms, EveryStoredSkinGetsThePackOfItsIni_AndNothingElseChanges)
{
    const std::string built = StoreSkinsInForm(TwoStoredSkins, TestSkinDir());
    const TFormObject form = ParseFormText(built);
    const std::string packed = PackedTestSkin();
    const TFormProp* outer = StoredData(form.Children.at(1));
    const TFormProp* inner = StoredData(form.Children.at(2).Children.at(0));
    ASSERT_NE(outer, nullptr);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(outer->Value.Type, vaBinary);
    EXPECT_TRUE(outer->Value.Str == packed);
    EXPECT_TRUE(inner->Value.Str == packed);
    EXPECT_EQ(StoredData(form.Children.at(0)), nullptr);
    EXPECT_EQ(WithoutStoredData(built), TwoStoredSkins);
    // Indented one level below its object, a line of hex at a time, as the library writes it.
    EXPECT_NE(built.find("\n    CompressedData = {\n      78"), std::string::npos);
    EXPECT_NE(built.find("\n      CompressedData = {\n        78"), std::string::npos);
}

TEST(StoredSkinForms, TheBuiltFormLoadsItsSkinWhenItIsRead)
{
    TForm form(nullptr);
    ReadComponentFromText(&form, StoreSkinsInForm(TwoStoredSkins, TestSkinDir()));
    auto* skin = dynamic_cast<TskSkinData*>(form.FindComponent("Skin"));
    ASSERT_NE(skin, nullptr);
    EXPECT_FALSE(skin->SkinEmpty);
    EXPECT_EQ(skin->SkinName, "Ombrix Test");
}

TEST(StoredSkinForms, LineEndsAndFormsWithoutStoredSkinsStayAsTheyWere)
{
    std::string crlf;
    for (const char c : TwoStoredSkins)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string built = StoreSkinsInForm(crlf, TestSkinDir());
    for (std::size_t at = built.find('\n'); at != std::string::npos; at = built.find('\n', at + 1))
        EXPECT_EQ(built[at - 1], '\r') << "a line without its CR at " << at;
    EXPECT_TRUE(StoredData(ParseFormText(built).Children.at(1))->Value.Str == PackedTestSkin());

    const std::string plain = "object F: TForm\n  Caption = 'No skins'\nend";
    EXPECT_EQ(StoreSkinsInForm(plain, "/nowhere"), plain);
}

TEST(StoredSkinForms, ASkinTheProgramWouldNotLoad_IsNotBuiltAndTheReasonIsTheLoaders)
{
    const std::string budget = "The skin needs more than 256 MB of memory for its pictures, lists and texts together";
    std::string picture = MinimalSkinIni();
    picture.insert(picture.find("[FORMINFO]"), "activepicturescount=1\r\n0=big.bmp\r\n");
    const std::tuple<std::string, std::string, std::string> cases[] = {
        // A thousand bytes packed; loaded, 200 copies of one list of 65,536 lines.
        {MinimalSkinIni(ManyListsIni(200)), "", budget},
        // 32 MB in the file, 1 GB decoded.
        {picture, Bmp1(16384, 16384), budget},
        // Within the budget decoded, but 68 MB in the packed image.
        {picture, Bmp24(4800, 4700), "The skin is larger than 64 MB unpacked"},
    };
    for (const auto& [ini, bmp, reason] : cases) {
        TScratchFolder dir;
        dir.Write("big.bmp", bmp);
        TskCompressedStoredSkin skin(nullptr);
        try {
            BuildLoadableSkin(skin, dir.Write("skin.ini", ini));
            ADD_FAILURE() << "built: " << reason;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), reason);
        }
        EXPECT_TRUE(skin.IsStoredSkinEmpty());
    }
}

TEST(StoredSkinForms, WhatTheBuildCannotPackIsRefusedWithTheStoredSkinsName)
{
    const auto form = [](const std::string& Props, const std::string& End = "\n  end\n") {
        return "object F: TForm\n  object Stored: TskCompressedStoredSkin\n" + Props + End + "end\n";
    };
    EXPECT_NE(ErrorOf(form("    Description = 'x'")).find("Stored skin Stored names no skin ini"), std::string::npos);
    EXPECT_NE(ErrorOf(form("    FileName = ''")).find("names no skin ini"), std::string::npos);
    EXPECT_NE(ErrorOf(form("    FileName = '../testskin/testskin.ini'")).find("without a folder"), std::string::npos);
    EXPECT_NE(ErrorOf(form("    FileName = 'testskin.ini'\n    CompressedData = {789C}")).find("carries stored data already"),
              std::string::npos);
    EXPECT_NE(ErrorOf(form("    FileName = 'testskin.ini'", " end\n")).find("must stand on a line of its own"),
              std::string::npos);
    const std::string missing = ErrorOf(form("    FileName = 'nosuch.ini'"));
    EXPECT_EQ(missing.rfind("Stored skin Stored: ", 0), 0u) << missing;
    EXPECT_NE(missing.find("nosuch.ini"), std::string::npos) << missing;
    EXPECT_THROW(StoreSkinsInForm("object F: TForm\n  object Stored: TskCompressedStoredSkin\n", TestSkinDir()),
                 EReadError);
}
