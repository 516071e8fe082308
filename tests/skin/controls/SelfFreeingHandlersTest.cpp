// Handlers that free their own control: every control that fires an event from its own key or mouse
// handling stops there once the event freed it, and the message that carried the event ends quietly.
// The reads of freed memory this guards against show only under the sanitizers.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "SkinControlsTestSupport.h"
#include "skin/controls/TskSkinButton.h"
#include "skin/controls/TskSkinListBox.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/controls/TskSkinUpDown.h"

using namespace skintest;

namespace {

struct SelfFreeingCase {
    std::string Name;
    // Makes the control on the form, with the handler under test calling Free.
    std::function<TControl*(TForm*, const std::function<void()>&)> Make;
    // What the user does to fire the event, after the form is shown.
    std::function<void(THeadlessDriver&, TControl*)> Act;
};

TskSkinListBox* ListBox(TForm* Form)
{
    auto* b = new TskSkinListBox(Form);
    b->SetParent(Form);
    b->SetBounds(10, 10, 120, 120);
    for (int i = 0; i < 3; ++i) b->Items()->Add("Item " + std::to_string(i));
    return b;
}

// A click into the list gives it the focus, then a key.
void ClickThenKey(THeadlessDriver& D, TControl* C)
{
    auto* b = static_cast<TskSkinListBox*>(C);
    const TRect r = b->ListBoxRect();
    D.Click(Point(10 + r.Left + 5, 10 + r.Top + 5));
    D.Press(VK_DOWN);
}

void TypeInto(THeadlessDriver& D, TControl* C)
{
    ClickThenKey(D, C);
    D.Type("x");
}

const SelfFreeingCase Cases[] = {
    {"ListBoxKeyDown",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = ListBox(F);
         b->OnListBoxKeyDown = [Free](TObject*, WORD&, TShiftState) { Free(); };
         return static_cast<TControl*>(b);
     },
     ClickThenKey},
    {"ListBoxKeyUp",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = ListBox(F);
         b->OnListBoxKeyUp = [Free](TObject*, WORD&, TShiftState) { Free(); };
         return static_cast<TControl*>(b);
     },
     ClickThenKey},
    {"ListBoxKeyPress",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = ListBox(F);
         b->OnListBoxKeyPress = [Free](TObject*, TKeyChar&) { Free(); };
         return static_cast<TControl*>(b);
     },
     TypeInto},
    {"ListBoxClick",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = ListBox(F);
         b->SetItemIndex(0);
         b->OnListBoxClick = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     [](THeadlessDriver& D, TControl* C) {
         auto* b = static_cast<TskSkinListBox*>(C);
         b->ListBox()->SetFocus();
         D.Press(VK_DOWN);
     }},
    {"UpDownChange",
     [](TForm* F, const std::function<void()>& Free) {
         auto* u = new TskSkinUpDown(F);
         u->SetParent(F);
         u->SetBounds(10, 10, 40, 20);
         u->SetIncrement(1);
         u->OnChange = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(u);
     },
     [](THeadlessDriver& D, TControl*) { D.Click(Point(40, 20)); }},
    {"ButtonClick",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = new TskSkinButton(F);
         b->SetParent(F);
         b->SetBounds(10, 10, 75, 25);
         b->OnClick = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     [](THeadlessDriver& D, TControl*) { D.Click(Point(40, 20)); }},
    {"SpeedButtonClick",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = new TskSkinSpeedButton(F);
         b->SetParent(F);
         b->SetBounds(10, 10, 75, 25);
         b->OnClick = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     [](THeadlessDriver& D, TControl*) { D.Click(Point(40, 20)); }},
};

struct SelfFreeing : SkinFormTest, ::testing::WithParamInterface<SelfFreeingCase> {};

} // namespace

TEST_P(SelfFreeing, TheEventEndsThere_AndTheFormGoesOn)
{
    TControl* control = nullptr;
    control = GetParam().Make(Form, [&control] {
        if (control == nullptr) return;
        TControl* c = control;
        control = nullptr;
        c->Free();
    });
    ShowForm();
    GetParam().Act(Driver, control);
    Driver.ProcessMessages();
    EXPECT_EQ(control, nullptr) << "the event never fired";
    EXPECT_EQ(Form->ControlCount(), 0);
    Driver.MoveTo(Point(300, 300));
    Driver.AdvanceClock(1000);
}

INSTANTIATE_TEST_SUITE_P(Controls, SelfFreeing, ::testing::ValuesIn(Cases),
                         [](const auto& Info) { return Info.param.Name; });
