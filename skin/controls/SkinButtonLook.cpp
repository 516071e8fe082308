#include "skin/controls/SkinButtonLook.h"

#include <cctype>

#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TTimer.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/SkinImages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskResourceStrData.h"
#include "skin/data/TskSkinData.h"

void MorphByKind(TskEffectBmp& From, const TskEffectBmp& To, int Kind, double K)
{
    switch (Kind) {
    case 1: From.MorphGrad(To, K); break;
    case 2: From.MorphLeftGrad(To, K); break;
    case 3: From.MorphRightGrad(To, K); break;
    case 4: From.MorphLeftSlide(To, K); break;
    case 5: From.MorphRightSlide(To, K); break;
    case 6: From.MorphPush(To, K); break;
    default: From.Morph(To, K); break;
    }
}

void FillFramed(TCanvas* C, const TRect& R, TColor Frame, TColor Fill)
{
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Fill);
    C->FillRect(R);
    C->Brush()->SetColor(Frame);
    C->FrameRect(R);
}

void StretchButtonPicture(TBitmap* B, TBitmap* Picture, const TRect& R, const TRect& ClientRect, int W, int H)
{
    B->SetSize(W, H);
    if (Picture == nullptr || W < 1 || H < 1 || IsEmptyRect(R)) return;
    if (IsEmptyRect(ClientRect))
        B->Canvas()->CopyRect(Rect(0, 0, W, H), Picture->Canvas(), R);
    else
        CreateStretchSkinImage(B, Picture, R, ClientRect, true);
}

bool IsAccel(WPARAM CharCode, const std::string& Caption)
{
    // Only single-byte letters and digits can be accelerators; anything else never matches.
    if (CharCode == 0 || CharCode > 0x7F) return false;
    const int wanted = std::toupper(static_cast<int>(CharCode));
    for (size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&') continue;
        if (Caption[i + 1] == '&') {
            ++i; // "&&" shows a plain "&"
            continue;
        }
        return std::toupper(static_cast<unsigned char>(Caption[i + 1])) == wanted;
    }
    return false;
}

bool CopyImageToGlyph(TCustomImageList* Images, int Index, TBitmap* Glyph)
{
    if (Images == nullptr || Glyph == nullptr || Index < 0 || Index >= Images->Count()) return false;
    TBitmap b(Images->Width(), Images->Height());
    b.Canvas()->Brush()->SetStyle(bsSolid);
    b.Canvas()->Brush()->SetColor(static_cast<TColor>(16711935)); // magenta: the glyph's transparent colour
    b.Canvas()->FillRect(Rect(0, 0, b.Width(), b.Height()));
    Images->Draw(b.Canvas(), 0, 0, Index, true);
    Glyph->Assign(&b);
    return true;
}

// ---- face

bool TskButtonFace::UsesImages() const
{
    return Images != nullptr && ImageIndex >= 0 && ImageIndex < Images->Count();
}

int TskButtonFace::GlyphCell(bool IsActive, bool IsDown) const
{
    if (IsActive && IsDown && NumGlyphs > 2) return 3;
    if (IsActive && NumGlyphs > 3) return 4;
    if (Enabled || NumGlyphs < 2) return 1;
    return 2;
}

void TskButtonFace::Draw(TCanvas* C, const TRect& R, bool IsActive, bool IsDown) const
{
    C->Brush()->SetStyle(bsClear);
    if (UsesImages()) {
        DrawImageAndText(C, R, Margin, Spacing, Layout, Caption, Images, ImageIndex, clBlack, false, Enabled,
            IsActive && IsDown);
        return;
    }
    const bool glyph = Glyph != nullptr && !Glyph->Empty();
    DrawGlyphAndText(C, R, Margin, Spacing, Layout, Caption, Glyph, glyph ? NumGlyphs : 0,
        GlyphCell(IsActive, IsDown), clBlack, false, IsActive && IsDown);
}

// ---- entry values

void TskButtonSkinValues::Read(const TskDataSkinButtonControl& E, const TRect& SkinRect)
{
    FontName = E.FontName;
    FontStyle = E.FontStyle;
    FontHeight = E.FontHeight;
    FontColor = E.FontColor;
    ActiveFontColor = E.ActiveFontColor;
    DownFontColor = E.DownFontColor;
    // A disabled colour equal to the normal one would hide the state: grey instead.
    DisabledFontColor = E.DisabledFontColor == E.FontColor ? static_cast<TColor>(8421504) : E.DisabledFontColor;
    ActiveSkinRect = IsEmptyRect(E.ActiveSkinRect) ? SkinRect : E.ActiveSkinRect;
    DownSkinRect = IsEmptyRect(E.DownSkinRect) ? ActiveSkinRect : E.DownSkinRect;
    DisabledSkinRect = E.DisabledSkinRect;
    FocusedSkinRect = E.FocusedSkinRect;
    AnimateSkinRect = E.AnimateSkinRect;
    FrameCount = E.FrameCount;
    AnimateInterval = E.AnimateInterval;
    Morphing = E.Morphing;
    MorphKind = E.MorphKind;
    ShowFocus = E.ShowFocus;
}

TColor TskButtonSkinValues::TextColor(bool Enabled, bool UseSkinFontColor, TColor DefaultColor, bool IsActive,
    bool IsDown) const
{
    if (!Enabled) return DisabledFontColor;
    if (!UseSkinFontColor) return DefaultColor;
    if (IsActive && IsDown) return DownFontColor;
    if (IsActive) return ActiveFontColor;
    return FontColor;
}

