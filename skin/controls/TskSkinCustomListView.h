#pragma once
// The skinned list view: the list view without bars or border of its own, its scroll state mirrored
// into external skinned scroll bars that scroll it in turn, font and colours from the skin entry
// "listview" (or DefaultFont and DefaultColor), and its column header window subclassed and painted
// from the button entry named by HeaderSkinDataName. The base of the shell file list.
#include <memory>
#include <string>

#include "platform/vcl/TCustomListView.h"
#include "skin/controls/TskSkinScrollBar.h"

class TskSkinData;
class TskDataSkinButtonControl;

// Message that asks a hooked header to paint itself into the DC in wParam.
constexpr UINT CM_PAINTLISTVIEWHEADER = 0xB1C8;

// Draws a section's text instead of the view (the section's picture is already in Canvas).
using TskDrawHeaderSectionEvent = std::function<void(TCanvas* Canvas, TListColumn* Column, TRect TextRect, bool Pressed)>;

class TskSkinCustomListView : public TCustomListView {
public:
    explicit TskSkinCustomListView(TComponent* AOwner);
    ~TskSkinCustomListView() override;

    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    const std::string& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
    const std::string& HeaderSkinDataName() const { return FHeaderSkinDataName; }
    void SetHeaderSkinDataName(const std::string& Value);
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
    int SkinIndex() const { return FIndex; }
    // The header window now hooked (0: none).
    HWND HookedHeader() const { return FHeaderHandle; }

    virtual void RefreshListViewSkin();
    void UpdateScrollBars();

    // Not published: replaces the drawing of each section's text.
    TskDrawHeaderSectionEvent OnDrawHeaderSection;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void OnVScrollBarChange(TObject* Sender);
    void OnHScrollBarChange(TObject* Sender);
    void LinkBar(TskSkinScrollBar*& Field, TskSkinScrollBar* Value, bool Vertical);
    bool ShowBar(TskSkinScrollBar* Bar, bool Show);
    void HookHeader(HWND Header);
    void UnhookHeader();
    LRESULT HeaderWndProc(HWND H, UINT Msg, WPARAM W, LPARAM L);
    void PaintSkinHeader(HDC DC);
    void DrawSection(TCanvas* C, int Index, const TRect& R, bool Pressed, TskDataSkinButtonControl* Entry);
    TskDataSkinButtonControl* HeaderEntry() const;
    int ItemZeroHeight();

    TskSkinData* FSkinData = nullptr;
    std::string FSkinDataName = "listview";
    std::string FHeaderSkinDataName = "resizebutton";
    int FIndex = -1;
    std::unique_ptr<TFont> FDefaultFont;
    TColor FDefaultColor = clWindow;
    bool FUseSkinFont = true;
    TskSkinScrollBar* FVScrollBar = nullptr;
    TskSkinScrollBar* FHScrollBar = nullptr;
    HWND FHeaderHandle = 0;
    LONG_PTR FOldHeaderProc = 0;
    LONG_PTR FHeaderInstance = 0;
    int FActiveSection = -1;
    bool FHeaderDown = false;
    int FOldVPos = 0;
    int FOldHPos = 0;
    bool FUpdatingBars = false;
    bool FApplyingBar = false;
};

// Tells the form reader about TskSkinCustomListView.
void RegisterSkinListViewClass();
