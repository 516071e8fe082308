#include "skin/form/TskSkinHint.h"

#include "platform/gfx/Text.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TTimer.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Input.h"
#include "platform/win/Screen.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/TskDataSkinPopupWindow.h"
#include "skin/data/TskSkinData.h"

namespace {

constexpr UINT_PTR FadeTimerId = 1;

// The component whose handler the application's hint service calls now.
TskSkinHint*& InstalledHint()
{
    static TskSkinHint* hint = nullptr;
    return hint;
}

// The work area of the active form's monitor, else of the visible main form's, else the whole screen.
TRect HintWorkArea()
{
    TRect r;
    TCustomForm* form = Screen != nullptr ? Screen->ActiveForm() : nullptr;
    if (form == nullptr || !form->HandleAllocated()) {
        form = Application->MainForm();
        if (form != nullptr && (!form->Visible() || !form->HandleAllocated())) form = nullptr;
    }
    if (form != nullptr)
        GetMonitorWorkArea(form->Handle(), true, r);
    else
        GetScreenArea(true, r);
    return r;
}

} // namespace

// ---- TskSkinHintWindow ----

TskSkinHintWindow::TskSkinHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

TskSkinHintWindow::~TskSkinHintWindow() { StopFade(); }

void TskSkinHintWindow::CreateParams(TCreateParams& Params)
{
    THintWindow::CreateParams(Params);
    Params.Style &= ~WS_BORDER;
    if (IsWinXPOrLater()) Params.ClassStyle |= CS_DROPSHADOW;
}

TskSkinHint* TskSkinHintWindow::Settings() const
{
    if (auto* owner = dynamic_cast<TskSkinHint*>(Owner()); owner != nullptr && owner->Active()) return owner;
    return FindActiveSkinHint();
}

void TskSkinHintWindow::ActivateHint(const TRect& Rect, const std::string& AHint)
{
    TskSkinHint* hint = Settings();
    // Without an active hint component nobody asked for skinned hints: nothing shows.
    if (hint == nullptr) return;
    StopFade();

    // Font: the skin's hint font when the skin has a hint picture, else the component's default font.
    TskSkinData* skin = hint->SkinData();
    const TskDataSkinHintWindow* data = skin != nullptr ? skin->HintWindow.get() : nullptr;
    if (data != nullptr && data->WindowPictureIndex == -1) data = nullptr;
    if (data != nullptr && hint->UseSkinFont()) {
        Font()->SetName(data->FontName);
        Font()->SetHeight(data->FontHeight);
        Font()->SetStyle(data->FontStyle);
        Font()->SetColor(data->FontColor);
    } else {
        Font()->Assign(hint->DefaultFont());
    }
    const std::string text = hint->ExpandLines(AHint);
    SetText(text);

    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(Font());
    TRect size = ::Rect(0, 0, 0, 0);
    measure.Canvas()->TextRect(size, text, DT_CALCRECT | DT_LEFT | DT_NOPREFIX);
    const int w = size.Width() + 4 + 2;
    const int h = size.Height() + 4;

    // Inside the work area: past the right or bottom edge the hint opens to the other side of the point.
    TRect r = Bounds(Rect.Left, Rect.Top, w, h);
    const TRect wa = HintWorkArea();
    if (r.Right > wa.Right) OffsetRect(r, -(w + 2), 0);
    if (r.Bottom > wa.Bottom) OffsetRect(r, 0, -(h + 2));
    SetBounds(r.Left, r.Top, w, h);

    const HWND wnd = Handle();
    const bool wantLayered = hint->AlphaBlendSupport() && hint->AlphaBlend() && IsLayeringAvailable();
    if (wantLayered != FLayered) {
        FLayered = wantLayered;
        LONG ex = GetWindowLong(wnd, GWL_EXSTYLE);
        SetWindowLong(wnd, GWL_EXSTYLE, wantLayered ? (ex | WS_EX_LAYERED) : (ex & ~WS_EX_LAYERED));
    }
    FTargetOpacity = hint->AlphaBlendValue();
    FFading = FLayered && hint->AlphaBlendAnimation();
    if (FLayered) {
        FOpacity = FFading ? 0 : FTargetOpacity;
        SetAlphaBlendTransparent(wnd, FOpacity);
    } else {
        FOpacity = 255;
    }
    SetWindowPos(wnd, HWND_TOPMOST, r.Left, r.Top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    FShowing = true;
    Invalidate();
    if (FFading) SetTimer(wnd, FadeTimerId, SkinHintFadeInterval);
}

void TskSkinHintWindow::ReleaseHint()
{
    StopFade();
    THintWindow::ReleaseHint();
}

void TskSkinHintWindow::StopFade()
{
    if (FFading && HandleAllocated()) KillTimer(Handle(), FadeTimerId);
    FFading = false;
}

void TskSkinHintWindow::FadeTick()
{
    if (!FFading || !FShowing) {
        StopFade();
        return;
    }
    FOpacity = static_cast<BYTE>(std::min<int>(FOpacity + SkinHintFadeStep, FTargetOpacity));
    SetAlphaBlendTransparent(Handle(), FOpacity);
    if (FOpacity >= FTargetOpacity) StopFade();
}

void TskSkinHintWindow::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case WM_TIMER:
        if (Message.WParam == FadeTimerId) {
            FadeTick();
            return;
        }
        break;
    default:
        break;
    }
    THintWindow::WndProc(Message);
}

