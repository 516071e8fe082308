#include "skin/form/TskSkinHint.h"

#include "platform/gfx/Text.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TTimer.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Input.h"
#include "platform/win/Screen.h"
#include "skin/data/SkinPlatform.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/TskDataSkinPopupWindow.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskResourceStrData.h"
#include "skin/data/TskSkinData.h"
#include "skin/controls/TskGraphicSkinControl.h"
#include "skin/controls/TskSkinControl.h"

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

bool ValidImage(TCustomImageList* Images, int Index) { return Images != nullptr && Index >= 0 && Index < Images->Count(); }

// The extent of Text drawn on C as the hint draws it.
TSize TextExtent(TCanvas* C, const std::string& Text)
{
    TRect r = Rect(0, 0, 0, 0);
    C->TextRect(r, Text, DT_CALCRECT | DT_LEFT | DT_NOPREFIX);
    return TSize{r.Width(), r.Height()};
}

} // namespace

// ---- TskSkinHintWindow ----

TskSkinHintWindow::TskSkinHintWindow(TComponent* AOwner)
    : THintWindow(AOwner), FTranslucency(FadeTimerId, SkinHintFadeInterval, SkinHintFadeStep)
{
}

TskSkinHintWindow::~TskSkinHintWindow() { FTranslucency.Stop(FHandle); }

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

void TskSkinHintWindow::SelectFont(TskSkinHint* Hint)
{
    TskSkinData* skin = Hint->SkinData();
    const TskDataSkinHintWindow* d = FLook.Skinned() ? skin->HintWindow.get() : nullptr;
    SelectEntryFont(Font(), Hint->DefaultFont(), d != nullptr && Hint->UseSkinFont() ? d : nullptr, skin,
        Hint->DefaultFont()->Charset());
    FTextColor = d != nullptr ? d->FontColor : FTitleLayout ? clInfoText : Hint->DefaultFont()->Color();
    Font()->SetColor(FTextColor);
}

TSize TskSkinHintWindow::Measure(const std::string& Text)
{
    TBitmap measure(1, 1);
    TCanvas* c = measure.Canvas();
    c->Font()->Assign(Font());
    TSize size = TextExtent(c, Text);
    FTitleHeight = 0;
    if (FTitleLayout) {
        if (!FTitle.empty()) {
            c->Font()->SetStyle(Font()->Style() + fsBold);
            const TSize title = TextExtent(c, FTitle);
            FTitleHeight = title.cy;
            size.cy += title.cy + 10;
            size.cx = std::max(size.cx, title.cx);
        }
        if (ValidImage(FImages, FImageIndex)) {
            size.cx += FImages->Width() + 10;
            size.cy = std::max(size.cy, FImages->Height() + FTitleHeight + 5);
        }
    }
    if (!FLook.Skinned()) return TSize{size.cx + 4, size.cy + 4};
    size.cx += FLook.LeftMargin() + FLook.RightMargin() + (FTitleLayout ? 10 : 5);
    size.cy += FLook.TopMargin() + FLook.BottomMargin();
    KeepCornersApart(size);
    return size;
}

void TskSkinHintWindow::KeepCornersApart(TSize& Size) const
{
    const int pw = FLook.Picture->Width(), ph = FLook.Picture->Height();
    const int minW = std::max(FLook.LeftTop.X + (pw - FLook.RightTop.X), FLook.LeftBottom.X + (pw - FLook.RightBottom.X));
    const int minH = std::max(FLook.LeftTop.Y + (ph - FLook.LeftBottom.Y), FLook.RightTop.Y + (ph - FLook.RightBottom.Y));
    Size.cx = std::max(Size.cx, minW);
    Size.cy = std::max(Size.cy, minH);
}

void TskSkinHintWindow::ActivateHint(const TRect& Rect, const std::string& AHint)
{
    TskSkinHint* hint = Settings();
    // Without an active hint component nobody asked for skinned hints: nothing shows.
    if (hint == nullptr) return;
    FTranslucency.Stop(FHandle);

    FLook = TskPopupSkin::OfHintWindow(hint->SkinData());
    FTitle = hint->HintTitle();
    FImages = hint->HintImageList();
    FImageIndex = hint->HintImageIndex();
    FTitleLayout = !FTitle.empty() || FImages != nullptr;
    SelectFont(hint);
    const std::string text = hint->ExpandLines(AHint);
    SetText(text);
    const TSize size = Measure(text);

    // Inside the work area: past the right or bottom edge the hint opens to the other side of the point.
    TRect r = Bounds(Rect.Left, Rect.Top, size.cx, size.cy);
    const TRect wa = HintWorkArea();
    if (r.Right > wa.Right) OffsetRect(r, -(size.cx + 2), 0);
    if (r.Bottom > wa.Bottom) OffsetRect(r, 0, -(size.cy + 2));
    SetBounds(r.Left, r.Top, size.cx, size.cy);
    if (FLook.Skinned()) {
        FLook.Fit(size.cx, size.cy);
        FTextRect = FLook.NewInner;
    } else {
        FTextRect = ::Rect(2, 2, size.cx - 2, size.cy - 2);
    }

    const HWND wnd = Handle();
    FScreenImage.reset();
    if (hint->AlphaBlend() && !hint->AlphaBlendSupport()) {
        // No layered window: the picture is blended with the screen as it is without this hint on it.
        if (IsWindowVisible(wnd))
            SetWindowPos(wnd, 0, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        FScreenImage = std::make_unique<TBitmap>(size.cx, size.cy);
        GetScreenImage(r.Left, r.Top, FScreenImage.get());
        FScreenAlpha = hint->AlphaBlendValue();
    }
    FTranslucency.Apply(wnd, hint->AlphaBlendSupport() && hint->AlphaBlend(), hint->AlphaBlendAnimation(),
        hint->AlphaBlendValue());
    if (FLook.Mask != nullptr)
        FLook.ApplyRegion(wnd, size.cx, size.cy);
    else
        SetWindowRgn(wnd, nullptr, TRUE);
    SetWindowPos(wnd, HWND_TOPMOST, r.Left, r.Top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    FShowing = true;
    Invalidate();
}

void TskSkinHintWindow::ReleaseHint()
{
    FTranslucency.Stop(FHandle);
    THintWindow::ReleaseHint();
}

void TskSkinHintWindow::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case WM_TIMER:
        if (FTranslucency.Tick(FHandle, Message.WParam)) return;
        break;
    default:
        break;
    }
    THintWindow::WndProc(Message);
}

