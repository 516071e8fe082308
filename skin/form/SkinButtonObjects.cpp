#include "skin/form/SkinButtonObjects.h"

#include <algorithm>

#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TMenu.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/TskDataSkinCaption.h"
#include "skin/data/TskDataSkinObject.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"
#include "skin/form/TskSkinMenu.h"
#include "skin/form/TskSkinPopupMenu.h"

namespace {

// Default look of a caption button without skin: the shared hot and pressed fills in a navy frame.

bool CommandRestoreState(const TskFormFrame* Frame, int Command)
{
    if (Frame == nullptr) return false;
    switch (Command) {
    case cmMaximize: return Frame->Maximized();
    case cmMinimize: return Frame->Minimized();
    case cmRollUp: return Frame->RolledUp();
    default: return false;
    }
}

// The hint of a command button: the restore hint while the command's state holds.
std::string CommandHint(const TskFormFrame* Frame, int Command, const std::string& RestoreHint,
    const std::string& NormalHint)
{
    return !RestoreHint.empty() && CommandRestoreState(Frame, Command) ? RestoreHint : NormalHint;
}

// The window commands both command-carrying kinds share. cmSysMenu and cmDefault are the kinds' own.
// The form may be gone when this returns (cmClose), so callers touch nothing of theirs afterwards.
void RunWindowCommand(TskFormFrame* Frame, int Command)
{
    if (Frame == nullptr) return;
    switch (Command) {
    case cmClose:
    case cmMaximize:
    case cmMinimize:
    case cmMinimizeToTray:
        // The window changes under the pointer; the hovered object must not linger.
        Frame->ClearActiveObject();
        break;
    default: break;
    }
    switch (Command) {
    case cmClose:
        if (Frame->Form() != nullptr) Frame->Form()->Close();
        break;
    case cmMaximize:
        Frame->SetFrameWindowState(Frame->Maximized() ? FrameStateNormal : FrameStateMaximized);
        break;
    case cmMinimize:
        if (Frame->AlwaysMinimizeToTray())
            Frame->MinimizeToTray();
        else
            Frame->SetFrameWindowState(Frame->Minimized() ? FrameStateNormal : FrameStateMinimized);
        break;
    case cmRollUp: Frame->RollUpFrame(!Frame->RolledUp()); break;
    case cmMinimizeToTray: Frame->MinimizeToTray(); break;
    default: break;
    }
}

void CloseFrameForm(TskFormFrame* Frame)
{
    if (Frame != nullptr && Frame->Form() != nullptr) Frame->Form()->Close();
}

// Opens the sub-items of Item beside the object's rectangle: through the popup menu the item belongs
// to when that is a skinned one, else through the frame's skin menu.
void DropDownItems(TskFormFrame* Frame, TMenuItem* Item, const TRect& ObjectRect)
{
    if (Frame == nullptr || Item == nullptr || Item->Count() == 0) return;
    const TRect screen = Frame->FrameToScreenRect(ObjectRect);
    if (auto* popup = dynamic_cast<TskSkinPopupMenu*>(Item->GetParentMenu())) {
        popup->PopupFromObject(screen, false);
        return;
    }
    if (Frame->SkinMenu() == nullptr) return;
    Frame->MarkSkinMenuOpen();
    Frame->SkinMenu()->Popup(nullptr, Frame->EffectiveMenusSkinData(), 0, screen, Item, false);
}

} // namespace

// ---- TskSkinButtonObject ----

TskSkinButtonObject::TskSkinButtonObject(TskFormFrame* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData)
{
    if (auto* data = dynamic_cast<TskDataSkinButton*>(AData)) {
        DownRect = data->DownRect;
        DisableSkinRect = data->DisableSkinRect;
        GroupIndex = data->GroupIndex;
    }
    Active = false;
    MorphIncrease = false;
    MorphFactor = 0;
}

void TskSkinButtonObject::RedrawNow()
{
    if (Parent != nullptr) Parent->RedrawSkinObject(this);
}

void TskSkinButtonObject::RaiseMouseEnter()
{
    if (Parent != nullptr && Parent->OnMouseEnterEvent) Parent->OnMouseEnterEvent(IDName);
}

