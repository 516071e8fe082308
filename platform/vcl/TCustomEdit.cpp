#include "platform/vcl/TCustomEdit.h"

#include <algorithm>
#include <cwctype>

#include "platform/gfx/Drawing.h"
#include "platform/gfx/Text.h"
#include "platform/rtl/Strings.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

std::u32string Utf8ToChars(const std::string& Text)
{
    std::u32string out;
    out.reserve(Text.size());
    for (size_t i = 0; i < Text.size();) {
        const auto c = static_cast<unsigned char>(Text[i]);
        int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (len == 0 || i + static_cast<size_t>(len) > Text.size()) {
            out += static_cast<char32_t>(c); // a stray byte stays one character
            ++i;
            continue;
        }
        char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        bool ok = true;
        for (int k = 1; k < len; ++k) {
            const auto cc = static_cast<unsigned char>(Text[i + static_cast<size_t>(k)]);
            if ((cc & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) {
            out += static_cast<char32_t>(c);
            ++i;
            continue;
        }
        out += cp;
        i += static_cast<size_t>(len);
    }
    return out;
}

std::string CharsToUtf8(const std::u32string& Chars)
{
    std::string out;
    out.reserve(Chars.size());
    for (char32_t cp : Chars)
        AppendUtf8(out, cp);
    return out;
}

namespace {
char32_t CaseOf(char32_t c, TEditCharCase cc)
{
    if (cc == ecUpperCase) return static_cast<char32_t>(std::towupper(static_cast<wint_t>(c)));
    if (cc == ecLowerCase) return static_cast<char32_t>(std::towlower(static_cast<wint_t>(c)));
    return c;
}
bool IsWordChar(char32_t c) { return c > 32 && c != U'.' && c != U',' && c != U';' && c != U':' && c != U'/' && c != U'\\'; }
} // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FWidth = 121;
    FHeight = 21;
    FTabStop = true;
    FColor = clWindow;
    FParentColor = false;
    FCursor = crIBeam;
}

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style |= ES_AUTOHSCROLL;
    if (FBorderSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
    if (FReadOnly) Params.Style |= ES_READONLY;
    if (FPasswordChar != 0) Params.Style |= ES_PASSWORD;
    Params.Style |= FAlignment == taRightJustify ? ES_RIGHT : FAlignment == taCenter ? ES_CENTER : ES_LEFT;
}

std::string TCustomEdit::GetText() const { return CharsToUtf8(FChars); }

void TCustomEdit::SetTextValue(const std::string& Value)
{
    std::u32string chars = Utf8ToChars(Value);
    for (char32_t& c : chars) c = CaseOf(c, FCharCase);
    if (chars == FChars) return;
    FChars = std::move(chars);
    FAnchor = FCaret = 0;
    FScrollX = 0;
    // A text set from code starts afresh: nothing to undo, not modified.
    FCanUndo = false;
    FModified = false;
    if (HandleAllocated()) SetWindowText(FHandle, CharsToUtf8(FChars));
    Invalidate();
    Change();
}

void TCustomEdit::SetMaxLength(int Value)
{
    FMaxLength = std::max(0, Value);
}

void TCustomEdit::SetReadOnly(bool Value)
{
    if (Value == FReadOnly) return;
    FReadOnly = Value;
    Invalidate();
}

void TCustomEdit::SetPasswordChar(char Value)
{
    if (Value == FPasswordChar) return;
    FPasswordChar = Value;
    Invalidate();
}

void TCustomEdit::SetCharCase(TEditCharCase Value)
{
    if (Value == FCharCase) return;
    FCharCase = Value;
    std::u32string chars = FChars;
    for (char32_t& c : chars) c = CaseOf(c, FCharCase);
    if (chars != FChars) {
        FChars = std::move(chars);
        Invalidate();
        Change();
    }
}

void TCustomEdit::SetHideSelection(bool Value)
{
    if (Value == FHideSelection) return;
    FHideSelection = Value;
    Invalidate();
}

void TCustomEdit::SetBorderStyleValue(int Value)
{
    const bool single = Value != 0;
    if (single == FBorderSingle) return;
    FBorderSingle = single;
    RecreateWnd();
}

void TCustomEdit::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomEdit::SetMargins(int Left, int Right)
{
    FLeftMargin = std::max(0, Left);
    FRightMargin = std::max(0, Right);
    ScrollCaretIntoView();
    Invalidate();
}

int TCustomEdit::SelStart() const { return std::min(FAnchor, FCaret); }
int TCustomEdit::SelLength() const { return std::abs(FCaret - FAnchor); }

void TCustomEdit::SetSelStart(int Value)
{
    const int n = static_cast<int>(FChars.size());
    FAnchor = FCaret = std::max(0, std::min(Value, n));
    ScrollCaretIntoView();
    Invalidate();
}

void TCustomEdit::SetSelLength(int Value)
{
    const int n = static_cast<int>(FChars.size());
    const int start = SelStart();
    FAnchor = start;
    FCaret = std::max(0, std::min(start + Value, n));
    ScrollCaretIntoView();
    Invalidate();
}

std::string TCustomEdit::SelText() const { return CharsToUtf8(FChars.substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength()))); }

