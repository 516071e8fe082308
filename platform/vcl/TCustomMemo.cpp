#include "platform/vcl/TCustomMemo.h"

#include <algorithm>

#include "platform/gfx/Drawing.h"
#include "platform/gfx/Text.h"
#include "platform/vcl/TypInfo.h"
#include "platform/vcl/VclClasses.h"

// ---- TMemoStrings ----

std::vector<std::string> TMemoStrings::Lines() const
{
    std::vector<std::string> out;
    const std::string text = FMemo->Text();
    if (text.empty()) return out;
    size_t start = 0;
    for (;;) {
        size_t br = text.find('\n', start);
        if (br == std::string::npos) {
            out.push_back(text.substr(start));
            break;
        }
        size_t end = br > start && text[br - 1] == '\r' ? br - 1 : br;
        out.push_back(text.substr(start, end - start));
        start = br + 1;
        if (start == text.size()) break; // a final line break ends the last line, it starts none
    }
    return out;
}

void TMemoStrings::SetLines(const std::vector<std::string>& Lines)
{
    std::string text;
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += Lines[i];
    }
    FMemo->SetText(text);
}

std::string TMemoStrings::Get(int Index) const
{
    auto lines = Lines();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) ErrorIndex(Index);
    return lines[static_cast<size_t>(Index)];
}

int TMemoStrings::GetCount() const { return static_cast<int>(Lines().size()); }

void TMemoStrings::Put(int Index, const std::string& S)
{
    auto lines = Lines();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) ErrorIndex(Index);
    lines[static_cast<size_t>(Index)] = S;
    SetLines(lines);
}

void TMemoStrings::Insert(int Index, const std::string& S)
{
    auto lines = Lines();
    if (Index < 0 || Index > static_cast<int>(lines.size())) ErrorIndex(Index);
    lines.insert(lines.begin() + Index, S);
    SetLines(lines);
}

void TMemoStrings::Delete(int Index)
{
    auto lines = Lines();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) ErrorIndex(Index);
    lines.erase(lines.begin() + Index);
    SetLines(lines);
}

void TMemoStrings::Clear() { FMemo->SetText(""); }

std::string TMemoStrings::GetText() const
{
    // Each line ends in a line break, as the component library gives it.
    std::string out;
    for (const std::string& l : Lines()) out += l + "\r\n";
    return out;
}

void TMemoStrings::SetText(const std::string& Text)
{
    std::string t = Text;
    if (t.size() >= 2 && t.compare(t.size() - 2, 2, "\r\n") == 0)
        t.resize(t.size() - 2);
    else if (!t.empty() && t.back() == '\n')
        t.pop_back();
    FMemo->SetText(t);
}

void TMemoStrings::SetUpdateState(bool) {}

// ---- TCustomMemo ----

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(new TMemoStrings(this))
{
    FWidth = 185;
    FHeight = 89;
    SetAutoSelect(false);
}

TCustomMemo::~TCustomMemo() { delete FLines; }

void TCustomMemo::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
}

int TCustomMemo::LineHeight() const
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, FFont->Handle());
    TEXTMETRIC tm;
    GetTextMetrics(dc, tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    return std::max(1, static_cast<int>(tm.tmHeight));
}

std::vector<int> TCustomMemo::LineStarts() const
{
    std::vector<int> starts{0};
    for (size_t i = 0; i < FChars.size(); ++i)
        if (FChars[i] == U'\n') starts.push_back(static_cast<int>(i) + 1);
    return starts;
}

int TCustomMemo::LineOf(int Index, const std::vector<int>& Starts) const
{
    auto it = std::upper_bound(Starts.begin(), Starts.end(), Index);
    return static_cast<int>(it - Starts.begin()) - 1;
}

int TCustomMemo::LineEnd(int Line, const std::vector<int>& Starts) const
{
    int end = Line + 1 < static_cast<int>(Starts.size()) ? Starts[static_cast<size_t>(Line) + 1] - 1 : static_cast<int>(FChars.size());
    if (end > Starts[static_cast<size_t>(Line)] && end <= static_cast<int>(FChars.size()) && end > 0 && end - 1 < static_cast<int>(FChars.size()) &&
        Line + 1 < static_cast<int>(Starts.size()) && FChars[static_cast<size_t>(end) - 1] == U'\r')
        --end;
    return end;
}

TPoint TCustomMemo::CaretPos() const
{
    const auto starts = LineStarts();
    const int line = LineOf(FCaret, starts);
    return {FCaret - starts[static_cast<size_t>(line)], line};
}

