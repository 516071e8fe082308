// The main window's stored form and its life: the form description is read when the window is made,
// its controls are handed to the handlers through the small adapters below, FormCreate prepares
// folders, tables and defaults, and the close handlers save the settings and end our tools.
#include "app/Unit1.h"

#include <algorithm>
#include <iterator>

#include "app/AppClasses.h"
#include "app/TSystemServices.h"
#include "app/om_buttons.h"
#include "app/om_codecs.h"
#include "app/om_convert.h"
#include "app/om_crop.h"
#include "app/om_functions.h"
#include "app/om_queue.h"
#include "app/om_runcontrol.h"
#include "app/om_settings.h"
#include "app/om_tables.h"
#include "app/om_workfiles.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/sys/Desktop.h"
#include "platform/sys/Folders.h"
#include "platform/vcl/TApplication.h"
#include "platform/vcl/TCustomComboBox.h"
#include "platform/vcl/TMenu.h"
#include "platform/vcl/TReader.h"
#include "platform/vcl/TScreen.h"
#include "platform/vcl/TTimer.h"
#include "platform/win/MessageQueue.h"
#include "process/TOxPlaylist.h"
#include "skin/controls/TskSkinCheckRadioBox.h"
#include "skin/controls/TskSkinCustomComboBox.h"
#include "skin/controls/TskSkinGauge.h"
#include "skin/controls/TskSkinPanel.h"
#include "skin/controls/TskSkinSlider.h"
#include "skin/controls/TskSkinSpeedButton.h"
#include "skin/data/TskSkinData.h"
#include "skin/form/TskSkinOpenDialog.h"
#include "skin/form/TskSkinSelectDirectoryDialog.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace {

class TGaugeAdapter : public IOmGauge {
public:
    explicit TGaugeAdapter(TskSkinGauge& Gauge) : FGauge(Gauge) {}
    std::string ProgressText() const override { return FGauge.ProgressText(); }
    void SetProgressText(const std::string& Value) override { FGauge.SetProgressText(Value); }
    int MaxValue() const override { return FGauge.MaxValue(); }
    void SetMaxValue(int Value) override { FGauge.SetMaxValue(Value); }
    int Value() const override { return FGauge.Value(); }
    void SetValue(int Value) override { FGauge.SetValue(Value); }

private:
    TskSkinGauge& FGauge;
};

// Over the skinned combo box, or a platform one.
template <class C> class TComboAdapter : public IOmComboBox {
public:
    explicit TComboAdapter(C& Combo) : FCombo(Combo) {}
    std::string Text() const override
    {
        const int index = FCombo.ItemIndex();
        return index >= 0 && index < FCombo.Items()->Count() ? FCombo.Items()->Strings(index) : std::string();
    }
    int ItemIndex() const override { return FCombo.ItemIndex(); }
    void SetItemIndex(int Value) override { FCombo.SetItemIndex(Value); }
    TStrings& Items() override { return *FCombo.Items(); }

private:
    C& FCombo;
};

class TSliderAdapter : public IOmSlider {
public:
    explicit TSliderAdapter(TskSkinCustomSlider& Slider) : FSlider(Slider) {}
    int Value() const override { return FSlider.Value(); }
    void SetValue(int Value) override { FSlider.SetValue(Value); }
    int MaxValue() const override { return FSlider.MaxValue(); }
    void SetMaxValue(int Value) override { FSlider.SetMaxValue(Value); }

private:
    TskSkinCustomSlider& FSlider;
};

class TLabelAdapter : public IOmLabel {
public:
    explicit TLabelAdapter(TControl& Label) : FLabel(Label) {}
    std::string Caption() const override { return FLabel.Caption(); }
    void SetCaption(const std::string& Value) override { FLabel.SetCaption(Value); }

private:
    TControl& FLabel;
};

class TCheckAdapter : public IOmCheckBox {
public:
    explicit TCheckAdapter(TskSkinCheckRadioBox& Box) : FBox(Box) {}
    bool Checked() const override { return FBox.Checked(); }
    void SetChecked(bool Value) override { FBox.SetChecked(Value); }

private:
    TskSkinCheckRadioBox& FBox;
};

