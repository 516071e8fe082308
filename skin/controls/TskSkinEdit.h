#pragma once
// The skinned edit. Its frame is the window's non-client border, painted from the skin entry "edit"
// (or "buttonedit" with a button); the client area shows the middle of the same picture behind the
// text, with optional images from an image list at its left and right ends and an optional edit button
// at the right. Without a skin it has a plain two-pixel frame and a square button of its own height.
//
// Hit codes of the frame: 104 and 105 for the left and right images, HTHSCROLL (6) for the button and
// HTVSCROLL (7) for the rest of a button edit's frame; a press and release there fire the image and
// button events without moving the caret.
#include <string>

#include "skin/controls/TskCustomEdit.h"
#include "skin/controls/SkinLink.h"
#include "skin/data/SkinLookCache.h"

class TskSkinData;
class TCustomImageList;
class TBitmap;

constexpr LRESULT HTEDITLEFTIMAGE = 104;
constexpr LRESULT HTEDITRIGHTIMAGE = 105;
constexpr LRESULT HTEDITBUTTON = 6;
constexpr LRESULT HTEDITFRAME = 7;

class TskSkinCustomEdit : public TskCustomEdit {
public:
    explicit TskSkinCustomEdit(TComponent* AOwner);
    ~TskSkinCustomEdit() override;

    TskSkinData* SkinData() const { return FSkinLink.Data(); }
    void SetSkinData(TskSkinData* Value);
    const std::string& SkinDataName() const { return FSkinLink.Name(); }
    void SetSkinDataName(const std::string& Value) { FSkinLink.SetName(Value); }
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    TFont* DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(TFont* Value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    bool ButtonMode() const { return FButtonMode; }
    void SetButtonMode(bool Value);
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    BYTE AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(BYTE Value);
    TAlignment Alignment() const { return TskCustomEdit::Alignment(); }
    void SetAlignment(TAlignment Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int LeftImageIndex() const { return FLeftImageIndex; }
    void SetLeftImageIndex(int Value);
    int LeftImageHotIndex() const { return FLeftImageHotIndex; }
    void SetLeftImageHotIndex(int Value) { FLeftImageHotIndex = Value; }
    int LeftImageDownIndex() const { return FLeftImageDownIndex; }
    void SetLeftImageDownIndex(int Value) { FLeftImageDownIndex = Value; }
    int RightImageIndex() const { return FRightImageIndex; }
    void SetRightImageIndex(int Value);
    int RightImageHotIndex() const { return FRightImageHotIndex; }
    void SetRightImageHotIndex(int Value) { FRightImageHotIndex = Value; }
    int RightImageDownIndex() const { return FRightImageDownIndex; }
    void SetRightImageDownIndex(int Value) { FRightImageDownIndex = Value; }

    // The entry's index in the skin's control list; -1 for the default look.
    int SkinIndex() const { return FSkinLink.Index(); }
    // Looks the entry up again and takes its font, height and frame (the skin-change broadcast calls it).
    void RefreshEditSkin();
    // The height that shows one line of the present font inside the frame.
    int HeightForFont();
    // Window coordinates.
    const TRect& ButtonRect() const { return FButtonRect; }
    const TRect& TextRect() const { return FEditRect; }
    // Client coordinates; empty without Images or without the index.
    const TRect& LeftImageRect() const { return FLImageRect; }
    const TRect& RightImageRect() const { return FRImageRect; }
    bool ButtonDown() const { return FButtonDown; }
    bool ButtonHot() const { return FButtonActive; }
    // The whole control as it looks now (frame, background, button, text, images), window-sized.
    void GetSkinImage(TBitmap* B);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Invalidate() override;

    TNotifyEvent OnButtonClick;
    TNotifyEvent OnLeftButtonClick;
    TNotifyEvent OnRightButtonClick;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void Loaded() override;

private:
    void ReadEditSkin();
    // False as well once the skin has gone, so nothing of a freed skin is painted.
    bool Skinned() const { return FSkinLink.Index() != -1; }
    bool LooksActive() { return Focused() || FMouseIn; }
    void ApplyFontColor();
    void CalcRects();
    void CalcImageRects();
    void RepaintFrame();
    int ImageFor(int Normal, int Hot, int Down, bool IsHot, bool IsDown) const;
    // Background, images and text of the client area, into DC (client coordinates).
    void PaintClient(HDC DC);
    void DrawBackground(TBitmap* B);
    void DrawImages(TCanvas* C, TPoint Offset);
    void DrawButton(TCanvas* C);
    void DrawDisabledText(TCanvas* C, TRect R);
    void BlendWithParent(TBitmap* B, TPoint Offset);
    void PaintFrame(HDC DC, bool ExcludeText);
    // The frame and button without text or images, window-sized.
    void DrawFrameLook(TBitmap* B);
    // Skinned pictures are kept between paints; one blended with the parent changes with the parent.
    bool LookKept() const { return Skinned() && !FAlphaBlend; }
    // What a kept picture of W x H was made from; the button state counts for the frame only.
    struct TLookKey {
        unsigned Generation = 0;
        const TBitmap* Picture = nullptr;
        TRect Source, Client, Button;
        int Width = 0, Height = 0, LOffset = 0, ROffset = 0, State = 0;
        bool Stretch = false, UseSkinFont = false, Frame = false;
        friend bool operator==(const TLookKey&, const TLookKey&) = default;
    };
    TLookKey LookKey(int W, int H, bool WithButton);
    TBitmap& FramePicture();
    LRESULT FrameHitTest(TPoint ScreenPos, bool& Handled);
    void NCMouseDown(LRESULT Hit);
    void NCMouseUp(LRESULT Hit);
    void NCMouseMove(LRESULT Hit);
    void MouseEntered();
    void MouseLeft();
    void DefaultFontChanged(TObject* Sender);

    TskSkinLink FSkinLink{this, "edit"};
    TColor FDefaultColor = clWindow;
    TFont* FDefaultFont;
    bool FUseSkinFont = true;
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    bool FButtonMode = false;
    bool FAlphaBlend = false;
    BYTE FAlphaBlendValue = 0;
    TComponentLink<TCustomImageList> FImages{this, [this] { CalcImageRects(); }};
    int FLeftImageIndex = -1, FLeftImageHotIndex = -1, FLeftImageDownIndex = -1;
    int FRightImageIndex = -1, FRightImageHotIndex = -1, FRightImageDownIndex = -1;

    // Copied from the entry.
    TBitmap* FPicture = nullptr;
    TRect FSkinRect, FActiveSkinRect, FClRect;
    int FLOffset = 0, FROffset = 0;
    std::string FFontName = "Arial";
    TFontStyles FFontStyle;
    int FFontHeight = 12;
    TColor FFontColor = 0, FDisabledFontColor = 0, FActiveFontColor = 0;
    TRect FSkinButtonRect, FActiveButtonRect, FDownButtonRect, FUnEnabledButtonRect;
    bool FStretchEffect = false;

    bool FMouseIn = false;
    bool FButtonDown = false, FButtonActive = false;
    bool FLeftImageHot = false, FLeftImageDown = false, FRightImageHot = false, FRightImageDown = false;
    TRect FLImageRect, FRImageRect, FButtonRect, FEditRect;
    bool FBGPainted = false;
    bool FInRefresh = false;
    TSkinLookCache<TLookKey> FFrameLook, FClientLook;
};

class TskSkinEdit : public TskSkinCustomEdit {
public:
    using TskSkinCustomEdit::TskSkinCustomEdit;
};

// Tells the form reader about the skinned edits (TskSkinEdit, TskSkinNumEdit and their bases).
void RegisterSkinEditClasses();
