#pragma once
// The screen as the components see it: its size and work area, the forms of the program in creation
// order, the active form, and the cursor that overrides every control's while it is set.
#include <map>
#include <vector>

#include "platform/vcl/TControl.h"
#include "platform/win/WinApi.h"

class TCustomForm;

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);

    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int Index) const;
    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    int PixelsPerInch() const { return 96; }
    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;

    TCursor Cursor() const { return FCursor; }
    // crDefault gives every control its own cursor back.
    void SetCursor(TCursor Value);
    // Cursor handles by number; the standard ones are known, others can be added.
    HCURSOR Cursors(int Index) const;
    void SetCursors(int Index, HCURSOR Handle) { FCursors[Index] = Handle; }

    std::vector<TCustomForm*>::const_iterator FormsBegin() const { return FForms.begin(); }
    std::vector<TCustomForm*>::const_iterator FormsEnd() const { return FForms.end(); }
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);

private:
    std::vector<TCustomForm*> FForms;
    TCursor FCursor = crDefault;
    std::map<int, HCURSOR> FCursors;
};

HCURSOR CursorToHandle(TCursor Cursor);

// Shows the hourglass on the screen while a long piece of work runs, and puts back the cursor that
// was set before, whatever way the work ends.
class TBusyCursor {
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    TCursor FSaved = crDefault;
};

// The program's one screen object, made on first use.
class TScreenRef {
public:
    TScreen* operator->() const { return Get(); }
    operator TScreen*() const { return Get(); }
    static TScreen* Get();
};
extern TScreenRef Screen;
