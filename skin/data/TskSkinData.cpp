#include "skin/data/TskSkinData.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <iostream>
#include <mutex>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/TStream.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TForm.h"
#include "platform/vcl/TScreen.h"
#include "platform/vcl/TBitmap.h"
#include "platform/vcl/TypInfo.h"
#include "platform/win/Messages.h"
#include "platform/win/WinApi.h"
#include "skin/data/SkinBudget.h"
#include "skin/data/SkinIni.h"
#include "skin/data/SkinKindRegistry.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/TskCompressedSkinList.h"
#include "skin/data/TskCompressedStoredSkin.h"
#include "skin/data/TskDataSkinControl.h"
#include "skin/data/TskDataSkinObject.h"
#include "skin/data/TskDataSkinPopupWindow.h"
#include "skin/data/TskResourceStrData.h"
#include "skin/data/ZlibStreams.h"

namespace {

constexpr LPARAM SkinMessageLParam = 1000;

// Splits "name:kind" at the first colon; a text without one has neither.
void SplitEntry(const std::string& text, std::string& name, std::string& rest)
{
    const auto colon = text.find(':');
    if (colon == std::string::npos) {
        name.clear();
        rest.clear();
        return;
    }
    name = text.substr(0, colon);
    rest = text.substr(colon + 1);
}

std::int32_t ReadInt32(TStream& stream)
{
    unsigned char b[4];
    stream.ReadBuffer(b, 4);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                                     static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24);
}

// A picture slot: a flag byte, then a bitmap only when the flag is 0.
void ReadPictureSlot(TStream& stream, TBitmap& bitmap, TskSkinBudget& budget)
{
    unsigned char flag = 0;
    stream.ReadBuffer(&flag, 1);
    if (flag == 0)
        ReadSkinBitmap(stream, bitmap, budget);
}

template <class F>
void ForEachCountedEntry(TMemIniFile& ini, const std::string& section, F each)
{
    const int count = SkinListCount(ini.ReadInteger(section, "count", 0));
    for (int i = 0; i < count; ++i)
        each(ini.ReadString(section, std::to_string(i), ""));
}

template <class List>
int FindByIDName(const List& list, const std::string& name)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->IDName == name)
            return static_cast<int>(i);
    return -1;
}

} // namespace

void RegisterSkinData()
{
    RegisterClass<TskSkinData, TComponent>("TskSkinData")
        .Prop("SkinnableForm", &TskSkinData::SkinnableForm, &TskSkinData::SetSkinnableForm)
        .Prop("EnableSkinEffects", &TskSkinData::EnableSkinEffects, &TskSkinData::SetEnableSkinEffects)
        .Prop("ShowButtonGlowFrames", &TskSkinData::ShowButtonGlowFrames, &TskSkinData::SetShowButtonGlowFrames)
        .Prop("ShowCaptionButtonGlowFrames", &TskSkinData::ShowCaptionButtonGlowFrames,
            &TskSkinData::SetShowCaptionButtonGlowFrames)
        .Prop("CompressedStoredSkin", &TskSkinData::CompressedStoredSkin, &TskSkinData::SetCompressedStoredSkin)
        .Prop("ResourceStrData", &TskSkinData::ResourceStrData, &TskSkinData::SetResourceStrData)
        .Prop("SkinList", &TskSkinData::SkinList, &TskSkinData::SetSkinList)
        .Prop("SkinIndex", &TskSkinData::SkinIndex, &TskSkinData::SetSkinIndex);
}

// A stored skin unpacked: the packed image inflated, its pictures decoded and its ini text split into
// lines. Never changed once made; every component loaded from the same stored bytes copies its pictures
// and reads its entries from one of these.
struct TskUnpackedSkinImage {
    std::int32_t Version = 0;
    std::shared_ptr<TBitmap> Picture = std::make_shared<TBitmap>();
    std::shared_ptr<TBitmap> InActivePicture = std::make_shared<TBitmap>();
    std::shared_ptr<TBitmap> Mask = std::make_shared<TBitmap>();
    std::shared_ptr<TBitmap> RollUpPicture = std::make_shared<TBitmap>();
    std::shared_ptr<TBitmap> RollUpMask = std::make_shared<TBitmap>();
    std::vector<std::shared_ptr<TBitmap>> ActivePictures;
    TStringList IniLines;
    // What the pictures and the ini lines take of the skin's memory budget; a load goes on from it.
    std::int64_t Charged = 0;
};

