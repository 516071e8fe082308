#include "platform/vcl/Graphics.h"

#include <cmath>

#include "platform/vcl/TypInfo.h"

void TGraphicsObject::Changed()
{
    if (OnChange) OnChange(this);
}

// ---- TFont ----

TFont::~TFont() { FreeHandle(); }

void TFont::FreeHandle()
{
    // A font still selected into a device context is only marked; the graphics layer frees it later.
    if (FHandle != nullptr) DeleteObject(FHandle);
    FHandle = nullptr;
}

void TFont::Assign(TPersistent* Source)
{
    auto* f = dynamic_cast<TFont*>(Source);
    if (f == nullptr) {
        TGraphicsObject::Assign(Source);
        return;
    }
    if (f == this) return;
    FName = f->FName;
    FHeight = f->FHeight;
    FStyle = f->FStyle;
    FColor = f->FColor;
    FCharset = f->FCharset;
    FPitch = f->FPitch;
    FreeHandle();
    Changed();
}

void TFont::SetName(const std::string& Value)
{
    if (Value == FName || Value.empty()) return;
    FName = Value;
    FreeHandle();
    Changed();
}

void TFont::SetHeight(int Value)
{
    if (Value == FHeight) return;
    FHeight = Value;
    FreeHandle();
    Changed();
}

int TFont::Size() const
{
    // Size = -Height * 72 / PixelsPerInch, rounded as MulDiv does.
    return static_cast<int>(std::lround(-FHeight * 72.0 / PixelsPerInch()));
}

void TFont::SetSize(int Value) { SetHeight(-static_cast<int>(std::lround(Value * PixelsPerInch() / 72.0))); }

void TFont::SetStyle(TFontStyles Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    FreeHandle();
    Changed();
}

void TFont::SetColor(TColor Value)
{
    if (Value == FColor) return;
    FColor = Value;
    Changed();
}

void TFont::SetCharset(TFontCharset Value)
{
    if (Value == FCharset) return;
    FCharset = Value;
    FreeHandle();
    Changed();
}

void TFont::SetPitch(TFontPitch Value)
{
    if (Value == FPitch) return;
    FPitch = Value;
    FreeHandle();
    Changed();
}

TLogFont TFont::LogFont() const
{
    TLogFont lf;
    lf.Height = FHeight;
    lf.Weight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.Italic = FStyle.Contains(fsItalic);
    lf.Underline = FStyle.Contains(fsUnderline);
    lf.StrikeOut = FStyle.Contains(fsStrikeOut);
    lf.CharSet = FCharset;
    lf.FaceName = FName;
    return lf;
}

HFONT TFont::Handle()
{
    if (FHandle == nullptr) FHandle = CreateFontIndirect(LogFont());
    return FHandle;
}

// ---- TPen ----

TPen::~TPen() { FreeHandle(); }

void TPen::FreeHandle()
{
    if (FHandle != nullptr) DeleteObject(FHandle);
    FHandle = nullptr;
}

void TPen::Assign(TPersistent* Source)
{
    auto* p = dynamic_cast<TPen*>(Source);
    if (p == nullptr) {
        TGraphicsObject::Assign(Source);
        return;
    }
    if (p == this) return;
    FColor = p->FColor;
    FWidth = p->FWidth;
    FStyle = p->FStyle;
    FMode = p->FMode;
    FreeHandle();
    Changed();
}

void TPen::SetColor(TColor Value)
{
    if (Value == FColor) return;
    FColor = Value;
    FreeHandle();
    Changed();
}

void TPen::SetWidth(int Value)
{
    if (Value < 0 || Value == FWidth) return;
    FWidth = Value;
    FreeHandle();
    Changed();
}

void TPen::SetStyle(TPenStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    FreeHandle();
    Changed();
}

void TPen::SetMode(TPenMode Value)
{
    if (Value == FMode) return;
    FMode = Value;
    Changed();
}

HPEN TPen::Handle()
{
    if (FHandle == nullptr) {
        static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        FHandle = CreatePen(styles[FStyle], FWidth, ColorToRGB(FColor));
    }
    return FHandle;
}

// ---- TBrush ----

TBrush::~TBrush() { FreeHandle(); }

void TBrush::FreeHandle()
{
    if (FHandle != nullptr) DeleteObject(FHandle);
    FHandle = nullptr;
}

