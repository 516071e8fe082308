#include "process/OxExControls.h"

LPARAM KeyDataFromShift(TShiftState Shift)
{
    LPARAM data = 0;
    if (Shift.Contains(ssAlt))
        data |= 0x20000000;
    if (Shift.Contains(ssCtrl))
        data |= 0x10000000;
    if (Shift.Contains(ssShift))
        data |= 0x08000000;
    return data;
}

TOxDlgCodes DlgCodesFromResult(LRESULT Result)
{
    TOxDlgCodes codes;
    if (Result & DLGC_WANTARROWS)
        codes.Include(dcWantArrows);
    if (Result & DLGC_WANTTAB)
        codes.Include(dcWantTab);
    if (Result & DLGC_WANTALLKEYS)
        codes.Include(dcWantAllKeys);
    if (Result & DLGC_WANTCHARS)
        codes.Include(dcWantChars);
    if (Result & DLGC_BUTTON)
        codes.Include(dcButton);
    if (Result & DLGC_HASSETSEL)
        codes.Include(dcHasSetSel);
    return codes;
}

LRESULT DlgCodesToResult(TOxDlgCodes Codes)
{
    LRESULT result = 0;
    if (Codes.Contains(dcWantArrows))
        result |= DLGC_WANTARROWS;
    if (Codes.Contains(dcWantTab))
        result |= DLGC_WANTTAB;
    // "Message" and "all keys" share one flag, as the window system has them.
    if (Codes.Contains(dcWantAllKeys) || Codes.Contains(dcWantMessage) || Codes.Contains(dcWantAll))
        result |= DLGC_WANTALLKEYS;
    if (Codes.Contains(dcWantChars))
        result |= DLGC_WANTCHARS;
    if (Codes.Contains(dcButton))
        result |= DLGC_BUTTON;
    if (Codes.Contains(dcHasSetSel))
        result |= DLGC_HASSETSEL;
    return result;
}

void DrawOxFlatFrame(HWND Window, TColor ControlColor, bool Hot)
{
    HDC dc = GetWindowDC(Window);
    if (dc == nullptr)
        return;
    TRect r;
    GetWindowRect(Window, r);
    r = TRect{0, 0, r.Width(), r.Height()};
    HBRUSH outer = CreateSolidBrush(ColorToRGB(Hot ? OxFrameHot : OxFrameNormal));
    HBRUSH inner = CreateSolidBrush(ColorToRGB(Hot ? OxFrameHot : ControlColor));
    FrameRect(dc, r, outer);
    FrameRect(dc, TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, inner);
    DeleteObject(outer);
    DeleteObject(inner);
    ReleaseDC(Window, dc);
}
