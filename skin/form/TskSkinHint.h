#pragma once
// Hints in the skin's look: TskSkinHint carries the settings (one active per application, placed on the
// main form) and shows explicit hints after the usual pause; TskSkinHintWindow is the top-most window
// that lays the text out (with a title and an image for skinned controls that give them), paints the
// skin's [HINTWINDOW] picture shaped by its mask or a plain look, keeps itself inside the work area and
// can be translucent and fade in.
//
// Translucency comes from a layered window where the component allows it (AlphaBlendSupport); without
// that the window blends its own picture with what the screen showed under it before it opened.
#include <memory>
#include <string>

#include "platform/vcl/Graphics.h"
#include "platform/vcl/THintWindow.h"
#include "skin/form/SkinPopupLook.h"
#include "platform/rtl/TAliveFlag.h"

class TCustomImageList;
class TTimer;
class TskSkinData;
class TskSkinHint;

// Fade-in: opacity +20 every 4 ms up to AlphaBlendValue.
constexpr unsigned SkinHintFadeInterval = 4;
constexpr int SkinHintFadeStep = 20;
// The delay before an explicit hint shows, and how long it stays.
constexpr unsigned SkinHintPause = 500;
constexpr unsigned SkinHintHidePause = 2500;

class TskSkinHintWindow : public THintWindow {
public:
    explicit TskSkinHintWindow(TComponent* AOwner);
    ~TskSkinHintWindow() override;

    void ActivateHint(const TRect& Rect, const std::string& AHint) override;
    void ReleaseHint() override;

    BYTE Opacity() const { return FTranslucency.Opacity(); }
    bool Fading() const { return FTranslucency.Fading(); }
    // Whether the last hint was painted from the skin, and in the title-and-image layout.
    bool Skinned() const { return FLook.Skinned(); }
    bool TitleLayout() const { return FTitleLayout; }
    // Where the text (in the title-and-image layout: the title, image and text) goes in the window.
    const TRect& TextRect() const { return FTextRect; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Paint() override;

private:
    // The hint whose settings apply: the owning TskSkinHint, else the active one on the main form.
    TskSkinHint* Settings() const;
    void SelectFont(TskSkinHint* Hint);
    // The window size for the text (and title and image), with the frame round it.
    TSize Measure(const std::string& Text);
    // Grows the size so that the skin's corner pieces never overlap.
    void KeepCornersApart(TSize& Size) const;
    void PaintTitleLayout(TCanvas* C, TColor TextColor);

    TskPopupSkin FLook;
    TskPopupTranslucency FTranslucency;
    // What the screen showed under the window when it opened: its picture is blended with it.
    std::unique_ptr<TBitmap> FScreenImage;
    BYTE FScreenAlpha = 255;
    bool FTitleLayout = false;
    std::string FTitle;
    TComponentLink<TCustomImageList> FImages{this};
    int FImageIndex = -1;
    int FTitleHeight = 0;
    TColor FTextColor = clInfoText;
    TRect FTextRect;
};

class TskSkinHint : public TComponent {
public:
    explicit TskSkinHint(TComponent* AOwner);
    ~TskSkinHint() override;

    bool Active() const { return FActive; }
    // Switching one on switches every other TskSkinHint of the main form off.
    void SetActive(bool Value);
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    const std::string& LineSeparator() const { return FLineSeparator; }
    void SetLineSeparator(const std::string& Value) { FLineSeparator = Value; }
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    bool AlphaBlendSupport() const { return FAlphaBlendSupport; }
    // Stays on only where translucent windows exist.
    void SetAlphaBlendSupport(bool Value);
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    BYTE AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(BYTE Value) { FAlphaBlendValue = Value; }
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }

    // Shows Text at the pointer once the hint pause has passed, and hides it after the hide pause.
    void ActivateHint2(const std::string& Text);
    void HideHint();
    // The text with every LineSeparator turned into a line break.
    std::string ExpandLines(const std::string& Text) const;
    TskSkinHintWindow* HintWindow() const { return FWindow; }

    // The title and image of the hint being shown (set from the skinned control under the pointer).
    const std::string& HintTitle() const { return FHintTitle; }
    TCustomImageList* HintImageList() const { return FHintImageList; }
    int HintImageIndex() const { return FHintImageIndex; }
    void SetHintTitleAndImage(const std::string& Title, TCustomImageList* Images, int ImageIndex);

    // Called for every application hint after the component's own preparation.
    TShowHintEvent OnShowHint;

protected:

private:
    void FreeTimer();
    // Makes the application show its hints through this component's settings.
    void InstallApplicationHandler();
    void ShowApplicationHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo);
    void TimerTimer(TObject* Sender);

    bool FActive = true;
    TComponentLink<TskSkinData> FSkinData{this};
    std::string FLineSeparator = "@";
    std::unique_ptr<TFont> FDefaultFont;
    bool FUseSkinFont = true;
    bool FAlphaBlendSupport = true;
    bool FAlphaBlend = false;
    BYTE FAlphaBlendValue = 200;
    bool FAlphaBlendAnimation = false;
    TComponentLink<TskSkinHintWindow> FWindow{this};
    TComponentLink<TTimer> FTimer{this};
    bool FShownByTimer = false;
    std::string FPendingText;
    std::string FHintTitle;
    TComponentLink<TCustomImageList> FHintImageList{this};
    int FHintImageIndex = -1;
    TAliveFlag FAlive;
};

// The first active TskSkinHint among the main form's components, or nullptr.
TskSkinHint* FindActiveSkinHint();

void RegisterSkinHintClasses();
