#include "app/om_queue.h"

#include "app/Unit1.h"
#include "app/om_buttons.h"
#include "app/om_controls.h"
#include "app/om_functions.h"
#include "app/om_preview.h"
#include "app/om_tables.h"
#include "app/om_thumbs.h"
#include "app/om_tracks.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TImage.h"
#include "platform/vcl/TMenu.h"
#include "skin/controls/TskSkinCheckRadioBox.h"
#include "skin/controls/TskSkinCustomComboBox.h"
#include "skin/controls/TskSkinEdit.h"
#include "skin/controls/TskSkinGauge.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/grids/TskSkinStringGrid.h"

#include <algorithm>

namespace {

using TRowComboBox = TskSkinComboBox;

constexpr int RowHeight = 45;
// A left position far beyond any real one puts a control last among its aligned siblings.
constexpr int LastLeft = 20000;

std::string RowName(const std::string& Prefix, int r)
{
    return Prefix + IntToStr(r);
}

TControl* NamedChild(const TWinControl* Parent, const std::string& Name)
{
    for (int i = 0; i < Parent->ControlCount(); ++i)
        if (TControl* c = Parent->Controls(i); c->Name() == Name)
            return c;
    return nullptr;
}

// The selected item's text ("" when none is selected).
std::string ComboText(const TRowComboBox* Box)
{
    const int i = Box->ItemIndex();
    return i >= 0 && i < Box->Items()->Count() ? Box->Items()->Strings(i) : std::string();
}

// Fills a track box from the record's stream lines, each text once, and selects the stored choice
// (the first item when the stored index is missing or out of range).
void FillTracks(TRowComboBox* Box, TStrings& Lines, const std::string& StoredIndex)
{
    for (int i = 0; i < Lines.Count(); ++i) {
        const std::string item = DescribeStream(Lines.Strings(i));
        if (Box->Items()->IndexOf(item) < 0)
            Box->Items()->Add(item);
    }
    int index = 0;
    if (!TryStrToInt(Trim(StoredIndex), index) || index < 0 || index >= Box->Items()->Count())
        index = 0;
    Box->SetItemIndex(Box->Items()->Count() > 0 ? index : -1);
}

// A track box of row Sender->Tag() with at least FewestItems items chose: the text and the index go into
// the row's cells, and a running preview switches to the track's stream at once with SwitchCommand.
void StoreTrackChoice(TForm1& Form, TObject* Sender, int FewestItems, SourceRecord::Column ChoiceColumn,
    SourceRecord::Column IndexColumn, const std::string& SwitchCommand)
{
    const auto* box = dynamic_cast<TRowComboBox*>(Sender);
    if (!box || box->Items()->Count() < FewestItems || box->ItemIndex() < 0)
        return;
    TskSkinStringGrid& g = *Form.StringGrid1;
    const int r = box->Tag();
    const std::string text = ComboText(box);
    g.SetCells(ChoiceColumn, r, text);
    g.SetCells(IndexColumn, r, IntToStr(box->ItemIndex()));
    // SlaveCommand never writes into an encoder's input.
    if (Form.RunState.ToolRunning != 0)
        if (const std::string id = TrackStreamId(text); !id.empty())
            SlaveCommand(Form, SwitchCommand + id);
}

} // namespace

TOmQueue::TOmQueue(TForm1* Form) : TComponent(Form), FForm(Form)
{
    FForm->Queue = this;
    FForm->OnAddItem = [this](int r) { AddItem(r); };
    FForm->OnSelectionChanged = [this](int r, const std::string& Value) { SelectionChanged(r, Value); };
    FForm->OnSetProgress = [this](int r, int Seconds) { setProgress(r, Seconds); };
}

TNotifyEvent TOmQueue::Handler(void (TOmQueue::*Method)(TObject*))
{
    // A row outliving its queue (the queue freed on its own) does nothing when clicked.
    return [this, Method, alive = FAlive](TObject* Sender) {
        if (*alive)
            (this->*Method)(Sender);
    };
}

