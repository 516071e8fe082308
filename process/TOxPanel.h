#pragma once
// A panel that can lay out its children in rows, draw a flat border, be transparent, hot-track the
// mouse, be moved by dragging and resized by a size grip, and that reports its own size changes.
// The converter's video windows are panels of this kind (black, flat border of width 0).
#include <functional>
#include <memory>

#include "process/TOxArrangeSettings.h"
#include "process/TOxExCustomPanel.h"
#include "process/TOxHotTrackOptions.h"

// The extension panel: its paint ends with DoPaint, which fires OnPaint.
class TOxCustomPanel : public TOxExCustomPanel {
public:
    explicit TOxCustomPanel(TComponent* AOwner) : TOxExCustomPanel(AOwner) {}

    TNotifyEvent OnPaint;

protected:
    void Paint() override;
    virtual void DoPaint();
};

using TOxPanelMoveEvent = std::function<void(TObject* Sender, int X, int Y, bool& CanMove)>;
using TOxPanelResizeParentEvent = std::function<void(TObject* Sender, int Left, int Top, int Width, int Height)>;
using TOxPanelChangedSizeEvent = std::function<void(TObject* Sender, int NewSize)>;

class TOxCustomArrangePanel : public TOxCustomPanel {
public:
    explicit TOxCustomArrangePanel(TComponent* AOwner);
    ~TOxCustomArrangePanel() override;

    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value);
    TFont* HotTrackFont() const { return FHotTrackFont.get(); }
    void SetHotTrackFont(TFont* Value) { FHotTrackFont->Assign(Value); }
    TOxTrackFontOptions HotTrackFontOptions() const { return FHotTrackFontOptions; }
    void SetHotTrackFontOptions(TOxTrackFontOptions Value);
    TOxHotTrackOptions* HotTrackOptions() const { return FHotTrackOptions; }
    bool Movable() const { return FMovable; }
    void SetMovable(bool Value) { FMovable = Value; }
    bool Sizeable() const { return FSizeable; }
    void SetSizeable(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    bool FlatBorder() const { return FFlatBorder; }
    void SetFlatBorder(bool Value);
    TColor FlatBorderColor() const { return FFlatBorderColor; }
    void SetFlatBorderColor(TColor Value);
    TOxArrangeSettings* ArrangeSettings() const { return FArrangeSettings; }
    void SetArrangeSettings(TOxArrangeSettings* Value);

    // Copies the hot-track look of another hot-tracking panel (never from itself).
    void CopyHotTrackFrom(TOxCustomArrangePanel* Source);

    // Lays out the children when AutoArrange is on and the panel is not loading.
    void Rearrange();
    void ArrangeControls();
    // Arranging runs only while the counter is below 1.
    void DisableArrange() { ++FDisableCount; }
    void EnableArrange() { --FDisableCount; }
    // The extent of the arranged children plus twice the borders.
    int ArrangedWidth() const { return FArrangedWidth; }
    int ArrangedHeight() const { return FArrangedHeight; }

    TOxPanelMoveEvent OnBeforeMove;
    TNotifyEvent OnAfterMove;

protected:
    virtual void ArrangeSettingsChanged(const std::string& PropName);
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void MouseEnter(TControl* Control) override;
    void MouseLeave(TControl* Control) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Loaded() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void Resize() override;
    // Width and height through the setters that report changes (TOxPanel's); plain here.
    virtual void ApplyArrangedSize(int NewWidth, int NewHeight);

private:
    bool HotLook() const;
    bool InSizeGrip(int X, int Y) const;
    void DrawCaption();
    void DrawSizeGrip();

    bool FHotTrack = false;
    std::unique_ptr<TFont> FHotTrackFont;
    TOxTrackFontOptions FHotTrackFontOptions{hoFollowFont, hoPreserveColor, hoPreserveStyle};
    TOxHotTrackOptions* FHotTrackOptions;
    TOxArrangeSettings* FArrangeSettings;
    bool FMovable = false;
    bool FSizeable = false;
    bool FTransparent = false;
    bool FMultiLine = false;
    bool FFlatBorder = false;
    TColor FFlatBorderColor = clBtnShadow;

    bool FSizing = false;
    TPoint FLastPos;
    TCursor FSavedCursor = crDefault;
    bool FCursorChanged = false;
    bool FMoved = false;
    bool FArranging = false;
    int FDisableCount = 0;
    int FArrangedWidth = 0;
    int FArrangedHeight = 0;
};

class TOxPanel : public TOxCustomArrangePanel {
public:
    explicit TOxPanel(TComponent* AOwner);

    // Only a real change is reported: OnChangedWidth/Height, then OnResizeParent, or else an
    // arranging parent rearranges.
    void SetWidth(int Value);
    void SetHeight(int Value);

    TOxPanelResizeParentEvent OnResizeParent;
    TOxPanelChangedSizeEvent OnChangedWidth;
    TOxPanelChangedSizeEvent OnChangedHeight;

protected:
    void ApplyArrangedSize(int NewWidth, int NewHeight) override;

private:
    void SizeChanged(bool WidthChanged);
};

// Registers the panel classes with the form reader.
void RegisterOxPanelClasses();
