#pragma once
// The multi-line edit: Lines gives its text line by line (lines end in "\r\n" in Text), Enter
// starts a new line when WantReturns, Tab is typed when WantTabs, Up and Down move between lines.
// Long lines are not wrapped (WordWrap is kept for the callers' sake).
#include "platform/rtl/TStringList.h"
#include "platform/vcl/ScrollInfo.h"
#include "platform/vcl/TCustomEdit.h"

class TCustomMemo;

// The memo's text seen as lines; every change goes to the memo's text.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}
    std::string Get(int Index) const override;
    int GetCount() const override;
    void Put(int Index, const std::string& S) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    std::string GetText() const override;
    void SetText(const std::string& Text) override;
    void SetUpdateState(bool Updating) override;

private:
    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& Lines);
    TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    TStrings* Lines() const { return FLines; }
    void SetLines(TStrings* Value) { FLines->Assign(Value); }
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value) { FWordWrap = Value; }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value) { FScrollBars = Value; }
    // The line and column of the caret.
    TPoint CaretPos() const;

    int CharFromPos(TPoint P) override;
    TPoint PosFromChar(int Index) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    bool MultiLine() const override { return true; }
    void EditKeyDown(WORD Key) override;
    void EditChar(char32_t Ch) override;
    void ScrollCaretIntoView() override;

private:
    int LineHeight() const;
    // Start offsets of every line in FChars.
    std::vector<int> LineStarts() const;
    int LineOf(int Index, const std::vector<int>& Starts) const;
    int LineEnd(int Line, const std::vector<int>& Starts) const;

    TMemoStrings* FLines;
    bool FWantReturns = true;
    bool FWantTabs = false;
    bool FWordWrap = true;
    TScrollStyle FScrollBars = ssNone;
    int FTopLine = 0;
    friend class TMemoStrings;
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
};

void RegisterMemoClasses();
