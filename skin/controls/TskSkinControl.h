#pragma once
// The windowed skinned controls' base. TskSkinControl links a control to a skin (SkinData) and to its
// entry there (SkinDataName), paints through an off-screen bitmap, from the skin (DrawSkinImage) or in
// a plain default look (DrawDefaultImage), optionally blended over the parent's background, and tells
// its children when the background under them changes (WM_SKPARENTBGCHANGED). TskSkinCustomControl adds
// the resizable picture: the nine-part, three-part or fixed geometry of a TskDataSkinCustomControl
// entry, the size it allows, the window region from the entry's mask, and the direct painting of large
// frames that never builds a bitmap of the whole control.
#include "skin/controls/TskSkinLinkedControl.h"
#include "skin/controls/TskSkinResizableControl.h"
#include "skin/data/SkinMessages.h"

class TskSkinControl : public TskSkinLinkedControl<TCustomControl> {
public:
    explicit TskSkinControl(TComponent* AOwner) : TskSkinLinkedControl<TCustomControl>(AOwner) {}

    void ParentBackgroundChanged() override;
    // WM_SKPARENTBGCHANGED to every child: sent to windowed ones, performed on graphic ones.
    void SendParentBackgroundChanged();

protected:
    void WndProc(TMessage& Message) override;
    // Answers a background erase by painting the whole control into the erase device context, unless
    // the erase comes from the control's own paint (which paints it anyway). For controls whose picture
    // a parent may gather into one device context with its own.
    void PaintOnErase(TMessage& Message);
    // Takes the focus for a press, as a control that takes it does before it acts on the press; true
    // when the control has it afterwards (it had it already, it is being designed, or it took it), false
    // when it cannot take it or a handler of the focus change moved it on: the press then goes no
    // further. While the focus moves, TakingFocus() is true, so that the command the move sends is not
    // taken for one of the press's own.
    bool TakeFocusOnPress();
    bool TakingFocus() const { return FTakingFocus; }

    bool FInPaint = false;

private:
    bool FTakingFocus = false;
};

class TskSkinCustomControl : public TskSkinResizableControl<TskSkinControl> {
public:
    explicit TskSkinCustomControl(TComponent* AOwner) : TskSkinResizableControl<TskSkinControl>(AOwner) {}
    ~TskSkinCustomControl() override;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    const TRect& NewSkinClientRect() const { return FNewSkinClientRect; }
    // A rectangle of the skin picture (relative to "skinrect") moved and widened for the current size.
    void MapSkinRect(const TRect& R, TRect& Result) const;
    void ApplySkinRegion() override;
    bool HasWindowRegion() const { return FHasRegion; }

protected:
    void Paint() override;
    void PaintFrameDirect();

    bool FPaintClientArea = true;

private:
    void SetSkinRegion();

    bool FHasRegion = false;
};

extern template class TskSkinResizableControl<TskSkinControl>;

// Registers every skinned control class with the form reader, the component library's classes first.
void RegisterSkinControlClasses();
