#pragma once
// Unit1 is the main window's unit.
// The main window: TForm1 with its run state (flags and counters), the hidden tables, work lists,
// the one console-tool runner and the timers that drive intake, scanning, identification and the
// progress display. Visible controls are reached through small interfaces (app/om_controls.h and the
// ones below), so the window can hand the handlers a skinned control, and a test a double of its own.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/om_controls.h"
#include "app/om_runstate.h"
#include "platform/rtl/Types.h"
#include "platform/sys/Volumes.h"
#include "platform/vcl/TForm.h"

class TOmTables;
class TSystemServices;
class TOxCreateProcess;
class TRunControl;
class TStrings;
class TStringList;
class TTimer;
class TskSkinStringGrid;
class IOmButton;              // run buttons (app/om_buttons.h)
class TOmQueue;               // queue rows (app/om_queue.h)
class TScanAhead;             // a scan round's files identified side by side (app/om_scanahead.h)
struct TConvertOptions;       // run buttons (app/om_convert.h)
struct TSettingsControls;     // settings file (app/om_settings.h)

// What the window asks the desktop to open, as its status line names it.
enum class TDesktopTarget { Help, WebPage, Folder };

// A gauge that shows a text (the status line, the destination label).
class IOmGauge {
public:
    virtual ~IOmGauge() = default;
    virtual std::string ProgressText() const = 0;
    virtual void SetProgressText(const std::string& Value) = 0;
    virtual int MaxValue() const = 0;
    virtual void SetMaxValue(int Value) = 0;
    virtual int Value() const = 0;
    virtual void SetValue(int Value) = 0;
};

class IOmCheckBox {
public:
    virtual ~IOmCheckBox() = default;
    virtual bool Checked() const = 0;
    virtual void SetChecked(bool Value) = 0;
};

// The open dialog as the add-files handler uses it.
class IOmOpenDialog {
public:
    virtual ~IOmOpenDialog() = default;
    virtual void SetTitle(const std::string& Value) = 0;
    virtual void SetFileName(const std::string& Value) = 0;
    virtual void SetInitialDir(const std::string& Value) = 0;
    virtual bool Execute() = 0;
    virtual std::vector<std::string> Files() const = 0;
};

// The folder dialog; its Directory is the "last folder" both add handlers share.
class IOmSelectDirectory {
public:
    virtual ~IOmSelectDirectory() = default;
    virtual void SetTitle(const std::string& Value) = 0;
    virtual std::string Directory() const = 0;
    virtual void SetDirectory(const std::string& Value) = 0;
    virtual bool Execute() = 0;
};

// TForm1 is the program's main window: the source queue, the device and quality choice, Start and Stop.
class TForm1 : public TForm {
public:
    // System answers what the window asks of the machine (tool runs, drives, the desktop); it must
    // outlive the window.
    TForm1(TComponent* AOwner, TSystemServices& System);
    ~TForm1() override;

    // The flags and counters of the tool runs and of the conversion; the window's units and the run
    // control work on this one.
    TRunState RunState;

    // --- hidden tables and lists (owned by FTables) ---
    TskSkinStringGrid* StringGrid1 = nullptr; // the source table: one record per source found
    TskSkinStringGrid* dvdgrid = nullptr;
    TStrings* ListBox1 = nullptr;    // pending source names (dropped, chosen, inserted discs)
    TStrings* ListBox2 = nullptr;    // the sorted copy of the pending names being scanned
    TStrings* filelist = nullptr;
    TStrings* filelist2 = nullptr;   // files found below one pending folder
    TStrings* folderlist = nullptr;
    TStrings* folderlist2 = nullptr; // folders already searched
    TStrings* voblist = nullptr;
    TStrings* dvdbox = nullptr;
    TStrings* videobox = nullptr;
    TStrings* subVid = nullptr;
    TStrings* Memo1 = nullptr; // audio stream lines of the source being identified
    TStrings* Memo2 = nullptr; // subtitle stream lines of the source being identified
    TStrings* dvdlog = nullptr;
    TOmTables& Tables() { return *FTables; }

    TOxCreateProcess* OxCreateProcess1 = nullptr; // the one console-tool runner
    TTimer* ScanTimer = nullptr;
    TTimer* converttimer = nullptr;
    TRunControl& RunControl() { return *FRunControl; }

    // The work folder (with a trailing "/"); tools run there when it exists.
    std::string WorkFolder;
    // The window's controls the settings file is read into and written from.
    TSettingsControls SettingsControls();