void TskSkinHintWindow::Paint()
{
    TCanvas* c = Canvas();
    const TRect all = ClientRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clInfoBk);
    c->Pen()->SetColor(clBtnShadow);
    c->Rectangle(all);
    TRect r = Rect(all.Left + 2, all.Top + 2, all.Right - 2, all.Bottom - 2);
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    c->TextRect(r, Text(), DT_LEFT | DT_NOPREFIX);
}

// ---- TskSkinHint ----

TskSkinHint::TskSkinHint(TComponent* AOwner) : TComponent(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    RegisterSkinHintClasses();
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetColor(clInfoText);
    FWindow = new TskSkinHintWindow(this);
    FAlphaBlendSupport = IsLayeringAvailable();
    if (ComponentState().Contains(csDesigning)) return;
    TApplicationHints& hints = ApplicationHints();
    hints.SetHintWindowClass([] { return new TskSkinHintWindow(nullptr); });
    // Off and on again: the next hint is shown in a window of the new class.
    hints.SetShowHint(false);
    hints.SetShowHint(true);
    hints.SetHintShortPause(100);
    InstallApplicationHandler();
}

TskSkinHint::~TskSkinHint()
{
    *FAlive = false;
    FreeTimer();
    // Still among the owner's components here: inactive, it is no longer found below.
    FActive = false;
    if (InstalledHint() == this) {
        InstalledHint() = nullptr;
        if (TskSkinHint* other = FindActiveSkinHint()) {
            other->InstallApplicationHandler();
        } else {
            // The last skinned hint is gone: the application's hints go back to the plain window instead
            // of a skinned one that has no settings left to show with.
            TApplicationHints& hints = ApplicationHints();
            hints.OnShowHint = nullptr;
            hints.SetHintWindowClass(nullptr);
            if (hints.ShowHint()) {
                hints.SetShowHint(false);
                hints.SetShowHint(true);
            }
        }
    }
}

void TskSkinHint::InstallApplicationHandler()
{
    InstalledHint() = this;
    const std::shared_ptr<bool> alive = FAlive;
    ApplicationHints().OnShowHint = [this, alive](std::string& HintStr, bool& CanShow, THintInfo& HintInfo) {
        if (*alive && OnShowHint) OnShowHint(HintStr, CanShow, HintInfo);
    };
}

