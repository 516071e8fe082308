#pragma once
// A speed button with a drop-down part, skin entry "toolmenubutton" ("resizetoolbutton" in the new
// style). A press on the drop-down part (or anywhere on the button when TrackButtonMode is off) opens a
// skinned popup menu or an images menu below the button; the button stays down until the menu closes.
//
// The menus live one layer up (with the form frame). This unit names them only as TPopupMenu (opened
// through its PopupFromRect) and as a TskTrackImagesMenu, the part of an images menu a button uses. A
// component that is no TskTrackImagesMenu opens nothing.
#include <functional>
#include <memory>
#include <string>

#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/controls/TskTrackImagesMenu.h"

class TPopupMenu;

enum TskTrackPosition { sktpRight, sktpBottom };

// The width (or height) of the drop-down part.
constexpr int SkinTrackZone = 15;

class TskSkinMenuSpeedButton : public TskSkinSpeedButton {
public:
    explicit TskSkinMenuSpeedButton(TComponent* AOwner);
    ~TskSkinMenuSpeedButton() override;

    TPopupMenu* SkinPopupMenu() const { return FSkinPopupMenu; }
    void SetSkinPopupMenu(TPopupMenu* Value);
    // A TskSkinImagesMenu (any TskTrackImagesMenu).
    TComponent* SkinImagesMenu() const { return FSkinImagesMenu; }
    void SetSkinImagesMenu(TComponent* Value);
    bool UseImagesMenuImage() const { return FUseImagesMenuImage; }
    void SetUseImagesMenuImage(bool Value);
    bool UseImagesMenuCaption() const { return FUseImagesMenuCaption; }
    void SetUseImagesMenuCaption(bool Value);
    bool TrackButtonMode() const { return FTrackButtonMode; }
    void SetTrackButtonMode(bool Value);
    bool NewStyle() const { return FNewStyle; }
    void SetNewStyle(bool Value);
    TskTrackPosition TrackPosition() const { return FTrackPosition; }
    void SetTrackPosition(TskTrackPosition Value);

    TNotifyEvent OnShowTrackMenu;
    TNotifyEvent OnHideTrackMenu;

    // Whether a press at the client point opens the menu.
    bool CanMenuTrack(int X, int Y) const;
    // A menu opened by this button is open.
    bool MenuTracking() const { return FMenuTracking; }
    virtual void TrackMenu();

    void FindSkinObject() override;

protected:
    void Paint() override;
    void DrawDefaultImage(TBitmap* B) override;
    void CreateButtonImage(TBitmap* B, const TRect& R, bool IsActive, bool IsDown) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& Message) override;

private:
    bool HasMenu() const { return FSkinPopupMenu != nullptr || FSkinImagesMenu != nullptr; }
    bool TrackAtBottom() const { return FNewStyle && FTrackPosition == sktpBottom; }
    // The drop-down part and the glyph-and-caption area beside it.
    TRect TrackZone() const;
    TRect FaceArea() const;
    // The drop-down part's place for hit testing (the skin entry's own rectangle where it has one).
    TRect TrackHitRect() const;
    // The track zone is drawn 2 pixels lower and further right.
    bool TrackShifted() const { return FMenuTracking || (Down() && FPointerIn); }
    TskButtonFace MenuFace() const;
    void DrawFace(TCanvas* C, const TRect& R, bool IsActive, bool IsDown, TColor Color);
    void DrawTrackMark(TCanvas* C, bool IsActive, bool IsDown);
    void PaintNewStyle();
    void PaintFlatRest();
    void CloseTrackMenu(bool HideBeforeLeave);
    // The base's hover mark, set or cleared through its own enter and leave handling.
    void MarkPointer(bool Inside);
    TRect ScreenRect() const;

    TComponentLink<TPopupMenu> FSkinPopupMenu{this};
    TComponentLink<TComponent> FSkinImagesMenu{this};
    bool FUseImagesMenuImage = false;
    bool FUseImagesMenuCaption = false;
    bool FTrackButtonMode = false;
    bool FNewStyle = false;
    TskTrackPosition FTrackPosition = sktpRight;

    bool FMenuTracking = false;
    // The pointer is over the button (kept apart from the hover look while a menu is open).
    bool FPointerIn = false;

    // Copied from the entry.
    TskButtonSkinValues FLook;
    TRect FTrackButtonRect;
    bool FHasTrackRect = false;
};
