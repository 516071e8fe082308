#pragma once
// Painting a control's background the way a themed window system does: over its parent's own
// background where the control lets it show, else in a flat colour. The window system here has no
// visual styles of its own, so themes are off unless the program switches them on; the flat fill
// is then what every control gets.
#include "platform/rtl/Types.h"
#include "platform/vcl/TControl.h"

class TCanvas;

bool OxThemesEnabled();
void SetOxThemesEnabled(bool Value);

// A rectangle that stands for "no clipping": all four coordinates 0x7FFFFFFF.
constexpr int OxNoClip = 0x7FFFFFFF;
constexpr TRect OxNoClipRect{OxNoClip, OxNoClip, OxNoClip, OxNoClip};

// Paints Rect of Control's Canvas. With themes on and a parent of the same colour (value or RGB),
// the parent's background shows through: always without NeedsParentBackground, with it only when
// the control has csParentBackground. A windowed control gets the parent's background and
// painting (into the canvas, which the parent leaves as it was); a graphic one, the parent's erase. Otherwise Rect is filled
// with Color (the canvas brush's colour when clDefault) and the brush is left as it was.
void DrawThemedBackground(TControl* Control, TCanvas* Canvas, const TRect& Rect, bool NeedsParentBackground = true,
                          TColor Color = clDefault);

// The two theme styles of a control, added, removed and tested.
void IncludeThemeStyle(TControl* Control, TControlStyle Style);
void ExcludeThemeStyle(TControl* Control, TControlStyle Style);
// The members of csNeedsBorderPaint and csParentBackground the control has.
TControlStyle GetThemeStyle(const TControl* Control);
