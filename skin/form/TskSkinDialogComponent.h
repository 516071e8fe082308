#pragma once
// What the skinned dialog components share: the window's caption, its size kept between calls and
// its smallest size, the frame's translucency, the two skins (the frame's, and the controls' and
// menus'), the default font of the controls, and the events round Execute. Each dialog builds its
// own window; ApplyFrame and ApplyClientSize set it up the same way for all of them.
#include <memory>
#include <string>

#include "platform/rtl/ScopeGuards.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/TComponent.h"
#include "platform/vcl/TForm.h"

class TFont;
class TskFormFrame;
class TskSkinData;

class TskSkinDialogComponent : public TComponent {
public:
    TskSkinDialogComponent(TComponent* AOwner, const std::string& ATitle, BYTE AAlphaBlendValue);
    ~TskSkinDialogComponent() override;

    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }
    int DialogWidth() const { return FDialogWidth; }
    void SetDialogWidth(int Value) { FDialogWidth = Value; }
    int DialogHeight() const { return FDialogHeight; }
    void SetDialogHeight(int Value) { FDialogHeight = Value; }
    int DialogMinWidth() const { return FDialogMinWidth; }
    void SetDialogMinWidth(int Value) { FDialogMinWidth = Value; }
    int DialogMinHeight() const { return FDialogMinHeight; }
    void SetDialogMinHeight(int Value) { FDialogMinHeight = Value; }
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    BYTE AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(BYTE Value) { FAlphaBlendValue = Value; }
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    TskSkinData* CtrlSkinData() const { return FCtrlSkinData; }
    void SetCtrlSkinData(TskSkinData* Value);
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    // Copies the font.
    void SetDefaultFont(TFont* Value);

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
    // After OK, once the choice is stored.
    TNotifyEvent OnAccept;

protected:
    // Caption, frame skins, no caption buttons, smallest size and translucency.
    void ApplyFrame(TForm& Form, TskFormFrame& Frame) const;
    // The client size kept from the last call (the defaults below 1), never below what a skinned
    // frame allows. The window is made first: its own borders count only once it exists.
    void ApplyClientSize(TForm& Form, TskFormFrame& Frame, int DefaultWidth, int DefaultHeight) const;
    // Stores the size the user left the window at.
    void KeepClientSize(const TForm& Form);
    // The course of every dialog's Execute: OnShow; the window Make builds, which lives only for this
    // call (freed even when showing it raises) and is Shown while it lives; Prepare(window); the modal
    // run; the size kept and Finish(window, accepted), which keeps what the dialog keeps of it (on
    // acceptance, the choice); OnAccept when accepted; OnClose. True when the user accepted.
    template <class TDialogForm, class TMake, class TPrepare, class TFinish>
    bool RunDialog(TDialogForm*& Shown, TMake Make, TPrepare Prepare, TFinish Finish)
    {
        if (OnShow) OnShow(this);
        std::unique_ptr<TDialogForm> form(Make());
        const TValueGuard shownRef(Shown, form.get());

        Prepare(*form);
        const bool accepted = form->ShowModal() == mrOk;
        KeepClientSize(*form);
        Finish(*form, accepted);
        if (accepted && OnAccept) OnAccept(this);
        if (OnClose) OnClose(this);
        return accepted;
    }

private:
    std::string FTitle;
    int FDialogWidth = 0;
    int FDialogHeight = 0;
    int FDialogMinWidth = 0;
    int FDialogMinHeight = 0;
    bool FAlphaBlend = false;
    BYTE FAlphaBlendValue;
    bool FAlphaBlendAnimation = false;
    TComponentLink<TskSkinData> FSkinData{this};
    TComponentLink<TskSkinData> FCtrlSkinData{this};
    std::unique_ptr<TFont> FDefaultFont;
};

// Tells the form reader about the properties the dialogs share (a dialog class registers itself with
// TskSkinDialogComponent as its parent).
void RegisterDialogComponentClass();