void TBrush::Assign(TPersistent* Source)
{
    auto* b = dynamic_cast<TBrush*>(Source);
    if (b == nullptr) {
        TGraphicsObject::Assign(Source);
        return;
    }
    if (b == this) return;
    FColor = b->FColor;
    FStyle = b->FStyle;
    FreeHandle();
    Changed();
}

void TBrush::SetColor(TColor Value)
{
    if (Value == FColor && FStyle != bsClear) return;
    FColor = Value;
    if (FStyle == bsClear) FStyle = bsSolid;
    FreeHandle();
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    FreeHandle();
    Changed();
}

HBRUSH TBrush::Handle()
{
    if (FHandle == nullptr) {
        TLogBrush lb;
        // Hatched styles are painted solid: nothing here draws hatches.
        lb.Style = FStyle == bsClear ? BS_NULL : BS_SOLID;
        lb.Color = ColorToRGB(FColor);
        FHandle = CreateBrushIndirect(lb);
    }
    return FHandle;
}

void RegisterGraphicsClasses()
{
    static const bool done = [] {
        RegisterEnum<TFontStyle>({"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
        RegisterEnum<TFontPitch>({"fpDefault", "fpVariable", "fpFixed"});
        RegisterEnum<TPenStyle>({"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"});
        RegisterEnum<TPenMode>({"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot", "pmMaskPenNot",
                                "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"});
        RegisterEnum<TBrushStyle>({"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"});
        RegisterClass<TFont>("TFont")
            .Prop("Charset", &TFont::Charset, &TFont::SetCharset)
            .Prop("Color", &TFont::Color, &TFont::SetColor)
            .Prop("Height", &TFont::Height, &TFont::SetHeight)
            .Prop("Name", &TFont::Name, &TFont::SetName)
            .Prop("Pitch", &TFont::Pitch, &TFont::SetPitch, fpDefault)
            .Prop("Size", &TFont::Size, &TFont::SetSize)
            .Prop("Style", &TFont::Style, &TFont::SetStyle);
        RegisterClass<TPen>("TPen")
            .Prop("Color", &TPen::Color, &TPen::SetColor, clBlack)
            .Prop("Mode", &TPen::Mode, &TPen::SetMode, pmCopy)
            .Prop("Style", &TPen::Style, &TPen::SetStyle, psSolid)
            .Prop("Width", &TPen::Width, &TPen::SetWidth, 1);
        RegisterClass<TBrush>("TBrush").Prop("Color", &TBrush::Color, &TBrush::SetColor, clWhite).Prop("Style", &TBrush::Style, &TBrush::SetStyle, bsSolid);
        // Colour names in stored values.
        const std::pair<const char*, TColor> colors[] = {
            {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive}, {"clNavy", clNavy},
            {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray}, {"clSilver", clSilver}, {"clRed", clRed},
            {"clLime", clLime}, {"clYellow", clYellow}, {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua},
            {"clWhite", clWhite}, {"clLtGray", clLtGray}, {"clDkGray", clDkGray}, {"clNone", clNone}, {"clDefault", clDefault},
            {"clScrollBar", clScrollBar}, {"clBackground", clBackground}, {"clActiveCaption", clActiveCaption},
            {"clInactiveCaption", clInactiveCaption}, {"clMenu", clMenu}, {"clWindow", clWindow}, {"clWindowFrame", clWindowFrame},
            {"clMenuText", clMenuText}, {"clWindowText", clWindowText}, {"clCaptionText", clCaptionText},
            {"clActiveBorder", clActiveBorder}, {"clInactiveBorder", clInactiveBorder}, {"clAppWorkSpace", clAppWorkSpace},
            {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace},
            {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
            {"clInactiveCaptionText", clInactiveCaptionText}, {"clBtnHighlight", clBtnHighlight}, {"cl3DDkShadow", cl3DDkShadow},
            {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText}, {"clInfoBk", clInfoBk}, {"clHotLight", clHotLight},
            {"clGradientActiveCaption", clGradientActiveCaption}, {"clGradientInactiveCaption", clGradientInactiveCaption}};
        for (auto& [name, value] : colors) RegisterIntegerIdent(name, value);
        const std::pair<const char*, int> charsets[] = {{"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                                        {"SYMBOL_CHARSET", SYMBOL_CHARSET}, {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
                                                        {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET}};
        for (auto& [name, value] : charsets) RegisterIntegerIdent(name, value);
        return true;
    }();
    (void)done;
}
