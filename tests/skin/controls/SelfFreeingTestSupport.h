#pragma once
// Handlers that free their own control, for the tables of skinned controls (here and in the grids):
// each case makes a control whose handler under test frees it, and says what the user does to fire
// the event. The reads of freed memory this guards against show only under the sanitizers.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "SkinControlsTestSupport.h"

namespace skintest {

struct SelfFreeingCase {
    std::string Name;
    // Makes the control on the form, with the handler under test calling Free.
    std::function<TControl*(TForm*, const std::function<void()>&)> Make;
    // What the user does to fire the event, after the form is shown.
    std::function<void(THeadlessDriver&, TControl*)> Act;
};

struct SelfFreeing : SkinFormTest, ::testing::WithParamInterface<SelfFreeingCase> {
    // The event fires, frees the control, and the message that carried it ends quietly; the form
    // goes on taking input.
    void Check()
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
};

// A control of class T on the form at (10, 10).
template <class T> T* Put(TForm* Form, int Width, int Height)
{
    auto* c = new T(Form);
    c->SetParent(Form);
    c->SetBounds(10, 10, Width, Height);
    return c;
}

inline TPoint Inside(TControl* C, TRect R)
{
    return C->ClientToScreen(Point((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
}
inline void ClickMiddle(THeadlessDriver& D, TControl* C) { D.Click(Inside(C, C->ClientRect())); }
inline void FocusAndPress(THeadlessDriver& D, TControl* C, WORD Key)
{
    static_cast<TWinControl*>(C)->SetFocus();
    D.Press(Key);
}

} // namespace skintest
