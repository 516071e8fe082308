#pragma once
// What the windowed and the windowless skinned controls share: the link to a skin (SkinData) and to
// an entry there (SkinDataName), the hint and blending properties, and the painting protocol: an
// off-screen bitmap filled from the skin (DrawSkinImage) or in a plain default look
// (DrawDefaultImage), shown blended over the parent's background when AlphaBlend is on. TBase is the
// component library's TCustomControl or TGraphicControl.
#include <string>

#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TCustomControl.h"
#include "skin/controls/SkinLink.h"
#include "skin/data/SkinMessages.h"

class TCustomImageList;

template <class TBase> class TskSkinLinkedControl : public TBase {
public:
    explicit TskSkinLinkedControl(TComponent* AOwner);

    const std::string& HintTitle() const { return FHintTitle; }
    void SetHintTitle(const std::string& Value) { FHintTitle = Value; }
    int HintImageIndex() const { return FHintImageIndex; }
    void SetHintImageIndex(int Value) { FHintImageIndex = Value; }
    TCustomImageList* HintImageList() const { return FHintImageList; }
    void SetHintImageList(TCustomImageList* Value);
    bool DrawDefault() const { return FDrawDefault; }
    void SetDrawDefault(bool Value) { FDrawDefault = Value; }
    TskSkinData* SkinData() const { return FSkinLink.Data(); }
    virtual void SetSkinData(TskSkinData* Value);
    const std::string& AreaName() const { return FAreaName; }
    void SetAreaName(const std::string& Value) { FAreaName = Value; }
    const std::string& SkinDataName() const { return FSkinLink.Name(); }
    // Only stores the name: the entry is looked up at the next paint or RefreshSkin.
    virtual void SetSkinDataName(const std::string& Value) { FSkinLink.SetName(Value); }
    bool AlphaBlend() const { return FAlphaBlend; }
    virtual void SetAlphaBlend(bool Value);
    BYTE AlphaBlendValue() const { return FAlphaBlendValue; }
    virtual void SetAlphaBlendValue(BYTE Value);
    bool UseSkinCursor() const { return FUseSkinCursor; }
    void SetUseSkinCursor(bool Value) { FUseSkinCursor = Value; }

    // The entry's index in the skin's control list (the link keeps it); -1 for none.
    int SkinIndex() const { return FSkinLink.Index(); }
    // The entry itself, or nullptr; as the control's own entry type E, or nullptr when it is another.
    TskDataSkinControl* SkinEntry() const { return FSkinLink.Entry(SkinIndex()); }
    template <class E> E* SkinEntryAs() const { return FSkinLink.template EntryAs<E>(SkinIndex()); }
    // True when SkinData is set and holds a loaded skin.
    bool SkinLoaded() const { return FSkinLink.Loaded(); }

    virtual void FindSkinObject() { FSkinLink.Locate(); }
    virtual void RefreshSkin();
    virtual void ResetSkinIndex() { FSkinLink.Forget(); }
    // The background under the control changed (WM_SKPARENTBGCHANGED): a blended control shows it again.
    virtual void ParentBackgroundChanged()
    {
        if (FAlphaBlend) this->Repaint();
    }

protected:
    virtual void DrawDefaultImage(TBitmap*) {}
    virtual void DrawSkinImage(TBitmap*) {}
    // Paints the skin's look straight onto the control's canvas where the control can (its look covers it
    // whole, and it reads back only what it drew there itself), so that the pixels reach the window's
    // picture once and no picture of the control's own is made; false when it paints through one.
    virtual bool DrawSkinImageOnCanvas() { return false; }
    void Paint() override;
    void WndProc(TMessage& Message) override;
    // Puts a finished picture of the control's size on its canvas at (0, 0), blended over the parent's
    // background by AlphaBlendValue when AlphaBlend is on.
    void ShowImage(TBitmap* B);
    bool Designing() const { return this->ComponentState().Contains(csDesigning); }
    TBitmap* SkinPicture(int Index) const { return FSkinLink.Picture(Index); }
    // The skin's cursor for the entry, when UseSkinCursor asks for it.
    void ApplySkinCursor();

    TskSkinLink FSkinLink{this, ""};
    int FCursorIndex = -1;

private:
    std::string FHintTitle;
    int FHintImageIndex = 0;
    TComponentLink<TCustomImageList> FHintImageList{this};
    bool FDrawDefault = true;
    std::string FAreaName;
    bool FAlphaBlend = false;
    BYTE FAlphaBlendValue = 200;
    bool FUseSkinCursor = false;
};

extern template class TskSkinLinkedControl<TCustomControl>;
extern template class TskSkinLinkedControl<TGraphicControl>;
