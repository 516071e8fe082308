#include "skin/controls/TskSkinMenuSpeedButton.h"

#include "platform/vcl/TCustomImageList.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TWinControl.h"
#include "skin/controls/TskSkinToolBar.h"
#include "skin/data/SkinDrawUtils.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinRects.h"
#include "skin/data/TskDataSkinButtonControl.h"
#include "skin/data/TskSkinData.h"

namespace {

bool IsResizeName(const std::string& Name) { return Name == "resizebutton" || Name == "resizetoolbutton"; }

} // namespace

TskSkinMenuSpeedButton::TskSkinMenuSpeedButton(TComponent* AOwner) : TskSkinSpeedButton(AOwner)
{
    SetSkinDataName("toolmenubutton");
}

TskSkinMenuSpeedButton::~TskSkinMenuSpeedButton() { FAlive.End(); }

// ---- properties

void TskSkinMenuSpeedButton::SetSkinPopupMenu(TPopupMenu* Value)
{
    if (FSkinPopupMenu == Value) return;
    FSkinPopupMenu = Value;
    Repaint();
}

void TskSkinMenuSpeedButton::SetSkinImagesMenu(TComponent* Value)
{
    if (FSkinImagesMenu == Value) return;
    FSkinImagesMenu = Value;
    Repaint();
}

void TskSkinMenuSpeedButton::SetUseImagesMenuImage(bool Value)
{
    if (FUseImagesMenuImage == Value) return;
    FUseImagesMenuImage = Value;
    Repaint();
}

void TskSkinMenuSpeedButton::SetUseImagesMenuCaption(bool Value)
{
    if (FUseImagesMenuCaption == Value) return;
    FUseImagesMenuCaption = Value;
    Repaint();
}

void TskSkinMenuSpeedButton::SetTrackButtonMode(bool Value)
{
    if (FTrackButtonMode == Value) return;
    FTrackButtonMode = Value;
    // A skin entry draws the same picture in both modes; only the default look differs.
    if (SkinIndex() == -1) Repaint();
}

void TskSkinMenuSpeedButton::SetNewStyle(bool Value)
{
    if (FNewStyle == Value) return;
    FNewStyle = Value;
    if (Value) SetSkinDataName("resizetoolbutton");
    Repaint();
}

void TskSkinMenuSpeedButton::SetTrackPosition(TskTrackPosition Value)
{
    if (FTrackPosition == Value) return;
    FTrackPosition = Value;
    Repaint();
}

// ---- skin

void TskSkinMenuSpeedButton::FindSkinObject()
{
    TskSkinSpeedButton::FindSkinObject();
    FLook = TskButtonSkinValues();
    FHasTrackRect = false;
    FTrackButtonRect = TRect();
    auto* button = SkinEntryAs<TskDataSkinButtonControl>();
    if (button != nullptr) {
        FLook.Read(*button, FSkinRect);
    } else {
        FLook.ActiveSkinRect = FLook.DownSkinRect = FSkinRect;
    }
    if (auto* menu = SkinEntryAs<TskDataSkinMenuButtonControl>()) {
        FTrackButtonRect = menu->TrackButtonRect;
        FHasTrackRect = true;
    }
}

// ---- geometry

TRect TskSkinMenuSpeedButton::TrackZone() const
{
    if (TrackAtBottom()) return Rect(0, Height() - SkinTrackZone, Width(), Height());
    return Rect(Width() - SkinTrackZone, 0, Width(), Height());
}

TRect TskSkinMenuSpeedButton::FaceArea() const
{
    if (TrackAtBottom()) return Rect(0, 0, Width(), Height() - SkinTrackZone);
    return Rect(0, 0, Width() - SkinTrackZone, Height());
}

TRect TskSkinMenuSpeedButton::TrackHitRect() const
{
    if (SkinIndex() != -1 && FHasTrackRect && !IsResizeName(SkinDataName())) {
        TRect r = FTrackButtonRect;
        // A stretched three-part picture keeps its drop-down part at the far end.
        if (FResizeMode == 2) OffsetRect(r, Width() - WidthOfRect(FSkinRect), 0);
        if (FResizeMode == 3) OffsetRect(r, 0, Height() - HeightOfRect(FSkinRect));
        return r;
    }
    return TrackZone();
}

bool TskSkinMenuSpeedButton::CanMenuTrack(int X, int Y) const
{
    if (!HasMenu()) return false;
    if (!FTrackButtonMode) return true;
    return PointInRect(TrackHitRect(), Point(X, Y));
}

