#pragma once
// A panel along the bottom of a form, painted from the skin entry "statusbar", that can carry a size
// grip at its right end: the skin's "gripperrect" piece, or diagonal lines without one. Over the grip
// the bar answers as the form's bottom-right sizing corner, so dragging it sizes the form.
#include "skin/controls/TskSkinPanel.h"

class TskSkinStatusBar : public TskSkinPanel {
public:
    explicit TskSkinStatusBar(TComponent* AOwner);

    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);
    bool SizeGripActive() const { return FSizeGripActive; }
    // The window frame turns the grip off while the form is maximized and on again when it is restored.
    void SetSizeGripActive(bool Value);
    // True while the grip shows: SizeGrip on and not turned off by the frame.
    bool HasGrip() const { return FSizeGrip && FSizeGripActive; }
    // The grip's place in client coordinates; empty without a grip.
    TRect GripRect();

    void FindSkinObject() override;

protected:
    void AdjustClientRect(TRect& Rect) override;
    void WndProc(TMessage& Message) override;
    void DrawOverPanel(TCanvas* C) override;

private:
    bool HasGripperPicture() const;

    bool FSizeGrip = false;
    bool FSizeGripActive = true;

    // Copied from the entry.
    TRect FGripperRect;
    bool FGripperTransparent = false;
    TColor FGripperTransparentColor = 0;
};
