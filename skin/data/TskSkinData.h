#pragma once
// One loaded skin. Every skinned control, the window frame, the menus and the hints refer to a
// TskSkinData and find their entry in it by name. It owns everything a skin consists of: the frame
// pictures, the numbered active pictures that every entry indexes, the window-frame geometry of
// [FORMINFO], the colour overrides of [SKINCOLORS], the popup and hint window data and the entry lists.
// Every form is told before (WM_BEFORECHANGESKINDATA) and after (WM_CHANGESKINDATA, then
// WM_AFTERCHANGESKINDATA) a skin changes.
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Colors.h"
#include "platform/rtl/Types.h"
#include "platform/vcl/TComponent.h"
#include "skin/data/SkinMessages.h"

class TBitmap;
class TMemIniFile;
class TStringList;
class TMemoryStream;
class TskCompressedStoredSkin;
class TskResourceStrData;
class TskCompressedSkinList;
class TskDataSkinControl;
class TskDataSkinObject;
class TskDataSkinArea;
class TskDataSkinPopupWindow;
class TskDataSkinHintWindow;
struct TskUnpackedSkinImage;
class TskSkinData;

// How many stored skins have been unpacked (inflated and their pictures decoded) since the program
// started. Components given identical stored bytes share one unpacking, so this grows by one per
// distinct skin, not per component.
int SkinUnpackCount();
// How long those unpackings took together, in seconds.
double SkinUnpackSeconds();

// The font character set of text a skinned control draws: that of the skin's UI strings when the skin
// has them, else Fallback (the control's default font's). A null skin gives Fallback.
BYTE SkinTextCharset(const TskSkinData* Skin, BYTE Fallback);

// The ten system colours a skin may override.
class TskSkinColors {
public:
    // Sets every colour to the system colour it overrides.
    void ResetToSystemColors();

    TColor cBtnFace = 0;
    TColor cBtnText = 0;
    TColor cWindow = 0;
    TColor cWindowText = 0;
    TColor cHighLight = 0;
    TColor cHighLightText = 0;
    TColor cBtnHighLight = 0;
    TColor cBtnShadow = 0;
    TColor c3DLight = 0;
    TColor c3DDkShadow = 0;
};

class TskSkinData : public TComponent {
public:
    explicit TskSkinData(TComponent* AOwner);
    ~TskSkinData() override;

