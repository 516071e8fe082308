// Handlers that free their own control: every control that fires an event from its own key or mouse
// handling stops there once the event freed it, and the message that carried the event ends quietly.
// The reads of freed memory this guards against show only under the sanitizers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SelfFreeingTestSupport.h"
#include "skin/controls/TskPopupListBox.h"
#include "skin/controls/TskSkinButton.h"
#include "skin/controls/TskSkinCheckRadioBox.h"
#include "skin/controls/TskSkinCustomComboBox.h"
#include "skin/controls/TskSkinCustomListView.h"
#include "skin/controls/TskSkinCustomTreeView.h"
#include "skin/controls/TskSkinEdit.h"
#include "skin/controls/TskSkinListBox.h"
#include "skin/controls/TskSkinMenuSpeedButton.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/controls/TskSkinScrollBar.h"
#include "skin/controls/TskSkinSlider.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/controls/TskSkinUpDown.h"

using namespace skintest;

namespace {

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

TskSkinScrollBar* ScrollBar(TForm* F)
{
    auto* b = Put<TskSkinScrollBar>(F, 200, 17);
    b->SetRange(0, 100, 10, 50);
    b->SetCanFocused(true);
    return b;
}

TskSkinCustomSlider* Slider(TForm* F)
{
    auto* s = Put<TskSkinSlider>(F, 200, 30);
    s->SetValue(50);
    return s;
}

TskSkinComboBox* ComboBox(TForm* F)
{
    auto* b = Put<TskSkinComboBox>(F, 150, 21);
    for (int i = 0; i < 3; ++i) b->Items()->Add("Item " + std::to_string(i));
    b->SetItemIndex(0);
    return b;
}

TskSkinCheckRadioBox* CheckBox(TForm* F, bool Radio)
{
    auto* b = Put<TskSkinCheckRadioBox>(F, 120, 20);
    b->SetRadio(Radio);
    b->SetCaption("Check");
    return b;
}

TskSkinPanel* CaptionPanel(TForm* F, bool Checked)
{
    auto* p = Put<TskSkinPanel>(F, 150, 100);
    p->SetCaptionMode(true);
    if (Checked)
        p->SetCheckedMode(true);
    else
        p->SetRollUpMode(true);
    return p;
}

void ClickCaptionBar(THeadlessDriver& D, TControl* C)
{
    D.Click(Inside(C, static_cast<TskSkinPanel*>(C)->CaptionBarRect()));
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
    {"MenuSpeedButtonClick",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = Put<TskSkinMenuSpeedButton>(F, 75, 25);
         b->OnClick = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     ClickMiddle},
    {"UpDownUpButtonClick",
     [](TForm* F, const std::function<void()>& Free) {
         auto* u = Put<TskSkinUpDown>(F, 20, 40);
         u->OnUpButtonClick = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(u);
     },
     [](THeadlessDriver& D, TControl* C) { D.Click(Inside(C, static_cast<TskSkinUpDown*>(C)->ButtonRect(0))); }},
    {"ListBoxClickByMouse",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = ListBox(F);
         b->OnListBoxClick = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     [](THeadlessDriver& D, TControl* C) {
         const TRect r = static_cast<TskSkinListBox*>(C)->ListBoxRect();
         D.Click(C->ClientToScreen(Point(r.Left + 5, r.Top + 5)));
     }},
    {"CheckBoxClickByMouse",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = CheckBox(F, false);
         b->OnClick = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     ClickMiddle},
    {"CheckBoxClickBySpace",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = CheckBox(F, false);
         b->OnClick = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     [](THeadlessDriver& D, TControl* C) { FocusAndPress(D, C, VK_SPACE); }},
    {"RadioBoxClickByMouse",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = CheckBox(F, true);
         b->OnClick = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     ClickMiddle},
    {"ScrollBarChangeByArrow",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = ScrollBar(F);
         b->OnChange = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     [](THeadlessDriver& D, TControl* C) {
         D.Click(Inside(C, static_cast<TskSkinScrollBar*>(C)->PartRect(TskSkinScrollBar::UpButtonPart)));
     }},
    {"ScrollBarDownButtonClick",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = ScrollBar(F);
         b->OnDownButtonClick = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     [](THeadlessDriver& D, TControl* C) {
         D.Click(Inside(C, static_cast<TskSkinScrollBar*>(C)->PartRect(TskSkinScrollBar::DownButtonPart)));
     }},
    {"ScrollBarChangeByTrack",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = ScrollBar(F);
         b->OnChange = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     [](THeadlessDriver& D, TControl* C) {
         const TRect t = static_cast<TskSkinScrollBar*>(C)->TrackRect();
         D.Click(C->ClientToScreen(Point(t.Right - 3, (t.Top + t.Bottom) / 2)));
     }},
    {"ScrollBarPageDown",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = ScrollBar(F);
         b->OnPageDown = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     [](THeadlessDriver& D, TControl* C) {
         const TRect t = static_cast<TskSkinScrollBar*>(C)->TrackRect();
         D.Click(C->ClientToScreen(Point(t.Right - 3, (t.Top + t.Bottom) / 2)));
     }},
    {"ScrollBarLastChange",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = ScrollBar(F);
         b->OnLastChange = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     [](THeadlessDriver& D, TControl* C) {
         const TPoint thumb = Inside(C, static_cast<TskSkinScrollBar*>(C)->PartRect(TskSkinScrollBar::ThumbPart));
         D.Drag(thumb, Point(thumb.X + 20, thumb.Y));
     }},
    {"ScrollBarChangeByKey",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = ScrollBar(F);
         b->OnChange = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     [](THeadlessDriver& D, TControl* C) { FocusAndPress(D, C, VK_RIGHT); }},
    {"SliderChangeByRuler",
     [](TForm* F, const std::function<void()>& Free) {
         auto* s = Slider(F);
         s->OnChange = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(s);
     },
     [](THeadlessDriver& D, TControl* C) {
         const TRect r = static_cast<TskSkinCustomSlider*>(C)->RulerRect();
         D.Click(C->ClientToScreen(Point(r.Right - 3, (r.Top + r.Bottom) / 2)));
     }},
    {"SliderChangeByKey",
     [](TForm* F, const std::function<void()>& Free) {
         auto* s = Slider(F);
         s->OnChange = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(s);
     },
     [](THeadlessDriver& D, TControl* C) { FocusAndPress(D, C, VK_RIGHT); }},
    {"SliderChangedByKey",
     [](TForm* F, const std::function<void()>& Free) {
         auto* s = Slider(F);
         s->OnChanged = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(s);
     },
     [](THeadlessDriver& D, TControl* C) { FocusAndPress(D, C, VK_RIGHT); }},
    {"SliderChangeByThumb",
     [](TForm* F, const std::function<void()>& Free) {
         auto* s = Slider(F);
         s->OnChange = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(s);
     },
     [](THeadlessDriver& D, TControl* C) {
         const TPoint thumb = Inside(C, static_cast<TskSkinCustomSlider*>(C)->ThumbRect());
         D.Drag(thumb, Point(thumb.X + 30, thumb.Y));
     }},
    {"ComboBoxChangeByKey",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = ComboBox(F);
         b->OnChange = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     [](THeadlessDriver& D, TControl* C) { FocusAndPress(D, C, VK_DOWN); }},
    {"ComboBoxDropDown",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = ComboBox(F);
         b->OnDropDown = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     [](THeadlessDriver& D, TControl* C) { D.Click(Inside(C, static_cast<TskSkinComboBox*>(C)->ButtonRect())); }},
    {"ComboBoxCloseUp",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = ComboBox(F);
         b->OnCloseUp = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     [](THeadlessDriver& D, TControl* C) {
         D.Click(Inside(C, static_cast<TskSkinComboBox*>(C)->ButtonRect()));
         D.Press(VK_DOWN);
         D.Press(VK_RETURN);
     }},
    {"ComboBoxChangeByList",
     [](TForm* F, const std::function<void()>& Free) {
         auto* b = ComboBox(F);
         b->OnChange = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(b);
     },
     [](THeadlessDriver& D, TControl* C) {
         auto* b = static_cast<TskSkinComboBox*>(C);
         D.Click(Inside(C, b->ButtonRect()));
         TControl* list = b->ListBox();
         D.Click(list->ClientToScreen(Point(20, list->Height() - 8)));
     }},
    {"EditChangeByTyping",
     [](TForm* F, const std::function<void()>& Free) {
         auto* e = Put<TskSkinEdit>(F, 150, 21);
         e->OnChange = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(e);
     },
     [](THeadlessDriver& D, TControl* C) {
         static_cast<TWinControl*>(C)->SetFocus();
         D.Type("x");
     }},
    {"PanelChecked",
     [](TForm* F, const std::function<void()>& Free) {
         auto* p = CaptionPanel(F, true);
         p->OnChecked = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(p);
     },
     ClickCaptionBar},
    {"PanelRollUp",
     [](TForm* F, const std::function<void()>& Free) {
         auto* p = CaptionPanel(F, false);
         p->OnChangeRollUpState = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(p);
     },
     ClickCaptionBar},
    {"ListViewChangeByMouse",
     [](TForm* F, const std::function<void()>& Free) {
         auto* v = Put<TskSkinCustomListView>(F, 200, 120);
         v->SetViewStyle(vsList);
         for (int i = 0; i < 3; ++i) v->Items()->Add()->SetCaption("Item " + std::to_string(i));
         v->OnChange = [Free](TObject*) { Free(); };
         return static_cast<TControl*>(v);
     },
     [](THeadlessDriver& D, TControl* C) { D.Click(C->ClientToScreen(Point(20, 8))); }},
    {"TreeViewChangeByMouse",
     [](TForm* F, const std::function<void()>& Free) {
         auto* v = Put<TskSkinCustomTreeView>(F, 200, 120);
         for (int i = 0; i < 3; ++i) v->Items()->Add(nullptr, "Node " + std::to_string(i));
         v->OnChange = [Free](TObject*, TTreeNode*) { Free(); };
         return static_cast<TControl*>(v);
     },
     [](THeadlessDriver& D, TControl* C) { D.Click(C->ClientToScreen(Point(30, 25))); }},
};

// The mouse and key events every control fires through the window layer, against each control that
// does its own work around them: the handler of each event frees the control.
struct EventTarget {
    std::string Name;
    std::function<TControl*(TForm*)> Make;
    // Where the mouse presses it, in screen coordinates.
    std::function<TPoint(TControl*)> Where;
    bool TakesKeys;
};

TPoint Middle(TControl* C) { return Inside(C, C->ClientRect()); }

// A key no control takes for moving the focus (as the arrows may be).
void PressLetter(THeadlessDriver& D, TControl* C) { FocusAndPress(D, C, 'A'); }

void FocusAndType(THeadlessDriver& D, TControl* C)
{
    static_cast<TWinControl*>(C)->SetFocus();
    D.Type("x");
}

std::vector<SelfFreeingCase> EventCases()
{
    const EventTarget targets[] = {
        {"Button", [](TForm* F) -> TControl* { return Put<TskSkinButton>(F, 75, 25); }, Middle, true},
        {"SpeedButton", [](TForm* F) -> TControl* { return Put<TskSkinSpeedButton>(F, 75, 25); }, Middle, false},
        {"ScrollBar", [](TForm* F) -> TControl* { return ScrollBar(F); },
         [](TControl* C) {
             const TRect t = static_cast<TskSkinScrollBar*>(C)->TrackRect();
             return C->ClientToScreen(Point(t.Right - 3, (t.Top + t.Bottom) / 2));
         },
         true},
        {"Slider", [](TForm* F) -> TControl* { return Slider(F); }, Middle, true},
        {"ComboBox", [](TForm* F) -> TControl* { return ComboBox(F); },
         [](TControl* C) { return Inside(C, static_cast<TskSkinComboBox*>(C)->ButtonRect()); }, true},
        {"UpDown", [](TForm* F) -> TControl* { return Put<TskSkinUpDown>(F, 20, 40); },
         [](TControl* C) { return Inside(C, static_cast<TskSkinUpDown*>(C)->ButtonRect(0)); }, true},
        {"ListBoxFrame",
         [](TForm* F) -> TControl* {
             auto* b = ListBox(F);
             b->SetCaptionMode(true);
             return b;
         },
         // On the caption, above the list inside the frame.
         [](TControl* C) { return C->ClientToScreen(Point(C->Width() / 2, static_cast<TskSkinListBox*>(C)->ListBoxRect().Top / 2)); },
         false},
        {"MenuSpeedButton", [](TForm* F) -> TControl* { return Put<TskSkinMenuSpeedButton>(F, 75, 25); }, Middle, false},
        {"CheckBox", [](TForm* F) -> TControl* { return CheckBox(F, false); }, Middle, true},
        {"Edit", [](TForm* F) -> TControl* { return Put<TskSkinEdit>(F, 150, 21); }, Middle, true},
        {"Panel", [](TForm* F) -> TControl* { return CaptionPanel(F, true); },
         [](TControl* C) { return Inside(C, static_cast<TskSkinPanel*>(C)->CaptionBarRect()); }, false},
        {"ListView",
         [](TForm* F) -> TControl* {
             auto* v = Put<TskSkinCustomListView>(F, 200, 120);
             v->SetViewStyle(vsList);
             for (int i = 0; i < 3; ++i) v->Items()->Add()->SetCaption("Item " + std::to_string(i));
             return v;
         },
         [](TControl* C) { return C->ClientToScreen(Point(20, 8)); }, true},
        {"TreeView",
         [](TForm* F) -> TControl* {
             auto* v = Put<TskSkinCustomTreeView>(F, 200, 120);
             for (int i = 0; i < 3; ++i) v->Items()->Add(nullptr, "Node " + std::to_string(i));
             return v;
         },
         [](TControl* C) { return C->ClientToScreen(Point(30, 25)); }, true},
    };
    std::vector<SelfFreeingCase> cases;
    for (const EventTarget& t : targets) {
        const auto click = [Where = t.Where](THeadlessDriver& D, TControl* C) { D.Click(Where(C)); };
        const auto mouse = [Make = t.Make](auto Set) {
            return [Make, Set](TForm* F, const std::function<void()>& Free) {
                TControl* c = Make(F);
                Set(c, Free);
                return c;
            };
        };
        cases.push_back({t.Name + "MouseDown", mouse([](TControl* C, const std::function<void()>& Free) {
                             C->OnMouseDown = [Free](TObject*, TMouseButton, TShiftState, int, int) { Free(); };
                         }),
                         click});
        cases.push_back({t.Name + "MouseUp", mouse([](TControl* C, const std::function<void()>& Free) {
                             C->OnMouseUp = [Free](TObject*, TMouseButton, TShiftState, int, int) { Free(); };
                         }),
                         click});
        cases.push_back({t.Name + "MouseMove", mouse([](TControl* C, const std::function<void()>& Free) {
                             C->OnMouseMove = [Free](TObject*, TShiftState, int, int) { Free(); };
                         }),
                         [Where = t.Where](THeadlessDriver& D, TControl* C) { D.MoveTo(Where(C)); }});
        if (!t.TakesKeys) continue;
        cases.push_back({t.Name + "KeyDown", mouse([](TControl* C, const std::function<void()>& Free) {
                             static_cast<TWinControl*>(C)->OnKeyDown = [Free](TObject*, WORD&, TShiftState) { Free(); };
                         }),
                         PressLetter});
        cases.push_back({t.Name + "KeyUp", mouse([](TControl* C, const std::function<void()>& Free) {
                             static_cast<TWinControl*>(C)->OnKeyUp = [Free](TObject*, WORD&, TShiftState) { Free(); };
                         }),
                         PressLetter});
        cases.push_back({t.Name + "KeyPress", mouse([](TControl* C, const std::function<void()>& Free) {
                             static_cast<TWinControl*>(C)->OnKeyPress = [Free](TObject*, TKeyChar&) { Free(); };
                         }),
                         FocusAndType});
    }
    return cases;
}

} // namespace

TEST_P(SelfFreeing, TheEventEndsThere_AndTheFormGoesOn) { Check(); }

INSTANTIATE_TEST_SUITE_P(Controls, SelfFreeing, ::testing::ValuesIn(Cases),
                         [](const auto& Info) { return Info.param.Name; });
INSTANTIATE_TEST_SUITE_P(Events, SelfFreeing, ::testing::ValuesIn(EventCases()),
                         [](const auto& Info) { return Info.param.Name; });