// A speed button of the form. Its glyph is copied from the hidden button of that name in the form
// (go_glyph, stop_glyph...). Mirror, when given, follows its enabled state: the visible Start button
// goes with the hidden one whose caption holds the run state.
class TButtonAdapter : public IOmButton {
public:
    TButtonAdapter(TForm& Form, TskSkinSpeedButton& Button, TControl* Mirror = nullptr)
        : FForm(Form), FButton(Button), FMirror(Mirror)
    {
    }
    std::string Caption() const override { return FButton.Caption(); }
    void SetCaption(const std::string& Value) override { FButton.SetCaption(Value); }
    bool Enabled() const override { return FButton.Enabled(); }
    void SetEnabled(bool Value) override
    {
        FButton.SetEnabled(Value);
        if (FMirror)
            FMirror->SetEnabled(Value);
    }
    void SetGlyph(const std::string& Name) override
    {
        if (auto* source = dynamic_cast<TskSkinSpeedButton*>(FForm.FindComponent(Name)))
            FButton.SetGlyph(source->Glyph());
    }
    void SetHint(const std::string& Value) override { FButton.SetHint(Value); }
    void SetShowHint(bool Value) override { FButton.SetShowHint(Value); }

private:
    TForm& FForm;
    TskSkinSpeedButton& FButton;
    TControl* FMirror;
};

// The run glyphs are drawn here rather than stored: a 16 x 16 picture on the key colour.
void DrawGlyph(TskSkinSpeedButton& Button, const std::string& Kind)
{
    constexpr TColor key = clFuchsia;
    TBitmap picture(16, 16);
    TCanvas* c = picture.Canvas();
    c->Brush()->SetColor(key);
    c->FillRect(Rect(0, 0, 16, 16));
    c->Pen()->SetColor(clBlack);
    if (Kind == "go") {
        c->Brush()->SetColor(TColor(0x0040B040));
        c->Polygon({TPoint{4, 2}, TPoint{13, 8}, TPoint{4, 14}});
    } else if (Kind == "stop") {
        c->Brush()->SetColor(TColor(0x003030D0));
        c->Rectangle(3, 3, 13, 13);
    } else if (Kind == "skip") {
        c->Brush()->SetColor(TColor(0x00D09030));
        c->Polygon({TPoint{2, 3}, TPoint{8, 8}, TPoint{2, 13}});
        c->Polygon({TPoint{8, 3}, TPoint{14, 8}, TPoint{8, 13}});
    }
    picture.SetTransparentColor(key);
    Button.SetGlyph(&picture);
}

// The skinned folder dialog answers for the handlers that ask for a folder (Add folder, Destination):
// one dialog serves both, so the last folder and the window size carry over between them.
class TFolderDialogAdapter : public IOmSelectDirectory {
public:
    explicit TFolderDialogAdapter(TskSkinSelectDirectoryDialog& D) : FDialog(D) {}
    void SetTitle(const std::string& Value) override { FDialog.SetTitle(Value); }
    std::string Directory() const override { return FDialog.Directory(); }
    void SetDirectory(const std::string& Value) override { FDialog.SetDirectory(Value); }
    bool Execute() override { return FDialog.Execute(); }

private:
    TskSkinSelectDirectoryDialog& FDialog;
};

// The skinned file dialog answers for Add files; several files may be chosen at once.
class TOpenDialogAdapter : public IOmOpenDialog {
public:
    explicit TOpenDialogAdapter(TskSkinOpenDialog& D) : FDialog(D) {}
    void SetTitle(const std::string& Value) override { FDialog.SetTitle(Value); }
    void SetFileName(const std::string& Value) override { FDialog.SetFileName(Value); }
    void SetInitialDir(const std::string& Value) override { FDialog.SetInitialDir(Value); }
    bool Execute() override { return FDialog.Execute(); }
    std::vector<std::string> Files() const override
    {
        std::vector<std::string> files;
        for (int i = 0; i < FDialog.Files()->Count(); ++i)
            files.push_back(FDialog.Files()->Strings(i));
        return files;
    }

private:
    TskSkinOpenDialog& FDialog;
};

template <class T> T* Part(TComponent& Form, const char* Name)
{
    return dynamic_cast<T*>(Form.FindComponent(Name));
}

// What the desktop was asked to open, as the status line names it (by TDesktopTarget).
constexpr const char* DesktopTargetNames[] = {"the help", "the web page", "the folder"};

std::string DesktopTargetName(WPARAM What)
{
    return What < std::size(DesktopTargetNames) ? DesktopTargetNames[What] : "it";
}

// The message that brings a failed opener's exit code back to the window (wParam: the target kind,
// lParam: the code); posted from the thread that waited for the opener.
UINT OpenerFailedMessage()
{
    static const UINT message = RegisterWindowMessage("Ombrix.OpenerFailed");
    return message;
}