    // Published properties.
    bool SkinnableForm() const { return FSkinnableForm; }
    void SetSkinnableForm(bool Value);
    bool EnableSkinEffects() const { return FEnableSkinEffects; }
    void SetEnableSkinEffects(bool Value) { FEnableSkinEffects = Value; }
    bool ShowButtonGlowFrames() const { return FShowButtonGlowFrames; }
    void SetShowButtonGlowFrames(bool Value) { FShowButtonGlowFrames = Value; }
    bool ShowCaptionButtonGlowFrames() const { return FShowCaptionButtonGlowFrames; }
    void SetShowCaptionButtonGlowFrames(bool Value) { FShowCaptionButtonGlowFrames = Value; }
    TskCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin; }
    // Loads the stored skin at once (after the whole form when the form is being read). A stored skin
    // that cannot be loaded leaves the skin empty, so the controls paint their default look.
    void SetCompressedStoredSkin(TskCompressedStoredSkin* Value);
    TskResourceStrData* ResourceStrData() const { return FResourceStrData; }
    void SetResourceStrData(TskResourceStrData* Value);
    TskCompressedSkinList* SkinList() const { return FSkinList; }
    void SetSkinList(TskCompressedSkinList* Value);
    int SkinIndex() const { return FSkinIndex; }
    void SetSkinIndex(int Value);

    // The index of the first entry whose IDName equals the name exactly (case matters); -1 when none.
    int FindControlIndex(const std::string& AIDName) const;
    int FindObjectIndex(const std::string& AIDName) const;
    int FindAreaIndex(const std::string& AIDName) const;

    void ClearSkinObjects();
    void ClearSkin();
    // Tells one state of the skin's pictures and entries from any other, of this component or another
    // one: it changes whenever they are cleared or a skin is loaded, and no two states share a value. A
    // picture composed from the skin may be kept for as long as this stays the same.
    unsigned Generation() const { return FGeneration; }

    // Unpacks a stored skin into this component; does nothing for an empty one. Raises when the stored
    // skin is damaged, or ESkinTooLarge when it needs more memory than MaxSkinMemory (its pictures, ini
    // lines and the values its entries keep, counted together); the component is then left empty
    // (SkinEmpty), SkinLoading is False again and only WM_BEFORECHANGESKINDATA has been sent.
    void LoadStoredSkin(TskCompressedStoredSkin* AStoredSkin);
    void LoadFormInfo(TMemIniFile& IniFile);
    void LoadSkinColors(TMemIniFile& IniFile);
    void LoadSkinAreas(TMemIniFile& IniFile);
    void LoadSkinObjects(TMemIniFile& IniFile);
    void LoadSkinControls(TMemIniFile& IniFile);

    // Sends Msg (wParam = this component, lParam = 1000) to the owner form first, then to every other form.
    void BroadcastSkinMessage(UINT Msg);

    void Loaded() override;

    // Read directly by the controls, the frame, the menus and the hints.
    bool SkinEmpty = true;
    bool SkinLoading = false;

    // The pictures of the unpacked skin itself, shared with every component loaded from the same stored
    // bytes (a picture may take a gigabyte; it is held once). Read only: nothing draws into a skin's
    // pictures. Never null: an empty bitmap stands for a missing picture.
    std::shared_ptr<TBitmap> Picture;
    std::shared_ptr<TBitmap> InActivePicture;
    std::shared_ptr<TBitmap> Mask;
    std::shared_ptr<TBitmap> RollUpPicture;
    std::shared_ptr<TBitmap> RollUpMask;
    std::string PictureName;
    std::string InActivePictureName;
    std::string MaskName;
    std::string RollUpPictureName;
    std::string RollUpMaskName;

    // Indexed 0-based by every picture-index key of the skin (-1 = no picture); shared as the frame's.
    std::vector<std::shared_ptr<TBitmap>> ActivePictures;
    std::unique_ptr<TStringList> ActivePicturesNames;

    // In the order of [SKINCONTROLS], [SKINOBJECTS] and [SKINAREAS].
    std::vector<std::unique_ptr<TskDataSkinControl>> ControlDataList;
    std::vector<std::unique_ptr<TskDataSkinObject>> ObjectDataList;
    std::vector<std::unique_ptr<TskDataSkinArea>> SkinAreaList;

    std::unique_ptr<TskSkinColors> SkinColors;
    std::unique_ptr<TskDataSkinPopupWindow> PopupWindow;
    std::unique_ptr<TskDataSkinHintWindow> HintWindow;

    std::string SkinName;
    std::string SkinAuthor;
    std::string AuthorEmail;
    std::string AuthorURL;
    std::string SkinComments;

    // Users add a skin cursor index to it to get the screen cursor number.
    int StartCursorIndex = 1;

    // [FORMINFO]
    TPoint LeftTopPoint;
    TPoint RightTopPoint;
    TPoint LeftBottomPoint;
    TPoint RightBottomPoint;
    TRect ClientRect;
    int BGPictureIndex = -1;
    int MDIBGPictureIndex = -1;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool TopStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    int StretchType = 0;
    bool MDIBGStretchEffect = false;
    int MDIBGStretchType = 0;
    TRect ButtonsRect;
    TRect CaptionRect;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    TRect MaskRectArea;
    TPoint HitTestLeftTopPoint;
    TPoint HitTestRightTopPoint;
    TPoint HitTestLeftBottomPoint;
    TPoint HitTestRightBottomPoint;
    TPoint RollUpLeftPoint;
    TPoint RollUpRightPoint;
    TRect MainMenuRect;
    TRect IconRect;
    bool MainMenuPopupUp = false;
    int BorderWidth = 0;
    int FormMinWidth = 0;
    bool MDITabsTransparent = false;
    bool MainMenuBarTransparent = false;
    int CursorIndex = -1;
    bool AutoRenderingInActiveImage = false;
    int InActiveEffect = 0;
    TRect SizeGripArea;
    std::string StatusBarName;

private:
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    bool Reading() const
    {
        return ComponentState().Contains(csLoading) || ComponentState().Contains(csReading);
    }
    // Loads without letting a damaged stored skin escape: a skin is a cosmetic resource and must not
    // stop a window from being created.
    void LoadStoredSkinSafely(TskCompressedStoredSkin* AStoredSkin);
    void LoadFromSkinList();
    void TakeUnpackedImage(const TskUnpackedSkinImage& Image);
    void InvalidateAllForms();

    bool FSkinnableForm = true;
    bool FEnableSkinEffects = true;
    bool FShowButtonGlowFrames = true;
    bool FShowCaptionButtonGlowFrames = true;
    TComponentLink<TskCompressedStoredSkin> FCompressedStoredSkin{this};
    TComponentLink<TskResourceStrData> FResourceStrData{this};
    TComponentLink<TskCompressedSkinList> FSkinList{this};
    int FSkinIndex = 0;
    // The unpacked skin this component was loaded from, held so that another component given the same
    // stored bytes finds it instead of unpacking them again; released when the skin is cleared.
    std::shared_ptr<const TskUnpackedSkinImage> FUnpacked;
    unsigned FGeneration = NextGeneration();
    static unsigned NextGeneration();
};

// Registers TskSkinData with the form reader (called at start-up by RegisterSkinDataClasses).
void RegisterSkinData();