    // --- visible controls; plain stand-ins until the window hands its own ---
    IOmGauge* status = nullptr;        // status line
    IOmGauge* skskinlabel1 = nullptr;  // destination folder (ProgressText)
    IOmCheckBox* checkbox4 = nullptr;  // choose audio by language
    IOmCheckBox* checkbox5 = nullptr;  // choose subtitles by language
    IOmCheckBox* checkbox8 = nullptr;  // always use subtitles
    IOmComboBox* combobox4 = nullptr;  // preferred audio languages
    IOmComboBox* combobox5 = nullptr;  // second preferred audio language
    IOmComboBox* combobox6 = nullptr;  // preferred subtitle languages
    IOmComboBox* combobox7 = nullptr;  // second preferred subtitle language
    IOmOpenDialog* oxOpenDialog1 = nullptr;           // the add-files dialog
    IOmSelectDirectory* OxSelectDirectory1 = nullptr; // the folder dialog (add a folder, destination)

    // The queue rows (owned by the window as a component; null until the window makes them).
    TOmQueue* Queue = nullptr;

    // --- seams to parts of the window built elsewhere ---
    // Builds the queue row of a new source record.
    std::function<void(int Row)> OnAddItem;
    // The queue row's check box follows a change of the record's selection (column 34).
    std::function<void(int Row, const std::string& Value)> OnSelectionChanged;
    // Sets the queue row's progress gauge; without it the position is kept within 0..CurrentTotal.
    std::function<void(int Row, int Position)> OnSetProgress;
    // The scan chain has finished a round (estimated sizes, Start button, work panel).
    std::function<void()> OnScanFinished;
    // The player reported the picture size of a preview.
    std::function<void(int Width, int Height)> OnPreviewSize;

    void SetStatusText(const std::string& Text);
    // Column 34 of a record, with its queue row's check box kept in step.
    void SetSourceSelected(int Row, const std::string& Value);
    void AddItem(int Row);
    void setProgress(int Row, int Position);

    // --- source intake ---
    void WMDropFiles(TMessage& Msg);
    void DropFiles(const std::vector<std::string>& Names);
    // WParam: DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE; LParam: a TOpticalVolume* when sent, or
    // 0 when posted by PostVolumeChange (the volume then waits in the window's mailbox).
    void WMDeviceChange(TMessage& Msg);
    void DeviceChange(const TOpticalVolume& Volume, bool Arrived);
    void skSkinSpeedButton5Click(TObject* Sender);
    void skSkinSpeedButton4Click(TObject* Sender);
    void ScanDVDs();

    // --- scan chain ---
    void ScanTimerTimer(TObject* Sender);
    void ScanList(TStrings& Names);
    void ScanFolders(TStrings& Folders);
    void ScanFiles(TStrings& Files);
    void ScanDVD(TStrings& Candidates);
    void Detect(const std::string& Kind, const std::string& Name);
    // The look-ahead of the scan round's video files while they are identified; null otherwise.
    TScanAhead* ScanAhead() const { return FScanAhead; }

    // --- identification ---
    void IdentifyVideoFile(const std::string& Path);
    void IdentifyDvd(const std::string& Location, const std::string& Label);
    void ParseScanLine(const std::string& S);
    void ParseDvdTitles(const std::string& Label, const std::string& Location, const std::string& DisplayLabel);
    void ImportDvdTitles();

    // --- track choice ---
    void ChooseTracks(int Row);
    void ChooseDefaultAudio(int Row);
    void ChooseAudioByLanguage(int Row);
    void ChooseSubtitleByLanguage(int Row);

    // --- output routing and progress ---
    void OxCreateProcess1Read(TObject* Sender, const std::string& Line, bool StartsOnNewLine, bool EndsLine);
    void OxCreateProcess1Terminate(TObject* Sender, DWORD ExitCode);
    void GetLine(const std::string& Line);
    void converttimerTimer(TObject* Sender);
    // A conversion part starts: no progress line or speed of an earlier run may carry over.
    void BeginProgressPart();

