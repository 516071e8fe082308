#include "skin/data/TskDataSkinListBox.h"

#include <gtest/gtest.h>

#include "SkinEntryTestSupport.h"

TEST(TskDataSkinListBoxLoad, ReadsTheFixtureListBox)
{
    auto ini = EntriesFixture();
    TskDataSkinListBox entry("listbox");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.PictureIndex, 2);
    EXPECT_EQ(entry.ClientRect, Rect(4, 4, 56, 36));
    EXPECT_EQ(entry.ItemRect, Rect(60, 0, 100, 16));
    EXPECT_EQ(entry.FocusItemRect, Rect(60, 32, 100, 48));
    EXPECT_EQ(entry.ItemLeftOffset, 3);
    EXPECT_EQ(entry.ItemRightOffset, 4);
    EXPECT_EQ(entry.FontName, "Tahoma");
    EXPECT_EQ(entry.FontStyle, (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(entry.FontHeight, 13);
    EXPECT_EQ(entry.FocusFontColor, 16711680);
    EXPECT_EQ(entry.CaptionFontName, "Verdana");
    EXPECT_EQ(entry.CaptionFontStyle, TFontStyles{fsUnderline});
    EXPECT_EQ(entry.CaptionFontHeight, 11);
    EXPECT_EQ(entry.UpButtonRect, Rect(40, 2, 46, 8));
    EXPECT_EQ(entry.VScrollBarName, "myvscroll");
    EXPECT_TRUE(entry.ShowFocus);
}

TEST(TskDataSkinListBoxLoad, ScrollBarNamesDefaultToTheStoredSkinsEntries)
{
    TskDataSkinListBox created("lb");
    EXPECT_EQ(created.VScrollBarName, "");
    auto entry = LoadedEntry<TskDataSkinListBox>("lb", "[lb]\n");
    EXPECT_EQ(entry->VScrollBarName, "vscrollbar");
    EXPECT_EQ(entry->HScrollBarName, "hscrollbar");
    EXPECT_EQ(entry->BothHScrollBarName, "bothhscrollbar");
    EXPECT_EQ(entry->FontName, "Arial");
    EXPECT_EQ(entry->FontHeight, 14);
    EXPECT_EQ(entry->CaptionFontHeight, 14);
}

TEST(TskDataSkinCheckListBoxLoad, HoldsTheListBoxFieldsAndTheCheckPictures)
{
    auto ini = EntriesFixture();
    TskDataSkinCheckListBox entry("checklistbox");
    entry.LoadFromIni(*ini);
    const TskDataSkinListBox& asListBox = entry;
    EXPECT_EQ(asListBox.ItemRect, Rect(60, 0, 100, 16));
    EXPECT_EQ(entry.CheckImageRect, Rect(100, 0, 110, 10));
    EXPECT_EQ(entry.UncheckImageRect, Rect(110, 0, 120, 10));
    EXPECT_EQ(entry.ItemCheckRect, Rect(2, 3, 12, 13));
}

TEST(TskDataSkinComboBoxLoad, ReadsTheFixtureComboBoxAndLeavesNoListBoxName)
{
    auto ini = EntriesFixture();
    TskDataSkinComboBox entry("combobox");
    entry.LoadFromIni(*ini);
    EXPECT_EQ(entry.ActiveSkinRect, Rect(0, 60, 80, 80));
    EXPECT_EQ(entry.ButtonRect, Rect(64, 2, 78, 18));
    EXPECT_EQ(entry.DownButtonRect, Rect(120, 40, 134, 56));
    EXPECT_EQ(entry.FontHeight, 12);
    EXPECT_TRUE(entry.ItemStretchEffect);
    EXPECT_FALSE(entry.FocusItemStretchEffect);
    EXPECT_EQ(entry.ListBoxName, "");
}