namespace {

std::mutex unpackMutex;
int unpackCount = 0;
double unpackSeconds = 0;

// The unpacked skins some component still holds, by their stored bytes. Only weak references: an
// image lives as long as a component loaded from it, so nothing is kept for a skin no one shows.
std::vector<std::pair<std::string, std::weak_ptr<const TskUnpackedSkinImage>>>& UnpackedSkins()
{
    static std::vector<std::pair<std::string, std::weak_ptr<const TskUnpackedSkinImage>>> skins;
    return skins;
}

// Raises for a damaged stored skin. A version above MaxSkinVersion gives an image with nothing but it.
std::shared_ptr<const TskUnpackedSkinImage> UnpackImage(const TskCompressedStoredSkin& stored)
{
    TMemoryStream image;
    // A cut zlib stream would give half a skin announced as a whole one.
    if (!stored.DecompressTo(image))
        throw EDecompressionError("compression error");
    image.SetPosition(0);
    auto out = std::make_shared<TskUnpackedSkinImage>();
    out->Version = ReadInt32(image);
    const std::int32_t version = out->Version;
    if (version > MaxSkinVersion)
        return out;
    TskSkinBudget budget;
    // A negative version is read like version 0.
    ReadPictureSlot(image, *out->Picture, budget);
    if (version >= 2)
        ReadPictureSlot(image, *out->InActivePicture, budget);
    ReadPictureSlot(image, *out->Mask, budget);
    if (version == 1 || version == 2) {
        ReadPictureSlot(image, *out->RollUpPicture, budget);
        ReadPictureSlot(image, *out->RollUpMask, budget);
    }

    // Nothing is reserved by the count: a count beyond the data ends in a read error at the first
    // missing bitmap.
    const std::int32_t count = ReadInt32(image);
    for (std::int32_t i = 0; i < count; ++i) {
        auto bitmap = std::make_shared<TBitmap>();
        ReadSkinBitmap(image, *bitmap, budget);
        out->ActivePictures.push_back(std::move(bitmap));
    }

    const std::int64_t rest = image.Size() - image.Position();
    std::string text(static_cast<std::size_t>(rest), '\0');
    if (rest > 0)
        image.ReadBuffer(text.data(), rest);
    text = Cp1252ToUtf8(text);
    // Counted before it is split: millions of short lines pack into a few kilobytes.
    budget.ChargeIniText(text);
    out->IniLines.SetText(text);
    out->Charged = budget.Spent();
    return out;
}

// The unpacked image of the stored bytes: the one a component already holds for the same bytes, or a
// new one. The main window alone has four skin components given the same skin.
std::shared_ptr<const TskUnpackedSkinImage> SharedUnpackedImage(const TskCompressedStoredSkin& stored)
{
    TMemoryStream& data = stored.StoredData();
    std::string key(static_cast<const char*>(data.Memory()), static_cast<std::size_t>(data.Size()));
    std::lock_guard<std::mutex> lock(unpackMutex);
    auto& skins = UnpackedSkins();
    std::erase_if(skins, [](const auto& skin) { return skin.second.expired(); });
    for (const auto& [bytes, weak] : skins)
        if (bytes == key)
            if (auto image = weak.lock())
                return image;
    ++unpackCount;
    const auto started = std::chrono::steady_clock::now();
    auto image = UnpackImage(stored);
    unpackSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    skins.emplace_back(std::move(key), image);
    return image;
}

} // namespace

int SkinUnpackCount()
{
    std::lock_guard<std::mutex> lock(unpackMutex);
    return unpackCount;
}

double SkinUnpackSeconds()
{
    std::lock_guard<std::mutex> lock(unpackMutex);
    return unpackSeconds;
}

BYTE SkinTextCharset(const TskSkinData* Skin, BYTE Fallback)
{
    if (Skin == nullptr || Skin->ResourceStrData() == nullptr) return Fallback;
    return static_cast<BYTE>(Skin->ResourceStrData()->CharSet());
}

void TskSkinColors::ResetToSystemColors()
{
    cBtnFace = clBtnFace;
    cBtnText = clBtnText;
    cWindow = clWindow;
    cWindowText = clWindowText;
    cHighLight = clHighlight;
    cHighLightText = clHighlightText;
    cBtnHighLight = clBtnHighlight;
    cBtnShadow = clBtnShadow;
    c3DLight = cl3DLight;
    c3DDkShadow = cl3DDkShadow;
}

