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
    // The window moved or changed its size.
    virtual void BoundsChanged() {}
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
    // The component-level changes, one method each; every one passes its message on.
    virtual void FocusChanged(TControl* Control) { Pass(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control)); }
    virtual void VisibleChanged() { Pass(CM_VISIBLECHANGED, FMessage ? FMessage->WParam : 0, 0); }
    virtual void EnabledChanged() { Pass(CM_ENABLEDCHANGED, 0, 0); }
    virtual void ColorChanged() { Pass(CM_COLORCHANGED, 0, 0); }
    virtual void FontChanged() { Pass(CM_FONTCHANGED, 0, 0); }
    virtual void ParentFontChanged() { Pass(CM_PARENTFONTCHANGED, 0, 0); }
    virtual void ParentShowHintChanged() { Pass(CM_PARENTSHOWHINTCHANGED, 0, 0); }
    virtual void CursorChanged() { Pass(CM_CURSORCHANGED, 0, 0); }
    virtual void ShowingChanged() { Pass(CM_SHOWINGCHANGED, 0, 0); }
    virtual void ShowHintChanged() { Pass(CM_SHOWHINTCHANGED, 0, 0); }
    // A child is about to come or go (Inserting tells which), and has come or gone.
    virtual void ControlsListChanging(TControl* Control, bool Inserting)
    {
        Pass(Inserting ? CM_CONTROLLISTCHANGE : CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(Control), Inserting ? 1 : 0);
    }
    virtual void ControlsListChanged(TControl* Control, bool Inserting)
    {
        Pass(Inserting ? CM_CONTROLCHANGE : CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(Control), Inserting ? 1 : 0);
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
        TMessage* outer = FMessage;
        FMessage = &Message;
        try {
            Route(Message);
        } catch (...) {
            FMessage = outer;
            throw;
        }
        FMessage = outer;
        if (FDotNetHighlighting)
            UpdateFlatFrame(Message);
    }

private:
    void Route(TMessage& Message)
    {
        switch (Message.Msg) {
        case CM_FOCUSCHANGED:
            FocusChanged(reinterpret_cast<TControl*>(Message.LParam));
            break;
        case CM_VISIBLECHANGED:
            VisibleChanged();
            break;
        case CM_ENABLEDCHANGED:
            EnabledChanged();
            break;
        case CM_COLORCHANGED:
            ColorChanged();
            break;
        case CM_FONTCHANGED:
            FontChanged();
            break;
        case CM_PARENTFONTCHANGED:
            ParentFontChanged();
            break;
        case CM_PARENTSHOWHINTCHANGED:
            ParentShowHintChanged();
            break;
        case CM_CURSORCHANGED:
            CursorChanged();
            break;
        case CM_SHOWINGCHANGED:
            ShowingChanged();
            break;
        case CM_SHOWHINTCHANGED:
            ShowHintChanged();
            break;
        case CM_CONTROLLISTCHANGE:
            // Before an insertion, after a removal.
            if (Message.LParam != 0)
                ControlsListChanging(reinterpret_cast<TControl*>(Message.WParam), true);
            else
                ControlsListChanged(reinterpret_cast<TControl*>(Message.WParam), false);
            break;
        case CM_CONTROLCHANGE:
            // After an insertion, before a removal.
            if (Message.LParam != 0)
                ControlsListChanged(reinterpret_cast<TControl*>(Message.WParam), true);
            else
                ControlsListChanging(reinterpret_cast<TControl*>(Message.WParam), false);
            break;
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
        case WM_WINDOWPOSCHANGED:
            TBase::WndProc(Message);
            BoundsChanged();
            break;
        default:
            TBase::WndProc(Message);
            break;
        }
    }

    LRESULT Pass(UINT Msg, WPARAM WParam, LPARAM LParam)
    {
        TMessage m{Msg, WParam, LParam, 0};
        TBase::WndProc(m);
        // A hook that passes on the message it came with answers with the platform's result.
        if (FMessage && FMessage->Msg == Msg)
            FMessage->Result = m.Result;
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

    // The message being handled, so a hook passes on what it came with.
    TMessage* FMessage = nullptr;
    TColor FHintColor = clDefault;
    bool FDotNetHighlighting = false;
    bool FMouseOver = false;
};
