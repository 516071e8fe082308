#include "platform/vcl/TMenu.h"

#include <gtest/gtest.h>

#include "platform/vcl/TForm.h"
#include "platform/vcl/TReader.h"
#include "platform/win/Messages.h"

TEST(TMenuShortCuts, TextNamesTheModifiersAndTheKey)
{
    EXPECT_EQ(ShortCutToText(ShortCut('S', false, true, false)), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F1, true, false, false)), "Shift+F1");
    EXPECT_EQ(ShortCutToText(0), "");
}

TEST(TMenuItems, TreeOfItemsRunsClicksAndShortcuts)
{
    TComponent owner(nullptr);
    auto* menu = new TPopupMenu(&owner);
    auto* file = new TMenuItem(&owner);
    file->SetCaption("&File");
    auto* open = new TMenuItem(&owner);
    open->SetCaption("Open");
    open->SetShortCut(ShortCut('O', false, true, false));
    int opened = 0;
    open->OnClick = [&](TObject*) { ++opened; };
    menu->Items()->Add(file);
    file->Add(open);
    EXPECT_EQ(open->GetParentMenu(), menu);
    EXPECT_EQ(menu->Items()->Find("File"), file);
    EXPECT_TRUE(menu->IsShortCut(ShortCut('O', false, true, false)));
    EXPECT_EQ(opened, 1);
    open->SetEnabled(false);
    EXPECT_FALSE(menu->IsShortCut(ShortCut('O', false, true, false)));
    open->Free();
    EXPECT_EQ(file->Count(), 0);
}

TEST(TMenuItems, RadioItemsOfAGroupExcludeEachOtherAndAutoCheckToggles)
{
    TComponent owner(nullptr);
    auto* menu = new TMainMenu(&owner);
    auto* a = new TMenuItem(&owner);
    auto* b = new TMenuItem(&owner);
    for (auto* i : {a, b}) {
        i->SetRadioItem(true);
        i->SetGroupIndex(3);
        menu->Items()->Add(i);
    }
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    auto* cc = new TMenuItem(&owner);
    cc->SetAutoCheck(true);
    cc->Click();
    EXPECT_TRUE(cc->Checked());
}

TEST(TMenuPopup, PopupFiresOnPopupAndKeepsThePoint)
{
    TComponent owner(nullptr);
    auto* menu = new TPopupMenu(&owner);
    int popups = 0;
    TPoint seen;
    menu->OnPopup = [&](TObject*) {
        ++popups;
        seen = menu->PopupPoint;
    };
    EXPECT_EQ(menu->PopupPoint, (TPoint{-1, -1}));
    menu->Popup(40, 50);
    EXPECT_EQ(popups, 1);
    // Already set when OnPopup runs, so the handler can place what it adds.
    EXPECT_EQ(seen, (TPoint{40, 50}));
}

TEST(TMenuReading, NestedItemsOfAStoredMenuFormItsTree)
{
    TForm form(nullptr);
    ReadComponentFromText(&form, R"(object F: TForm
  PopupMenu = PopupMenu1
  object PopupMenu1: TPopupMenu
    object cc: TMenuItem
      Caption = 'Closed captions'
      AutoCheck = True
      ShortCut = 16451
    end
    object N1: TMenuItem
      Caption = '-'
    end
  end
end
)");
    auto* menu = dynamic_cast<TPopupMenu*>(form.FindComponent("PopupMenu1"));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Items()->Count(), 2);
    EXPECT_EQ(menu->Items()->Items(0)->Name(), "cc");
    EXPECT_EQ(ShortCutToText(menu->Items()->Items(0)->ShortCut()), "Ctrl+C");
    EXPECT_TRUE(menu->Items()->Items(1)->IsLine());
    EXPECT_EQ(form.PopupMenu(), menu);
    menu->Items()->Items(0)->Click();
    EXPECT_TRUE(menu->Items()->Items(0)->Checked());
}