TPoint TCustomMemo::PosFromChar(int Index)
{
    const auto starts = LineStarts();
    Index = std::max(0, std::min(Index, static_cast<int>(FChars.size())));
    const int line = LineOf(Index, starts);
    const TRect fr = FormattingRect();
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, FFont->Handle());
    TSize s;
    GetTextExtentPoint32(dc, CharsToUtf8(FChars.substr(static_cast<size_t>(starts[static_cast<size_t>(line)]), static_cast<size_t>(Index - starts[static_cast<size_t>(line)]))), s);
    SelectObject(dc, old);
    DeleteDC(dc);
    return {fr.Left + s.cx, fr.Top + (line - FTopLine) * LineHeight()};
}

int TCustomMemo::CharFromPos(TPoint P)
{
    const auto starts = LineStarts();
    const TRect fr = FormattingRect();
    int line = FTopLine + (P.Y - fr.Top) / LineHeight();
    line = std::max(0, std::min(line, static_cast<int>(starts.size()) - 1));
    const int begin = starts[static_cast<size_t>(line)];
    const int end = LineEnd(line, starts);
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, FFont->Handle());
    int x = fr.Left;
    int result = end;
    for (int i = begin; i < end; ++i) {
        TSize s;
        GetTextExtentPoint32(dc, CharsToUtf8(std::u32string(1, FChars[static_cast<size_t>(i)])), s);
        if (P.X < x + s.cx / 2) {
            result = i;
            break;
        }
        x += s.cx;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return result;
}

void TCustomMemo::ScrollCaretIntoView()
{
    const int line = CaretPos().Y;
    const int rows = std::max(1, FormattingRect().Height() / LineHeight());
    if (line < FTopLine) FTopLine = line;
    if (line >= FTopLine + rows) FTopLine = line - rows + 1;
    FScrollX = 0;
    if (HandleAllocated()) {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        si.nMax = std::max(0, static_cast<int>(LineStarts().size()) - 1);
        si.nPage = static_cast<UINT>(rows);
        si.nPos = FTopLine;
        SetScrollInfo(FHandle, SB_VERT, si);
    }
}

void TCustomMemo::EditKeyDown(WORD Key)
{
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const auto starts = LineStarts();
    const TPoint caret = CaretPos();
    auto goLine = [&](int line) {
        line = std::max(0, std::min(line, static_cast<int>(starts.size()) - 1));
        const int begin = starts[static_cast<size_t>(line)];
        MoveCaret(std::min(begin + caret.X, LineEnd(line, starts)), shift);
    };
    const int rows = std::max(1, FormattingRect().Height() / LineHeight());
    switch (Key) {
    case VK_UP: goLine(caret.Y - 1); return;
    case VK_DOWN: goLine(caret.Y + 1); return;
    case VK_PRIOR: goLine(caret.Y - rows); return;
    case VK_NEXT: goLine(caret.Y + rows); return;
    case VK_HOME:
        if (GetKeyState(VK_CONTROL) >= 0) {
            MoveCaret(starts[static_cast<size_t>(caret.Y)], shift);
            return;
        }
        break;
    case VK_END:
        if (GetKeyState(VK_CONTROL) >= 0) {
            MoveCaret(LineEnd(caret.Y, starts), shift);
            return;
        }
        break;
    case VK_DELETE:
        if (!shift && SelLength() == 0 && FCaret + 1 < static_cast<int>(FChars.size()) && FChars[static_cast<size_t>(FCaret)] == U'\r' &&
            FChars[static_cast<size_t>(FCaret) + 1] == U'\n') {
            if (ReadOnly()) return;
            FAnchor = FCaret + 2; // the whole line break goes
            ReplaceSelection(U"", true);
            return;
        }
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        // A line break is one step.
        TCustomEdit::EditKeyDown(Key);
        if (FCaret > 0 && FCaret < static_cast<int>(FChars.size()) && FChars[static_cast<size_t>(FCaret) - 1] == U'\r' && FChars[static_cast<size_t>(FCaret)] == U'\n')
            MoveCaret(Key == VK_LEFT ? FCaret - 1 : FCaret + 1, shift);
        return;
    }
    default: break;
    }
    TCustomEdit::EditKeyDown(Key);
}