void TskSkinButtonObject::RaiseMouseLeave()
{
    if (Parent != nullptr && Parent->OnMouseLeaveEvent) Parent->OnMouseLeaveEvent(IDName);
}

void TskSkinButtonObject::ShowLayer()
{
    if (MenuItem != nullptr)
        ShowLayerOn(Parent != nullptr ? Parent->LayerManager(1) : nullptr);
    else
        TskActiveSkinObject::ShowLayer();
}

void TskSkinButtonObject::HideLayer()
{
    if (MenuItem != nullptr)
        HideLayerOn(Parent != nullptr ? Parent->LayerManager(1) : nullptr);
    else
        TskActiveSkinObject::HideLayer();
}

void TskSkinButtonObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!SkinPresent()) return;
    if (!Enabled && !DisableSkinRect.IsEmpty()) {
        DrawPictureRect(Cnvs, ActivePicture, DisableSkinRect);
        return;
    }
    // A grouped button stays drawn down after the pointer left; an ungrouped one shows its pressed
    // image only while the pointer is on it.
    if (Down && !DownRect.IsEmpty() && (GroupIndex != -1 || Active)) {
        DrawPictureRect(Cnvs, ActivePicture, DownRect);
        return;
    }
    TskActiveSkinObject::Draw(Cnvs, UpDate);
}

bool TskSkinButtonObject::CanMorphing()
{
    // While its menu is open the button holds its active image.
    return TskActiveSkinObject::CanMorphing() && !(MenuItem != nullptr && Down);
}

void TskSkinButtonObject::ReleaseGroup()
{
    if (GroupIndex == -1 || Parent == nullptr) return;
    for (int i = 0; i < Parent->ObjectCount(); ++i) {
        auto* other = dynamic_cast<TskSkinButtonObject*>(Parent->Objects(i));
        if (other == nullptr || other == this || other->IDName == IDName) continue;
        if (other->GroupIndex == GroupIndex && other->Down) {
            other->SetDown(false);
            return;
        }
    }
}

void TskSkinButtonObject::SetDown(bool Value)
{
    Down = Value;
    if (MenuItem != nullptr && DownRect.IsEmpty()) {
        // A menu button without a pressed image shows its active image while the menu is open.
        if (Value) {
            Active = true;
            MorphIncrease = true;
            if (EnableMorphing()) MorphFactor = 1;
            RedrawNow();
        } else {
            RedrawNow();
            ReDraw();
        }
    }
    if (DownRect.IsEmpty()) {
        if (Value) ReleaseGroup();
        return;
    }
    if (!Value) {
        if (GroupIndex != -1 || MenuItem != nullptr) MorphIncrease = false;
        if (EnableMorphing()) RedrawNow();
        ReDraw();
        return;
    }
    if (EnableMorphing()) MorphFactor = 1;
    RedrawNow();
    ReleaseGroup();
}

void TskSkinButtonObject::MenuClosed()
{
    if (MenuItem != nullptr && Down) SetDown(false);
}

void TskSkinButtonObject::DropDownMenu()
{
    if (MenuItem == nullptr || MenuItem->Count() == 0 || Parent == nullptr) return;
    Parent->HideGlowLayers();
    if (Active) ShowLayer();
    DropDownItems(Parent, MenuItem, ObjectRect);
}

void TskSkinButtonObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (!Enabled) return;
    if (Button == mbLeft && !Down) {
        SetDown(true);
        DropDownMenu();
    }
    TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinButtonObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (!Enabled) return;
    // Grouped buttons and menu buttons stay down; the group or the closing menu releases them.
    if (Button == mbLeft && MenuItem == nullptr && Down && GroupIndex == -1) SetDown(false);
    TskActiveSkinObject::MouseUp(X, Y, Button);
}

void TskSkinButtonObject::MouseEnter()
{
    if (!Enabled) return;
    Active = true;
    MorphIncrease = true;
    if (DownRect.IsEmpty() || !Down) {
        if (!ActiveSkinRect.IsEmpty()) ReDraw();
        if (MenuItem != nullptr) ShowLayer();
    } else if (GroupIndex == -1) {
        // Back on a held ungrouped button: its pressed image shows again.
        RedrawNow();
    }
    RaiseMouseEnter();
    if (MenuItem == nullptr) ShowLayer();
}