TskSkinData::TskSkinData(TComponent* AOwner)
    : TComponent(AOwner),
      Picture(std::make_shared<TBitmap>()),
      InActivePicture(std::make_shared<TBitmap>()),
      Mask(std::make_shared<TBitmap>()),
      RollUpPicture(std::make_shared<TBitmap>()),
      RollUpMask(std::make_shared<TBitmap>()),
      ActivePicturesNames(std::make_unique<TStringList>()),
      SkinColors(std::make_unique<TskSkinColors>()),
      PopupWindow(std::make_unique<TskDataSkinPopupWindow>()),
      HintWindow(std::make_unique<TskDataSkinHintWindow>())
{
}

TskSkinData::~TskSkinData()
{
    SkinEmpty = true;
    ClearSkinObjects();
}

// ---------------------------------------------------------------------------------------------------
// Properties

void TskSkinData::SetSkinnableForm(bool Value)
{
    if (Value == FSkinnableForm)
        return;
    FSkinnableForm = Value;
    if (!Designing() && !Reading())
        BroadcastSkinMessage(WM_CHANGEFORMSKINNABLE);
}

void TskSkinData::SetCompressedStoredSkin(TskCompressedStoredSkin* Value)
{
    FCompressedStoredSkin = Value;
    // While the form is read the other forms and controls are not complete yet: Loaded does the load.
    if (!Designing() && !Reading() && Value)
        LoadStoredSkinSafely(Value);
}

void TskSkinData::SetResourceStrData(TskResourceStrData* Value)
{
    FResourceStrData = Value;
    if (!Designing())
        BroadcastSkinMessage(WM_CHANGERESSTRDATA);
}

void TskSkinData::SetSkinList(TskCompressedSkinList* Value)
{
    FSkinList = Value;
    if (!Designing() && !Reading())
        LoadFromSkinList();
}

void TskSkinData::SetSkinIndex(int Value)
{
    if (Value == FSkinIndex)
        return;
    if (!FSkinList || Reading()) {
        FSkinIndex = Value;
        return;
    }
    if (Value < 0 || Value >= FSkinList->Skins()->Count())
        return;
    FSkinIndex = Value;
    if (!Designing())
        LoadFromSkinList();
}

void TskSkinData::LoadFromSkinList()
{
    if (FSkinList && FSkinIndex >= 0 && FSkinIndex < FSkinList->Skins()->Count())
        LoadStoredSkinSafely(FSkinList->Skins()->Items(FSkinIndex)->StoredSkin());
}

void TskSkinData::Loaded()
{
    TComponent::Loaded();
    if (Designing())
        return;
    if (FCompressedStoredSkin)
        LoadStoredSkinSafely(FCompressedStoredSkin);
    else if (FSkinList)
        LoadFromSkinList();
}


// ---------------------------------------------------------------------------------------------------
// Lookups and clearing

int TskSkinData::FindControlIndex(const std::string& AIDName) const
{
    return FindByIDName(ControlDataList, AIDName);
}

int TskSkinData::FindObjectIndex(const std::string& AIDName) const
{
    return FindByIDName(ObjectDataList, AIDName);
}

int TskSkinData::FindAreaIndex(const std::string& AIDName) const
{
    return FindByIDName(SkinAreaList, AIDName);
}

unsigned TskSkinData::NextGeneration()
{
    // Skins are loaded on the GUI thread, but a counter that can never hand out a value twice costs nothing.
    static std::atomic<unsigned> last{0};
    return ++last;
}

void TskSkinData::ClearSkinObjects()
{
    FGeneration = NextGeneration();
    SkinAreaList.clear();
    ObjectDataList.clear();
    ControlDataList.clear();
    ActivePictures.clear();
    PopupWindow->WindowPictureIndex = -1;
    HintWindow->WindowPictureIndex = -1;
    ActivePicturesNames->Clear();
    SkinColors->ResetToSystemColors();
    FUnpacked.reset();
}

void TskSkinData::ClearSkin()
{
    ClearSkinObjects();
    // The pictures may be those of an unpacked skin other components still show: let go of them.
    for (auto* b : {&Picture, &InActivePicture, &Mask, &RollUpPicture, &RollUpMask})
        *b = std::make_shared<TBitmap>();
    PictureName.clear();
    InActivePictureName.clear();
    MaskName.clear();
    RollUpPictureName.clear();
    RollUpMaskName.clear();
    SkinEmpty = true;
}

