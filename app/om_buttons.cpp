#include "app/om_buttons.h"

#include "app/TSystemServices.h"
#include "app/Unit1.h"
#include "app/om_codecs.h"
#include "app/om_convert.h"
#include "app/om_crop.h"
#include "app/om_functions.h"
#include "app/om_queue.h"
#include "app/om_runcontrol.h"
#include "app/om_tables.h"
#include "app/om_thumbs.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/ScopeGuards.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

// The destination the program starts with: "Ombrix" in the documents folder; "" when the user has
// no documents folder.
std::string DefaultDestination()
{
    try {
        return WithTrailingSlash(JoinPath(GetMyDocumentsFolder(), "Ombrix"));
    } catch (const Exception&) {
        return std::string();
    }
}

// The run buttons as they look while a queue runs (Running) or while idle.
void ShowRunButtons(TForm1& Form, bool Running)
{
    if (IOmButton* go = Form.go_button) {
        go->SetGlyph(Running ? "stop_glyph" : "go_glyph");
        go->SetHint(Running ? "Abort conversion" : "Start conversion");
        go->SetShowHint(Running);
    }
    if (IOmButton* skip = Form.skip_button) {
        skip->SetGlyph(Running ? "skip_glyph" : "no_glyph");
        skip->SetEnabled(Running);
        if (Running) {
            skip->SetHint("Skip");
            skip->SetShowHint(true);
        }
    }
    for (IOmButton* add : {Form.file_button, Form.folder_button})
        if (add)
            add->SetEnabled(!Running);
}

// What the driver gets from the window when nothing else is said: the chosen device as it stands in
// dq, at its default quality, the system's tray and file manager, cropping to fill the device.
TConvertOptions StartOptions(TForm1& Form, TSystemServices& System)
{
    TConvertOptions options;
    const TskSkinStringGrid& dq = *Form.Tables().dq;
    options.Destination = Form.skskinlabel1->ProgressText();
    options.DeviceText = dq.Cells(DeviceProfile::Name, 0);
    options.Quality = CellInt(dq.Cells(DeviceProfile::VideoBitrate, 0)) / 10;
    options.Ejector = &System;
    options.Playlist = Form.playlist;
    options.DetectCrop = [&Form](int JobRow) { DetectCrop(Form, JobRow, TCropMode::FillDevice); };
    options.MakeOutputThumbnail = [&Form](int JobRow) { MakeOutputThumbnail(Form, JobRow); };
    return options;
}

// Why no job could write its file ("" when they can): the work folder the tools run in, or the
// destination, found before the first job rather than after a whole encoding step.
std::string WhyNotStarted(const std::string& WorkFolder, const std::string& Destination)
{
    if (!WorkFolder.empty() && !DirectoryExists(WorkFolder + "temp")) {
        ForceDirectories(WorkFolder + "temp");
        if (!DirectoryExists(WorkFolder + "temp"))
            return "Not started: " + WorkFolderProblem(WorkFolder);
    }
    switch (DestinationState(Destination)) {
    case TDestinationState::NotAFolder: return "Not started: the destination " + Destination + " is not a folder";
    case TDestinationState::Missing: return "Not started: the destination folder " + Destination + " cannot be made";
    case TDestinationState::ReadOnly: return "Not started: the destination folder " + Destination + " is read-only";
    case TDestinationState::Usable: break;
    }
    return std::string();
}

// The destination shown at the end of a queue, through the window: it says so when it cannot be shown.
class TWindowLauncher : public ILauncher {
public:
    explicit TWindowLauncher(TForm1& Form) : FForm(Form) {}
    void OpenFolder(const std::string& Folder) override { FForm.OpenOnDesktop(Folder, TDesktopTarget::Folder); }

private:
    TForm1& FForm;
};

} // namespace

std::string WorkFolderProblem(const std::string& WorkFolder)
{
    return "the work folder " + WorkFolder + " cannot be made";
}

void TForm1::skSkinSpeedButton1Click(TObject* Sender)
{
    const bool idle = skSkinSpeedButton1 ? skSkinSpeedButton1->Caption() == "Start" : RunState.Converting == 0;
    if (!idle) {
        // Stop: served from inside the queue's wait; the queue unwinds and Start's own tail puts the
        // caption back once the driver has returned.
        RunControl().Stop();
        return;
    }
    // A queue still on the stack (stopped, not yet returned): a nested one would clear its job table.
    // During a scan round the queue is still being built: Start waits for the round's end.
    if (RunState.Converting != 0 || RunState.ScanRound)
        return;

    if (skSkinSpeedButton1)
        skSkinSpeedButton1->SetCaption("Stop");
    ShowRunButtons(*this, true);
    // The buttons and the caption come back when the queue has returned, however it returns.
    const TScopeExit idleAgain([this] {
        ShowRunButtons(*this, false);
        if (skSkinSpeedButton1)
            skSkinSpeedButton1->SetCaption("Start");
    });

    // Cancel keeps the destination there was: Start goes on.
    skSkinSpeedButton3Click(Sender);
    if (skskinlabel1->ProgressText().empty())
        skskinlabel1->SetProgressText(DefaultDestination());
    const std::string destination = skskinlabel1->ProgressText();
    if (destination.empty()) {
        // Nowhere to write: files would land in whatever folder the program was started from.
        SetStatusText("no destination folder");
        return;
    }
    ForceDirectories(destination);
    if (const std::string why = WhyNotStarted(WorkFolder, destination); !why.empty()) {
        SetStatusText(why);
        return;
    }

    // The bars of an earlier run (finished, skipped or stopped) would read as this run's progress.
    if (Queue)
        Queue->ClearProgress();
    TConvertOptions options = StartOptions(*this, FSystem);
    TWindowLauncher launcher(*this);
    options.Launcher = &launcher;
    if (OnConvertOptions)
        OnConvertOptions(options);
    options.Destination = destination;
    ConvertQueue(*this, options);
}

void TForm1::skSkinSpeedButton2Click(TObject*)
{
    // Skip belongs to a running queue; with none there is nothing of its own to interrupt.
    if (RunState.Converting != 0)
        RunControl().Skip();
}

void TForm1::skSkinSpeedButton3Click(TObject*)
{
    std::string destination = skskinlabel1->ProgressText();
    OxSelectDirectory1->SetTitle("Select destination folder");
    OxSelectDirectory1->SetDirectory(destination);
    if (OxSelectDirectory1->Execute()) {
        std::string chosen = OxSelectDirectory1->Directory();
        // A root joined with a name gives one doubled separator ("//media/x").
        if (const std::size_t at = chosen.find("//"); at != std::string::npos)
            chosen.erase(at, 1);
        // An empty answer names no folder: the destination stays as it was.
        if (!chosen.empty())
            destination = chosen;
    }
    skskinlabel1->SetProgressText(WithTrailingSlash(destination));
}