void TskSkinButtonObject::MouseLeave()
{
    if (!Enabled) {
        // A button disabled under the pointer raises nothing, but must not stay hovered: a later
        // release would otherwise count as a click on it.
        Active = false;
        return;
    }
    Active = false;
    if (MenuItem != nullptr && Down && DownRect.IsEmpty()) {
        // Its menu is open: the button keeps its look and its glow.
        MorphIncrease = false;
        RaiseMouseLeave();
        return;
    }
    if (Down && !DownRect.IsEmpty() && (MenuItem != nullptr || GroupIndex != -1)) {
        RaiseMouseLeave();
        if (MenuItem == nullptr) HideLayer();
        return;
    }
    MorphIncrease = false;
    // A held button fades out from its full active image.
    if (EnableMorphing() && Down) MorphFactor = 1;
    if (!(ActiveSkinRect.IsEmpty() && (DownRect.IsEmpty() || GroupIndex != -1))) ReDraw();
    HideLayer();
    RaiseMouseLeave();
}

// ---- TskSkinStdButtonObject ----

TskSkinStdButtonObject::TskSkinStdButtonObject(TskFormFrame* AParent, TskDataSkinObject* AData)
    : TskSkinButtonObject(AParent, AData), SkinDataPresent(AData != nullptr)
{
    if (auto* data = dynamic_cast<TskDataSkinStdButton*>(AData)) {
        Command = data->Command;
        RestoreRect = data->RestoreRect;
        RestoreActiveRect = data->RestoreActiveRect;
        RestoreDownRect = data->RestoreDownRect;
        RestoreInActiveRect = data->RestoreInActiveRect;
        RestoreHint = data->RestoreHint;
    }
    NormalHint = Hint;
}

bool TskSkinStdButtonObject::RestoreState() const { return CommandRestoreState(Parent, Command); }

bool TskSkinStdButtonObject::IconCase() const
{
    return Command == cmSysMenu && Parent != nullptr && Parent->ShowIcon() && SkinDataPresent && SkinRectInAPicture;
}

bool TskSkinStdButtonObject::InMask(int X, int Y) { return IconCase() || TskSkinButtonObject::InMask(X, Y); }

void TskSkinStdButtonObject::ShowLayer()
{
    if (!IconCase()) TskSkinButtonObject::ShowLayer();
}

void TskSkinStdButtonObject::HideLayer()
{
    if (!IconCase()) TskSkinButtonObject::HideLayer();
}

bool TskSkinStdButtonObject::CanMorphing() { return !IconCase() && TskSkinButtonObject::CanMorphing(); }

void TskSkinStdButtonObject::MouseEnter()
{
    if (Command != cmDefault) Hint = CommandHint(Parent, Command, RestoreHint, NormalHint);
    TskSkinButtonObject::MouseEnter();
    // The plain look has no active image to fade to: it lights up at once.
    if (!SkinDataPresent && Enabled) RedrawNow();
}

void TskSkinStdButtonObject::MouseLeave()
{
    TskSkinButtonObject::MouseLeave();
    if (!SkinDataPresent) RedrawNow();
}

void TskSkinStdButtonObject::MouseDown(int /*X*/, int /*Y*/, TMouseButton Button)
{
    if (Button != mbLeft || !Enabled || Down) return;
    if (Command == cmSysMenu && Parent != nullptr) MenuItem = Parent->GetSystemMenuItems();
    SetDown(true);
    if (!SkinDataPresent) RedrawNow();
    // The system menu opens on press, not on release.
    if (Command == cmSysMenu) DropDownMenu();
}

void TskSkinStdButtonObject::MouseUp(int X, int Y, TMouseButton Button)
{
    // MorphIncrease is still set while the pointer is on the button: a release elsewhere runs nothing.
    const bool run = Enabled && MorphIncrease && Button == mbLeft;
    if (Command == cmClose) {
        // The release handling comes first: once the form is closed nothing may touch this object.
        TskSkinButtonObject::MouseUp(X, Y, Button);
        if (run) DoCommand();
        return;
    }
    if (run) DoCommand();
    TskSkinButtonObject::MouseUp(X, Y, Button);
}

