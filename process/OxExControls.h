#pragma once
// The extension control template: one set of additions laid over a platform control class (a panel,
// a list box). The control messages become overridable methods, the mouse-over state is kept, hints
// get a colour of their own, the parent's colour change is announced, and an optional flat focus
// frame is drawn round the window. It is a class template because the additions are the same for
// every platform class they are laid over.
#include "platform/gfx/Drawing.h"
#include "platform/gfx/GdiObjects.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TCanvas.h"
#include "platform/vcl/TWinControl.h"
#include "platform/win/Messages.h"
#include "platform/win/Paint.h"

// What CM_HINTSHOW carries: the colour the hint will be shown in; a control may change it.
struct TOxHintInfo {
    TColor HintColor = clInfoBk;
};

// The dialog codes a control asks for (WM_GETDLGCODE), as a set.
enum TOxDlgCode { dcWantArrows, dcWantTab, dcWantAllKeys, dcWantChars, dcWantMessage, dcButton, dcHasSetSel, dcWantAll };
using TOxDlgCodes = TSet<TOxDlgCode>;

// Key data of CM_DIALOGCHAR for the shift state.
LPARAM KeyDataFromShift(TShiftState Shift);
TOxDlgCodes DlgCodesFromResult(LRESULT Result);
LRESULT DlgCodesToResult(TOxDlgCodes Codes);

// The colours of the flat focus frame.
constexpr TColor OxFrameNormal = 0x808080;
constexpr TColor OxFrameHot = 0x733800;

// Draws the two-pixel flat frame on a window's DC: grey outside and the control's colour inside, or
// both in the hot colour while focused or hovered.
void DrawOxFlatFrame(HWND Window, TColor ControlColor, bool Hot);

template <class TBase>
class TOxExControl : public TBase {
public:
    explicit TOxExControl(TComponent* AOwner) : TBase(AOwner) {}

    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor Value) { FHintColor = Value; }
    bool DotNetHighlighting() const { return FDotNetHighlighting; }
    void SetDotNetHighlighting(bool Value)
    {
        if (FDotNetHighlighting == Value)
            return;
        FDotNetHighlighting = Value;
        if (this->HandleAllocated())
            RedrawWindow(this->Handle(), nullptr, 0, RDW_FRAME | RDW_INVALIDATE);
    }
    bool MouseOver() const { return FMouseOver; }

    // The colour a hint of this control is shown in: its own, the application's for clNone, or its
    // parent's answer for clDefault.
    TColor EffectiveHintColor()
    {
        TOxHintInfo info;
        info.HintColor = Application ? Application->HintColor() : clInfoBk;
        ApplyHintColor(info);
        return info.HintColor;
    }

    TNotifyEvent OnParentColorChange;