TRect TskSkinMenuSpeedButton::ScreenRect() const
{
    const TPoint p = ClientToScreen(Point(0, 0));
    return Rect(p.X, p.Y, p.X + Width(), p.Y + Height());
}

// ---- mouse and menus

void TskSkinMenuSpeedButton::MarkPointer(bool Inside)
{
    FPointerIn = Inside;
    if (MouseIn() == Inside) return;
    TMessage m{};
    m.Msg = Inside ? CM_MOUSEENTER : CM_MOUSELEAVE;
    TskSkinSpeedButton::WndProc(m);
}

void TskSkinMenuSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button != mbLeft) {
        TskSkinSpeedButton::MouseDown(Button, Shift, X, Y);
        return;
    }
    // A disabled button or one being designed never opens its menu.
    FMenuTracking = Enabled() && !Designing() && CanMenuTrack(X, Y);
    MarkPointer(true);
    if (!FMenuTracking) {
        TskSkinSpeedButton::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (!Down()) SetDown(true);
    TrackMenu();
}

void TskSkinMenuSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FMenuTracking) return;
    TskSkinSpeedButton::MouseUp(Button, Shift, X, Y);
}

void TskSkinMenuSpeedButton::TrackMenu()
{
    const auto alive = FAlive.Watch();
    bool opened = false;
    if (FSkinPopupMenu != nullptr) {
        if (OnShowTrackMenu) OnShowTrackMenu(this);
        if (!*alive) return;
        if (FSkinPopupMenu != nullptr) {
            FSkinPopupMenu->PopupFromRect(this, ScreenRect(), false);
            if (!*alive) return;
            opened = true;
        }
    }
    if (FSkinImagesMenu != nullptr) {
        if (OnShowTrackMenu) OnShowTrackMenu(this);
        if (!*alive) return;
        if (auto* images = dynamic_cast<TskTrackImagesMenu*>(FSkinImagesMenu.get())) {
            TNotifyEvent onClose = [this, alive](TObject*) {
                if (*alive && FMenuTracking) CloseTrackMenu(true);
            };
            const bool shown = images->TrackPopup(ScreenRect(), onClose);
            if (!*alive) return;
            opened = opened || shown;
        }
    }
    // Nothing opened (no images menu window could be shown): a button left down would wait for a close
    // that never comes.
    if (!opened && FMenuTracking) CloseTrackMenu(false);
}

void TskSkinMenuSpeedButton::CloseTrackMenu(bool HideBeforeLeave)
{
    const auto alive = FAlive.Watch();
    FMenuTracking = false;
    SetDown(false);
    if (HideBeforeLeave) {
        if (OnHideTrackMenu) OnHideTrackMenu(this);
        if (!*alive) return;
        MarkPointer(false);
    } else {
        MarkPointer(false);
        if (OnHideTrackMenu) OnHideTrackMenu(this);
        if (!*alive) return;
    }
    Repaint();
}

void TskSkinMenuSpeedButton::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CLOSESKINMENU:
        // Only the close of a menu this button opened raises it (the edit's or another control's menu
        // closing says nothing about ours).
        if (FMenuTracking) CloseTrackMenu(false);
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (FMenuTracking && !Designing()) {
            // The look stays as it is while the menu is open.
            FPointerIn = Message.Msg == CM_MOUSEENTER;
            return;
        }
        FPointerIn = Message.Msg == CM_MOUSEENTER;
        TskSkinSpeedButton::WndProc(Message);
        return;
    default:
        TskSkinSpeedButton::WndProc(Message);
    }
}

// ---- painting

TskButtonFace TskSkinMenuSpeedButton::MenuFace() const
{
    TskButtonFace f;
    f.Caption = ShowCaption() ? Caption() : std::string();
    f.Glyph = Glyph();
    f.NumGlyphs = NumGlyphs();
    f.Images = ImageList();
    f.ImageIndex = ImageIndex();
    f.Layout = Layout();
    f.Margin = Margin();
    f.Spacing = Spacing();
    f.Enabled = Enabled();
    TCustomImageList* images = nullptr;
    int index = -1;
    std::string caption;
    const auto* imagesMenu = dynamic_cast<const TskTrackImagesMenu*>(FSkinImagesMenu.get());
    if (FUseImagesMenuImage && imagesMenu != nullptr && imagesMenu->TrackSelected(images, index, caption)) {
        f.Glyph = nullptr;
        f.Images = images;
        f.ImageIndex = index;
        if (FUseImagesMenuCaption) f.Caption = caption;
        return f;
    }
    auto* bar = dynamic_cast<TskSkinToolBar*>(Parent());
    if (bar != nullptr && (Glyph() == nullptr || Glyph()->Empty())) {
        TCustomImageList* list = bar->Images();
        if (!Enabled() && bar->DisabledImages() != nullptr)
            list = bar->DisabledImages();
        else if ((MouseIn() || Down()) && bar->HotImages() != nullptr)
            list = bar->HotImages();
        if (list != nullptr) {
            f.Glyph = nullptr;
            f.Images = list;
        }
    }
    return f;
}

