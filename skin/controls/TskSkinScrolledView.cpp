#include "skin/controls/TskSkinScrolledView.h"

#include "platform/rtl/ScopeGuards.h"
#include "platform/vcl/TCustomListView.h"
#include "platform/vcl/TCustomTreeView.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinEntryFont.h"
#include "skin/data/TskDataSkinEditControl.h"
#include "skin/data/TskResourceStrData.h"
#include "skin/data/TskSkinData.h"

template <class TBase, class TEntry>
TskSkinScrolledView<TBase, TEntry>::TskSkinScrolledView(TComponent* AOwner, const std::string& ASkinDataName)
    : TBase(AOwner), FSkinLink(this, ASkinDataName), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
}

template <class TBase, class TEntry> TskSkinScrolledView<TBase, TEntry>::~TskSkinScrolledView()
{
    // A bar that outlives the view must not call into it afterwards.
    LinkBar(FVScrollBar, nullptr, true);
    LinkBar(FHScrollBar, nullptr, false);
}

template <class TBase, class TEntry> void TskSkinScrolledView<TBase, TEntry>::CreateParams(TCreateParams& Params)
{
    TBase::CreateParams(Params);
    // The linked skinned bars take the place of the native ones.
    Params.Style &= ~(WS_HSCROLL | WS_VSCROLL);
}

template <class TBase, class TEntry> void TskSkinScrolledView<TBase, TEntry>::SetSkinData(TskSkinData* Value)
{
    if (FSkinLink.SetData(Value) && !this->ComponentState().Contains(csDesigning)) RefreshViewSkin();
}

template <class TBase, class TEntry> void TskSkinScrolledView<TBase, TEntry>::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
    if (SkinIndex() == -1) this->Font()->Assign(Value);
}

template <class TBase, class TEntry> void TskSkinScrolledView<TBase, TEntry>::SetDefaultColor(TColor Value)
{
    if (Value == FDefaultColor) return;
    FDefaultColor = Value;
    if (SkinIndex() == -1) this->SetColor(Value);
}

template <class TBase, class TEntry> void TskSkinScrolledView<TBase, TEntry>::ApplySkinLook()
{
    TFont* font = this->Font();
    auto* entry = FSkinLink.template EntryAs<TEntry>(FSkinLink.Locate());
    const bool skinFace = entry != nullptr && FUseSkinFont;
    SelectEntryFont(font, skinFace ? nullptr : FDefaultFont.get(), skinFace ? entry : nullptr, FSkinLink.Data(),
        FDefaultFont->Charset());
    if (!entry) {
        FSkinLink.Forget();
        this->SetColor(FDefaultColor);
    } else {
        font->SetColor(entry->FontColor);
        this->SetColor(entry->BGColor);
    }
}

template <class TBase, class TEntry> void TskSkinScrolledView<TBase, TEntry>::RealignBars()
{
    UpdateScrollBars();
    if (FVScrollBar) FVScrollBar->SetAlign(FVScrollBar->Align());
    if (FHScrollBar) FHScrollBar->SetAlign(FHScrollBar->Align());
}

template <class TBase, class TEntry>
void TskSkinScrolledView<TBase, TEntry>::LinkBar(TComponentLink<TskSkinScrollBar>& Field, TskSkinScrollBar* Value, bool Vertical)
{
    if (Field && Field != Value) Field->OnChange = nullptr;
    Field = Value;
    if (!Value) return;
    Value->SetEnabled(true);
    Value->SetVisible(false);
    if (Vertical)
        Value->OnChange = [this](TObject* Sender) { OnVScrollBarChange(Sender); };
    else
        Value->OnChange = [this](TObject* Sender) { OnHScrollBarChange(Sender); };
}

template <class TBase, class TEntry> void TskSkinScrolledView<TBase, TEntry>::SetVScrollBar(TskSkinScrollBar* Value)
{
    LinkBar(FVScrollBar, Value, true);
    UpdateScrollBars();
}

template <class TBase, class TEntry> void TskSkinScrolledView<TBase, TEntry>::SetHScrollBar(TskSkinScrollBar* Value)
{
    LinkBar(FHScrollBar, Value, false);
    UpdateScrollBars();
}

template <class TBase, class TEntry> bool TskSkinScrolledView<TBase, TEntry>::ShowBar(TskSkinScrollBar* Bar, bool Show)
{
    if (!Bar || Bar->Visible() == Show) return false;
    Bar->SetVisible(Show);
    return true;
}

template <class TBase, class TEntry> void TskSkinScrolledView<TBase, TEntry>::RealignForBars(bool Changed)
{
    if (!Changed || this->Align() == alNone || !this->Parent()) return;
    TValueGuard updatingBars(FUpdatingBars);
    this->Parent()->Realign();
}

template <class TBase, class TEntry> void TskSkinScrolledView<TBase, TEntry>::Loaded()
{
    TBase::Loaded();
    RefreshViewSkin();
}

template <class TBase, class TEntry> void TskSkinScrolledView<TBase, TEntry>::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    // No native border or bar is ever painted.
    case WM_NCCALCSIZE:
    case WM_NCPAINT: return;
    case CM_PAINTSKINFRAME: Message.Result = SkinFramePainted; return;
    case CM_VISIBLECHANGED:
        TBase::WndProc(Message);
        if (FVScrollBar) FVScrollBar->SetVisible(this->Visible() && FVScrollBar->Visible());
        if (FHScrollBar) FHScrollBar->SetVisible(this->Visible() && FHScrollBar->Visible());
        UpdateScrollBars();
        return;
    default: TBase::WndProc(Message);
    }
}

template class TskSkinScrolledView<TCustomTreeView, TskDataSkinTreeView>;
template class TskSkinScrolledView<TCustomListView, TskDataSkinListView>;
