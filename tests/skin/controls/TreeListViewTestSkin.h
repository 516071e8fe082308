#pragma once
// The controls test skin with a "treeview" and a "listview" entry added.
#include "SkinControlsTestSupport.h"

namespace skintest {

constexpr TColor cViewBg = 0x00204060;   // tree and list background from the skin
constexpr TColor cViewText = 0x000000FF; // their text colour

inline std::string TreeListSkinIni()
{
    std::string ini = TestSkinIni();
    const auto replace = [&](const std::string& from, const std::string& to) { ini.replace(ini.find(from), from.size(), to); };
    replace("[SKINCONTROLS]\ncount=11\n", "[SKINCONTROLS]\ncount=13\n");
    replace("10=bevel:bevel\n", "10=bevel:bevel\n11=treeview:treeview\n12=listview:listview\n");
    ini += "[treeview]\nfontname=DejaVu Sans\nfontheight=13\nfontcolor=" + std::to_string(cViewText) +
           "\nbgcolor=" + std::to_string(cViewBg) + "\n";
    ini += "[listview]\nfontname=DejaVu Sans\nfontheight=13\nfontcolor=" + std::to_string(cViewText) +
           "\nbgcolor=" + std::to_string(cViewBg) + "\n";
    return ini;
}

struct TTreeListSkin {
    TScratchFolder Folder;
    std::unique_ptr<TskSkinData> Skin;
    TTreeListSkin()
    {
        WriteControlsPicture(Folder.Path() + "/controls.bmp");
        WriteMaskPicture(Folder.Path() + "/mask.bmp");
        const std::string ini = Folder.Path() + "/skin.ini";
        std::ofstream(ini) << TreeListSkinIni();
        TskCompressedStoredSkin stored(nullptr);
        stored.BuildFromSkinIni(ini);
        Skin = std::make_unique<TskSkinData>(nullptr);
        Skin->LoadStoredSkin(&stored);
    }
};

struct TreeListFormTest : ::testing::Test {
    THeadlessDriver Driver;
    TTreeListSkin Test;
    TForm* Form = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 500, 400);
        Form->SetColor(clWhite);
    }
    void TearDown() override
    {
        if (Form) Form->Free();
    }
    TskSkinData* Skin() { return Test.Skin.get(); }
    void ShowForm()
    {
        Form->Show();
        Driver.ProcessMessages();
    }
    TPixel At(int x, int y) { return Driver.PixelAt(Form->Handle(), x, y) & 0x00FFFFFF; }
    void Save(const std::string& name) { Driver.SaveWindow(Form->Handle(), name, OMBRIX_TEST_PICTURES); }
};

} // namespace skintest
