#pragma once
// The clickable skin objects of a window frame:
//   TskSkinButtonObject     kind "button": a free button, optionally grouped like radio buttons or
//                           dropping down a menu;
//   TskSkinStdButtonObject  kind "stdbutton": a caption button carrying a window command (close,
//                           maximize, minimize, system menu, roll-up, minimize to tray);
//   TskSkinAnimateObject    kind "animate": plays a strip of frames on hover and can carry the same
//                           commands.
// They get their mouse calls from the frame (TskFormFrame) and tell the application through its object
// events.
#include <string>

#include "platform/rtl/Types.h"
#include "skin/data/SkinEntryWords.h"
#include "skin/form/TskActiveSkinObject.h"

class TMenuItem;

class TskSkinButtonObject : public TskActiveSkinObject {
public:
    TskSkinButtonObject(TskFormFrame* AParent, TskDataSkinObject* AData);

    // A button that drops a menu shows its glow on the frame's second layer, so that it survives
    // while other objects' glows come and go.
    void ShowLayer() override;
    void HideLayer() override;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void DblClick() override {}
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool CanMorphing() override;
    // The frame's skin menu closed: a button whose menu was open is released.
    void MenuClosed() override;

    // Presses or releases the button; pressing a grouped button releases the other one of its group.
    void SetDown(bool Value);
    // Opens the sub-items of MenuItem under the button (nothing when it has none).
    void DropDownMenu();

    bool Down = false;
    TRect DownRect;
    TRect DisableSkinRect;
    int GroupIndex = -1; // -1: not grouped
    // Menu whose sub-items drop down under the button. Not owned; whoever sets it keeps it alive
    // while the frame's skin lives (the caption buttons use the frame's own system menu).
    TMenuItem* MenuItem = nullptr;

protected:
    // The frame's single-object redraw, at once (ReDraw may hand the drawing to the morph instead).
    void RedrawNow();
    void ReleaseGroup();
    void RaiseMouseEnter();
    void RaiseMouseLeave();
};

class TskSkinStdButtonObject : public TskSkinButtonObject {
public:
    // AData may be nil: the frame then makes a default caption button and sets Command, ObjectRect and
    // the hints itself; such a button paints the plain default look.
    TskSkinStdButtonObject(TskFormFrame* AParent, TskDataSkinObject* AData);

    bool InMask(int X, int Y) override;
    void ShowLayer() override;
    void HideLayer() override;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void DblClick() override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool CanMorphing() override;

    // Carries out Command on the frame's window.
    void DoCommand();
    // The window state the command switches holds (maximized for cmMaximize, minimized for
    // cmMinimize, rolled up for cmRollUp): the restore images and the restore hint apply.
    bool RestoreState() const;
    // The system-menu button shows the form's icon instead of skin images.
    bool IconCase() const;

    bool SkinDataPresent = false;
    int Command = cmDefault;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
    TRect RestoreInActiveRect;
    std::string RestoreHint;
    // The entry's hint, kept because Hint is overwritten on every enter.
    std::string NormalHint;

private:
    void DrawDefault(TCanvas* Cnvs);
};

// The plain look of a caption button of Command (cmClose...) in R: lit while Active, pressed, the
// glyph greyed when not Enabled, the restore glyph for cmMaximize and cmMinimize with RestoreLook.
void DrawDefaultCaptionButton(TCanvas* Cnvs, const TRect& R, int Command, bool Active, bool Pressed, bool Enabled,
    bool RestoreLook);

class TskSkinAnimateObject : public TskActiveSkinObject {
public:
    TskSkinAnimateObject(TskFormFrame* AParent, TskDataSkinObject* AData);

    void ShowLayer() override;
    void HideLayer() override;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void DblClick() override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void DoCommand();
    void DropDownMenu();
    // One tick of the frame's 25 ms animate timer. True when the object is running (counted towards
    // its next frame or stepped), so the frame keeps the timer going.
    bool AnimateStep() override;
    // The frame closed the menu this object opened: the strip plays back to its first frame.
    void MenuClosed() override;
    // Back to rest on the first frame (window deactivated, size or move loop).
    void ResetState() override;
    bool RestoreState() const;
    // The rectangle of frame N (1-based) of the strip in ActivePicture.
    TRect FrameRect(int N) const;

    int Frame = 1;
    int TimerCount = 25;
    int Interval = 25;
    int CountFrames = 0;
    bool Cycle = false;
    bool ButtonStyle = false;
    bool Increase = true;
    int Command = cmDefault;
    TRect DownSkinRect;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
    TRect RestoreInActiveRect;
    std::string RestoreHint;
    std::string NormalHint;
    bool ButtonDown = false;
    bool MenuOpened = false;
    TMenuItem* MenuItem = nullptr; // not owned

private:
    // The rectangles in use: the restore ones replace the normal ones while the restore state holds.
    bool UseRestoreRects() const { return RestoreState() && !RestoreRect.IsEmpty(); }
    TRect CurSkinRect() const { return UseRestoreRects() ? RestoreRect : SkinRect; }
    TRect CurActiveSkinRect() const { return UseRestoreRects() ? RestoreActiveRect : ActiveSkinRect; }
    TRect CurDownSkinRect() const { return UseRestoreRects() ? RestoreDownRect : DownSkinRect; }
    TRect CurInActiveSkinRect() const { return UseRestoreRects() ? RestoreInActiveRect : InActiveSkinRect; }
    int FrameCountOrOne() const { return CountFrames < 1 ? 1 : CountFrames; }
    void RedrawNow();
    // Redraws the held image, else lets the animation run.
    void RedrawOrAnimate();
};

// The makers of the three kinds, for the frame's object factory.
void RegisterSkinButtonObjects();
