#pragma once
// What the skinned tree and list views share: no bars or border of their own, their scroll state
// mirrored into external skinned scroll bars (shown only while there is something to scroll) that
// scroll the view in turn, and font and colours from the skin entry (of type TEntry), or from
// DefaultFont and DefaultColor without one. TBase is the component library's tree or list view.
#include <memory>
#include <string>

#include "platform/vcl/TypInfo.h"
#include "skin/controls/SkinLink.h"
#include "skin/controls/TskSkinScrollBar.h"

template <class TBase, class TEntry> class TskSkinScrolledView : public TBase {
public:
    TskSkinScrolledView(TComponent* AOwner, const std::string& ASkinDataName);
    ~TskSkinScrolledView() override;

    TskSkinData* SkinData() const { return FSkinLink.Data(); }
    void SetSkinData(TskSkinData* Value);
    const std::string& SkinDataName() const { return FSkinLink.Name(); }
    void SetSkinDataName(const std::string& Value) { FSkinLink.SetName(Value); }
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    TskSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TskSkinScrollBar* Value);
    TskSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TskSkinScrollBar* Value);
    // The index of the skin entry in use (-1: none).
    int SkinIndex() const { return FSkinLink.Index(); }

    // Shows, hides and ranges the linked bars from the view's scroll state.
    virtual void UpdateScrollBars() = 0;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Loaded() override;
    // The view's own refresh (RefreshTreeViewSkin, RefreshListViewSkin).
    virtual void RefreshViewSkin() = 0;
    virtual void OnVScrollBarChange(TObject* Sender) = 0;
    virtual void OnHScrollBarChange(TObject* Sender) = 0;
    // Finds the entry and takes font and colours from it or from the defaults.
    void ApplySkinLook();
    // Ranges the bars again and lets the parent lay them out again.
    void RealignBars();
    // True when Bar is there and its visibility changed.
    bool ShowBar(TskSkinScrollBar* Bar, bool Show);
    // After a bar appeared or went: an aligned view's parent lays the bars and the view out again.
    void RealignForBars(bool Changed);

    TskSkinLink FSkinLink;
    std::unique_ptr<TFont> FDefaultFont;
    TComponentLink<TskSkinScrollBar> FVScrollBar{this};
    TComponentLink<TskSkinScrollBar> FHScrollBar{this};
    bool FUpdatingBars = false;

private:
    void LinkBar(TComponentLink<TskSkinScrollBar>& Field, TskSkinScrollBar* Value, bool Vertical);

    TColor FDefaultColor = clWindow;
    bool FUseSkinFont = true;
};

// Tells the form reader about the properties the two views share.
template <class C> void SkinViewProps(TClassRegistration<C>& r)
{
    r.Prop("SkinData", &C::SkinData, &C::SetSkinData)
        .Prop("SkinDataName", &C::SkinDataName, &C::SetSkinDataName)
        .Prop("DefaultFont", &C::DefaultFont)
        .Prop("DefaultColor", &C::DefaultColor, &C::SetDefaultColor)
        .Prop("UseSkinFont", &C::UseSkinFont, &C::SetUseSkinFont, true)
        .Prop("VScrollBar", &C::VScrollBar, &C::SetVScrollBar)
        .Prop("HScrollBar", &C::HScrollBar, &C::SetHScrollBar);
}