void TskButtonSkinValues::SelectFont(TCanvas* C, TFont* DefaultFont, bool UseSkinFont, TskSkinData* Skin) const
{
    SelectEntryFont(C->Font(), DefaultFont, UseSkinFont ? this : nullptr, Skin, DefaultFont->Charset());
}

bool TskButtonSkinValues::CanAnimate(TskSkinData* Skin) const
{
    return Skin != nullptr && !Skin->SkinEmpty && Skin->EnableSkinEffects() && !IsEmptyRect(AnimateSkinRect) &&
        FrameCount > 0;
}

// ---- cross-fade

TskButtonMorph::TskButtonMorph(std::function<bool()> Hot, std::function<void()> Changed)
    : FHot(std::move(Hot)), FChanged(std::move(Changed))
{
}

TskButtonMorph::~TskButtonMorph() = default;

bool TskButtonMorph::Running() const { return FTimer != nullptr && FTimer->Enabled(); }

void TskButtonMorph::Start()
{
    if (FTimer == nullptr) {
        // Not owned by the button: the timer goes with this object, so no tick can outlive it.
        FTimer = std::make_unique<TTimer>(nullptr);
        FTimer->SetEnabled(false);
        FTimer->SetInterval(SkinMorphInterval);
        FTimer->OnTimer = [this](TObject*) { Tick(); };
    }
    FTimer->SetEnabled(true);
}

void TskButtonMorph::Stop()
{
    if (FTimer != nullptr) FTimer->SetEnabled(false);
}

void TskButtonMorph::Tick()
{
    if (FHot()) {
        FFactor += SkinMorphStep;
        if (FFactor >= 1.0 - 1e-9) {
            FFactor = 1.0;
            Stop();
        }
    } else {
        FFactor -= SkinMorphStep;
        if (FFactor <= 1e-9) {
            FFactor = 0.0;
            Stop();
        }
    }
    FChanged();
}

// ---- frame animation

TskButtonAnimation::TskButtonAnimation(std::function<void()> Changed) : FChanged(std::move(Changed)) {}

TskButtonAnimation::~TskButtonAnimation() = default;

bool TskButtonAnimation::Running() const { return FTimer != nullptr && FTimer->Enabled(); }

void TskButtonAnimation::Start(bool Forward, unsigned Interval, int FrameCount)
{
    if (FrameCount < 1) return;
    FForward = Forward;
    FCount = FrameCount;
    if (FFrame > FCount) FFrame = FCount;
    if (FTimer == nullptr) {
        FTimer = std::make_unique<TTimer>(nullptr);
        FTimer->SetEnabled(false);
        FTimer->OnTimer = [this](TObject*) { Tick(); };
    }
    FTimer->SetEnabled(false);
    FTimer->SetInterval(Interval > 0 ? Interval : 1);
    FTimer->SetEnabled(true);
}

void TskButtonAnimation::Stop()
{
    if (FTimer != nullptr) FTimer->SetEnabled(false);
}

void TskButtonAnimation::Reset()
{
    Stop();
    FFrame = 0;
}

void TskButtonAnimation::Tick()
{
    if (FForward) {
        // The last frame stays up for a whole interval too; the tick after it ends the run.
        if (FFrame >= FCount) {
            FFrame = FCount;
            Stop();
        } else {
            ++FFrame;
        }
    } else {
        --FFrame;
        if (FFrame <= 0) {
            FFrame = 0;
            Stop();
        }
    }
    FChanged();
}

TRect TskButtonAnimation::FrameRect(const TRect& Strip, const TRect& SkinRect, int Frame, int Count)
{
    if (Count < 1 || Frame < 1 || Frame > Count) return SkinRect;
    if (Strip.Width() > SkinRect.Width()) {
        const int w = Strip.Width() / Count;
        return Rect(Strip.Left + (Frame - 1) * w, Strip.Top, Strip.Left + Frame * w, Strip.Bottom);
    }
    const int h = Strip.Height() / Count;
    return Rect(Strip.Left, Strip.Top + (Frame - 1) * h, Strip.Right, Strip.Top + Frame * h);
}

// ---- auto-repeat

TskButtonRepeat::TskButtonRepeat(std::function<int()> Interval, std::function<void()> Click)
    : FInterval(std::move(Interval)), FClick(std::move(Click))
{
}

TskButtonRepeat::~TskButtonRepeat() = default;

bool TskButtonRepeat::Running() const { return FTimer != nullptr && FTimer->Enabled(); }

void TskButtonRepeat::Start()
{
    if (FTimer == nullptr) {
        FTimer = std::make_unique<TTimer>(nullptr);
        FTimer->SetEnabled(false);
        FTimer->OnTimer = [this](TObject*) { Tick(); };
    }
    FTimer->SetEnabled(false);
    FTimer->SetInterval(SkinRepeatDelay);
    FTimer->SetEnabled(true);
}

void TskButtonRepeat::Stop()
{
    if (FTimer != nullptr) FTimer->SetEnabled(false);
}

void TskButtonRepeat::Tick()
{
    const int interval = FInterval();
    const unsigned next = static_cast<unsigned>(interval > 0 ? interval : 1);
    if (FTimer->Interval() != next) FTimer->SetInterval(next);
    FClick();
}