    // --- run buttons: Start/Stop, Skip and the destination (om_buttons.cpp) ---
    // The hidden Start/Stop button: its caption ("Start" / "Stop") is the run state. Without it the
    // state is taken from Converting.
    IOmButton* skSkinSpeedButton1 = nullptr; // the hidden Start/Stop button
    IOmButton* go_button = nullptr;     // shows the Start or Stop glyph
    IOmButton* skip_button = nullptr;
    IOmButton* file_button = nullptr;   // add files
    IOmButton* folder_button = nullptr; // add a folder
    // The paths of the files produced so far (the hidden playlist's items); may be null.
    TStrings* playlist = nullptr;
    // Completes what Start hands the conversion driver: the device box, quality slider and check
    // boxes of the window, and its own seams (tray, file manager, crop, queue rows).
    std::function<void(TConvertOptions& Options)> OnConvertOptions;
    void skSkinSpeedButton1Click(TObject* Sender);
    void skSkinSpeedButton2Click(TObject* Sender);
    void skSkinSpeedButton3Click(TObject* Sender);
    // --- end of run buttons ---

    // --- the stored form: start-up, closing, device and quality, banner (Unit1Form.cpp) ---
    IOmComboBox* devicebox = nullptr;  // the device profile chosen
    IOmSlider* vq = nullptr;           // quality: video kbit/s div 10
    IOmComboBox* screensize = nullptr;
    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormDestroy(TObject* Sender);
    void deviceboxChange(TObject* Sender);
    void vqChange(TObject* Sender);
    void screensizeChange(TObject* Sender);
    void bannertimerTimer(TObject* Sender);
    void bannerClick(TObject* Sender);
    void eyesClick(TObject* Sender);
    void skskinlabel1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // What closing does (both close handlers): settings saved, every tool of ours ended.
    void SaveAndEndTools();
    // Opens Target with the desktop's program for it. The status line says so when the desktop has
    // no opener (then false), and later, when the opener ends in failure (no program for the target).
    bool OpenOnDesktop(const std::string& Target, TDesktopTarget What);
    // --- end of the stored form ---

private:
    // Moves a window that would open centred away from the place of Others copies already running.
    void OpenBesideOtherCopies(int Others);

    TSystemServices& FSystem;
    // The menu item "Use Closed Captions when available".
    bool ClosedCaptions() const;
    void SetClosedCaptions(bool Value);
    std::string VolumeTitle(const TOpticalVolume& Volume) const;
    void RunAndWait(const std::string& CommandLine);
    void EndIdentifyRun();
    int LanguageSearch(TStrings& Lines, IOmComboBox* First, IOmComboBox* Second, bool* FirstFound);

    std::unique_ptr<TOmTables> FTables;
    std::unique_ptr<TRunControl> FRunControl;
    struct TStandIns;
    std::unique_ptr<TStandIns> FStandIns;
    // Adapters over the stored form's controls, and the profile handlers and banner they serve.
    struct TFormParts;
    struct TFormPartsDeleter {
        void operator()(TFormParts* Parts) const;
    };
    std::unique_ptr<TFormParts, TFormPartsDeleter> FParts;
    void ReadStoredForm();
    // The queue rows, built in the scroll box of the stored form.
    void MakeQueue();
    // What the scan round passed over, and why, in the order met: the status line names them all.
    std::vector<std::pair<std::string, std::string>> FSkipped;
    void NoteSkipped(const std::string& Name, const std::string& Why);
    // "Skipped a.txt, b.doc (not a video type ...); c.avi (too small)"; "" when nothing was skipped.
    std::string SkippedText() const;
    // The player said the file being identified has a broken container (an MP4 cut before its index);
    // whatever stream it guesses after that is no video to convert.
    bool FScanBroken = false;
    TScanAhead* FScanAhead = nullptr;

    // --- the window side of source intake: dropped files and the volume watcher ---
public:
    // Any thread: hands a volume that came or went to the window, which handles it on its own thread
    // (as the device-change message). False when the window has no handle to take it.
    bool PostVolumeChange(const TOpticalVolume& Volume, bool Arrived);
    void WndProc(TMessage& Message) override;

protected:
    // The window accepts dropped files and watches the volumes while it has a handle.
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    struct TVolumeMail;
    static std::shared_ptr<TVolumeMail> NewVolumeMail();
    void TakeVolumeChange();
    // The window's part of OpenOnDesktop: an opener's failure posted back; false for other messages.
    bool TakeOpenerFailed(TMessage& Message);
    // Declared last, so destroyed first: the watcher's thread is stopped before the mailbox it
    // posts into, and both before the rest of the window goes.
    std::shared_ptr<TVolumeMail> FVolumeMail = NewVolumeMail();
    std::unique_ptr<TVolumeWatcher> FVolumeWatcher;
};
