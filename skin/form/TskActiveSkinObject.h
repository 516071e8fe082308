#pragma once
// The live objects a skin places on a window frame. Every entry of the skin's [SKINOBJECTS] list that
// stands on the frame becomes one TskActiveSkinObject (or one of its kinds) owned by the form's
// TskFormFrame. The frame paints them into its picture, routes the mouse to them and raises its object
// events for them; an object never owns a picture, all bitmaps belong to the frame's TskSkinData.
//
// The base class holds what every kind shares: the normal, active and inactive images, the cross-fade
// ("morph") between the normal and the active image, the glow layer shown while the pointer is on the
// object, and the hit test through a black-and-white mask picture.
#include <functional>
#include <string>

#include "platform/rtl/Types.h"
#include "platform/vcl/TControl.h"
#include "platform/vcl/TComponent.h"

class TBitmap;
class TCanvas;
class TskFormFrame;
class TskSkinData;
class TskDataSkinObject;
class TskLayerManager;

// One morph step; the frame's morph timer fires every SkinObjectMorphInterval ms, so a full fade
// takes five ticks.
constexpr double SkinObjectMorphStep = 0.2;
constexpr unsigned SkinObjectMorphInterval = 25;
// The morph factor one step on from Factor, towards 1 (Increase) or 0, kept within [0, 1].
double SteppedMorphFactor(double Factor, bool Increase);

// Which object kind the frame makes for an entry, by the entry's data class, tested in this order;
// skokNone for entries that serve only menus and for unknown classes.
enum TskSkinObjectKind {
    skokNone = -1,
    skokGauge,
    skokStdButton,
    skokButton,
    skokCaption,
    skokUserObject,
    skokSwitch,
    skokTrackBar,
    skokLabel,
    skokAnimate,
    skokBitLabel,
    skokFrameRegulator,
    skokFrameGauge,
};
class TskActiveSkinObject : public TObject {
public:
    // With no entry only the owner, SkinData, Enabled, Visible and a zero MorphFactor are set (the
    // default caption buttons of a frame without skin are made so).
    TskActiveSkinObject(TskFormFrame* AParent, TskDataSkinObject* AData);
    ~TskActiveSkinObject() override = default;
    TskActiveSkinObject(const TskActiveSkinObject&) = delete;
    TskActiveSkinObject& operator=(const TskActiveSkinObject&) = delete;

    // The protocol with the frame. X and Y of the mouse calls are frame coordinates; InMask takes
    // coordinates relative to ObjectRect's top-left.
    virtual bool InMask(int X, int Y);
    virtual void ShowLayer();
    virtual void HideLayer();
    // UpDate is False while the frame paints its whole picture (which already shows every object's
    // normal image) and True when this object is redrawn alone.
    virtual void Draw(TCanvas* Cnvs, bool UpDate);
    virtual void DblClick();
    virtual void MouseDown(int X, int Y, TMouseButton Button);
    virtual void MouseUp(int X, int Y, TMouseButton Button);
    virtual void MouseMove(int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // True while the morph has not reached its end in the current direction.
    virtual bool CanMorphing();
    // Calls the frame makes on every object; the kinds that need them override them.
    // One tick of the frame's animate timer; True while the object is still running (the frame keeps
    // the timer going while any object answers True).
    virtual bool AnimateStep() { return false; }
    // Back to idle (window deactivated, size or move loop begins): Active, MorphIncrease and
    // MorphFactor cleared. The frame does not call it for caption objects.
    virtual void ResetState();
    // The frame's skin menu has closed: an object whose menu was open releases itself.
    virtual void MenuClosed() {}

    // Morphing asked for by the skin entry and allowed by the skin data (EnableSkinEffects).
    bool EnableMorphing() const;
    // Without morphing the frame redraws the object at once; with it, the frame's morph timer starts
    // and the morph does the drawing.
    void ReDraw();
    // Stores Value clamped into [0, 1].
    void SetMorphFactor(double Value);
    // One morph step in the direction of MorphIncrease, then the frame redraws the object.
    void DoMorphing();

    TskFormFrame* Parent = nullptr;
    double MorphFactor = 0;
    bool Active = false;
    TBitmap* Picture = nullptr;
    TBitmap* ActivePicture = nullptr;
    TBitmap* ActiveMaskPicture = nullptr;
    TskSkinData* SkinData = nullptr;
    std::string IDName;
    std::string Hint;
    TRect SkinRect;
    TRect ActiveSkinRect;
    TRect InActiveSkinRect;
    bool Morphing = false;
    int MorphKind = 0; // how the normal image turns into the active one: mkDefault .. mkPush (SkinIni.h)
    TRect ObjectRect;
    bool MorphIncrease = false;
    bool Enabled = true;
    int CursorIndex = -1;
    bool RollUp = false;
    bool Visible = true;
    // A caption button that is disabled is hidden rather than shown inactive (the frame's default
    // buttons).
    bool HideWhenDisabled = false;
    bool SkinRectInAPicture = false;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetX = 0;
    int GlowLayerOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;
    // The kind of entry the object was made for (set by CreateSkinObject; skokNone for objects the
    // frame makes itself, such as default caption buttons and main-menu items).
    TskSkinObjectKind Kind = skokNone;

protected:
    // The skin is there and holds pictures.
    bool SkinPresent() const;
    // The frame's window is active (a disabled object always paints as if it were).
    bool FrameActive() const;
    // Copies rectangle R of Source onto ObjectRect (top-left aligned, R's size) on the canvas.
    void DrawPictureRect(TCanvas* Cnvs, TBitmap* Source, const TRect& R) const;
    // The cross-fade of MorphKind at MorphFactor from R1 of P1 towards R2 of P2, drawn at ObjectRect.
    void DrawMorph(TCanvas* Cnvs, TBitmap* P1, const TRect& R1, TBitmap* P2, const TRect& R2) const;
    // The morph has come to its end in the current direction.
    bool MorphAtEnd() const;
    // The glow of this object on the given layer manager of the frame (kinds that drop a menu use the
    // frame's second manager, so that their glow survives while others come and go).
    void ShowLayerOn(TskLayerManager* Manager);
    void HideLayerOn(TskLayerManager* Manager);
    bool GlowAllowed() const;
    // The ActivePictures item at Index, nil when the index names none.
    TBitmap* SkinPicture(int Index) const;
};

TskSkinObjectKind SkinObjectKindOf(const TskDataSkinObject* Data);

// The object kinds live in their own units; each registers its maker here so that the frame can
// create it without knowing its header. A kind nobody registered is made as a plain
// TskActiveSkinObject (it still shows its images and raises the object events).
using TskSkinObjectMaker = std::function<TskActiveSkinObject*(TskFormFrame* Frame, TskDataSkinObject* Data)>;
void RegisterSkinObjectMaker(TskSkinObjectKind Kind, TskSkinObjectMaker Maker);
// The object for one entry, or nullptr when the entry makes none. The caller owns the result.
TskActiveSkinObject* CreateSkinObject(TskFormFrame* Frame, TskDataSkinObject* Data);
