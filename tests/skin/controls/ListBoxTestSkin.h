#pragma once
// The list box tests' own skin: one "listbox" entry whose pieces are plain colour blocks, so that a
// pixel tells which piece was drawn where. The frame is red, the client tile green, the caption strip
// navy; the caption buttons rest in olive (check), silver (down) and orange (up) in the entry's right
// corner, and turn cyan when hot and purple when pressed. Items rest grey, selected cyan, focused purple.
#include "SkinControlsTestSupport.h"

namespace skintest {

inline void WriteListBoxPicture(const std::string& path)
{
    TBitmap b(160, 60);
    Fill(b, Rect(0, 0, 160, 60), clWhite);
    Fill(b, Rect(0, 0, 100, 60), cFrame);
    Fill(b, Rect(5, 25, 95, 55), cClient);
    Fill(b, Rect(5, 5, 60, 20), cCaption);
    Fill(b, Rect(62, 7, 72, 17), cCheck);
    Fill(b, Rect(74, 7, 84, 17), cUncheck);
    Fill(b, Rect(86, 7, 96, 17), cFixed);
    Fill(b, Rect(100, 0, 140, 12), cNormal);
    Fill(b, Rect(100, 12, 140, 24), cActive);
    Fill(b, Rect(100, 24, 140, 36), cDown);
    Fill(b, Rect(100, 40, 110, 50), cActive);
    Fill(b, Rect(110, 40, 120, 50), cDown);
    Fill(b, Rect(120, 40, 130, 50), cActive);
    Fill(b, Rect(130, 40, 140, 50), cActive);
    b.SaveToFile(path);
}

inline std::string ListBoxSkinIni()
{
    const std::string geometry = "pictureindex=0\nskinrect=0,0,100,60\nlefttoppoint=5,25\nrighttoppoint=60,25\n"
                                 "leftbottompoint=5,55\nrightbottompoint=60,55\nclientrect=5,25,95,55\n";
    return "[VERSION]\nskinname=List Box Test\n"
           "[PICTURES]\nactivepicturescount=1\n0=listbox.bmp\n"
           "[FORMINFO]\n[SKINCOLORS]\ncbtnface=12632256\ncbtntext=0\ncbtnshadow=8421504\ncbtnhighlight=16777215\n"
           "[SKINOBJECTS]\ncount=0\n"
           "[SKINCONTROLS]\ncount=2\n0=listbox:listbox\n1=noitems:listbox\n"
           "[listbox]\n" +
        geometry +
        "itemrect=100,0,140,12\nactiveitemrect=100,12,140,24\nfocusitemrect=100,24,140,36\n"
        "itemtextrect=2,1,38,11\nitemleftoffset=2\nitemrightoffset=2\nfontname=DejaVu Sans\nfontheight=11\n"
        "fontcolor=0\nactivefontcolor=0\nfocusfontcolor=16777215\n"
        "captionrect=5,5,60,20\ncaptionfontname=DejaVu Sans\ncaptionfontheight=11\ncaptionfontcolor=16777215\n"
        "checkbuttonrect=62,7,72,17\nactivecheckbuttonrect=130,40,140,50\n"
        "downbuttonrect=74,7,84,17\nactivedownbuttonrect=120,40,130,50\n"
        "upbuttonrect=86,7,96,17\nactiveupbuttonrect=100,40,110,50\ndownupbuttonrect=110,40,120,50\n"
        "[noitems]\n" +
        geometry;
}

struct TListBoxTestSkin {
    TScratchFolder Folder;
    std::unique_ptr<TskSkinData> Skin;

    TListBoxTestSkin()
    {
        WriteListBoxPicture(Folder.Path() + "/listbox.bmp");
        const std::string ini = Folder.Path() + "/skin.ini";
        std::ofstream(ini) << ListBoxSkinIni();
        TskCompressedStoredSkin stored(nullptr);
        stored.BuildFromSkinIni(ini);
        Skin = std::make_unique<TskSkinData>(nullptr);
        Skin->LoadStoredSkin(&stored);
    }
};

} // namespace skintest