// Why the opener gave up, from its exit code as xdg-open documents them.
std::string OpenerFailure(unsigned ExitCode)
{
    switch (ExitCode) {
    case 2: return "it is not there";
    case 3:
    case 4: return "the desktop has no program for it";
    default: return "xdg-open failed (exit code " + IntToStr(static_cast<int>(ExitCode)) + ")";
    }
}

} // namespace

bool TForm1::OpenOnDesktop(const std::string& Target, TDesktopTarget What)
{
    const WPARAM what = static_cast<WPARAM>(What);
    const UINT message = OpenerFailedMessage();
    // A window that is gone by then drops the message; its handle is never reused for another.
    const HWND window = HandleAllocated() ? Handle() : 0;
    const bool opened = FSystem.OpenWithDesktop(Target, [window, message, what](unsigned ExitCode) {
        if (ExitCode != 0 && window != 0)
            PostMessage(window, message, what, static_cast<LPARAM>(ExitCode));
    });
    // The desktop has no opener (xdg-open, of xdg-utils): a click that opens nothing says why.
    if (!opened)
        SetStatusText("Cannot open " + DesktopTargetName(what) + ": xdg-open (xdg-utils) is not installed");
    return opened;
}

bool TForm1::TakeOpenerFailed(TMessage& Message)
{
    if (Message.Msg != OpenerFailedMessage())
        return false;
    SetStatusText("Cannot open " + DesktopTargetName(Message.WParam) + ": " +
                  OpenerFailure(static_cast<unsigned>(Message.LParam)));
    return true;
}

struct TForm1::TFormParts {
    std::vector<std::unique_ptr<IOmGauge>> Gauges;
    std::vector<std::unique_ptr<IOmComboBox>> Combos;
    std::vector<std::unique_ptr<IOmButton>> Buttons;
    std::unique_ptr<IOmSlider> Slider;
    std::unique_ptr<IOmSelectDirectory> FolderDialog;
    std::unique_ptr<IOmOpenDialog> OpenDialog;
    TskSkinOpenDialog* oxOpenDialog1 = nullptr; // the add-files dialog of the stored form
    std::unique_ptr<IOmLabel> QualityLabel;
    std::unique_ptr<IOmLabel> ResLabel;
    std::unique_ptr<TProfileHandlers> Profile;
    TBanner Banner;
    TskSkinCheckRadioBox* dvdnav = nullptr;
    // The crop group: "No cropping", "Remove black bars from file", "Remove black bars from device".
    TskSkinCheckRadioBox* radiobutton1 = nullptr;
    TskSkinCheckRadioBox* radiobutton3 = nullptr;
    TMenuItem* cc = nullptr;
    TskSkinPanel* textpanel = nullptr;
    TskSkinPanel* ROOT = nullptr;
    TControl* banner = nullptr;
    TControl* skSkinEdit1 = nullptr; // shows the command line of the running conversion
};

void TForm1::TFormPartsDeleter::operator()(TFormParts* Parts) const
{
    delete Parts;
}

