#pragma once
// The skinned list view: the list view without bars or border of its own, its scroll state mirrored
// into external skinned scroll bars that scroll it in turn, font and colours from the skin entry
// "listview" (or DefaultFont and DefaultColor), and its column header window subclassed and painted
// from the button entry named by HeaderSkinDataName. The base of the shell file list.
#include "platform/vcl/TCustomListView.h"
#include "skin/controls/TskSkinScrolledView.h"

class TskDataSkinListView;
class TskDataSkinButtonControl;

// Message that asks a hooked header to paint itself into the DC in wParam.
constexpr UINT CM_PAINTLISTVIEWHEADER = 0xB1C8;

// Draws a section's text instead of the view (the section's picture is already in Canvas).
using TskDrawHeaderSectionEvent = std::function<void(TCanvas* Canvas, TListColumn* Column, TRect TextRect, bool Pressed)>;

class TskSkinCustomListView : public TskSkinScrolledView<TCustomListView, TskDataSkinListView> {
public:
    explicit TskSkinCustomListView(TComponent* AOwner);
    ~TskSkinCustomListView() override;

    const std::string& HeaderSkinDataName() const { return FHeaderSkinDataName; }
    void SetHeaderSkinDataName(const std::string& Value);
    // The header window now hooked (0: none).
    HWND HookedHeader() const { return FHeaderHandle; }

    virtual void RefreshListViewSkin();
    void UpdateScrollBars() override;

    // Not published: replaces the drawing of each section's text.
    TskDrawHeaderSectionEvent OnDrawHeaderSection;

protected:
    void WndProc(TMessage& Message) override;
    void RefreshViewSkin() override { RefreshListViewSkin(); }
    void OnVScrollBarChange(TObject* Sender) override;
    void OnHScrollBarChange(TObject* Sender) override;

private:
    void HookHeader(HWND Header);
    void UnhookHeader();
    LRESULT HeaderWndProc(HWND H, UINT Msg, WPARAM W, LPARAM L);
    void PaintSkinHeader(HDC DC);
    void DrawSection(TCanvas* C, int Index, const TRect& R, bool Pressed, TskDataSkinButtonControl* Entry);
    TskDataSkinButtonControl* HeaderEntry() const;
    int ItemZeroHeight();

    std::string FHeaderSkinDataName = "resizebutton";
    HWND FHeaderHandle = 0;
    LONG_PTR FOldHeaderProc = 0;
    LONG_PTR FHeaderInstance = 0;
    int FActiveSection = -1;
    bool FHeaderDown = false;
    int FOldVPos = 0;
    int FOldHPos = 0;
    bool FApplyingBar = false;
};

extern template class TskSkinScrolledView<TCustomListView, TskDataSkinListView>;

// Tells the form reader about TskSkinCustomListView.
void RegisterSkinListViewClass();
