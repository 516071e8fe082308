#include "process/OxThemes.h"

#include "platform/gfx/Colors.h"
#include "platform/gfx/TDeviceContext.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TWinControl.h"
#include "platform/win/Messages.h"

namespace {

bool ThemesOn = false;

TControlStyle OnlyThemeStyles(TControlStyle Style)
{
    TControlStyle result;
    for (TControlStyleItem item : {csNeedsBorderPaint, csParentBackground})
        if (Style.Contains(item))
            result.Include(item);
    return result;
}

bool SameColor(TColor A, TColor B)
{
    return A == B || ColorToRGB(A) == ColorToRGB(B);
}

bool ShowsParent(TControl* Control, bool NeedsParentBackground)
{
    TWinControl* parent = Control->Parent();
    if (!ThemesOn || !parent || !SameColor(parent->Color(), Control->Color()))
        return false;
    return !NeedsParentBackground || Control->ControlStyle().Contains(csParentBackground);
}

} // namespace

bool OxThemesEnabled()
{
    return ThemesOn;
}

void SetOxThemesEnabled(bool Value)
{
    ThemesOn = Value;
}

void DrawThemedBackground(TControl* Control, TCanvas* Canvas, const TRect& Rect, bool NeedsParentBackground, TColor Color)
{
    if (!Control || !Canvas)
        return;
    const bool clip = !(Rect == OxNoClipRect);
    const TRect area = clip ? Rect : Control->ClientRect();
    if (ShowsParent(Control, NeedsParentBackground)) {
        TWinControl* parent = Control->Parent();
        HDC dc = Canvas->Handle();
        const int saved = SaveDC(dc);
        // The parent paints in its own coordinates: the control's corner becomes its origin.
        OffsetViewportOrgEx(dc, -Control->Left(), -Control->Top(), nullptr);
        if (clip)
            IntersectClipRect(dc, area.Left + Control->Left(), area.Top + Control->Top(), area.Right + Control->Left(),
                              area.Bottom + Control->Top());
        parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        // Windows here are never double-buffered by their control: a windowed one takes the
        // parent's painting too, as the theme's parent-background drawing gives it.
        if (dynamic_cast<TWinControl*>(Control))
            parent->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
        return;
    }
    const TColor brush = Canvas->Brush()->Color();
    Canvas->Brush()->SetColor(Color == clDefault ? brush : Color);
    Canvas->FillRect(area);
    Canvas->Brush()->SetColor(brush);
}

void IncludeThemeStyle(TControl* Control, TControlStyle Style)
{
    if (Control)
        Control->SetControlStyle(Control->ControlStyle() + OnlyThemeStyles(Style));
}

void ExcludeThemeStyle(TControl* Control, TControlStyle Style)
{
    if (Control)
        Control->SetControlStyle(Control->ControlStyle() - OnlyThemeStyles(Style));
}

TControlStyle GetThemeStyle(const TControl* Control)
{
    return Control ? OnlyThemeStyles(Control->ControlStyle()) : TControlStyle{};
}