// ---------------------------------------------------------------------------------------------------
// Messages

void TskSkinData::BroadcastSkinMessage(UINT Msg)
{
    const auto wParam = reinterpret_cast<WPARAM>(this);
    TCustomForm* ownerForm = dynamic_cast<TCustomForm*>(Owner());
    if (ownerForm)
        SendMessage(ownerForm->Handle(), Msg, wParam, SkinMessageLParam);
    // A receiver may create or free forms; walk a snapshot, and skip forms that went away meanwhile.
    std::vector<TCustomForm*> forms;
    for (int i = 0; i < Screen->FormCount(); ++i)
        forms.push_back(Screen->Forms(i));
    for (TCustomForm* form : forms) {
        if (form == ownerForm)
            continue;
        bool alive = false;
        for (int i = 0; i < Screen->FormCount() && !alive; ++i)
            alive = Screen->Forms(i) == form;
        if (alive)
            SendMessage(form->Handle(), Msg, wParam, SkinMessageLParam);
    }
}

void TskSkinData::InvalidateAllForms()
{
    for (int i = 0; i < Screen->FormCount(); ++i)
        Screen->Forms(i)->Invalidate();
}

// ---------------------------------------------------------------------------------------------------
// Loading

void TskSkinData::LoadStoredSkinSafely(TskCompressedStoredSkin* AStoredSkin)
{
    try {
        LoadStoredSkin(AStoredSkin);
    } catch (const std::exception& e) {
        // The load has already left the skin empty and the controls paint their default look; the reason
        // goes where a person looking for it finds it, without stopping the form that holds the skin
        // (whatever the damage: a picture too large to allocate fails with the standard library's error).
        std::cerr << "Skin not loaded: " << e.what() << std::endl;
    }
}

void TskSkinData::LoadStoredSkin(TskCompressedStoredSkin* AStoredSkin)
{
    if (!AStoredSkin || AStoredSkin->IsStoredSkinEmpty())
        return;
    SkinEmpty = true;
    SkinLoading = true;
    try {
        BroadcastSkinMessage(WM_BEFORECHANGESKINDATA);
        ClearSkin();
        std::shared_ptr<const TskUnpackedSkinImage> image = SharedUnpackedImage(*AStoredSkin);
        if (image->Version > MaxSkinVersion) {
            // A newer format than this program reads: no skin, and no announcement of one.
            SkinLoading = false;
            InvalidateAllForms();
            return;
        }
        TakeUnpackedImage(*image);
        FUnpacked = std::move(image);
    } catch (...) {
        // Whatever was read belongs to no skin: leave the component empty, and never leave the frame
        // believing a load is still running (it does not paint meanwhile).
        ClearSkin();
        SkinLoading = false;
        InvalidateAllForms();
        throw;
    }
    SkinEmpty = false;
    BroadcastSkinMessage(WM_CHANGESKINDATA);
    SkinLoading = false;
    BroadcastSkinMessage(WM_AFTERCHANGESKINDATA);
}

void TskSkinData::TakeUnpackedImage(const TskUnpackedSkinImage& Image)
{
    Picture = Image.Picture;
    InActivePicture = Image.InActivePicture;
    Mask = Image.Mask;
    RollUpPicture = Image.RollUpPicture;
    RollUpMask = Image.RollUpMask;
    ActivePictures = Image.ActivePictures;

    // The entries keep what they read: it counts against the budget the pictures and lines began.
    TskSkinBudget budget;
    budget.Charge(Image.Charged);
    TskBudgetIniFile ini(budget);
    ini.SetStrings(Image.IniLines);

    SkinName = ini.ReadString("VERSION", "skinname", "");
    SkinAuthor = ini.ReadString("VERSION", "skinauthor", "");
    AuthorEmail = ini.ReadString("VERSION", "authoremail", "");
    AuthorURL = ini.ReadString("VERSION", "authorurl", "");
    SkinComments = ini.ReadString("VERSION", "skincomments", "");

    PictureName = ini.ReadString("PICTURES", "picture", "");
    MaskName = ini.ReadString("PICTURES", "mask", "");
    RollUpPictureName = ini.ReadString("PICTURES", "rolluppicture", "");
    RollUpMaskName = ini.ReadString("PICTURES", "rollupmask", "");
    IniReadIndexedList(ini, "PICTURES", "activepictures", *ActivePicturesNames);

    LoadFormInfo(ini);
    PopupWindow->LoadFromIni(ini);
    HintWindow->LoadFromIni(ini);
    LoadSkinColors(ini);
    LoadSkinAreas(ini);
    LoadSkinObjects(ini);
    LoadSkinControls(ini);
    FGeneration = NextGeneration();
}