TOmQueue::~TOmQueue()
{
    *FAlive = false;
    // Freed with the window (the usual way), the window's own parts may be gone already: only its
    // component state is still there to read. Freed on its own, the queue takes its seams back.
    if (FForm->ComponentState().Contains(csDestroying))
        return;
    if (FForm->Queue == this) {
        FForm->Queue = nullptr;
        FForm->OnAddItem = nullptr;
        FForm->OnSelectionChanged = nullptr;
        FForm->OnSetProgress = nullptr;
    }
}

TControl* TOmQueue::Find(const std::vector<std::string>& Path, int r) const
{
    if (!skSkinScrollpanel1)
        return nullptr;
    const TWinControl* level = skSkinScrollpanel1;
    TControl* found = nullptr;
    for (const std::string& prefix : Path) {
        if (!level)
            return nullptr;
        found = NamedChild(level, RowName(prefix, r));
        if (!found)
            return nullptr;
        level = dynamic_cast<TWinControl*>(found);
    }
    return found;
}

bool TOmQueue::HasRow(int r) const
{
    return Find({"pnl0_"}, r) != nullptr;
}

bool TOmQueue::MayConvert(int r) const
{
    return !skSkinScrollpanel1 || HasRow(r);
}

TImage* TOmQueue::RowPicture(int r) const
{
    return dynamic_cast<TImage*>(Find({"pnl0_", "pic0_"}, r));
}

void TOmQueue::AddItem(int r)
{
    if (IOmButton* go = FForm->go_button) {
        // A row built during a scan round leaves Start to the round's end: the records still to come
        // would be converted unseen.
        go->SetEnabled(!FForm->RunState.ScanRound);
        go->SetGlyph("go_glyph");
        go->SetHint("Start conversion");
        go->SetShowHint(true);
    }
    FForm->SetStatusText("");
    if (!skSkinScrollpanel1 || r < 0)
        return;
    for (int i = 0; i < skSkinScrollpanel1->ControlCount(); ++i)
        if (skSkinScrollpanel1->Controls(i)->Tag() == r)
            return;
    MakeScanThumbnail(*FForm, r);
    skSkinScrollpanel1->SetPopupMenu(PopupMenu1);
    BuildRow(r);
}

