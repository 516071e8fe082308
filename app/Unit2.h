#pragma once
// Unit2 is the preview window's unit.
// The preview window: a queue row's thumbnail shown large, and a Play button that starts the player in
// slave mode drawing into the panel videowindow1, with the row's chosen audio and subtitle tracks. The
// seek slider sends "seek" commands to the running player; the row's track boxes switch the playing
// tracks (app/om_queue). The player's window keeps the source's aspect inside the picture area.
#include <memory>
#include <string>

#include "platform/rtl/Types.h"
#include "platform/vcl/TForm.h"

class TForm1;
struct TRunState;
class TImage;
class TOmQueue;
class TOxPanel;
class TskFormFrame;
class TskSkinPanel;
class TskSkinSlider;
class TskSkinSpeedButton;

// The player window's place in the picture area Area for an aspect of Aw by Ah: the full width, or
// the full height when the width would make it too tall; centred (halves rounded toward zero).
// Empty when an aspect value is not positive.
TRect FitPreviewRect(const TRect& Area, int Aw, int Ah);

// TForm2 is the program's preview window.
class TForm2 : public TForm {
public:
    // Reads the stored "TForm2" description when the program has one; the components it lacks are made
    // here with the same names.
    explicit TForm2(TComponent* AOwner);
    ~TForm2() override;

    // Connects the window to the main window and its queue rows: a thumbnail click opens the preview
    // of its row, and the player's picture size refits the player window.
    void Attach(TForm1* Main, TOmQueue* Queue);

    TskFormFrame* skf = nullptr;
    TskSkinPanel* preview = nullptr;            // bottom bar
    TskSkinSpeedButton* skSkinSpeedButton1 = nullptr; // Play
    TskSkinSpeedButton* skSkinSpeedButton3 = nullptr; // Stop
    TskSkinSlider* trackbar2 = nullptr;         // seek, in seconds
    TskSkinPanel* skSkinPanel1 = nullptr;       // the area the player window is fitted into
    TOxPanel* videowindow1 = nullptr;           // the player's window
    TImage* Image1 = nullptr;                   // the still picture; its Tag holds the source row

    // Opens the window on source row r (the row's thumbnail click).
    void ImageClick(int r);
    // Starts the player for the row in Image1's Tag and serves the window until it ends; Play while
    // it plays stops it.
    void PlayPreview();
    // Fits videowindow1 to the stored aspect (values below 10 count as 64).
    void PreviewResize();
    // Stores the aspect "W" + "x" + "H" and fits videowindow1; a text without two numbers leaves the
    // stored aspect as it is.
    void FitPreviewPanel(const std::string& Aspect);
    // The last player command line (what Play started); "" before the first.
    const std::string& LastCommand() const { return FLastCommand; }
    // True while the user holds the seek slider.
    bool SeekDragging() const { return FSeekDragging != 0; }

    // Handlers.
    void FormResize(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void skSkinSpeedButton1Click(TObject* Sender);
    void skSkinSpeedButton3Click(TObject* Sender);
    void Image1Click(TObject* Sender);
    void trackbar2Change(TObject* Sender);
    void trackbar2MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void trackbar2MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

protected:

private:
    void MakeMissingComponents();
    void BindHandlers();
    unsigned long PlayerWindowId();
    // The main window's run state, where the identify run also leaves the source's aspect; a preview
    // window without a main window keeps the aspect in its own.
    TRunState& MainState();

    TComponentLink<TForm1> FMain{this};
    TComponentLink<TOmQueue> FQueue{this};
    int FSeekDragging = 0;
    bool FPlaying = false; // a PlayPreview call waits for its player
    std::string FLastCommand;
    std::unique_ptr<TRunState> FOwnState;
};

// The preview window of the program (set by its constructor, cleared when it goes).
extern TForm2* Form2;

// Tells the form reader about TForm2: its fields and handlers.
void RegisterForm2Class();