void TCustomEdit::SelectAll()
{
    FAnchor = 0;
    FCaret = static_cast<int>(FChars.size());
    ScrollCaretIntoView();
    Invalidate();
}

void TCustomEdit::ClearSelection()
{
    if (FReadOnly || SelLength() == 0) return;
    ReplaceSelection(U"", true);
}

void TCustomEdit::CopyToClipboard()
{
    // A password stays where it is.
    if (FPasswordChar != 0 || SelLength() == 0) return;
    SetClipboardText(SelText());
}

void TCustomEdit::CutToClipboard()
{
    if (FPasswordChar != 0 || SelLength() == 0) return;
    CopyToClipboard();
    ClearSelection();
}

void TCustomEdit::PasteFromClipboard()
{
    if (FReadOnly || !ClipboardHasText()) return;
    std::u32string text = Utf8ToChars(GetClipboardText());
    // One line only: the text stops at the first line break.
    const size_t br = text.find_first_of(U"\r\n");
    if (br != std::u32string::npos && !MultiLine()) text.resize(br);
    ReplaceSelection(text, true);
}

void TCustomEdit::SaveUndo()
{
    FUndoChars = FChars;
    FUndoAnchor = FAnchor;
    FUndoCaret = FCaret;
    FCanUndo = true;
}

void TCustomEdit::Undo()
{
    if (!FCanUndo || FReadOnly) return;
    // Undoing twice gives the edit back, as one undo level does.
    std::swap(FChars, FUndoChars);
    std::swap(FAnchor, FUndoAnchor);
    std::swap(FCaret, FUndoCaret);
    FModified = true;
    TextChanged();
}

void TCustomEdit::ReplaceSelection(const std::u32string& With, bool Undoable)
{
    std::u32string insert = With;
    for (char32_t& c : insert) c = CaseOf(c, FCharCase);
    const int start = SelStart();
    const int len = SelLength();
    if (FMaxLength > 0) {
        const int room = FMaxLength - (static_cast<int>(FChars.size()) - len);
        if (room <= 0 && !insert.empty()) {
            MessageBeep(0);
            if (len == 0) return;
            insert.clear();
        } else if (static_cast<int>(insert.size()) > room) {
            insert.resize(static_cast<size_t>(std::max(0, room)));
        }
    }
    if (len == 0 && insert.empty()) return;
    if (Undoable) SaveUndo();
    FChars.replace(static_cast<size_t>(start), static_cast<size_t>(len), insert);
    FAnchor = FCaret = start + static_cast<int>(insert.size());
    FModified = true;
    TextChanged();
}

void TCustomEdit::TextChanged()
{
    if (HandleAllocated()) SetWindowText(FHandle, CharsToUtf8(FChars));
    ScrollCaretIntoView();
    Invalidate();
    Change();
}