void TskSkinMenuSpeedButton::DrawFace(TCanvas* C, const TRect& R, bool IsActive, bool IsDown, TColor Color)
{
    FLook.SelectFont(C, DefaultFont(), SkinIndex() != -1 && UseSkinFont(), SkinLoaded() ? SkinData() : nullptr);
    C->Font()->SetColor(Color);
    MenuFace().Draw(C, R, IsActive, IsDown);
}

void TskSkinMenuSpeedButton::DrawTrackMark(TCanvas* C, bool IsActive, bool IsDown)
{
    TRect zone = TrackZone();
    if (TrackShifted()) OffsetRect(zone, 2, 2);
    if (SkinIndex() != -1 && FPicture != nullptr) {
        TRect marker = FMenuMarkerRect;
        if (FMenuTracking || IsDown) {
            if (!IsEmptyRect(FMenuMarkerDownRect)) marker = FMenuMarkerDownRect;
        } else if (IsActive) {
            if (!IsEmptyRect(FMenuMarkerActiveRect)) marker = FMenuMarkerActiveRect;
        } else if (Flat() && !IsEmptyRect(FMenuMarkerFlatRect)) {
            marker = FMenuMarkerFlatRect;
        }
        if (!IsEmptyRect(marker)) {
            const int w = WidthOfRect(marker);
            const int h = HeightOfRect(marker);
            const int x = zone.Left + (WidthOfRect(zone) - w) / 2;
            const int y = zone.Top + (HeightOfRect(zone) - h) / 2;
            C->BrushCopy(Rect(x, y, x + w, y + h), FPicture, marker, FMenuMarkerTransparentColor);
            return;
        }
    }
    TColor color = clBtnText;
    if (SkinIndex() != -1 && SkinData() != nullptr && SkinData()->SkinColors != nullptr)
        color = SkinData()->SkinColors->cBtnText;
    if (!Enabled()) color = clBtnShadow;
    DrawDownArrowImage(C, zone, color);
}

void TskSkinMenuSpeedButton::Paint()
{
    if (Width() < 1 || Height() < 1) return;
    if (!HasMenu() && !FNewStyle) {
        TskSkinSpeedButton::Paint();
        return;
    }
    FindSkinObject();
    if (FNewStyle) {
        PaintNewStyle();
        return;
    }
    if (SkinIndex() == -1) {
        // The default look, through the off-screen bitmap (DrawDefaultImage).
        TskGraphicSkinCustomControl::Paint();
        return;
    }
    const bool restingFlat = Flat() && !MouseIn() && !FMenuTracking && !(Down() && GroupIndex() != 0);
    if (restingFlat) {
        PaintFlatRest();
        return;
    }
    // The speed button picks the state picture (and the cross-fade); CreateButtonImage adds our parts.
    TskSkinSpeedButton::Paint();
}

void TskSkinMenuSpeedButton::PaintFlatRest()
{
    DrawFace(Canvas(), FaceArea(), false, false, RestingFlatTextColor());
    DrawTrackMark(Canvas(), false, false);
}

void TskSkinMenuSpeedButton::CreateButtonImage(TBitmap* B, const TRect& R, bool IsActive, bool IsDown)
{
    if (!HasMenu()) {
        TskSkinSpeedButton::CreateButtonImage(B, R, IsActive, IsDown);
        return;
    }
    ComposePicture(B, R);
    const TColor color = FLook.TextColor(Enabled(), UseSkinFontColor(), DefaultFont()->Color(), IsActive, IsDown);
    TRect area = ContentRect();
    area.Right = std::min(area.Right, FaceArea().Right);
    DrawFace(B->Canvas(), area, IsActive, IsDown, color);
    DrawTrackMark(B->Canvas(), IsActive, IsDown);
}

