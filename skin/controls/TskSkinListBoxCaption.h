#pragma once
// The caption strip of a skinned list box (shown while its CaptionMode is on): the caption text with
// an optional glyph, and three caption buttons. Up and down move the selection one item, on release,
// and repeat while held (first after 500 ms, then every 100 ms; coming back onto a held button resumes
// at 50 ms); check acts as a click on the list. A button whose own event is assigned only fires that.
// The list box owns one of these and hands it its painting, mouse and timer news.
#include <string>

#include "platform/rtl/Types.h"
#include "platform/vcl/TCanvas.h"
#include "platform/win/MessageQueue.h"

class TskSkinCustomListBox;
class TskDataSkinListBox;

class TskSkinListBoxCaption {
public:
    static constexpr int UpButton = 0;
    static constexpr int DownButton = 1;
    static constexpr int CheckButton = 2;
    // The window timer of the list box that drives the repeat.
    static constexpr UINT_PTR RepeatTimer = 1;

    explicit TskSkinListBoxCaption(TskSkinCustomListBox* Owner) : FOwner(Owner) {}

    // Copies the caption values of the list box's entry.
    void ReadEntry(const TskDataSkinListBox& Entry);
    // Where button I is on the list box now; empty when the caption has no buttons.
    TRect ButtonRect(int I) const;
    bool HasButtons() const;
    bool ButtonDown(int I) const { return FButtons[I].Down; }
    bool ButtonHot(int I) const { return FButtons[I].MouseIn; }

    // The strip in the default look (B is the list box's picture) or from the skin (B holds the top
    // of the list box at least).
    void DrawDefault(TCanvas* C);
    void DrawSkin(TCanvas* C);

    void MouseDown(int X, int Y);
    void MouseMove(int X, int Y);
    void MouseUp(int X, int Y);
    void MouseEnter() { TestActive(-1, -1); }
    void MouseLeave();
    void TimerTick();
    // Ends a press and its repeat without acting (the caption went away, the control is going).
    void Cancel();

private:
    struct TButton {
        bool MouseIn = false;
        bool Down = false;
    };

    bool Skinned() const;
    TRect DefaultButtonRect(int I) const;
    TRect SkinButtonRect(int I) const;
    TRect CaptionTextRect() const;
    int ButtonAt(int X, int Y) const;
    void TestActive(int X, int Y);
    bool HasEvent(int I) const;
    void Act(int I);
    void MoveSelection(int Delta);
    void StartTimer(UINT Ms);
    void StopTimer();
    void DrawButton(TCanvas* C, int I);
    void DrawText(TCanvas* C, const TRect& R, TColor Color);

    TskSkinCustomListBox* FOwner;
    TButton FButtons[3];
    int FOldActiveButton = -1;
    int FActiveButton = -1;
    int FCaptureButton = -1;
    int FRepeatMode = 0; // 0 none, 1 up, 2 down
    bool FWaitFirstRepeat = false;
    bool FTimerOn = false;

    // Copied from the entry: the caption rectangle and each button's normal (relative to the entry's
    // "skinrect"), active and down rectangles (in the picture).
    TRect FCaptionRect;
    std::string FFontName = "Arial";
    TFontStyles FFontStyle;
    int FFontHeight = 14;
    TColor FFontColor = 0;
    TRect FSkinButtons[3][3];
};