void TskSkinStdButtonObject::DblClick()
{
    if (Command == cmSysMenu) CloseFrameForm(Parent);
}

void TskSkinStdButtonObject::DoCommand()
{
    // cmSysMenu opened its menu on press; cmDefault does nothing.
    RunWindowCommand(Parent, Command);
}

void TskSkinStdButtonObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!SkinDataPresent) {
        DrawDefault(Cnvs);
        return;
    }
    if (!SkinPresent()) return;
    if (IconCase()) {
        if (Parent != nullptr) Parent->DrawFormIcon(Cnvs, ObjectRect);
        MorphFactor = 0;
        return;
    }
    if (Enabled) {
        const bool restore = RestoreState();
        if (!FrameActive() && !InActiveSkinRect.IsEmpty() && !restore) {
            TskSkinButtonObject::Draw(Cnvs, UpDate);
            return;
        }
        if (!RestoreRect.IsEmpty() && restore) {
            // The frame picture shows the normal image, so the restore images are always painted.
            if (!FrameActive() && !RestoreInActiveRect.IsEmpty())
                DrawPictureRect(Cnvs, ActivePicture, RestoreInActiveRect);
            else if (Down && Active && !RestoreDownRect.IsEmpty())
                DrawPictureRect(Cnvs, ActivePicture, RestoreDownRect);
            else if (EnableMorphing() && !MorphAtEnd())
                DrawMorph(Cnvs, ActivePicture, RestoreRect, ActivePicture, RestoreActiveRect);
            else if (MorphIncrease && !RestoreActiveRect.IsEmpty())
                DrawPictureRect(Cnvs, ActivePicture, RestoreActiveRect);
            else
                DrawPictureRect(Cnvs, ActivePicture, RestoreRect);
            return;
        }
    }
    TskSkinButtonObject::Draw(Cnvs, UpDate);
}

void TskSkinStdButtonObject::DrawDefault(TCanvas* Cnvs)
{
    // With ShowIcon the system-menu button is the form icon on the plain button face.
    const bool icon = Command == cmSysMenu && Parent != nullptr && Parent->ShowIcon();
    DrawDefaultCaptionButton(Cnvs, ObjectRect, icon ? cmDefault : Command, Active, Down && Active, Enabled, RestoreState());
    if (icon) Parent->DrawFormIcon(Cnvs, ObjectRect);
}

void DrawDefaultCaptionButton(TCanvas* Cnvs, const TRect& R, int Command, bool Active, bool Pressed, bool Enabled,
    bool RestoreLook)
{
    const int w = R.Width();
    const int h = R.Height();
    if (Cnvs == nullptr || w <= 0 || h <= 0) return;
    TBitmap b(w, h);
    TCanvas* c = b.Canvas();
    c->Brush()->SetStyle(bsSolid);
    if (Active) {
        c->Brush()->SetColor(SkinNavyFrame);
        c->FillRect(Rect(0, 0, w, h));
        c->Brush()->SetColor(Pressed ? SkinPressedFill : SkinHotFill);
        c->FillRect(Rect(1, 1, w - 1, h - 1));
    } else {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(Rect(0, 0, w, h));
    }
    const int x = w / 2 - 5 + (Pressed ? 1 : 0);
    const int y = h / 2 - 4 + (Pressed ? 1 : 0);
    const TColor color = Enabled ? clBtnText : clBtnShadow;
    switch (Command) {
    case cmClose: DrawCloseImage(c, x, y, color); break;
    case cmMaximize:
        if (RestoreLook)
            DrawRestoreImage(c, x, y, color);
        else
            DrawMaximizeImage(c, x, y, color);
        break;
    case cmMinimize:
        if (RestoreLook)
            DrawRestoreImage(c, x, y, color);
        else
            DrawMinimizeImage(c, x, y, color);
        break;
    case cmSysMenu: DrawSysMenuImage(c, x, y, color); break;
    case cmRollUp:
        if (RestoreLook)
            DrawRollDownImage(c, x, y, color);
        else
            DrawRollUpImage(c, x, y, color);
        break;
    case cmMinimizeToTray: DrawMinimizeToTrayImage(c, x, y, color); break;
    default: break;
    }
    Cnvs->Draw(R.Left, R.Top, &b);
}