void TCustomEdit::Change()
{
    if (OnChange && !ComponentState().Contains(csLoading)) OnChange(this);
}

std::u32string TCustomEdit::DisplayChars() const
{
    if (FPasswordChar == 0) return FChars;
    return std::u32string(FChars.size(), static_cast<char32_t>(static_cast<unsigned char>(FPasswordChar)));
}

std::vector<int> TCustomEdit::Offsets() const
{
    const std::u32string shown = DisplayChars();
    std::vector<int> out(shown.size() + 1, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, FFont->Handle());
    int x = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        TSize s;
        GetTextExtentPoint32(dc, CharsToUtf8(std::u32string(1, shown[i])), s);
        x += s.cx;
        out[i + 1] = x;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return out;
}

TRect TCustomEdit::FormattingRect() const
{
    if (FHasFormatRect) return FFormatRect;
    TRect r = ClientRect();
    r.Left += FLeftMargin;
    r.Right -= FRightMargin;
    return r;
}

void TCustomEdit::ScrollCaretIntoView()
{
    const TRect fr = FormattingRect();
    const std::vector<int> off = Offsets();
    const int caretX = off[static_cast<size_t>(std::min<int>(FCaret, static_cast<int>(off.size()) - 1))];
    const int width = std::max(1, fr.Width());
    if (off.back() <= width) {
        FScrollX = 0;
        return;
    }
    if (caretX - FScrollX >= width) FScrollX = caretX - width + 1;
    if (caretX < FScrollX) FScrollX = std::max(0, caretX - width / 3);
    FScrollX = std::min(FScrollX, std::max(0, off.back() - width + 1));
}

TPoint TCustomEdit::PosFromChar(int Index)
{
    const TRect fr = FormattingRect();
    const std::vector<int> off = Offsets();
    Index = std::max(0, std::min(Index, static_cast<int>(off.size()) - 1));
    int base = fr.Left - FScrollX;
    if (off.back() < fr.Width()) {
        if (FAlignment == taRightJustify) base = fr.Right - off.back();
        if (FAlignment == taCenter) base = fr.Left + (fr.Width() - off.back()) / 2;
    }
    return {base + off[static_cast<size_t>(Index)], fr.Top};
}

int TCustomEdit::CharFromPos(TPoint P)
{
    const std::vector<int> off = Offsets();
    const int base = PosFromChar(0).X;
    const int x = P.X - base;
    // The nearer boundary of the character under the point.
    for (size_t i = 0; i + 1 < off.size(); ++i)
        if (x < (off[i] + off[i + 1]) / 2) return static_cast<int>(i);
    return static_cast<int>(off.size()) - 1;
}

void TCustomEdit::MoveCaret(int NewCaret, bool Extend)
{
    NewCaret = std::max(0, std::min(NewCaret, static_cast<int>(FChars.size())));
    FCaret = NewCaret;
    if (!Extend) FAnchor = NewCaret;
    ScrollCaretIntoView();
    Invalidate();
}

int TCustomEdit::WordStart(int From) const
{
    int i = From;
    while (i > 0 && !IsWordChar(FChars[static_cast<size_t>(i) - 1])) --i;
    while (i > 0 && IsWordChar(FChars[static_cast<size_t>(i) - 1])) --i;
    return i;
}

int TCustomEdit::WordEnd(int From) const
{
    const int n = static_cast<int>(FChars.size());
    int i = From;
    while (i < n && IsWordChar(FChars[static_cast<size_t>(i)])) ++i;
    while (i < n && !IsWordChar(FChars[static_cast<size_t>(i)])) ++i;
    return i;
}