void TskSkinData::LoadSkinColors(TMemIniFile& IniFile)
{
    const char* const s = "SKINCOLORS";
    SkinColors->cBtnFace = IniFile.ReadInteger(s, "cbtnface", 0);
    SkinColors->cBtnText = IniFile.ReadInteger(s, "cbtntext", 0);
    SkinColors->cWindow = IniFile.ReadInteger(s, "cwindow", 0);
    SkinColors->cWindowText = IniFile.ReadInteger(s, "cwindowtext", 0);
    SkinColors->cHighLight = IniFile.ReadInteger(s, "chighlight", 0);
    SkinColors->cHighLightText = IniFile.ReadInteger(s, "chighlighttext", 0);
    SkinColors->cBtnHighLight = IniFile.ReadInteger(s, "cbtnhighlight", 0);
    SkinColors->cBtnShadow = IniFile.ReadInteger(s, "cbtnshadow", 0);
    SkinColors->c3DLight = IniFile.ReadInteger(s, "c3dlight", 0);
    SkinColors->c3DDkShadow = IniFile.ReadInteger(s, "c3ddkshadow", 0);
}

void TskSkinData::LoadFormInfo(TMemIniFile& IniFile)
{
    const char* const s = "FORMINFO";
    LeftTopPoint = IniReadPoint(IniFile, s, "lefttoppoint");
    RightTopPoint = IniReadPoint(IniFile, s, "righttoppoint");
    LeftBottomPoint = IniReadPoint(IniFile, s, "leftbottompoint");
    RightBottomPoint = IniReadPoint(IniFile, s, "rightbottompoint");
    ClientRect = IniReadRect(IniFile, s, "clientrect");
    BGPictureIndex = IniFile.ReadInteger(s, "bgpictureindex", -1);
    MDIBGPictureIndex = IniFile.ReadInteger(s, "mdibgpictureindex", -1);
    LeftStretch = IniReadBool(IniFile, s, "leftstretch");
    RightStretch = IniReadBool(IniFile, s, "rightstretch");
    TopStretch = IniReadBool(IniFile, s, "topstretch");
    BottomStretch = IniReadBool(IniFile, s, "bottomstretch");
    StretchEffect = IniReadBool(IniFile, s, "stretcheffect");
    StretchType = IniReadStretchType(IniFile, s, "stretchtype");
    MDIBGStretchEffect = IniReadBool(IniFile, s, "mdibgstretcheffect");
    MDIBGStretchType = IniReadStretchType(IniFile, s, "mdibgstretchtype");
    ButtonsRect = IniReadRect(IniFile, s, "buttonsrect");
    CaptionRect = IniReadRect(IniFile, s, "captionrect");
    ButtonsOffset = IniFile.ReadInteger(s, "buttonsoffset", 0);
    ButtonsInLeft = IniReadBool(IniFile, s, "buttonsinleft");
    MaskRectArea = IniReadRect(IniFile, s, "maskrectarea");
    HitTestLeftTopPoint = IniReadPoint(IniFile, s, "hittestlefttoppoint");
    HitTestRightTopPoint = IniReadPoint(IniFile, s, "hittestrighttoppoint");
    HitTestLeftBottomPoint = IniReadPoint(IniFile, s, "hittestleftbottompoint");
    HitTestRightBottomPoint = IniReadPoint(IniFile, s, "hittestrightbottompoint");
    RollUpLeftPoint = IniReadPoint(IniFile, s, "rollupleftpoint");
    RollUpRightPoint = IniReadPoint(IniFile, s, "rolluprightpoint");

    if (!MaskName.empty()) {
        if (MaskRectArea.Width() < 1 || MaskRectArea.Height() < 1) {
            MaskRectArea = ClientRect;
        } else {
            MaskRectArea.Left = std::min(MaskRectArea.Left, ClientRect.Left);
            MaskRectArea.Top = std::min(MaskRectArea.Top, ClientRect.Top);
            MaskRectArea.Right = std::max(MaskRectArea.Right, ClientRect.Right);
            MaskRectArea.Bottom = std::max(MaskRectArea.Bottom, ClientRect.Bottom);
        }
        auto fill = [](TPoint& hit, const TPoint& corner) {
            if (hit.X == 0 || hit.Y == 0)
                hit = corner;
        };
        fill(HitTestLeftTopPoint, LeftTopPoint);
        fill(HitTestRightTopPoint, RightTopPoint);
        fill(HitTestLeftBottomPoint, LeftBottomPoint);
        fill(HitTestRightBottomPoint, RightBottomPoint);
    }

    MainMenuRect = IniReadRect(IniFile, s, "mainmenurect");
    IconRect = IniReadRect(IniFile, s, "iconrect");
    MainMenuPopupUp = IniReadBool(IniFile, s, "mainmenupopupup");
    BorderWidth = IniFile.ReadInteger(s, "borderwidth", 0);
    FormMinWidth = IniFile.ReadInteger(s, "formminwidth", 0);
    MDITabsTransparent = IniReadBool(IniFile, s, "mditabstransparent");
    MainMenuBarTransparent = IniReadBool(IniFile, s, "mainmenubartransparent");
    CursorIndex = IniFile.ReadInteger(s, "cursorindex", -1);
    AutoRenderingInActiveImage = IniReadBool(IniFile, s, "autorenderinginactiveimage");
    InActiveEffect = IniReadInactiveEffect(IniFile, s, "inactiveeffect");

    if (RightBottomPoint.X - LeftTopPoint.X != 0 && RightBottomPoint.Y - LeftTopPoint.Y != 0) {
        LeftTopPoint.X = std::max(LeftTopPoint.X, ClientRect.Left);
        LeftTopPoint.Y = std::max(LeftTopPoint.Y, ClientRect.Top);
        RightTopPoint.X = std::min(RightTopPoint.X, ClientRect.Right);
        RightTopPoint.Y = std::max(RightTopPoint.Y, ClientRect.Top);
        LeftBottomPoint.X = std::max(LeftBottomPoint.X, ClientRect.Left);
        LeftBottomPoint.Y = std::min(LeftBottomPoint.Y, ClientRect.Bottom);
        RightBottomPoint.X = std::min(RightBottomPoint.X, ClientRect.Right);
        RightBottomPoint.Y = std::min(RightBottomPoint.Y, ClientRect.Bottom);
    }

    SizeGripArea = IniReadRect(IniFile, s, "sizegriparea");
    StatusBarName = IniFile.ReadString(s, "statusbarname", "");
}

