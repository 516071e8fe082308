#include "skin/form/SkinTextObjects.h"

#include <algorithm>

#include "platform/gfx/Text.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TForm.h"
#include "skin/data/SkinImages.h"
#include "skin/data/TskDataSkinCaption.h"
#include "skin/data/TskDataSkinObject.h"
#include "skin/data/TskEffectBmp.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskFormFrame.h"

namespace {

// The code points of a UTF-8 text; a byte that starts no valid sequence stands for itself, so a
// damaged text still shows what it can.
std::u32string CodePoints(const std::string& S)
{
    std::u32string out;
    for (std::size_t i = 0; i < S.size();) {
        const auto b = static_cast<unsigned char>(S[i]);
        int len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        bool ok = len > 0 && i + static_cast<std::size_t>(len) <= S.size();
        char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; ok && k < len; ++k) {
            const auto c = static_cast<unsigned char>(S[i + static_cast<std::size_t>(k)]);
            if ((c & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out.push_back(b);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(len);
    }
    return out;
}

// Top-left of a text of TW x TH placed in R: horizontally by the alignment, vertically centred.
TPoint PlaceText(const TRect& R, int TW, int TH, TAlignment Alignment)
{
    int x = R.Left;
    if (Alignment == taRightJustify)
        x = R.Right - TW;
    else if (Alignment == taCenter)
        x = R.Left + R.Width() / 2 - TW / 2;
    return TPoint{x, R.Top + R.Height() / 2 - TH / 2};
}

// Text at (X, Y) in Color, cut at Clip; the background stays.
void TextAt(TCanvas* C, const TRect& Clip, int X, int Y, const std::string& Text, TColor Color)
{
    C->Font()->SetColor(Color);
    C->Brush()->SetStyle(bsClear);
    C->TextRect(Clip, X, Y, Text);
}

TRect Intersection(const TRect& A, const TRect& B)
{
    TRect r;
    if (!IntersectRect(r, A, B)) return TRect{0, 0, 0, 0};
    return r;
}

void RaiseEnter(TskActiveSkinObject* O)
{
    if (O->Parent != nullptr && O->Parent->OnMouseEnterEvent) O->Parent->OnMouseEnterEvent(O->IDName);
}

void RaiseLeave(TskActiveSkinObject* O)
{
    if (O->Parent != nullptr && O->Parent->OnMouseLeaveEvent) O->Parent->OnMouseLeaveEvent(O->IDName);
}

} // namespace

// ---- TskSkinLabelObject ----

TskSkinLabelObject::TskSkinLabelObject(TskFormFrame* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData)
{
    if (auto* data = dynamic_cast<TskDataSkinLabel*>(AData)) {
        FontName = data->FontName;
        FontHeight = data->FontHeight;
        FontStyle = data->FontStyle;
        FontColor = data->FontColor;
        ActiveFontColor = data->ActiveFontColor;
        Alignment = data->Alignment;
        TextValue = data->TextValue;
    }
}

bool TskSkinLabelObject::LooksDifferentWhenActive() const
{
    return !ActiveSkinRect.IsEmpty() || FontColor != ActiveFontColor;
}

void TskSkinLabelObject::Draw(TCanvas* Cnvs, bool /*UpDate*/)
{
    if (!SkinPresent() || Cnvs == nullptr) return;
    // The text is drawn anew each time, so its background is too: text over its own old pixels
    // would thicken the glyph edges.
    TBitmap* normal = SkinRectInAPicture ? ActivePicture : Picture;
    const bool hasActive = !ActiveSkinRect.IsEmpty();
    if (EnableMorphing() && !MorphAtEnd())
        DrawMorph(Cnvs, normal, SkinRect, hasActive ? ActivePicture : normal, hasActive ? ActiveSkinRect : SkinRect);
    else if (MorphIncrease && hasActive)
        DrawPictureRect(Cnvs, ActivePicture, ActiveSkinRect);
    else
        DrawPictureRect(Cnvs, normal, SkinRect);

    SelectEntryFont(Cnvs->Font(), nullptr, this, SkinData, Cnvs->Font()->Charset());
    const TPoint at = PlaceText(ObjectRect, Cnvs->TextWidth(TextValue), Cnvs->TextHeight(TextValue), Alignment);
    TextAt(Cnvs, ObjectRect, at.X, at.Y, TextValue, MorphIncrease ? ActiveFontColor : FontColor);
}

void TskSkinLabelObject::MouseEnter()
{
    Active = true;
    MorphIncrease = true;
    if (LooksDifferentWhenActive()) ReDraw();
    RaiseEnter(this);
}

void TskSkinLabelObject::MouseLeave()
{
    Active = false;
    MorphIncrease = false;
    if (LooksDifferentWhenActive()) ReDraw();
    RaiseLeave(this);
}

// ---- TskSkinBitLabelObject ----

TskSkinBitLabelObject::TskSkinBitLabelObject(TskFormFrame* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData)
{
    if (auto* data = dynamic_cast<TskDataSkinBitLabel*>(AData)) {
        if (data->Symbols != nullptr)
            for (int i = 0; i < data->Symbols->Count(); ++i) Symbols.push_back(CodePoints(data->Symbols->Strings(i)));
        TextValue = data->TextValue;
        SymbolWidth = data->SymbolWidth;
        SymbolHeight = data->SymbolHeight;
        Transparent = data->Transparent;
        TransparentColor = data->TransparentColor;
    }
    Morphing = false;
}

TRect TskSkinBitLabelObject::SymbolRect(char32_t Ch) const
{
    for (std::size_t r = 0; r < Symbols.size(); ++r) {
        const std::size_t c = Symbols[r].find(Ch);
        if (c == std::u32string::npos) continue;
        const int left = ActiveSkinRect.Left + static_cast<int>(c) * SymbolWidth;
        const int top = ActiveSkinRect.Top + static_cast<int>(r) * SymbolHeight;
        return TRect{left, top, left + SymbolWidth, top + SymbolHeight};
    }
    return TRect{0, 0, 0, 0};
}

void TskSkinBitLabelObject::Draw(TCanvas* Cnvs, bool /*UpDate*/)
{
    if (!SkinPresent() || Cnvs == nullptr) return;
    const int w = SkinRect.Width();
    const int h = SkinRect.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h);
    TCanvas* c = b.Canvas();
    if (Picture != nullptr) c->CopyRect(Rect(0, 0, w, h), Picture->Canvas(), SkinRect);
    if (ActivePicture != nullptr && SymbolWidth > 0 && SymbolHeight > 0) {
        const std::u32string text = CodePoints(TextValue);
        for (std::size_t k = 0; k < text.size(); ++k) {
            const int x = static_cast<int>(k) * SymbolWidth;
            if (x >= w) break;
            const TRect cell = SymbolRect(text[k]);
            // A character missing from the symbols leaves a gap.
            if (cell.IsEmpty()) continue;
            // A cell crossing the right edge is cut there and ends the text.
            const int cw = std::min(SymbolWidth, w - x);
            const TRect src{cell.Left, cell.Top, cell.Left + cw, cell.Bottom};
            if (Transparent) {
                // Transparent pixels of the cell show the frame picture under the label.
                TBitmap t(cw, SymbolHeight);
                t.Canvas()->CopyRect(Rect(0, 0, cw, SymbolHeight), ActivePicture->Canvas(), src);
                t.SetTransparentMode(tmFixed);
                t.SetTransparentColor(TransparentColor);
                t.SetTransparent(true);
                c->Draw(x, 0, &t);
            } else {
                c->CopyRect(Rect(x, 0, x + cw, SymbolHeight), ActivePicture->Canvas(), src);
            }
            if (cw < SymbolWidth) break;
        }
    }
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

// ---- TskSkinCaptionObject ----

TskSkinCaptionObject::TskSkinCaptionObject(TskFormFrame* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData)
{
    if (auto* d = dynamic_cast<TskDataSkinCaption*>(AData)) {
        TextRect = d->TextRect;
        FontName = d->FontName;
        FontHeight = d->FontHeight;
        FontStyle = d->FontStyle;
        FontColor = d->FontColor;
        ActiveFontColor = d->ActiveFontColor;
        Alignment = d->Alignment;
        Light = d->Light;
        LightColor = d->LightColor;
        ActiveLightColor = d->ActiveLightColor;
        Shadow = d->Shadow;
        ShadowColor = d->ShadowColor;
        ActiveShadowColor = d->ActiveShadowColor;
        FrameRect = d->FrameRect;
        ActiveFrameRect = d->ActiveFrameRect;
        FrameTextRect = d->FrameTextRect;
        FrameLeftOffset = d->FrameLeftOffset;
        FrameRightOffset = d->FrameRightOffset;
        StretchEffect = d->StretchEffect;
        AnimateSkinRect = d->AnimateSkinRect;
        FrameCount = d->FrameCount;
        AnimateInterval = d->AnimateInterval;
        InActiveAnimation = d->InactiveAnimation;
        FullFrame = d->FullFrame;
        GlowEffect = d->GlowEffect;
        GlowInactiveEffect = d->GlowInactiveEffect;
        GlowSize = d->GlowSize;
        GlowColor = d->GlowColor;
        GlowActiveColor = d->GlowActiveColor;
        GlowOffset = d->GlowOffset;
        ReflectionEffect = d->ReflectionEffect;
        ReflectionColor = d->ReflectionColor;
        ReflectionActiveColor = d->ReflectionActiveColor;
        ReflectionOffset = d->ReflectionOffset;
    }
    FActivating = FrameActive();
    // At rest: the plain image of the present state, no animation frame.
    Frame = FActivating ? FrameCount + 1 : 0;
}

std::string TskSkinCaptionObject::CaptionText() const
{
    if (Parent != nullptr && Parent->Form() != nullptr) return Parent->Form()->Caption();
    return Text;
}

bool TskSkinCaptionObject::CanAnimate() const
{
    return SkinData != nullptr && SkinData->EnableSkinEffects() && !AnimateSkinRect.IsEmpty() && FrameCount > 0
        && ActivePicture != nullptr;
}

bool TskSkinCaptionObject::AnimationShown() const { return CanAnimate() && Frame >= 1 && Frame <= FrameCount; }

bool TskSkinCaptionObject::ActiveLook() const
{
    // While a frame of the strip shows, the text keeps the look of the state being left.
    return AnimationShown() ? !FActivating : FrameActive();
}

TRect TskSkinCaptionObject::AnimationFrameRect(int N) const
{
    const int n = std::clamp(N, 1, std::max(FrameCount, 1)) - 1;
    // Side by side when the strip is no taller than the caption's image, else one above the other.
    if (AnimateSkinRect.Height() <= SkinRect.Height()) {
        const int fw = AnimateSkinRect.Width() / std::max(FrameCount, 1);
        const int left = AnimateSkinRect.Left + n * fw;
        return TRect{left, AnimateSkinRect.Top, left + fw, AnimateSkinRect.Bottom};
    }
    const int fh = AnimateSkinRect.Height() / std::max(FrameCount, 1);
    const int top = AnimateSkinRect.Top + n * fh;
    return TRect{AnimateSkinRect.Left, top, AnimateSkinRect.Right, top + fh};
}

TRect TskSkinCaptionObject::TextArea() const
{
    // An entry without a text rectangle still shows the title: across the whole object.
    if (TextRect.IsEmpty()) return ObjectRect;
    TRect r{ObjectRect.Left + TextRect.Left, ObjectRect.Top + TextRect.Top, ObjectRect.Left + TextRect.Right,
        ObjectRect.Top + TextRect.Bottom};
    // A caption stretched wider than its image keeps the text's distance from its right end.
    const int extra = ObjectRect.Width() - SkinRect.Width();
    if (extra > 0) r.Right += extra;
    return r;
}

void TskSkinCaptionObject::RedrawNow()
{
    if (Parent != nullptr) Parent->RedrawSkinObject(this);
}

void TskSkinCaptionObject::DrawBackground(TCanvas* Cnvs, bool UpDate)
{
    TBitmap* normal = SkinRectInAPicture ? ActivePicture : Picture;
    if (AnimationShown()) {
        DrawPictureRect(Cnvs, ActivePicture, AnimationFrameRect(Frame));
        return;
    }
    if (!ActiveSkinRect.IsEmpty() && EnableMorphing() && !MorphAtEnd()) {
        DrawMorph(Cnvs, normal, SkinRect, ActivePicture, ActiveSkinRect);
        return;
    }
    if (!ActiveSkinRect.IsEmpty() && MorphIncrease) {
        DrawPictureRect(Cnvs, ActivePicture, ActiveSkinRect);
        return;
    }
    // Painted with the whole frame, the frame picture already shows the normal image.
    if (!UpDate || normal == nullptr) return;
    if (ObjectRect.Width() <= SkinRect.Width()) {
        DrawPictureRect(Cnvs, normal, SkinRect);
        return;
    }
    // Alone and wider than its image: the image is widened the way the frame widens its top, the
    // ends beside the text rectangle kept, so that no trace of the old title is left.
    const int lo = TextRect.IsEmpty() ? 0 : std::clamp(TextRect.Left, 0, SkinRect.Width());
    const int ro = TextRect.IsEmpty() ? 0 : std::clamp(SkinRect.Width() - TextRect.Right, 0, SkinRect.Width() - lo);
    TBitmap b;
    CreateHSkinImage(lo, ro, &b, normal, SkinRect, ObjectRect.Width(), SkinRect.Height(),
        SkinData != nullptr && SkinData->TopStretch);
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

void TskSkinCaptionObject::DrawTextAndFrame(TCanvas* Cnvs, bool Look)
{
    const std::string text = CaptionText();
    SelectEntryFont(Cnvs->Font(), nullptr, this, SkinData, Cnvs->Font()->Charset());
    const TRect area = TextArea();
    const TRect frameRect = Look && !ActiveFrameRect.IsEmpty() ? ActiveFrameRect : FrameRect;
    const bool hasFrame = !frameRect.IsEmpty() && ActivePicture != nullptr;
    TRect inner = area;
    const int marginLeft = FrameTextRect.Left;
    const int marginRight = frameRect.Width() - FrameTextRect.Right;
    if (hasFrame) {
        inner.Left += marginLeft;
        inner.Top += FrameTextRect.Top;
        inner.Right -= marginRight;
    }
    const int tw = Cnvs->TextWidth(text);
    const int th = Cnvs->TextHeight(text);
    const TPoint at = PlaceText(inner, tw, th, Alignment);

    if (hasFrame) {
        const int fw = FullFrame ? ObjectRect.Width() : tw + marginLeft + marginRight;
        const int fx = FullFrame ? ObjectRect.Left : at.X - marginLeft;
        if (fw > 0) {
            TBitmap fb;
            CreateHSkinImage(FrameLeftOffset, FrameRightOffset, &fb, ActivePicture, frameRect, fw, frameRect.Height(),
                StretchEffect);
            Cnvs->Draw(fx, area.Top, &fb);
        }
    }

    if (Parent != nullptr && Parent->OnCaptionPaint) {
        Parent->OnCaptionPaint(Cnvs, ObjectRect, Look);
        return;
    }
    if (text.empty()) return;
    // The title never runs over the rest of the frame (the caption buttons beside it).
    const TRect clip = Intersection(inner, ObjectRect);
    if (clip.IsEmpty()) return;
    if (Light) TextAt(Cnvs, clip, at.X - 1, at.Y - 1, text, Look ? ActiveLightColor : LightColor);
    if (Shadow) TextAt(Cnvs, clip, at.X + 1, at.Y + 1, text, Look ? ActiveShadowColor : ShadowColor);
    const TColor color = Look ? ActiveFontColor : FontColor;
    const TRect textRect = Intersection(TRect{at.X, at.Y, at.X + tw, at.Y + th}, clip);
    const UINT flags = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
    if (ReflectionEffect && !textRect.IsEmpty()) {
        Cnvs->Font()->SetColor(color);
        Cnvs->Brush()->SetStyle(bsClear);
        DrawReflectionText(Cnvs, textRect, text, flags, ReflectionOffset, Look ? ReflectionActiveColor : ReflectionColor);
    } else if (GlowEffect && (Look || GlowInactiveEffect) && !textRect.IsEmpty()) {
        Cnvs->Font()->SetColor(color);
        Cnvs->Brush()->SetStyle(bsClear);
        DrawGlowText(Cnvs, textRect, text, flags, GlowOffset, Look ? GlowActiveColor : GlowColor, GlowSize);
    } else {
        TextAt(Cnvs, clip, at.X, at.Y, text, color);
    }
}

void TskSkinCaptionObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!SkinPresent() || Cnvs == nullptr) return;
    const bool look = ActiveLook();
    DrawBackground(Cnvs, UpDate);
    DrawTextAndFrame(Cnvs, look);
}

void TskSkinCaptionObject::SetText(const std::string& Value)
{
    Text = Value;
    RedrawNow();
}

void TskSkinCaptionObject::UpdateActivation(bool AActive, bool Animated)
{
    FActivating = AActive;
    if (!Animated || !CanAnimate()) {
        Frame = AActive ? FrameCount + 1 : 0;
        return;
    }
    // Activation plays the strip forward from its first frame; deactivation plays it back from its
    // last when the skin asks for that, else the plain image returns at once.
    if (AActive)
        Frame = 1;
    else
        Frame = InActiveAnimation ? FrameCount : 0;
    TimerCount = 25;
    if (Parent != nullptr) Parent->StartAnimateTimer();
}

bool TskSkinCaptionObject::AnimateStep()
{
    if (!CanAnimate()) return false;
    if (FActivating ? Frame > FrameCount : Frame < 1) return false;
    if (TimerCount < AnimateInterval) {
        TimerCount += 25;
        return true;
    }
    Frame += FActivating ? 1 : -1;
    TimerCount = 25;
    RedrawNow();
    return true;
}

void TskSkinCaptionObject::MouseDown(int X, int Y, TMouseButton Button)
{
    // In client-area mode the caption is where the window is dragged from.
    if (Parent != nullptr && !Parent->SupportNCArea() && !Parent->Maximized()) Parent->StartClientDrag();
    TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinCaptionObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (Parent == nullptr) return;
    if (!Parent->SupportNCArea()) Parent->EndClientDrag();
    // Raised whether or not the pointer is still on the caption: a drag usually ends elsewhere.
    if (Parent->OnMouseUpEvent) Parent->OnMouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TskSkinCaptionObject::MouseEnter()
{
    Active = true;
    RaiseEnter(this);
}

void TskSkinCaptionObject::MouseLeave()
{
    Active = false;
    RaiseLeave(this);
}

void RegisterSkinTextObjects()
{
    RegisterSkinObjectMaker(skokLabel,
        [](TskFormFrame* Frame, TskDataSkinObject* Data) -> TskActiveSkinObject* {
            return new TskSkinLabelObject(Frame, Data);
        });
    RegisterSkinObjectMaker(skokBitLabel,
        [](TskFormFrame* Frame, TskDataSkinObject* Data) -> TskActiveSkinObject* {
            return new TskSkinBitLabelObject(Frame, Data);
        });
    RegisterSkinObjectMaker(skokCaption,
        [](TskFormFrame* Frame, TskDataSkinObject* Data) -> TskActiveSkinObject* {
            return new TskSkinCaptionObject(Frame, Data);
        });
}
