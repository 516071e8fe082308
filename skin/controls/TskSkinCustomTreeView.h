#pragma once
// The skinned tree view: the tree view without bars or border of its own. Its scroll state is
// mirrored into external skinned scroll bars (shown only while there is something to scroll) and
// moving those bars scrolls the tree. Font and colours come from the skin entry "treeview", or from
// DefaultFont and DefaultColor without one. The base of the shell folder tree.
#include <memory>
#include <string>

#include "platform/vcl/TCustomTreeView.h"
#include "skin/controls/TskSkinScrollBar.h"

class TskSkinData;

class TskSkinCustomTreeView : public TCustomTreeView {
public:
    explicit TskSkinCustomTreeView(TComponent* AOwner);
    ~TskSkinCustomTreeView() override;

    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    const std::string& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
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
    // The index of the skin entry in use (-1: none).
    int SkinIndex() const { return FIndex; }

    virtual void RefreshTreeViewSkin();
    // Shows, hides and ranges the linked bars from the tree's scroll state.
    void UpdateScrollBars();

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Change(TTreeNode* Node) override;

private:
    void OnVScrollBarChange(TObject* Sender);
    void OnHScrollBarChange(TObject* Sender);
    void LinkBar(TskSkinScrollBar*& Field, TskSkinScrollBar* Value, bool Vertical);
    bool ShowBar(TskSkinScrollBar* Bar, bool Show);

    TskSkinData* FSkinData = nullptr;
    std::string FSkinDataName = "treeview";
    int FIndex = -1;
    std::unique_ptr<TFont> FDefaultFont;
    TColor FDefaultColor = clWindow;
    bool FUseSkinFont = true;
    TskSkinScrollBar* FVScrollBar = nullptr;
    TskSkinScrollBar* FHScrollBar = nullptr;
    bool FUpdatingBars = false;
};

// Tells the form reader about TskSkinCustomTreeView.
void RegisterSkinTreeViewClass();