void TCustomEdit::EditKeyDown(WORD Key)
{
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    switch (Key) {
    case VK_LEFT:
        if (!shift && SelLength() > 0 && !ctrl)
            MoveCaret(SelStart(), false);
        else
            MoveCaret(ctrl ? WordStart(FCaret) : FCaret - 1, shift);
        break;
    case VK_RIGHT:
        if (!shift && SelLength() > 0 && !ctrl)
            MoveCaret(SelStart() + SelLength(), false);
        else
            MoveCaret(ctrl ? WordEnd(FCaret) : FCaret + 1, shift);
        break;
    case VK_HOME: MoveCaret(0, shift); break;
    case VK_END: MoveCaret(static_cast<int>(FChars.size()), shift); break;
    case VK_DELETE:
        if (FReadOnly) break;
        if (shift) {
            CutToClipboard();
        } else if (SelLength() > 0) {
            ClearSelection();
        } else if (FCaret < static_cast<int>(FChars.size())) {
            FAnchor = FCaret + 1;
            ReplaceSelection(U"", true);
        }
        break;
    case VK_INSERT:
        if (ctrl)
            CopyToClipboard();
        else if (shift)
            PasteFromClipboard();
        break;
    default:
        if (ctrl && !shift) {
            if (Key == 'C') CopyToClipboard();
            if (Key == 'X' && !FReadOnly) CutToClipboard();
            if (Key == 'V') PasteFromClipboard();
            if (Key == 'Z') Undo();
            if (Key == 'A') SelectAll();
        }
    }
}

void TCustomEdit::EditChar(char32_t Ch)
{
    if (Ch == 8) { // Backspace
        if (FReadOnly) return;
        if (SelLength() == 0) {
            if (FCaret == 0) return;
            FAnchor = GetKeyState(VK_CONTROL) < 0 ? WordStart(FCaret) : FCaret - 1;
        }
        ReplaceSelection(U"", true);
        return;
    }
    if (!AcceptChar(Ch)) return;
    if (FReadOnly) {
        MessageBeep(0);
        return;
    }
    ReplaceSelection(std::u32string(1, Ch), true);
}

void TCustomEdit::DefaultHandler(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN:
        EditKeyDown(static_cast<WORD>(Message.WParam));
        return;
    case WM_CHAR:
        EditChar(static_cast<char32_t>(Message.WParam));
        return;
    default:
        TCustomControl::DefaultHandler(Message);
    }
}

void TCustomEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_ERASEBKGND:
        Message.Result = 1; // Paint fills with the brush the colour notification gives
        return;
    case WM_CUT: CutToClipboard(); return;
    case WM_COPY: CopyToClipboard(); return;
    case WM_PASTE: PasteFromClipboard(); return;
    case WM_CLEAR: ClearSelection(); return;
    case WM_UNDO:
    case EM_UNDO:
        Message.Result = FCanUndo ? 1 : 0;
        Undo();
        return;
    case EM_CANUNDO: Message.Result = FCanUndo ? 1 : 0; return;
    case EM_EMPTYUNDOBUFFER: FCanUndo = false; return;
    case EM_GETSEL: {
        const DWORD s = static_cast<DWORD>(SelStart());
        const DWORD e = static_cast<DWORD>(SelStart() + SelLength());
        if (Message.WParam) *reinterpret_cast<DWORD*>(Message.WParam) = s;
        if (Message.LParam) *reinterpret_cast<DWORD*>(Message.LParam) = e;
        Message.Result = static_cast<LRESULT>((s & 0xFFFF) | ((e & 0xFFFF) << 16));
        return;
    }
    case EM_SETSEL: {
        const int n = static_cast<int>(FChars.size());
        int s = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
        int e = static_cast<int>(Message.LParam);
        if (s < 0) {
            FAnchor = FCaret; // deselect
        } else {
            if (e < 0 || e > n) e = n;
            FAnchor = std::min(s, n);
            FCaret = e;
        }
        ScrollCaretIntoView();
        Invalidate();
        return;
    }
    case EM_REPLACESEL:
        ReplaceSelection(Utf8ToChars(Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : ""), Message.WParam != 0);
        return;
    case EM_LIMITTEXT: SetMaxLength(static_cast<int>(Message.WParam)); return;
    case EM_SETREADONLY: SetReadOnly(Message.WParam != 0); Message.Result = 1; return;
    case EM_SETPASSWORDCHAR: SetPasswordChar(static_cast<char>(Message.WParam)); return;
    case EM_GETMODIFY: Message.Result = FModified ? 1 : 0; return;
    case EM_SETMODIFY: FModified = Message.WParam != 0; return;
    case EM_GETLINECOUNT: Message.Result = 1; return;
    case EM_SCROLLCARET: ScrollCaretIntoView(); Invalidate(); return;
    case EM_SETMARGINS: {
        const int l = static_cast<short>(LOWORD(static_cast<std::uintptr_t>(Message.LParam)));
        const int r = static_cast<short>(HIWORD(static_cast<std::uintptr_t>(Message.LParam)));
        SetMargins(Message.WParam & EC_LEFTMARGIN ? l : FLeftMargin, Message.WParam & EC_RIGHTMARGIN ? r : FRightMargin);
        return;
    }
    case EM_GETMARGINS: Message.Result = MAKELPARAM(FLeftMargin, FRightMargin); return;
    case EM_GETRECT:
        if (Message.LParam) *reinterpret_cast<TRect*>(Message.LParam) = FormattingRect();
        return;
    case EM_SETRECT:
    case EM_SETRECTNP:
        if (Message.LParam == 0) {
            FHasFormatRect = false;
        } else {
            FHasFormatRect = true;
            FFormatRect = *reinterpret_cast<const TRect*>(Message.LParam);
        }
        ScrollCaretIntoView();
        if (Message.Msg == EM_SETRECT) Invalidate();
        return;
    case EM_CHARFROMPOS: {
        TPoint p{static_cast<short>(LOWORD(static_cast<std::uintptr_t>(Message.LParam))), static_cast<short>(HIWORD(static_cast<std::uintptr_t>(Message.LParam)))};
        Message.Result = CharFromPos(p);
        return;
    }
    case EM_POSFROMCHAR: {
        TPoint p = PosFromChar(static_cast<int>(Message.WParam));
        Message.Result = MAKELPARAM(p.X, p.Y);
        return;
    }
    case CN_CTLCOLOREDIT: {
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        SetTextColor(dc, ColorToRGB(FFont->Color()));
        SetBkColor(dc, ColorToRGB(FColor));
        Canvas()->Brush()->SetColor(FColor);
        Message.Result = reinterpret_cast<LRESULT>(Canvas()->Brush()->Handle());
        return;
    }
    case CM_FONTCHANGED:
        TCustomControl::WndProc(Message);
        ScrollCaretIntoView();
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

void TCustomEdit::Paint()
{
    HDC dc = Canvas()->Handle();
    SelectObject(dc, FFont->Handle());
    // The colours come from the colour notification, which a subclass may answer differently.
    SetBkMode(dc, OPAQUE);
    HBRUSH brush = reinterpret_cast<HBRUSH>(Perform(CN_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), static_cast<LPARAM>(FHandle)));
    const COLORREF textColor = FEnabled ? GetTextColor(dc) : ColorToRGB(clGrayText);
    TRect client = ClientRect();
    if (brush != nullptr) FillRect(dc, client, brush);
    const TRect fr = FormattingRect();
    const std::u32string shown = DisplayChars();
    const std::vector<int> off = Offsets();
    const int base = PosFromChar(0).X;
    const bool showSelection = SelLength() > 0 && (Focused() || !FHideSelection);
    const int s = SelStart(), e = SelStart() + SelLength();
    const int save = SaveDC(dc);
    IntersectClipRect(dc, fr.Left, fr.Top, fr.Right, fr.Bottom);
    SetBkMode(dc, TRANSPARENT);
    // Text before, inside and after the selection.
    auto run = [&](int from, int to, bool selected) {
        if (to <= from) return;
        const std::string part = CharsToUtf8(shown.substr(static_cast<size_t>(from), static_cast<size_t>(to - from)));
        const int x = base + off[static_cast<size_t>(from)];
        if (selected) {
            HBRUSH hb = CreateSolidBrush(ColorToRGB(clHighlight));
            TRect r = Rect(x, fr.Top, base + off[static_cast<size_t>(to)], fr.Bottom);
            FillRect(dc, r, hb);
            DeleteObject(hb);
            SetTextColor(dc, ColorToRGB(clHighlightText));
        } else {
            SetTextColor(dc, textColor);
        }
        TextOut(dc, x, fr.Top, part);
    };
    const int n = static_cast<int>(shown.size());
    if (showSelection) {
        run(0, s, false);
        run(s, e, true);
        run(e, n, false);
    } else {
        run(0, n, false);
    }
    // The caret: a line at the insertion point while focused.
    if (Focused()) {
        TEXTMETRIC tm;
        GetTextMetrics(dc, tm);
        const int x = base + off[static_cast<size_t>(std::min(FCaret, n))];
        HBRUSH cb = CreateSolidBrush(textColor);
        TRect caret = Rect(x, fr.Top, x + 1, fr.Top + tm.tmHeight);
        FillRect(dc, caret, cb);
        DeleteObject(cb);
    }
    RestoreDC(dc, save);
}

void TCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && !Shift.Contains(ssDouble)) {
        FEnterByMouse = !Focused();
        if (CanFocus() && !Focused()) SetFocus();
        MoveCaret(CharFromPos({X, Y}), Shift.Contains(ssShift));
        FSelecting = true;
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomEdit::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FSelecting && Shift.Contains(ssLeft)) MoveCaret(CharFromPos({X, Y}), true);
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) FSelecting = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomEdit::DblClick()
{
    // The word under the caret.
    int s = FCaret;
    while (s > 0 && IsWordChar(FChars[static_cast<size_t>(s) - 1])) --s;
    int e = FCaret;
    while (e < static_cast<int>(FChars.size()) && IsWordChar(FChars[static_cast<size_t>(e)])) ++e;
    FAnchor = s;
    FCaret = e;
    FSelecting = false;
    ScrollCaretIntoView();
    Invalidate();
    TCustomControl::DblClick();
}

void TCustomEdit::DoEnter()
{
    // Entering by keyboard selects everything, as users expect of a field they tab into.
    if (FAutoSelect && !FEnterByMouse && !ControlState().Contains(csLButtonDown)) SelectAll();
    FEnterByMouse = false;
    Invalidate();
    TCustomControl::DoEnter();
}

void TCustomEdit::DoExit()
{
    Invalidate();
    TCustomControl::DoExit();
}

void RegisterEditClasses()
{
    static const bool done = [] {
        RegisterFormClasses();
        RegisterClass<TCustomEdit, TCustomControl>("TCustomEdit")
            .Prop("Alignment", &TCustomEdit::Alignment, &TCustomEdit::SetAlignment, taLeftJustify)
            .Prop("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect, true)
            .Prop("BorderStyle", &TCustomEdit::BorderStyleValue, &TCustomEdit::SetBorderStyleValue, 1)
            .Prop("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase, ecNormal)
            .Prop("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection, true)
            .Prop("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, 0)
            .Prop("OEMConvert", &TCustomEdit::OEMConvert, &TCustomEdit::SetOEMConvert, false)
            .Prop("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar, 0)
            .Prop("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, false)
            .Event("OnChange", &TCustomEdit::OnChange)
            .Ignored({"AutoSize", "BevelEdges", "BevelInner", "BevelKind", "BevelOuter", "NumbersOnly", "TextHint"});
        RegisterClass<TEdit, TCustomEdit>("TEdit");
        RegisterClass<TCustomMaskEdit, TCustomEdit>("TCustomMaskEdit").Prop("EditMask", &TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask);
        RegisterClass<TMaskEdit, TCustomMaskEdit>("TMaskEdit");
        return true;
    }();
    (void)done;
}
