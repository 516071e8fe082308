#pragma once
// A container whose children scroll, with no bars of its own: it drives the skinned scroll bars linked
// through VScrollBar and HScrollBar, keeping each bar's range equal to the extent of its children and its
// page equal to the visible extent. Painted from the entry "scrollbox", whose frame becomes the window's
// non-client border, or with a plain one-pixel frame.
#include "skin/controls/TskSkinControl.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/controls/TskSkinScrollBar.h"

class TskSkinScrollBox : public TskSkinCustomControl {
public:
    explicit TskSkinScrollBox(TComponent* AOwner);
    ~TskSkinScrollBox() override;

    TskSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TskSkinScrollBar* Value);
    TskSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TskSkinScrollBar* Value);
    TskSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TskSkinBorderStyle Value);
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value) { FCanFocused = Value; }

    // Bring each linked bar in line with the children: shown with the content's range when the content
    // is larger than the client, hidden (and the content moved back) when it fits.
    void UpdateVScrollBar();
    void UpdateHScrollBar();

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void FindSkinObject() override;
    void RefreshSkin() override;

protected:
    void DrawDefaultImage(TBitmap* B) override;
    void DrawSkinImage(TBitmap* B) override;
    void Paint() override;
    void AdjustClientRect(TRect& Rect) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void WndProc(TMessage& Message) override;

private:
    // The bar, unless there is none or it is being freed.
    TskSkinScrollBar* WholeBar(bool Vertical) const;
    // The box's background over Area of C: the skin's client texture (or its background picture), else
    // a plain fill in Color.
    void DrawBackground(TCanvas* C, const TRect& Area);
    void FillBackground(TCanvas* C, const TRect& Area);
    bool HasFrame();
    void PaintFrame(HDC DC);
    void VScrollChanged(TObject* Sender);
    void HScrollChanged(TObject* Sender);
    void RepaintStretchedBackground();
    void UpdateBar(bool Vertical);
    // The bar the wheel and the keys move: the vertical one when it shows, else the horizontal one.
    TskSkinScrollBar* ScrollingBar() const;
    static bool IsScrollKey(WORD Key);
    bool ScrollByWheel(int Delta);
    bool ScrollByKey(WORD Key);
    // Moves the content so that Control, a control inside the box, shows: the whole of the box's child
    // that holds it (a queue row) when that fits, else Control itself.
    void ScrollInView(TControl* Control);
    void ShowBar(TskSkinScrollBar* Bar, bool Show);

    TComponentLink<TskSkinScrollBar> FVScrollBar{this};
    TComponentLink<TskSkinScrollBar> FHScrollBar{this};
    TskSkinBorderStyle FBorderStyle = bvFrame;
    bool FCanFocused = false;
    int FOldVPos = 0;
    int FOldHPos = 0;
    int FVSizeOffset = 0;
    int FHSizeOffset = 0;
    bool FUpdatingBars = false;
    bool FInBoxSetBounds = false;
    int FBGPictureIndex = -1;
};

// Tells the form reader about TskSkinScrollBox (after the skinned bases and the scroll bar).
void RegisterSkinScrollBoxClass();