void TskSkinHint::SetActive(bool Value)
{
    if (Value == FActive) return;
    FActive = Value;
    if (!Value) {
        HideHint();
        return;
    }
    TComponent* form = Application->MainForm();
    if (form == nullptr) form = Owner();
    if (form == nullptr) return;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* other = dynamic_cast<TskSkinHint*>(form->Components(i)); other != nullptr && other != this)
            other->SetActive(false);
    if (!ComponentState().Contains(csDesigning)) InstallApplicationHandler();
}

void TskSkinHint::SetSkinData(TskSkinData* Value)
{
    if (Value == FSkinData) return;
    FSkinData = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TskSkinHint::SetAlphaBlendSupport(bool Value)
{
    FAlphaBlendSupport = Value && (IsLayeringAvailable() || ComponentState().Contains(csDesigning));
}

std::string TskSkinHint::ExpandLines(const std::string& Text) const
{
    if (FLineSeparator.empty()) return Text;
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = Text.find(FLineSeparator, from)) != std::string::npos; from = at + FLineSeparator.size())
        out.append(Text, from, at - from).append("\n");
    out.append(Text, from, std::string::npos);
    return out;
}

void TskSkinHint::ActivateHint2(const std::string& Text)
{
    FreeTimer();
    FPendingText = Text;
    FShownByTimer = false;
    FTimer = new TTimer(this);
    FTimer->SetInterval(SkinHintPause);
    FTimer->OnTimer = [this](TObject* Sender) { TimerTimer(Sender); };
    FTimer->SetEnabled(true);
}

void TskSkinHint::TimerTimer(TObject*)
{
    if (FShownByTimer) {
        HideHint();
        return;
    }
    FShownByTimer = true;
    // Below the pointer's picture, so the hint does not sit under the pointer.
    TPoint p = GetCursorPos();
    p.Y += GetSystemMetrics(SM_CYCURSOR);
    FWindow->ActivateHint(Rect(p.X, p.Y, p.X, p.Y), FPendingText);
    FTimer->SetInterval(SkinHintHidePause);
}

void TskSkinHint::HideHint()
{
    FreeTimer();
    if (FWindow != nullptr && FWindow->Showing()) FWindow->ReleaseHint();
}

void TskSkinHint::FreeTimer()
{
    TTimer* timer = FTimer;
    FTimer = nullptr;
    if (timer != nullptr) timer->Free();
}

void TskSkinHint::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSkinData) FSkinData = nullptr;
    if (AComponent == FWindow) FWindow = nullptr;
    if (AComponent == FTimer) FTimer = nullptr;
}

TskSkinHint* FindActiveSkinHint()
{
    TComponent* form = Application->MainForm();
    if (form == nullptr) return nullptr;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* hint = dynamic_cast<TskSkinHint*>(form->Components(i)); hint != nullptr && hint->Active())
            return hint;
    return nullptr;
}

void RegisterSkinHintClasses()
{
    static const bool done = [] {
        using H = TskSkinHint;
        RegisterClass<H, TComponent>("TskSkinHint")
            .Prop("Active", &H::Active, &H::SetActive, true)
            .Prop("SkinData", &H::SkinData, &H::SetSkinData)
            .Prop("LineSeparator", &H::LineSeparator, &H::SetLineSeparator, std::string("@"))
            .Prop("DefaultFont", &H::DefaultFont)
            .Prop("UseSkinFont", &H::UseSkinFont, &H::SetUseSkinFont, true)
            .Prop("AlphaBlendSupport", &H::AlphaBlendSupport, &H::SetAlphaBlendSupport, true)
            .Prop("AlphaBlend", &H::AlphaBlend, &H::SetAlphaBlend, false)
            .Prop("AlphaBlendValue", &H::AlphaBlendValue, &H::SetAlphaBlendValue, static_cast<BYTE>(200))
            .Prop("AlphaBlendAnimation", &H::AlphaBlendAnimation, &H::SetAlphaBlendAnimation, false);
        return true;
    }();
    (void)done;
}
