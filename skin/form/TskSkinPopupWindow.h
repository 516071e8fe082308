#pragma once
// One open window of a skinned menu chain: a borderless, top-most window that never takes the focus,
// lists the subitems of one menu item, sizes itself from the item texts and the skin, places itself
// beside an anchor rectangle inside the work area, scrolls when it cannot show every item, paints
// through one off-screen bitmap (from the skin's [POPUPWINDOW] picture and "menuitem" object, or a plain
// look), can be translucent and fade in, and follows the pointer by polling it every 50 ms.
//
// The owning TskSkinMenu creates, shows and releases it. A released window is hidden at once and freed
// only when no menu code is running any more (a click handler may close the chain from inside the very
// window it was chosen in).
#include <memory>
#include <vector>

#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomControl.h"
#include "platform/vcl/TMenu.h"
#include "skin/form/SkinPopupLook.h"
#include "skin/form/TskSkinMenu.h"

class TCustomImageList;
class TskDataSkinPopupWindow;

// Window timers of the popup.
constexpr UINT_PTR SkinPopupScrollTimer = 1;   // scroll steps while the pointer rests on a marker
constexpr UINT_PTR SkinPopupCursorTimer = 2;   // pointer watch
constexpr UINT_PTR SkinPopupEffectTimer = 3;   // item morph and animation steps
constexpr UINT_PTR SkinPopupFadeTimer = 4;     // fade-in of the root window
constexpr unsigned SkinPopupCursorInterval = 50;
constexpr unsigned SkinPopupScrollInterval = 100;
constexpr unsigned SkinPopupFadeInterval = 5;
constexpr int SkinPopupFadeStep = 10;
// Height of the scroll markers at the top and bottom of the item area.
constexpr int SkinPopupMarkerHeight = 10;

class TskSkinPopupWindow : public TCustomControl {
public:
    TskSkinPopupWindow(TComponent* AOwner, TskDataSkinPopupWindow* APopupData, TskSkinMenu* ASkinMenu);
    ~TskSkinPopupWindow() override;

    // Builds the items from the subitems of Item starting at FirstIndex, places and shows the window.
    void Show(const TRect& R, TMenuItem* Item, int FirstIndex, bool IsSubMenu, bool PopupToUp);
    // The same over a list of menu items (two menus shown as one); RootItem names the menu they come from.
    void ShowItems(const TRect& R, const std::vector<TMenuItem*>& MenuItems, TMenuItem* RootItem, int FirstIndex,
        bool IsSubMenu, bool PopupToUp);
    void KeyDown(WORD Key);
    // Closes the windows after this one and clears Down on its own items.
    void ResetSubMenus();
    void TestActive(int X, int Y);
    void PaintWindow(HDC DC) override;
    void DrawItem(TskSkinMenuItem* Item);
    void StartEffectTimer(unsigned Interval);
    // Hides the window for good and leaves it to be freed when no menu code runs any more.
    void Release();
    bool Released() const { return FReleased; }

    TskSkinMenu* SkinMenu() const { return FSkinMenu; }
    TskSkinData* SkinData() const { return FSkinData; }
    TskDataSkinPopupWindow* PopupData() const { return FPopupData; }
    // Whether the window paints from the skin (a usable [POPUPWINDOW] picture).
    bool Skinned() const { return FPopupData != nullptr && FLook.Skinned(); }
    int ItemCount() const { return static_cast<int>(FItems.size()); }
    TskSkinMenuItem* Items(int Index) const { return FItems.at(static_cast<std::size_t>(Index)).get(); }
    int IndexOfItem(const TskSkinMenuItem* Item) const;
    int ActiveItem() const { return FActiveItem; }
    int TopIndex() const { return FTopIndex; }
    int VisibleCount() const { return FVisibleCount; }
    bool Scrolling() const { return FScrolling; }
    int ScrollState() const { return FScrollState; }
    const TRect& ItemsRect() const { return FItemsRect; }
    TPoint WindowPos() const { return FWindowPos; }
    BYTE Opacity() const { return FOpacity; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void CreateItems(const std::vector<TMenuItem*>& MenuItems, TMenuItem* RootItem, int FirstIndex);
    int ItemHeight(const TskSkinMenuItem* Item) const;
    int NormalItemHeight() const;
    int FramePartHeight() const;
    void CalcSize();
    void CalcItemsRect();
    void ArrangeItems();
    void PlaceWindow(const TRect& R, bool IsSubMenu, bool PopupToUp);
    void ApplyRegion();
    void ShowWindowNow();
    void CursorTimerTick();
    void FadeTimerTick();
    void EffectTimerTick();
    void ScrollTimerTick();
    TRect UpMarkerRect() const;
    TRect DownMarkerRect() const;
    void StartScrolling();
    void StopScrolling();
    bool ScrollUpStep();
    bool ScrollDownStep();
    int LastTopIndex() const;
    void SetActive(int Index);
    void NextItem();
    void PrevItem();
    void EnsureVisible(int Index);
    void RepaintAll();

    void PaintBackground(TBitmap* B);
    void PaintMarkers(TBitmap* B);
    void PaintMarker(TCanvas* C, const TRect& R, bool Up);
    void PaintItem(TskSkinMenuItem* Item, TBitmap* B);
    void PaintDefaultItem(TskSkinMenuItem* Item, TBitmap* B);
    void PaintSkinItem(TskSkinMenuItem* Item, TBitmap* B);
    void ComposeSkinItemBack(TskSkinMenuItem* Item, TBitmap* B, bool ActiveLook);
    void PaintItemMarks(TskSkinMenuItem* Item, TCanvas* C, const TRect& ImageR, TColor Color, bool Skinned);
    void PaintHeader(TskSkinMenuItem* Item, TBitmap* B);
    void PaintItemText(TskSkinMenuItem* Item, TCanvas* C, const TRect& TextR, TColor Color);
    int ImageColumnWidth() const;
    // The default look's item: its picture column, the gap before the text, and the room kept at the
    // right for the submenu arrow. The window's width is measured with the same figures.
    int DefaultItemColumn() const;
    static constexpr int DefaultItemTextGap = 4;
    static constexpr int DefaultItemArrowRoom = 19;

    TskSkinMenu* FSkinMenu;
    TskSkinData* FSkinData = nullptr;
    TskDataSkinPopupWindow* FPopupData = nullptr;
    TskPopupSkin FLook;
    TskDataSkinMenuItem* FItemData = nullptr;
    TBitmap* FItemPicture = nullptr;
    bool FAlphaBlend = false;
    BYTE FAlphaBlendValue = 200;
    bool FAlphaBlendAnimation = false;
    bool FFading = false;
    BYTE FOpacity = 255;
    std::vector<std::unique_ptr<TskSkinMenuItem>> FItems;
    int FActiveItem = -1;
    int FOldActiveItem = -1;
    int FTopIndex = 0;
    int FVisibleCount = 0;
    bool FScrolling = false;
    bool FScrollByLimit = false;
    int FScrollState = 0;
    TRect FItemsRect;
    int FImageColumn = 16;
    TCustomImageList* FImages = nullptr;
    TPoint FLastCursor{-1, -1};
    std::unique_ptr<TBitmap> FBackground;
    std::unique_ptr<TBitmap> FMeasure;
    TPoint FWindowPos;
    bool FReleased = false;
    friend class TskSkinMenu;
};