void TCustomMemo::EditChar(char32_t Ch)
{
    if (Ch == 13) {
        if (FWantReturns && !ReadOnly()) ReplaceSelection(U"\r\n", true);
        return;
    }
    if (Ch == 9) {
        if (FWantTabs && !ReadOnly()) ReplaceSelection(U"\t", true);
        return;
    }
    if (Ch == 8 && SelLength() == 0 && FCaret >= 2 && FChars[static_cast<size_t>(FCaret) - 1] == U'\n' && FChars[static_cast<size_t>(FCaret) - 2] == U'\r') {
        if (ReadOnly()) return;
        FAnchor = FCaret - 2; // the whole line break goes
        ReplaceSelection(U"", true);
        return;
    }
    TCustomEdit::EditChar(Ch);
}

void TCustomMemo::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (FWantReturns ? DLGC_WANTALLKEYS : 0) | (FWantTabs ? DLGC_WANTTAB : 0);
        return;
    case EM_GETLINECOUNT: Message.Result = static_cast<LRESULT>(LineStarts().size()); return;
    case WM_VSCROLL: {
        const int code = LOWORD(Message.WParam);
        const int lines = static_cast<int>(LineStarts().size());
        const int rows = std::max(1, FormattingRect().Height() / LineHeight());
        int top = FTopLine;
        if (code == SB_LINEUP) --top;
        if (code == SB_LINEDOWN) ++top;
        if (code == SB_PAGEUP) top -= rows;
        if (code == SB_PAGEDOWN) top += rows;
        if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) top = static_cast<short>(HIWORD(Message.WParam));
        FTopLine = std::max(0, std::min(top, lines - 1));
        Invalidate();
        return;
    }
    default: TCustomEdit::WndProc(Message);
    }
}

void TCustomMemo::Paint()
{
    HDC dc = Canvas()->Handle();
    SelectObject(dc, FFont->Handle());
    HBRUSH brush = reinterpret_cast<HBRUSH>(Perform(CN_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), static_cast<LPARAM>(FHandle)));
    const COLORREF textColor = FEnabled ? GetTextColor(dc) : ColorToRGB(clGrayText);
    TRect client = ClientRect();
    if (brush != nullptr) FillRect(dc, client, brush);
    const TRect fr = FormattingRect();
    const auto starts = LineStarts();
    const int lh = LineHeight();
    const int s = SelStart(), e = SelStart() + SelLength();
    const bool showSelection = SelLength() > 0 && (Focused() || !HideSelection());
    const int save = SaveDC(dc);
    IntersectClipRect(dc, fr.Left, fr.Top, fr.Right, fr.Bottom);
    SetBkMode(dc, TRANSPARENT);
    for (int line = FTopLine; line < static_cast<int>(starts.size()); ++line) {
        const int y = fr.Top + (line - FTopLine) * lh;
        if (y >= fr.Bottom) break;
        const int begin = starts[static_cast<size_t>(line)];
        const int end = LineEnd(line, starts);
        int x = fr.Left;
        for (int i = begin; i < end; ++i) {
            const std::string ch = CharsToUtf8(std::u32string(1, PasswordChar() ? static_cast<char32_t>(PasswordChar()) : FChars[static_cast<size_t>(i)]));
            TSize sz;
            GetTextExtentPoint32(dc, ch, sz);
            const bool selected = showSelection && i >= s && i < e;
            if (selected) {
                HBRUSH hb = CreateSolidBrush(ColorToRGB(clHighlight));
                TRect r = Rect(x, y, x + sz.cx, y + lh);
                FillRect(dc, r, hb);
                DeleteObject(hb);
            }
            SetTextColor(dc, selected ? ColorToRGB(clHighlightText) : textColor);
            if (FChars[static_cast<size_t>(i)] != U'\t') TextOut(dc, x, y, ch);
            x += sz.cx;
        }
    }
    if (Focused()) {
        const TPoint p = PosFromChar(FCaret);
        HBRUSH cb = CreateSolidBrush(textColor);
        TRect caret = Rect(p.X, p.Y, p.X + 1, p.Y + lh);
        FillRect(dc, caret, cb);
        DeleteObject(cb);
    }
    RestoreDC(dc, save);
}

void RegisterMemoClasses()
{
    static const bool done = [] {
        RegisterEditClasses();
        RegisterClass<TCustomMemo, TCustomEdit>("TCustomMemo")
            .Prop("Lines", &TCustomMemo::Lines)
            .Prop("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars, ssNone)
            .Prop("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns, true)
            .Prop("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs, false)
            .Prop("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap, true);
        RegisterClass<TMemo, TCustomMemo>("TMemo");
        return true;
    }();
    (void)done;
}