void TForm1::ReadStoredForm()
{
    InitInheritedComponent(this, "Unit1");
    FParts.reset(new TFormParts);
    TFormParts& p = *FParts;

    auto gauge = [&](const char* Name, IOmGauge*& Target) {
        if (auto* g = Part<TskSkinGauge>(*this, Name)) {
            p.Gauges.push_back(std::make_unique<TGaugeAdapter>(*g));
            Target = p.Gauges.back().get();
        }
    };
    gauge("status", status);
    gauge("skskinlabel1", skskinlabel1);

    auto combo = [&](const char* Name, IOmComboBox*& Target) {
        if (auto* c = Part<TskSkinCustomComboBox>(*this, Name))
            p.Combos.push_back(std::make_unique<TComboAdapter<TskSkinCustomComboBox>>(*c));
        else if (auto* c = Part<TCustomComboBox>(*this, Name))
            p.Combos.push_back(std::make_unique<TComboAdapter<TCustomComboBox>>(*c));
        else
            return;
        Target = p.Combos.back().get();
    };
    combo("devicebox", devicebox);
    combo("screensize", screensize);

    if (auto* slider = Part<TskSkinCustomSlider>(*this, "vq")) {
        p.Slider = std::make_unique<TSliderAdapter>(*slider);
        vq = p.Slider.get();
    }
    if (auto* label = Part<TControl>(*this, "skSkinStdLabel1"))
        p.QualityLabel = std::make_unique<TLabelAdapter>(*label);
    if (auto* label = Part<TControl>(*this, "res"))
        p.ResLabel = std::make_unique<TLabelAdapter>(*label);

    for (const char* kind : {"go", "stop", "skip"})
        if (auto* b = Part<TskSkinSpeedButton>(*this, (std::string(kind) + "_glyph").c_str()))
            DrawGlyph(*b, kind);
    auto* go = Part<TskSkinSpeedButton>(*this, "go_button");
    auto button = [&](const char* Name, IOmButton*& Target, TControl* Mirror = nullptr) {
        if (auto* b = Part<TskSkinSpeedButton>(*this, Name)) {
            p.Buttons.push_back(std::make_unique<TButtonAdapter>(*this, *b, Mirror));
            Target = p.Buttons.back().get();
        }
    };
    button("skSkinSpeedButton1", skSkinSpeedButton1, go);
    button("go_button", go_button);
    button("skip_button", skip_button);
    button("file_button", file_button);
    button("folder_button", folder_button);
    if (go_button)
        go_button->SetGlyph("go_glyph");

    auto* folderDialog = new TskSkinSelectDirectoryDialog(this);
    // Wide enough for the longer of its titles ("Select folder containing video files") beside the
    // caption's buttons; the user's own size is kept from then on.
    folderDialog->SetDialogWidth(360);
    if (auto* skin = Part<TskSkinData>(*this, "skSkinData1")) {
        folderDialog->SetSkinData(skin);
        folderDialog->SetCtrlSkinData(skin);
    }
    p.FolderDialog = std::make_unique<TFolderDialogAdapter>(*folderDialog);
    OxSelectDirectory1 = p.FolderDialog.get();

    // The files the queues produced, kept while the program runs.
    auto* produced = new TOxPlaylist(this);
    produced->SetName("playlist");
    produced->SetVisible(false);
    // A list box shows its lines in a window of its own, even hidden: it needs a parent for it.
    produced->SetParent(this);
    playlist = produced->Items();

    auto* openDialog = new TskSkinOpenDialog(this);
    openDialog->SetName("oxOpenDialog1");
    openDialog->SetMultiSelection(true);
    openDialog->SetSkinData(folderDialog->SkinData());
    openDialog->SetCtrlSkinData(folderDialog->CtrlSkinData());
    p.oxOpenDialog1 = openDialog;
    p.OpenDialog = std::make_unique<TOpenDialogAdapter>(*openDialog);
    oxOpenDialog1 = p.OpenDialog.get();

    p.dvdnav = Part<TskSkinCheckRadioBox>(*this, "dvdnav");
    p.radiobutton1 = Part<TskSkinCheckRadioBox>(*this, "radiobutton1");
    p.radiobutton3 = Part<TskSkinCheckRadioBox>(*this, "radiobutton3");
    p.cc = Part<TMenuItem>(*this, "cc");
    p.textpanel = Part<TskSkinPanel>(*this, "textpanel");
    p.ROOT = Part<TskSkinPanel>(*this, "ROOT");
    p.banner = Part<TControl>(*this, "banner");
    p.skSkinEdit1 = Part<TControl>(*this, "skSkinEdit1");

    if (devicebox && vq && screensize && p.QualityLabel && p.ResLabel)
        p.Profile = std::make_unique<TProfileHandlers>(Tables(), *devicebox, *vq, *screensize, *p.QualityLabel, *p.ResLabel);

    p.Banner.SetCaption = [this](const std::string& Text) {
        if (FParts->banner)
            FParts->banner->SetCaption(Text);
    };
    p.Banner.Open = [this](const std::string& Page) { return OpenOnDesktop(Page, TDesktopTarget::WebPage); };

    // What Start hands the driver beyond its own defaults: this window's choices and displays.
    OnConvertOptions = [this](TConvertOptions& Options) {
        if (this->vq)
            Options.Quality = this->vq->Value();
        if (this->devicebox)
            Options.DeviceText = this->devicebox->Text();
        Options.ClosedCaptions = ClosedCaptions();
        Options.NicerSubtitles = FParts->dvdnav && FParts->dvdnav->Checked();
        if (TControl* edit = FParts->skSkinEdit1)
            Options.ShowCommand = [edit](const std::string& Command) { edit->SetText(Command); };
        // The group is read when the job's turn comes, so a choice changed during the queue counts
        // from the next job on.
        Options.DetectCrop = [this](int JobRow) {
            const TFormParts& parts = *FParts;
            TCropMode mode = TCropMode::FromFile;
            if (parts.radiobutton1 && parts.radiobutton1->Checked())
                mode = TCropMode::None;
            else if (!parts.radiobutton3 || parts.radiobutton3->Checked())
                mode = TCropMode::FillDevice;
            ::DetectCrop(*this, JobRow, mode);
        };
        Options.PartDone = [this](int Row) {
            if (Queue)
                Queue->setChk0(Row);
        };
    };

    if (p.Profile)
        p.Profile->SetFilesize = [this] {
            if (Queue)
                Queue->SetFilesize();
        };

    // The end of a scan round: the estimates follow the new rows, Start may be used, the queue shows.
    OnScanFinished = [this] {
        if (Queue)
            Queue->SetFilesize();
        if (skSkinSpeedButton1)
            skSkinSpeedButton1->SetEnabled(true);
        if (FParts->textpanel)
            FParts->textpanel->SendToBack();
    };
}