void TOmQueue::BuildRow(int r)
{
    TskSkinStringGrid& g = *FForm->StringGrid1;
    const auto cell = [&g, r](int col) { return g.Cells(col, r); };
    TComponent* owner = FForm;

    // A click on a row's empty place (or on its labels, which take no clicks) gives the queue the
    // keyboard, so that the arrow and page keys scroll it from there.
    TWinControl* box = skSkinScrollpanel1;
    const TMouseEvent focusQueue = [box](TObject*, TMouseButton, TShiftState, int, int) {
        if (box->CanFocus())
            box->SetFocus();
    };
    const auto panel = [&](const std::string& Prefix, TWinControl* Parent, TAlign Align, int Top, int Height) {
        auto* p = new TskSkinPanel(owner);
        p->SetName(RowName(Prefix, r));
        p->SetTag(r);
        p->OnMouseDown = focusQueue;
        p->SetBorderStyle(bvNone);
        p->SetSkinData(skSkinData1);
        p->SetBounds(0, Top, std::max(Parent->ClientWidth(), 1), Height);
        p->SetAlign(Align);
        p->SetParent(Parent);
        p->Show();
        return p;
    };
    const auto label = [&](const std::string& Prefix, TWinControl* Parent, int Left, int Width, const std::string& Caption) {
        auto* b = new TskSkinSpeedButton(owner);
        b->SetName(RowName(Prefix, r));
        b->SetTag(r);
        b->SetSkinData(skSkinData3);
        b->SetFlat(true);
        b->SetEnabled(false);
        b->SetCaption(Caption);
        b->SetBounds(Left, 0, Width, Parent->ClientHeight());
        b->SetAlign(alLeft);
        b->SetParent(Parent);
        return b;
    };
    const auto combo = [&](const std::string& Prefix, TWinControl* Parent, TAlign Align, int Left, int Width) {
        auto* c = new TRowComboBox(owner);
        c->SetName(RowName(Prefix, r));
        c->SetTag(r);
        c->SetStyle(skcbFixedStyle);
        c->SetSkinData(skSkinData2);
        c->SetBounds(Left, 0, Width, Parent->ClientHeight());
        c->SetAlign(Align);
        c->SetPopupMenu(PopupMenu1);
        c->SetParent(Parent);
        return c;
    };

    // The row and its separator line.
    TskSkinPanel* pnl0 = panel("pnl0_", skSkinScrollpanel1, alTop, r * 900, RowHeight);
    panel("pnl11_", skSkinScrollpanel1, alTop, r * 90, 2);

    // Check column.
    TskSkinPanel* pnl7 = panel("pnl7_", pnl0, alLeft, 0, RowHeight);
    pnl7->SetWidth(20);
    panel("pnl8_", pnl7, alTop, 0, 12);
    auto* chk0 = new TskSkinCheckRadioBox(owner);
    chk0->SetName(RowName("chk0_", r));
    chk0->SetTag(r);
    chk0->SetSkinData(skSkinData2);
    chk0->SetCaption("");
    // Check boxes are made without a tab stop; the row's are reached by Tab like its other controls.
    chk0->SetTabStop(true);
    chk0->SetBounds(0, 100, 20, 20);
    chk0->SetAlign(alTop);
    chk0->SetParent(pnl7);
    chk0->SetChecked(cell(SourceRecord::Selected) == "YES");
    chk0->OnClick = Handler(&TOmQueue::checkboxClick);

    // Thumbnail. A picture the tools could not make (or that cannot be read) leaves the place empty;
    // the rest of the row is built all the same.
    auto* pic0 = new TImage(owner);
    pic0->SetName(RowName("pic0_", r));
    pic0->SetTag(r);
    pic0->SetBounds(20, 0, static_cast<int>(Round(RowHeight / 240.0 * 320)) - 4, RowHeight);
    pic0->SetAlign(alLeft);
    pic0->SetCenter(true);
    pic0->SetProportional(true);
    pic0->SetParent(pnl0);
    if (const std::string path = ScanThumbnailPath(g, r, FForm->WorkFolder); !path.empty() && FileExists(path)) {
        try {
            pic0->Picture()->LoadFromFile(path);
        } catch (const Exception&) {
        }
    }
    pic0->OnClick = Handler(&TOmQueue::ImageClick);

    label("lbl0_", pnl0, LastLeft, 50, cell(SourceRecord::LengthText));

    // Name and tracks.
    TskSkinPanel* pnl2 = panel("pnl2_", pnl0, alClient, 0, RowHeight);
    TskSkinPanel* pnl3 = panel("pnl3_", pnl2, alTop, 0, 12);
    auto* edt0 = new TskSkinEdit(owner);
    edt0->SetName(RowName("edt0_", r));
    edt0->SetTag(r);
    edt0->SetSkinData(skSkinData4);
    edt0->SetBounds(0, 20, std::max(pnl2->ClientWidth(), 1), 18);
    edt0->SetAlign(alTop);
    edt0->SetPopupMenu(PopupMenu1);
    edt0->SetParent(pnl2);
    edt0->SetText(cell(SourceRecord::OutputName));
    edt0->OnChange = Handler(&TOmQueue::editChange);
    TskSkinPanel* pnl9 = panel("pnl9_", pnl2, alClient, 0, 20);

    TStrings& memo1 = *FForm->Memo1;
    memo1.SetText(cell(SourceRecord::AudioStreams));
    if (memo1.Count() > 0) {
        TskSkinSpeedButton* lbl3 = label("lbl3_", pnl9, LastLeft, 44, "Audio:");
        TRowComboBox* aid = combo("aidbox_", pnl9, alLeft, LastLeft + 1, 86);
        FillTracks(aid, memo1, cell(SourceRecord::AudioIndex));
        aid->OnChange = Handler(&TOmQueue::aidChange);
        if (aid->Items()->Count() < 2) {
            aid->Hide();
            lbl3->Hide();
        } else {
            pnl3->Hide();
        }
    }

    TStrings& memo2 = *FForm->Memo2;
    memo2.SetText(cell(SourceRecord::SubtitleStreams));
    if (memo2.Count() > 0) {
        auto* chk2 = new TskSkinCheckRadioBox(owner);
        chk2->SetName(RowName("chk2_", r));
        chk2->SetTag(r);
        chk2->SetSkinData(skSkinData2);
        chk2->SetCaption("Subs:");
        chk2->SetTabStop(true);
        chk2->SetBounds(0, 0, 52, pnl9->ClientHeight());
        chk2->SetAlign(alRight);
        chk2->SetPopupMenu(PopupMenu1);
        chk2->SetParent(pnl9);
        chk2->SetChecked(cell(SourceRecord::SubtitlesOn) == "YES");
        chk2->OnClick = Handler(&TOmQueue::sidClick);
        TRowComboBox* sid = combo("sidbox_", pnl9, alRight, 10 * LastLeft, 80);
        FillTracks(sid, memo2, cell(SourceRecord::SubtitleIndex));
        sid->OnChange = Handler(&TOmQueue::sidChange);
        if (sid->Items()->Count() >= 1)
            pnl3->Hide();
    }

    // Size and progress.
    TskSkinPanel* pnl4 = panel("pnl4_", pnl0, alRight, 0, RowHeight);
    pnl4->SetWidth(168);
    label("lbl2_", pnl4, 0, 70, "0.00MB");
    TskSkinPanel* pnl5 = panel("pnl5_", pnl4, alClient, 0, RowHeight);
    panel("pnl6_", pnl5, alTop, 0, 15);
    auto* progress = new TskSkinGauge(owner);
    progress->SetName(RowName("progress_", r));
    progress->SetTag(r);
    progress->SetSkinData(skSkinData2);
    progress->SetBounds(0, 20, std::max(pnl5->ClientWidth(), 1), 16);
    progress->SetAlign(alTop);
    progress->SetShowPercent(true);
    progress->SetMinValue(0);
    progress->SetMaxValue(std::max(0, static_cast<int>(Round(ParseFloatDot(cell(SourceRecord::Length))))));
    progress->SetValue(0);
    progress->SetParent(pnl5);
}

