#pragma once
// A drop-down that offers the images of an image list as a grid of cells, broken by header rows and
// full-width button rows, and lets the user pick one with the mouse or the keyboard; the pick becomes
// ItemIndex. The window exists while the menu is open and never takes activation.
//
// Closing never frees the window from inside its own message handling: the hidden window is released
// (freed by a posted message) at the next Popup or with the menu.
#include <memory>
#include <string>

#include "platform/vcl/Graphics.h"
#include "platform/vcl/TCollection.h"
#include "platform/vcl/TCustomControl.h"
#include "skin/controls/TskTrackImagesMenu.h"
#include "skin/form/SkinPopupLook.h"
#include "platform/rtl/TAliveFlag.h"

class TCustomImageList;
class TskSkinData;
class TskSkinHint;
class TskSkinImagesMenu;
class TskDataSkinMenuItem;
class TskDataSkinLabelControl;
class TskDataSkinButtonControl;

// Fade-in of the window: opacity +10 every 5 ms up to AlphaBlendValue.
constexpr unsigned SkinImagesMenuFadeInterval = 5;
constexpr int SkinImagesMenuFadeStep = 10;

class TskImagesMenuItem : public TCollectionItem {
public:
    explicit TskImagesMenuItem(TCollection* Collection) : TCollectionItem(Collection) {}
    void Assign(TPersistent* Source) override;

    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value) { FCaption = Value; }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value) { FHint = Value; }
    bool Button() const { return FButton; }
    void SetButton(bool Value) { FButton = Value; }
    bool Header() const { return FHeader; }
    void SetHeader(bool Value) { FHeader = Value; }

    TNotifyEvent OnClick;
    // The entry's place in the window, set by the layout.
    TRect ItemRect;

private:
    int FImageIndex = -1;
    std::string FCaption;
    std::string FHint;
    bool FButton = false;
    bool FHeader = false;
};

class TskImagesMenuItems : public TCollection {
public:
    explicit TskImagesMenuItems(TPersistent* AOwner) : TCollection(TCollection::Of<TskImagesMenuItem>(), AOwner) {}
    TskImagesMenuItem* Items(int Index) const { return ItemsAs<TskImagesMenuItem>(Index); }
    TskImagesMenuItem* Add() { return static_cast<TskImagesMenuItem*>(TCollection::Add()); }
};

class TskSkinImagesMenuPopupWindow : public TCustomControl {
public:
    explicit TskSkinImagesMenuPopupWindow(TskSkinImagesMenu* AMenu);
    ~TskSkinImagesMenuPopupWindow() override;

    // Lays the entries out and shows the window under the screen rectangle R.
    void Show(const TRect& R);
    // Closes the window; Accept chooses the selected entry.
    void Hide(bool Accept);
    void KeyDown(WORD Key);
    int Selected() const { return FSelected; }
    bool Open() const { return FOpen; }
    // Cuts the window from its menu and frees it once the messages now queued have run: it may still be
    // inside its own mouse or key handling.
    void Release();
    // Whether the window paints from the skin (a usable [POPUPWINDOW] picture).
    bool Skinned() const { return FLook.Skinned(); }
    BYTE Opacity() const { return FTranslucency.Opacity(); }
    bool Fading() const { return FTranslucency.Fading(); }

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TSize Arrange();
    int EntryAt(int X, int Y) const;
    void Select(int Index, bool ShowHint);
    bool Selectable(int Index) const;
    int Count() const;
    TskImagesMenuItem* Entry(int Index) const;
    int Vertical(bool Up) const;
    // The skin's pieces the window uses; all nullptr without a skinned look.
    void FindSkinLook();
    int HeaderHeight(int CellHeight) const;
    void PaintEntry(TCanvas* C, int Index);
    void PaintHeader(TCanvas* C, TskImagesMenuItem* E);
    void PaintButton(TCanvas* C, TskImagesMenuItem* E, bool Hot, bool Down);
    void PaintCell(TCanvas* C, const TRect& R, bool Hot, bool Down);

    TskSkinImagesMenu* FMenu;
    TskPopupSkin FLook;
    TskPopupTranslucency FTranslucency{1, SkinImagesMenuFadeInterval, SkinImagesMenuFadeStep};
    TskDataSkinMenuItem* FItemData = nullptr;
    TBitmap* FItemPicture = nullptr;
    TskDataSkinLabelControl* FLabelData = nullptr;
    TBitmap* FLabelPicture = nullptr;
    TskDataSkinButtonControl* FButtonData = nullptr;
    TBitmap* FButtonPicture = nullptr;
    int FSelected = -1;
    bool FMouseDown = false;
    bool FDownOnItem = false;
    bool FOpen = false;
    int FHook = 0;
};

class TskSkinImagesMenu : public TComponent, public TskTrackImagesMenu {
public:
    explicit TskSkinImagesMenu(TComponent* AOwner);
    ~TskSkinImagesMenu() override;

    // Opens the window under the screen rectangle R (an open one closes first, choosing nothing).
    void Popup(const TRect& R);
    // The entry at ItemIndex, or nullptr.
    TskImagesMenuItem* GetSelectedItem() const;
    // For a menu button: Popup with a close handler of its own, and the chosen entry's picture.
    bool TrackPopup(const TRect& R, TNotifyEvent OnClose) override;
    bool TrackSelected(TCustomImageList*& Images, int& ImageIndex, std::string& Caption) const override;

    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TskImagesMenuItems* ImagesItems() const { return FItems.get(); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value) { FItemIndex = Value; }
    int ColumnsCount() const { return FColumnsCount; }
    // Only 1..50 is taken.
    void SetColumnsCount(int Value);
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    TskSkinHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(TskSkinHint* Value);
    bool ShowHints() const { return FShowHints; }
    void SetShowHints(bool Value) { FShowHints = Value; }
    bool ShowSelectedItem() const { return FShowSelectedItem; }
    void SetShowSelectedItem(bool Value) { FShowSelectedItem = Value; }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
    BYTE AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(BYTE Value) { FAlphaBlendValue = Value; }

    // The open window, or nullptr.
    TskSkinImagesMenuPopupWindow* Window() const { return FWindow; }
    int SavedItemIndex() const { return FSavedItemIndex; }

    TNotifyEvent OnItemClick;
    TNotifyEvent OnChange;
    TNotifyEvent OnMenuPopup;
    TNotifyEvent OnMenuClose;
    // For the owning control: fired before OnMenuClose and before OnChange.
    TNotifyEvent OnInternalMenuClose;
    TNotifyEvent OnInternalChange;

    // Called by the window when it has closed.
    void WindowClosed(bool Accept);

protected:

private:
    void ImagesGone();
    void FreeClosedWindow();

    TComponentLink<TCustomImageList> FImages{this, [this] { ImagesGone(); }};
    std::unique_ptr<TskImagesMenuItems> FItems;
    int FItemIndex = -1;
    int FColumnsCount = 1;
    TComponentLink<TskSkinData> FSkinData{this};
    TComponentLink<TskSkinHint> FSkinHint{this};
    bool FShowHints = true;
    bool FShowSelectedItem = true;
    bool FUseSkinFont = true;
    std::unique_ptr<TFont> FDefaultFont;
    bool FAlphaBlend = false;
    bool FAlphaBlendAnimation = false;
    BYTE FAlphaBlendValue = 200;
    TskSkinImagesMenuPopupWindow* FWindow = nullptr;
    TskSkinImagesMenuPopupWindow* FClosedWindow = nullptr;
    int FSavedItemIndex = -1;
    TAliveFlag FAlive;
};

void RegisterSkinImagesMenuClasses();