void TskSkinHintWindow::PaintTitleLayout(TCanvas* C, TColor TextColor)
{
    const TRect& a = FTextRect;
    const bool image = ValidImage(FImages, FImageIndex);
    if (!FTitle.empty()) {
        const TFontStyles plain = C->Font()->Style();
        C->Font()->SetStyle(plain + fsBold);
        TRect t = Rect(a.Left, a.Top, a.Right, a.Top + FTitleHeight);
        C->TextRect(t, FTitle, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE);
        C->Font()->SetStyle(plain);
    }
    const int below = FTitle.empty() ? 0 : FTitleHeight;
    if (image) FImages->Draw(C, a.Left, a.Top + below + (FTitle.empty() ? 0 : 5), FImageIndex);
    C->Font()->SetColor(TextColor);
    TRect t = Rect(a.Left + (image ? FImages->Width() + 10 : 0), a.Top + below + (FTitle.empty() ? 0 : 10), a.Right, a.Bottom);
    C->TextRect(t, Text(), DT_LEFT | DT_NOPREFIX);
}

void TskSkinHintWindow::Paint()
{
    const int w = Width(), h = Height();
    TBitmap b(w, h);
    TCanvas* c = b.Canvas();
    if (FLook.Skinned()) {
        FLook.Compose(&b, w, h);
        b.SetSize(w, h);
    } else {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clInfoBk);
        c->Pen()->SetColor(clBtnShadow);
        c->Rectangle(Rect(0, 0, w, h));
    }
    c->Font()->Assign(Font());
    c->Font()->SetColor(FTextColor);
    c->Brush()->SetStyle(bsClear);
    if (FTitleLayout) {
        PaintTitleLayout(c, FTextColor);
    } else {
        TRect r = FTextRect;
        c->TextRect(r, Text(), DT_LEFT | DT_NOPREFIX);
    }
    if (FScreenImage != nullptr && FScreenImage->Width() == w && FScreenImage->Height() == h) {
        TskEffectBmp picture(b.Handle());
        const TskEffectBmp screen(FScreenImage->Handle());
        picture.Morph(screen, 1.0 - FScreenAlpha / 255.0);
        picture.DrawToDC(c->Handle(), 0, 0);
    }
    Canvas()->Draw(0, 0, &b);
}

// ---- TskSkinHint ----

TskSkinHint::TskSkinHint(TComponent* AOwner) : TComponent(AOwner), FDefaultFont(std::make_unique<TFont>())
{
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
    FAlive.End();
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
    const auto alive = FAlive.Watch();
    ApplicationHints().OnShowHint = [this, alive](std::string& HintStr, bool& CanShow, THintInfo& HintInfo) {
        if (*alive) ShowApplicationHint(HintStr, CanShow, HintInfo);
    };
}

void TskSkinHint::ShowApplicationHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)
{
    // A skinned control may give its hint a title and an image; any other control shows the text alone.
    if (auto* c = dynamic_cast<TskSkinControl*>(HintInfo.HintControl))
        SetHintTitleAndImage(c->HintTitle(), c->HintImageList(), c->HintImageIndex());
    else if (auto* g = dynamic_cast<TskGraphicSkinControl*>(HintInfo.HintControl))
        SetHintTitleAndImage(g->HintTitle(), g->HintImageList(), g->HintImageIndex());
    else
        SetHintTitleAndImage("", nullptr, -1);
    if (OnShowHint) OnShowHint(HintStr, CanShow, HintInfo);
}

void TskSkinHint::SetHintTitleAndImage(const std::string& Title, TCustomImageList* Images, int ImageIndex)
{
    FHintTitle = Title;
    FHintImageIndex = ImageIndex;
    FHintImageList = Images;
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
    SetHintTitleAndImage("", nullptr, -1);
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
    if (FWindow != nullptr && FWindow->Showing()) {
        FWindow->ReleaseHint();
        SetHintTitleAndImage("", nullptr, -1);
    }
}

void TskSkinHint::FreeTimer()
{
    TTimer* timer = FTimer;
    FTimer = nullptr;
    if (timer != nullptr) timer->Free();
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