void TOmQueue::RemoveItem(int r)
{
    // The separator goes with its row; freeing the row panel frees every control of the nest.
    for (const char* prefix : {"pnl11_", "pnl0_"})
        if (TControl* c = Find({prefix}, r))
            c->Free();
}

std::string TOmQueue::getAID(int r) const
{
    const auto* box = dynamic_cast<TRowComboBox*>(Find({"pnl0_", "pnl2_", "pnl9_", "aidbox_"}, r));
    return box ? ComboText(box) : std::string();
}

std::string TOmQueue::getSID(int r) const
{
    const auto* on = dynamic_cast<TskSkinCheckRadioBox*>(Find({"pnl0_", "pnl2_", "pnl9_", "chk2_"}, r));
    const auto* box = dynamic_cast<TRowComboBox*>(Find({"pnl0_", "pnl2_", "pnl9_", "sidbox_"}, r));
    return on && box && on->Checked() ? ComboText(box) : std::string();
}

void TOmQueue::SetFilesize()
{
    const TskSkinStringGrid& g = *FForm->StringGrid1;
    const int quality = vq ? vq->Value() : 0;
    for (int i = 0; i < g.RowCount(); ++i)
        if (auto* lbl = dynamic_cast<TskSkinSpeedButton*>(Find({"pnl0_", "pnl4_", "lbl2_"}, i))) {
            // The length as it stands: a clip shorter than half a second still makes a file of some size.
            const double seconds = ParseFloatDot(g.Cells(SourceRecord::Length, i));
            lbl->SetCaption(FormatSizeMB(quality * 10, 128, std::max(seconds, 0.0)));
        }
}

void TOmQueue::setProgress(int r, int Seconds)
{
    auto* gauge = dynamic_cast<TskSkinGauge*>(Find({"pnl0_", "pnl4_", "pnl5_", "progress_"}, r));
    if (!gauge) {
        // No row to show it in: the position still counts for the judgement of the part.
        FForm->RunState.CurrentPos = std::clamp(Seconds, 0, std::max(FForm->RunState.CurrentTotal, 0));
        return;
    }
    gauge->SetValue(Seconds);
    FForm->RunState.CurrentPos = gauge->Value();
    FForm->RunState.CurrentTotal = gauge->MaxValue();
}