void TskSkinMenuSpeedButton::DrawDefaultImage(TBitmap* B)
{
    if (!HasMenu()) {
        TskSkinSpeedButton::DrawDefaultImage(B);
        return;
    }
    TCanvas* c = B->Canvas();
    const bool pressed = Down() && FPointerIn;
    const bool hot = FPointerIn && Enabled();
    auto fill = [c](const TRect& r, int State) {
        if (State == 2)
            FillFramed(c, r, SkinNavyFrame, SkinPressedFill);
        else if (State == 1)
            FillFramed(c, r, SkinNavyFrame, SkinHotFill);
        else
            FillFramed(c, r, clBtnShadow, clBtnFace);
    };
    int faceState = 0;
    if (FTrackButtonMode) {
        int trackState = 0;
        if (FMenuTracking) {
            faceState = 1;
            trackState = 2;
        } else if (pressed) {
            faceState = trackState = 2;
        } else if (hot) {
            faceState = trackState = 1;
        }
        fill(Rect(0, 0, Width() - SkinTrackZone, Height()), faceState);
        fill(Rect(Width() - SkinTrackZone, 0, Width(), Height()), trackState);
    } else {
        faceState = FMenuTracking || pressed ? 2 : (hot ? 1 : 0);
        fill(Rect(0, 0, Width(), Height()), faceState);
    }
    DrawFace(c, FaceArea(), faceState >= 1, pressed, Enabled() ? DefaultFont()->Color() : clBtnShadow);
    DrawTrackMark(c, faceState >= 1, pressed);
}

void TskSkinMenuSpeedButton::PaintNewStyle()
{
    TskSkinData* skin = SkinData();
    auto entry = [this](const std::string& Name) { return FSkinLink.FindAs<TskDataSkinButtonControl>(Name); };
    TskDataSkinButtonControl* face = entry("resizetoolbutton");
    if (face == nullptr) face = entry("resizebutton");
    TBitmap* picture = face != nullptr ? SkinPicture(face->PictureIndex) : nullptr;
    if (face == nullptr || picture == nullptr) {
        TskGraphicSkinCustomControl::Paint();
        return;
    }
    TskButtonSkinValues look;
    look.Read(*face, face->SkinRect);
    const bool pressed = FMenuTracking || (Down() && MouseIn());
    const bool hot = MouseIn() && Enabled();
    TRect src = face->SkinRect;
    if (!Enabled() && !IsEmptyRect(look.DisabledSkinRect))
        src = look.DisabledSkinRect;
    else if (pressed)
        src = look.DownSkinRect;
    else if (hot)
        src = look.ActiveSkinRect;

    TBitmap b(Width(), Height());
    const bool withZone = HasMenu();
    const TRect faceRect = withZone ? FaceArea() : Rect(0, 0, Width(), Height());
    TBitmap part;
    StretchButtonPicture(&part, picture, src, face->ClientRect, faceRect.Width(), faceRect.Height());
    b.Canvas()->Draw(faceRect.Left, faceRect.Top, &part);
    FLook = look;
    const TColor color = look.TextColor(Enabled(), UseSkinFontColor(), DefaultFont()->Color(), hot || pressed, pressed);
    DrawFace(b.Canvas(), faceRect, hot || pressed, pressed, color);
    if (withZone) {
        const TRect zone = TrackZone();
        TskDataSkinButtonControl* track = entry(FTrackPosition == sktpBottom ? "htracktoolbutton" : "vtracktoolbutton");
        TBitmap* trackPicture = track != nullptr ? SkinPicture(track->PictureIndex) : nullptr;
        if (track != nullptr && trackPicture != nullptr) {
            TskButtonSkinValues trackLook;
            trackLook.Read(*track, track->SkinRect);
            TRect tsrc = track->SkinRect;
            if (pressed) tsrc = trackLook.DownSkinRect;
            else if (hot) tsrc = trackLook.ActiveSkinRect;
            TBitmap zonePart;
            StretchButtonPicture(&zonePart, trackPicture, tsrc, track->ClientRect, zone.Width(), zone.Height());
            b.Canvas()->Draw(zone.Left, zone.Top, &zonePart);
        }
        TRect arrow = zone;
        if (TrackShifted()) OffsetRect(arrow, 2, 2);
        TColor arrowColor = skin->SkinColors != nullptr ? skin->SkinColors->cBtnText : clBtnText;
        if (!Enabled()) arrowColor = clBtnShadow;
        DrawDownArrowImage(b.Canvas(), arrow, arrowColor);
    }
    ShowImage(&b);
}