void TskSkinData::LoadSkinAreas(TMemIniFile& IniFile)
{
    int index = 0;
    ForEachCountedEntry(IniFile, "SKINAREAS", [this, &index](const std::string& text) {
        std::string name, rect;
        SplitEntry(text, name, rect);
        TRect area{};
        // A text without a colon names no area and has no rectangle to read; the area stays empty.
        if (text.find(':') != std::string::npos) {
            try {
                area = ParseRect(rect);
            } catch (const EConvertError&) {
                throw EConvertError("Skin value [SKINAREAS] " + std::to_string(index) + "=" + text +
                                    " holds no valid rectangle");
            }
        }
        SkinAreaList.push_back(std::make_unique<TskDataSkinArea>(name, area));
        ++index;
    });
}

void TskSkinData::LoadSkinObjects(TMemIniFile& IniFile)
{
    ForEachCountedEntry(IniFile, "SKINOBJECTS", [this, &IniFile](const std::string& text) {
        std::string name, kind;
        SplitEntry(text, name, kind);
        if (auto entry = CreateSkinObjectEntry(kind, name)) {
            ObjectDataList.push_back(std::move(entry));
            ObjectDataList.back()->LoadFromIni(IniFile);
        }
    });
}

void TskSkinData::LoadSkinControls(TMemIniFile& IniFile)
{
    ForEachCountedEntry(IniFile, "SKINCONTROLS", [this, &IniFile](const std::string& text) {
        std::string name, kind;
        SplitEntry(text, name, kind);
        if (auto entry = CreateSkinControlEntry(kind, name)) {
            ControlDataList.push_back(std::move(entry));
            ControlDataList.back()->LoadFromIni(IniFile);
        }
    });
}
