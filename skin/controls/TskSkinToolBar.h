#pragma once
// A skinned panel for rows of speed buttons, skin entry "toolpanel". It hands its skin, its flat look,
// its captions and its image lists to the buttons on it, centres foreign controls vertically, and when
// its row overflows (CanScroll) shows two 12-pixel scroll buttons in its non-client area that move the
// row left and right, one step per click or continuously while held.
#include <string>

#include "skin/controls/TskSkinPanel.h"

// Hit-test answers of the two scroll buttons.
constexpr LRESULT HTSCROLLLEFT = 119;
constexpr LRESULT HTSCROLLRIGHT = 120;

class TskSkinToolBar : public TskSkinPanel {
public:
    explicit TskSkinToolBar(TComponent* AOwner);
    ~TskSkinToolBar() override;

    bool AdjustControls() const { return FAdjustControls; }
    void SetAdjustControls(bool Value) { FAdjustControls = Value; }
    bool CanScroll() const { return FCanScroll; }
    void SetCanScroll(bool Value) { FCanScroll = Value; }
    bool HotScroll() const { return FHotScroll; }
    void SetHotScroll(bool Value) { FHotScroll = Value; }
    int ScrollOffset() const { return FScrollOffset; }
    void SetScrollOffset(int Value);
    int ScrollTimerInterval() const { return FScrollTimerInterval; }
    void SetScrollTimerInterval(int Value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool Value);
    bool AutoShowHideCaptions() const { return FAutoShowHideCaptions; }
    void SetAutoShowHideCaptions(bool Value) { FAutoShowHideCaptions = Value; }
    int WidthWithCaptions() const { return FWidthWithCaptions; }
    void SetWidthWithCaptions(int Value) { FWidthWithCaptions = Value; }
    int WidthWithoutCaptions() const { return FWidthWithoutCaptions; }
    void SetWidthWithoutCaptions(int Value) { FWidthWithoutCaptions = Value; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TCustomImageList* HotImages() const { return FHotImages; }
    void SetHotImages(TCustomImageList* Value);
    TCustomImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TCustomImageList* Value);

    void SetSkinDataName(const std::string& Value) override;
    void SetSkinData(TskSkinData* Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void FindSkinObject() override;

    // The scroll state as the user sees it: the buttons shown, how far the row is moved left, and
    // the largest such move.
    bool ScrollButtonsVisible() const { return FLeftButton.Visible; }
    int ScrollPosition() const { return FOffset; }
    int MaxScrollPosition() const { return FExtent - FPage + 1 > 0 ? FExtent - FPage + 1 : 0; }
    // 0 none, 1 scrolling left, 2 scrolling right.
    int ScrollMode() const { return FScrollMode; }
    // The top at which a child AHeight high sits centred in the bar's button area.
    int CentredTop(int AHeight);
    // The same for a bar that centres its skinned children (AdjustControls) as the parent of Child;
    // ATop unchanged otherwise.
    static int CentredTopIn(TControl* Child, int ATop, int AHeight);
    // The skin name a child button gets under a tool bar of the given name.
    static std::string ChildSkinName(const std::string& BarName, TControl* Child);

protected:
    void AdjustClientRect(TRect& Rect) override;
    void DrawSkinImage(TBitmap* B) override;
    void WndProc(TMessage& Message) override;

private:
    // Repaints the child buttons, which draw from the bar's image list.
    void RepaintImageButtons();
    struct TScrollButton {
        TRect R;
        bool Hot = false;
        bool Down = false;
        bool Visible = false;
    };
    void UpdateRange();
    void ShowScrollButtons(bool Value);
    void CentreChildren();
    void StartScroll(int Mode);
    void StopScroll();
    void ScrollStep(int Mode);
    void ClearHot();
    void PaintScrollButtons();
    void PaintScrollButton(TCanvas* C, const TScrollButton& Button, int ArrowCode);
    int ContentExtent() const;
    void RepaintButtons();

    bool FAdjustControls = true;
    bool FCanScroll = false;
    bool FHotScroll = false;
    int FScrollOffset = 0;
    int FScrollTimerInterval = 50;
    bool FShowCaptions = false;
    bool FAutoShowHideCaptions = false;
    int FWidthWithCaptions = 0;
    int FWidthWithoutCaptions = 0;
    bool FFlat = false;
    TComponentLink<TCustomImageList> FImages{this, [this] { RepaintImageButtons(); }};
    TComponentLink<TCustomImageList> FHotImages{this};
    TComponentLink<TCustomImageList> FDisabledImages{this};

    // Scrolling: the content extent minus 1, how far the children are moved left, the client width at
    // the last range update, and how much the bar grew since.
    int FExtent = 0;
    int FOffset = 0;
    int FPage = 0;
    int FGrowth = 0;
    int FScrollMode = 0;
    bool FTimerOn = false;
    TScrollButton FLeftButton, FRightButton;
    bool FInRangeUpdate = false;
    // The "resizebutton" entry that the scroll buttons are made of (-1: none).
    int FButtonSkinIndex = -1;
};
