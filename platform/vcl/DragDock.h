#pragma once
// Dragging a control onto another one, and docking a control into a dock site.
//
// One drag runs at a time. A control with DragMode dmAutomatic arms one at every left press; it begins
// only once the pointer has moved past a threshold with the button held, so that a press that does not
// move stays an ordinary click. While it runs, an
// application message hook takes the pointer: every move asks the control under the pointer (dkDrag)
// or the dock site under it (dkDock) whether it accepts, the release drops, and Escape or the right
// button cancels. The source then hears where it ended (OnEndDrag, OnEndDock), the target nil when
// nothing took it.
//
// Docking here moves the control into the site at the drop point. A dock drag released where no site
// takes it leaves the control where it was: there are no floating dock windows.
#include <functional>

#include "platform/rtl/Types.h"
#include "platform/vcl/TComponent.h"

class TControl;
class TWinControl;

enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// What is being dragged. The library makes one for a drag unless OnStartDrag hands in its own; the
// targets' events then get that object as Source, else the dragged control itself.
class TDragObject : public TObject {
public:
    TDragObject() = default;
    explicit TDragObject(TControl* AControl) : FControl(AControl) {}
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value) { FControl = Value; }
    // The pointer, in screen coordinates, as last seen by the drag.
    TPoint DragPos;
    // The control that last accepted (dkDrag) or the dock site under the pointer (dkDock), or nullptr.
    TControl* DragTarget = nullptr;

private:
    TControl* FControl = nullptr;
};

class TDragDockObject : public TDragObject {
public:
    using TDragObject::TDragObject;
    // Where the control would go, in screen coordinates: its size, kept at the grab point.
    TRect DockRect;
};

using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDockEvent = std::function<void(TObject* Sender, TDragDockObject*& DragObject)>;
using TDockOverEvent =
    std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDockDropEvent = std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y)>;
using TGetSiteInfoEvent =
    std::function<void(TObject* Sender, TControl* DockClient, TRect& InfluenceRect, TPoint MousePos, bool& CanDock)>;
using TUnDockEvent = std::function<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;

// How far the pointer moves, with the button held, before a drag begins.
constexpr int DefaultDragThreshold = 5;

// The drag itself, for TControl and TWinControl.
namespace DragManager {
// Arms a drag from At, the pointer's screen position at the press; it starts past the threshold.
void Begin(TControl* Control, TPoint At);
// Control is the source of the drag under way (a drag waiting for its threshold does not count).
bool IsDragging(const TControl* Control);
// The drag object of the drag under way, or nullptr.
TDragObject* Current();
// A control that goes away leaves the drag: as its source the drag is cancelled without events, as
// its target or dock site it is forgotten.
void ControlGone(TControl* Control);
// Dock sites are looked for among these.
void SetDockSite(TWinControl* Site, bool IsSite);
} // namespace DragManager