bool TForm1::ClosedCaptions() const
{
    return FParts && FParts->cc && FParts->cc->Checked();
}

void TForm1::SetClosedCaptions(bool Value)
{
    if (FParts && FParts->cc)
        FParts->cc->SetChecked(Value);
}

void TForm1::FormCreate(TObject*)
{
    TFormParts& p = *FParts;
    try {
        CreateDesktopShortcut();
    } catch (const Exception&) {
        // A desktop we cannot write to costs the shortcut only; the converter works without it.
    }
    if (p.textpanel)
        p.textpanel->BringToFront();
    p.Banner.SetBannerIndex(0);
    if (p.banner)
        p.banner->SetCaption(BannerText(0));
    if (skSkinSpeedButton1)
        skSkinSpeedButton1->SetEnabled(false);
    RunState.MinTitleLength = 800;

    // The window fits around the content panel, centred; then the panel fills it.
    if (p.ROOT) {
        p.ROOT->SetAlign(alNone);
        p.ROOT->SetBounds(0, 0, 600, 300);
        SetClientWidth(p.ROOT->Width());
        SetClientHeight(p.ROOT->Height());
        SetPosition(poScreenCenter);
        p.ROOT->SetAlign(alClient);
    }

    TOmTables& t = Tables();
    if (devicebox)
        FillCodecProfiles(*t.codecgrid, *t.devices, devicebox->Items());
    if (devicebox && devicebox->Items().Count() > 0) {
        devicebox->SetItemIndex(0);
        for (int i = 0; i < devicebox->Items().Count(); ++i)
            if (Pos("Touch", devicebox->Items().Strings(i)) > 0)
                devicebox->SetItemIndex(i);
    }
    RunState.MainTitle = "Ombrix Free 1.3";
    SetCaption(RunState.MainTitle);
    Application->SetTitle(RunState.MainTitle);
    if (devicebox && devicebox->ItemIndex() < 0 && devicebox->Items().Count() > 0)
        devicebox->SetItemIndex(0);
    if (devicebox && vq && devicebox->ItemIndex() >= 0) {
        const int kbps = StrToIntDef(Trim(t.devices->Cells(DeviceProfile::VideoBitrate, devicebox->ItemIndex())), 0);
        vq->SetMaxValue(static_cast<int>(Round(kbps / 5.0)));
    }
    // The chosen device's profile must stand in dq before any conversion, also when no settings
    // file will choose it again below; otherwise Start would build jobs from an empty profile.
    deviceboxChange(this);

    WorkFolder = ::WorkFolder();
    if (WorkFolder.empty())
        WorkFolder = ProgramFolder();
    ForceDirectories(WorkFolder);
    ForceDirectories(WorkFolder + "temp");
    // What a killed run left in its scratch folder would stay there for good; a copy that still runs
    // keeps its own. This run's folder is made now, so a copy started after it knows it runs.
    RemoveScratchOfEndedRuns(WorkFolder);
    OpenBesideOtherCopies(OtherLiveRuns(WorkFolder));
    RunScratchFolder(WorkFolder);
    ExtractPlay();

    try {
        skskinlabel1->SetProgressText(WithTrailingSlash(JoinPath(GetMyDocumentsFolder(), "Ombrix")));
    } catch (const Exception& e) {
        // No documents folder: the destination stays empty and Start asks for one. Said once here.
        SetStatusText(e.Message());
    }

    std::string filter = "Supported Files|";
    for (int i = 0; i < subVid->Count(); ++i)
        filter += "*." + subVid->Strings(i) + ";";
    filter += "|All Files|*.*";
    p.oxOpenDialog1->SetFilter(filter);

    if (FileExists(SettingsFileName(WorkFolder))) {
        const std::string destination = skskinlabel1->ProgressText();
        TSettingsControls controls = SettingsControls();
        LoadSettings(WorkFolder, controls);
        // A blank destination line (a damaged file) names no folder: the default one stays.
        if (Trim(skskinlabel1->ProgressText()).empty())
            skskinlabel1->SetProgressText(destination);
    }
    if (devicebox && devicebox->ItemIndex() < 0 && devicebox->Items().Count() > 0)
        devicebox->SetItemIndex(0);
    // Only an absolute destination is made: a relative one would land in the folder we were started from.
    if (const std::string destination = skskinlabel1->ProgressText(); !destination.empty() && destination[0] == '/')
        ForceDirectories(destination);

    MakeQueue();
    // The window accepts dropped files from the moment it has its handle (CreateWnd).
    HandleNeeded();
    ScanDVDs();
    // Every tool runs in the work folder: without it nothing converts, which is said at once.
    if (!DirectoryExists(WorkFolder + "temp"))
        SetStatusText("Cannot convert: " + WorkFolderProblem(WorkFolder));
}

