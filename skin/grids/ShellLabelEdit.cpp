#include "skin/grids/ShellLabelEdit.h"

#include "platform/vcl/TTimer.h"
#include "platform/win/Input.h"
#include "skin/controls/TskSkinEdit.h"

TShellLabelEdit::TShellLabelEdit(TWinControl* View) : FView(View) {}

TShellLabelEdit::~TShellLabelEdit()
{
    // The edit and the timer are the view's components and go with it; they must not call back.
    if (FEdit != nullptr) {
        FEdit->OnExit = nullptr;
        FEdit->OnKeyPress = nullptr;
    }
    if (FTimer != nullptr)
        FTimer->OnTimer = nullptr;
}

TWinControl* TShellLabelEdit::Editor() const { return FEdit; }

void TShellLabelEdit::Start(const std::string& Name, const TRect& Where)
{
    Disarm();
    if (FEdit == nullptr) {
        FEdit = new TskSkinEdit(FView);
        FEdit->SetParent(FView);
        FEdit->OnKeyPress = [this](TObject*, TKeyChar& Key) {
            if (Key == '\r' || Key == 27) {
                const bool accept = Key == '\r';
                Key = 0;
                End(accept);
            }
        };
        FEdit->OnExit = [this](TObject*) { End(true); };
    }
    FOldName = Name;
    FEditing = true;
    FEdit->SetText(Name);
    FEdit->SetBounds(Where.Left, Where.Top, Where.Width(), FEdit->Height());
    FEdit->Show();
    FEdit->SetFocus();
    FEdit->SelectAll();
}

void TShellLabelEdit::End(bool Accept)
{
    if (!FEditing)
        return;
    FEditing = false;
    const std::string name = FEdit->Text();
    FEdit->Hide();
    if (FView->CanFocus())
        FView->SetFocus();
    if (Accept && !name.empty() && name != FOldName && OnRename)
        OnRename(name);
}

void TShellLabelEdit::MouseDown(bool Arms)
{
    FArmed = Arms;
    if (FTimer != nullptr)
        FTimer->SetEnabled(false);
}

void TShellLabelEdit::MouseUp(bool SameItem)
{
    if (!FArmed || !SameItem)
        return;
    if (FTimer == nullptr) {
        FTimer = new TTimer(FView);
        FTimer->OnTimer = [this](TObject*) {
            FTimer->SetEnabled(false);
            const bool armed = FArmed;
            FArmed = false;
            if (armed && OnSlowClick)
                OnSlowClick();
        };
    }
    FTimer->SetEnabled(false);
    FTimer->SetInterval(GetDoubleClickTime() + 50);
    FTimer->SetEnabled(true);
}

void TShellLabelEdit::Disarm()
{
    FArmed = false;
    if (FTimer != nullptr)
        FTimer->SetEnabled(false);
}