protected:
    // Overridable forms of the control messages; each passes its message on unless overridden.
    virtual void TextChanged() { Pass(CM_TEXTCHANGED, 0, 0); }
    virtual bool WantKey(WORD Key, TShiftState Shift, const std::string& /*KeyText*/)
    {
        return Pass(CM_DIALOGCHAR, Key, KeyDataFromShift(Shift)) != 0;
    }
    virtual bool HitTest(int X, int Y)
    {
        return Pass(CM_HITTEST, 0, static_cast<LPARAM>((static_cast<DWORD>(Y & 0xFFFF) << 16) | (X & 0xFFFF))) != 0;
    }
    virtual void GetDlgCode(TOxDlgCodes& /*Codes*/) {}
    virtual void FocusSet(HWND PrevWnd) { Pass(WM_SETFOCUS, reinterpret_cast<WPARAM>(PrevWnd), 0); }
    virtual void FocusKilled(HWND NextWnd) { Pass(WM_KILLFOCUS, reinterpret_cast<WPARAM>(NextWnd), 0); }
    virtual bool DoEraseBackground(TCanvas* Canvas, LPARAM Param)
    {
        return Pass(WM_ERASEBKGND, reinterpret_cast<WPARAM>(Canvas->Handle()), Param) != 0;
    }
    virtual void MouseEnter(TControl* Control)
    {
        FMouseOver = true; // set before the event runs, so its handler sees it
        Pass(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(Control));
    }
    virtual void MouseLeave(TControl* Control)
    {
        FMouseOver = false;
        Pass(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(Control));
    }
    virtual void ParentColorChanged()
    {
        Pass(CM_PARENTCOLORCHANGED, 0, 0);
        if (OnParentColorChange)
            OnParentColorChange(this);
    }
    virtual bool HintShow(TOxHintInfo& Info)
    {
        ApplyHintColor(Info);
        return Pass(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info)) != 0;
    }

    void WndProc(TMessage& Message) override
    {
        switch (Message.Msg) {
        case CM_TEXTCHANGED:
            TextChanged();
            break;
        case CM_MOUSEENTER:
            MouseEnter(reinterpret_cast<TControl*>(Message.LParam));
            break;
        case CM_MOUSELEAVE:
            MouseLeave(reinterpret_cast<TControl*>(Message.LParam));
            break;
        case CM_PARENTCOLORCHANGED:
            ParentColorChanged();
            break;
        case CM_HINTSHOW:
            if (Message.LParam != 0)
                Message.Result = HintShow(*reinterpret_cast<TOxHintInfo*>(Message.LParam)) ? 1 : 0;
            break;
        case WM_SETFOCUS:
            FocusSet(reinterpret_cast<HWND>(Message.WParam));
            break;
        case WM_KILLFOCUS:
            FocusKilled(reinterpret_cast<HWND>(Message.WParam));
            break;
        case WM_ERASEBKGND: {
            TCanvas canvas;
            canvas.SetHandle(reinterpret_cast<HDC>(Message.WParam));
            Message.Result = DoEraseBackground(&canvas, Message.LParam) ? 1 : 0;
            canvas.SetHandle(nullptr);
            break;
        }
        case WM_GETDLGCODE: {
            TBase::WndProc(Message);
            TOxDlgCodes codes = DlgCodesFromResult(Message.Result);
            GetDlgCode(codes);
            Message.Result = DlgCodesToResult(codes);
            break;
        }
        default:
            TBase::WndProc(Message);
            break;
        }
        if (FDotNetHighlighting)
            UpdateFlatFrame(Message);
    }

private:
    LRESULT Pass(UINT Msg, WPARAM WParam, LPARAM LParam)
    {
        TMessage m{Msg, WParam, LParam, 0};
        TBase::WndProc(m);
        return m.Result;
    }

    void ApplyHintColor(TOxHintInfo& Info)
    {
        if (FHintColor == clNone) {
            Info.HintColor = Application ? Application->HintColor() : clInfoBk;
        } else if (FHintColor != clDefault) {
            Info.HintColor = FHintColor;
        } else if (TWinControl* parent = this->Parent()) {
            TOxHintInfo copy = Info;
            parent->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&copy));
            Info.HintColor = copy.HintColor;
        }
    }

    void UpdateFlatFrame(const TMessage& Message)
    {
        switch (Message.Msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_NCPAINT:
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            break;
        default:
            return;
        }
        if (!this->HandleAllocated())
            return;
        const bool hot = FMouseOver || (Message.Msg != WM_KILLFOCUS && this->Focused());
        DrawOxFlatFrame(this->Handle(), this->Color(), hot);
        if (Message.Msg == CM_MOUSELEAVE) {
            // The ring between the frame and the content, so nothing of the hot frame stays behind.
            const int w = this->Width();
            const int h = this->Height();
            const TRect ring[] = {{0, 0, w - 1, 2}, {0, h - 3, w - 1, h - 1}, {0, 0, 2, h - 1}, {w - 3, 0, w - 1, h - 1}};
            for (const TRect& r : ring)
                InvalidateRect(this->Handle(), &r, FALSE);
        }
    }

    TColor FHintColor = clDefault;
    bool FDotNetHighlighting = false;
    bool FMouseOver = false;
};