void TForm1::MakeQueue()
{
    if (Queue)
        return;
    auto* queue = new TOmQueue(this);
    queue->skSkinScrollpanel1 = Part<TWinControl>(*this, "skSkinScrollpanel1");
    queue->skSkinData1 = Part<TskSkinData>(*this, "skSkinData1");
    queue->skSkinData2 = Part<TskSkinData>(*this, "skSkinData2");
    queue->skSkinData3 = Part<TskSkinData>(*this, "skSkinData3");
    queue->skSkinData4 = Part<TskSkinData>(*this, "skSkinData4");
    queue->PopupMenu1 = Part<TPopupMenu>(*this, "PopupMenu1");
    queue->vq = vq;
    Queue = queue;
}

TSettingsControls TForm1::SettingsControls()
{
    TSettingsControls controls;
    controls.devicebox = devicebox;
    controls.vq = vq;
    controls.skskinlabel1 = skskinlabel1;
    controls.ClosedCaptions = [this] { return ClosedCaptions(); };
    controls.SetClosedCaptions = [this](bool Value) { SetClosedCaptions(Value); };
    controls.deviceboxChange = [this] { deviceboxChange(this); };
    controls.vqChange = [this] { vqChange(this); };
    return controls;
}

void TForm1::SaveAndEndTools()
{
    SaveSettings(WorkFolder, SettingsControls());
    RunState.AbortRequested = -1;
    RunControl().KillTools();
}

void TForm1::FormClose(TObject*, TCloseAction&)
{
    SaveAndEndTools();
}

void TForm1::FormDestroy(TObject*)
{
    SaveAndEndTools();
    RemoveRunScratch(WorkFolder);
}

void TForm1::OpenBesideOtherCopies(int Others)
{
    if (Others <= 0 || Position() != poScreenCenter)
        return;
    // A second copy (a double launch) opens down and to the right of the first, where both are seen.
    const int step = 40 * std::min(Others, 6);
    SetPosition(poDesigned);
    SetBounds(std::clamp((Screen->Width() - Width()) / 2 + step, 0, std::max(0, Screen->Width() - Width())),
              std::clamp((Screen->Height() - Height()) / 2 + step, 0, std::max(0, Screen->Height() - Height())), Width(),
              Height());
}

void TForm1::deviceboxChange(TObject* Sender)
{
    if (FParts && FParts->Profile)
        FParts->Profile->deviceboxChange(Sender);
}

void TForm1::vqChange(TObject* Sender)
{
    if (FParts && FParts->Profile)
        FParts->Profile->vqChange(Sender);
}

void TForm1::screensizeChange(TObject* Sender)
{
    if (FParts && FParts->Profile)
        FParts->Profile->screensizeChange(Sender);
}

void TForm1::bannertimerTimer(TObject*)
{
    FParts->Banner.Tick();
}

void TForm1::bannerClick(TObject*)
{
    FParts->Banner.Click();
}

void TForm1::eyesClick(TObject*)
{
    OpenHelp([this](const std::string& Help) { return OpenOnDesktop(Help, TDesktopTarget::Help); });
}

void TForm1::skskinlabel1MouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    const std::string folder = skskinlabel1->ProgressText();
    if (!folder.empty())
        OpenOnDesktop(folder, TDesktopTarget::Folder);
}