void TOmQueue::ClearProgress()
{
    for (int i = 0; i < FForm->StringGrid1->RowCount(); ++i)
        if (auto* gauge = dynamic_cast<TskSkinGauge*>(Find({"pnl0_", "pnl4_", "pnl5_", "progress_"}, i)))
            gauge->SetValue(gauge->MinValue());
}

void TOmQueue::setChk0(int r)
{
    if (auto* chk = dynamic_cast<TskSkinCheckRadioBox*>(Find({"pnl0_", "pnl7_", "chk0_"}, r)))
        chk->SetChecked(false);
}

void TOmQueue::setNote(int r, const std::string& Text)
{
    auto* gauge = dynamic_cast<TskSkinGauge*>(Find({"pnl0_", "pnl4_", "pnl5_", "progress_"}, r));
    if (!gauge)
        return;
    gauge->SetProgressText(Text);
    gauge->SetShowProgressText(!Text.empty());
    gauge->SetShowPercent(Text.empty());
    if (!Text.empty())
        gauge->SetValue(0);
}

void TOmQueue::SelectionChanged(int r, const std::string& Value)
{
    if (auto* chk = dynamic_cast<TskSkinCheckRadioBox*>(Find({"pnl0_", "pnl7_", "chk0_"}, r)))
        chk->SetChecked(Value == "YES");
}

void TOmQueue::checkboxClick(TObject* Sender)
{
    const auto* chk = dynamic_cast<TskSkinCheckRadioBox*>(Sender);
    if (!chk)
        return;
    TskSkinStringGrid& g = *FForm->StringGrid1;
    const int r = chk->Tag();
    // The box fires its click also when it follows the record; a "Done" or "No" the driver wrote
    // must not turn into "NO" that way (an unchecked box already means "not to convert").
    const std::string now = g.Cells(SourceRecord::Selected, r);
    if (chk->Checked())
        g.SetCells(SourceRecord::Selected, r, "YES");
    else if (now != "Done" && now != "No")
        g.SetCells(SourceRecord::Selected, r, "NO");
}

void TOmQueue::aidChange(TObject* Sender)
{
    // A box of a single audio track offers no choice.
    StoreTrackChoice(*FForm, Sender, 2, SourceRecord::AudioChoice, SourceRecord::AudioIndex, "switch_audio ");
}

void TOmQueue::sidChange(TObject* Sender)
{
    StoreTrackChoice(*FForm, Sender, 1, SourceRecord::SubtitleChoice, SourceRecord::SubtitleIndex, "sub_select ");
}

void TOmQueue::sidClick(TObject* Sender)
{
    const auto* chk = dynamic_cast<TskSkinCheckRadioBox*>(Sender);
    if (!chk)
        return;
    TskSkinStringGrid& g = *FForm->StringGrid1;
    const int r = chk->Tag();
    g.SetCells(SourceRecord::SubtitlesOn, r, chk->Checked() ? "YES" : "NO");
    // Ticking the box means the subtitle the list shows: with no choice made yet (the list starts on
    // its first entry, and picking that entry again changes nothing) it would convert without any.
    const auto* box = dynamic_cast<TRowComboBox*>(Find({"pnl0_", "pnl2_", "pnl9_", "sidbox_"}, r));
    if (chk->Checked() && box && box->ItemIndex() >= 0) {
        g.SetCells(SourceRecord::SubtitleChoice, r, ComboText(box));
        g.SetCells(SourceRecord::SubtitleIndex, r, IntToStr(box->ItemIndex()));
    }
}

void TOmQueue::editChange(TObject* Sender)
{
    if (const auto* edit = dynamic_cast<TskSkinEdit*>(Sender))
        FForm->StringGrid1->SetCells(SourceRecord::OutputName, edit->Tag(), edit->Text());
}

void TOmQueue::ImageClick(TObject* Sender)
{
    if (const auto* image = dynamic_cast<TImage*>(Sender); image && OnImageClick)
        OnImageClick(image->Tag());
}