// ---- TskSkinAnimateObject ----

TskSkinAnimateObject::TskSkinAnimateObject(TskFormFrame* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData)
{
    if (auto* data = dynamic_cast<TskDataSkinAnimate*>(AData)) {
        CountFrames = data->CountFrames;
        Cycle = data->Cycle;
        ButtonStyle = data->ButtonStyle;
        // Shorter than one timer tick cannot be shown; such intervals run at the tick.
        Interval = std::max(data->TimerInterval, 25);
        Command = data->Command;
        DownSkinRect = data->DownSkinRect;
        RestoreRect = data->RestoreRect;
        RestoreActiveRect = data->RestoreActiveRect;
        RestoreDownRect = data->RestoreDownRect;
        RestoreInActiveRect = data->RestoreInActiveRect;
        RestoreHint = data->RestoreHint;
    }
    NormalHint = Hint;
    // MorphIncrease means "the animation runs" here; the cross-fade is never used.
    Morphing = false;
}

bool TskSkinAnimateObject::RestoreState() const { return CommandRestoreState(Parent, Command); }

TRect TskSkinAnimateObject::FrameRect(int N) const
{
    const TRect size = CurSkinRect();
    const TRect strip = CurActiveSkinRect();
    const int n = std::clamp(N, 1, FrameCountOrOne());
    const int left = strip.Left + (n - 1) * size.Width();
    return TRect{left, strip.Top, left + size.Width(), strip.Top + size.Height()};
}

void TskSkinAnimateObject::RedrawNow()
{
    if (Parent != nullptr) Parent->RedrawSkinObject(this);
}

void TskSkinAnimateObject::RedrawOrAnimate()
{
    if (ButtonDown && !CurDownSkinRect().IsEmpty())
        RedrawNow();
    else if (Parent != nullptr)
        Parent->StartAnimateTimer();
}

void TskSkinAnimateObject::ShowLayer()
{
    if (MenuItem != nullptr)
        ShowLayerOn(Parent != nullptr ? Parent->LayerManager(1) : nullptr);
    else
        TskActiveSkinObject::ShowLayer();
}

void TskSkinAnimateObject::HideLayer()
{
    if (MenuItem != nullptr)
        HideLayerOn(Parent != nullptr ? Parent->LayerManager(1) : nullptr);
    else
        TskActiveSkinObject::HideLayer();
}

void TskSkinAnimateObject::Draw(TCanvas* Cnvs, bool /*UpDate*/)
{
    if (!SkinPresent()) return;
    if (MenuOpened) {
        const TRect down = CurDownSkinRect();
        DrawPictureRect(Cnvs, ActivePicture, !down.IsEmpty() ? down : FrameRect(FrameCountOrOne()));
        return;
    }
    if (!FrameActive() && !CurInActiveSkinRect().IsEmpty()) {
        DrawPictureRect(Cnvs, ActivePicture, CurInActiveSkinRect());
        return;
    }
    if (ButtonDown && Active && !CurDownSkinRect().IsEmpty()) {
        DrawPictureRect(Cnvs, ActivePicture, CurDownSkinRect());
        return;
    }
    DrawPictureRect(Cnvs, ActivePicture, FrameRect(Frame));
}

void TskSkinAnimateObject::MouseEnter()
{
    if (Command != cmDefault) Hint = CommandHint(Parent, Command, RestoreHint, NormalHint);
    Active = true;
    if (!MenuOpened && ButtonStyle) {
        MorphIncrease = true;
        Increase = true;
        RedrawOrAnimate();
    }
    if (Parent != nullptr && Parent->OnMouseEnterEvent) Parent->OnMouseEnterEvent(IDName);
    ShowLayer();
}

void TskSkinAnimateObject::MouseLeave()
{
    if (!Active) return;
    Active = false;
    if (!MenuOpened && ButtonStyle) {
        // The strip plays back from wherever it is.
        MorphIncrease = true;
        Increase = false;
        RedrawOrAnimate();
    }
    if (Parent != nullptr && Parent->OnMouseLeaveEvent) Parent->OnMouseLeaveEvent(IDName);
    HideLayer();
}

void TskSkinAnimateObject::MouseDown(int X, int Y, TMouseButton Button)
{
    TskActiveSkinObject::MouseDown(X, Y, Button);
    if (Button != mbLeft) return;
    if (!CurDownSkinRect().IsEmpty()) {
        Frame = FrameCountOrOne();
        ButtonDown = true;
        RedrawNow();
    }
    if (Command == cmSysMenu && Active && ButtonStyle) DoCommand();
}

void TskSkinAnimateObject::MouseUp(int X, int Y, TMouseButton Button)
{
    TskActiveSkinObject::MouseUp(X, Y, Button);
    if (MenuOpened || Button != mbLeft) return;
    if (ButtonDown) {
        ButtonDown = false;
        RedrawNow();
        if (Parent != nullptr) Parent->StartAnimateTimer();
    }
    // Last: after a close nothing may touch this object.
    if (Command != cmSysMenu && Active && ButtonStyle) DoCommand();
}

void TskSkinAnimateObject::DblClick()
{
    if (Command == cmSysMenu) CloseFrameForm(Parent);
}

void TskSkinAnimateObject::DoCommand()
{
    if (Command == cmSysMenu) {
        if (Parent != nullptr) MenuItem = Parent->GetSystemMenuItems();
        DropDownMenu();
        return;
    }
    if (Command == cmDefault) {
        DropDownMenu();
        return;
    }
    RunWindowCommand(Parent, Command);
}

void TskSkinAnimateObject::DropDownMenu()
{
    if (MenuItem == nullptr || MenuItem->Count() == 0 || Parent == nullptr) return;
    // Only a menu that really opens is waited for: a flag set for nothing would never be cleared.
    MenuOpened = true;
    Parent->HideGlowLayers();
    if (Active) ShowLayer();
    DropDownItems(Parent, MenuItem, ObjectRect);
}

bool TskSkinAnimateObject::AnimateStep()
{
    if (!MorphIncrease) return false;
    if (ButtonDown && !CurDownSkinRect().IsEmpty()) return false;
    if (TimerCount < Interval) {
        TimerCount += 25;
        return true;
    }
    const int count = FrameCountOrOne();
    if (Increase) {
        Frame = Frame + 1 > count ? 1 : Frame + 1;
        if (!Cycle && Frame >= count) MorphIncrease = false;
    } else {
        Frame = Frame - 1 < 1 ? count : Frame - 1;
        if (Frame <= 1) MorphIncrease = false;
    }
    RedrawNow();
    TimerCount = 25;
    return true;
}

void TskSkinAnimateObject::MenuClosed()
{
    if (!MenuOpened) return;
    MorphIncrease = true;
    Frame = FrameCountOrOne();
    ButtonDown = false;
    MenuOpened = false;
    Increase = false;
    if (Parent != nullptr) Parent->StartAnimateTimer();
}

void TskSkinAnimateObject::ResetState()
{
    Active = false;
    MorphIncrease = false;
    Frame = 1;
}

void RegisterSkinButtonObjects()
{
    RegisterSkinObjectMaker(skokButton,
        [](TskFormFrame* Frame, TskDataSkinObject* Data) -> TskActiveSkinObject* {
            return new TskSkinButtonObject(Frame, Data);
        });
    RegisterSkinObjectMaker(skokStdButton,
        [](TskFormFrame* Frame, TskDataSkinObject* Data) -> TskActiveSkinObject* {
            return new TskSkinStdButtonObject(Frame, Data);
        });
    RegisterSkinObjectMaker(skokAnimate,
        [](TskFormFrame* Frame, TskDataSkinObject* Data) -> TskActiveSkinObject* {
            return new TskSkinAnimateObject(Frame, Data);
        });
}
