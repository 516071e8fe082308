#include "app/Unit1.h"

#include "app/TSystemServices.h"
#include "app/om_functions.h"
#include "app/om_runcontrol.h"
#include "app/om_scanahead.h"
#include "app/om_tables.h"
#include "app/om_tracks.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "platform/sys/Folders.h"
#include "platform/vcl/TTimer.h"
#include "process/TOxCreateProcess.h"
#include "skin/grids/TskSkinStringGrid.h"

#include <algorithm>

namespace {

class TPlainGauge : public IOmGauge {
public:
    std::string ProgressText() const override { return FText; }
    void SetProgressText(const std::string& Value) override { FText = Value; }
    int MaxValue() const override { return FMax; }
    void SetMaxValue(int Value) override { FMax = Value; }
    int Value() const override { return FValue; }
    void SetValue(int Value) override { FValue = Value; }

private:
    std::string FText;
    int FMax = 100;
    int FValue = 0;
};

class TPlainCheckBox : public IOmCheckBox {
public:
    bool Checked() const override { return FChecked; }
    void SetChecked(bool Value) override { FChecked = Value; }

private:
    bool FChecked = false;
};

// A language list as stored: every language, "EN (English)" shown.
class TPlainComboBox : public IOmComboBox {
public:
    TPlainComboBox()
    {
        FillLanguageList(FItems);
        FIndex = FItems.IndexOf("EN (English)");
    }
    std::string Text() const override { return FIndex >= 0 && FIndex < FItems.Count() ? FItems.Strings(FIndex) : ""; }
    int ItemIndex() const override { return FIndex; }
    void SetItemIndex(int Value) override { FIndex = Value; }
    TStrings& Items() override { return FItems; }

private:
    TStringList FItems;
    int FIndex = -1;
};

class TPlainSelectDirectory : public IOmSelectDirectory {
public:
    void SetTitle(const std::string&) override {}
    std::string Directory() const override { return FDirectory; }
    void SetDirectory(const std::string& Value) override { FDirectory = Value; }
    bool Execute() override { return false; }

private:
    std::string FDirectory;
};

} // namespace

struct TForm1::TStandIns {
    TPlainGauge status;
    TPlainGauge skskinlabel1;
    TPlainCheckBox checkbox4, checkbox5, checkbox8;
    TPlainComboBox combobox4, combobox5, combobox6, combobox7;
    TPlainSelectDirectory OxSelectDirectory1;
};

TForm1::TForm1(TComponent* AOwner, TSystemServices& System)
    : TForm(AOwner), FSystem(System), FTables(std::make_unique<TOmTables>(this)), FStandIns(std::make_unique<TStandIns>())
{
    TOmTables& t = *FTables;
    StringGrid1 = t.StringGrid1;
    dvdgrid = t.dvdgrid;
    ListBox1 = t.ListBox1;
    ListBox2 = t.ListBox2;
    filelist = t.filelist;
    filelist2 = t.filelist2;
    folderlist = t.folderlist;
    folderlist2 = t.folderlist2;
    voblist = t.voblist;
    dvdbox = t.dvdbox;
    videobox = t.videobox;
    subVid = t.subVid;
    Memo1 = t.Memo1;
    Memo2 = t.Memo2;
    dvdlog = t.dvdlog;
    if (subVid->Count() == 0)
        FillVideoExtensions(*subVid);

    status = &FStandIns->status;
    skskinlabel1 = &FStandIns->skskinlabel1;
    checkbox4 = &FStandIns->checkbox4;
    checkbox5 = &FStandIns->checkbox5;
    checkbox8 = &FStandIns->checkbox8;
    combobox4 = &FStandIns->combobox4;
    combobox5 = &FStandIns->combobox5;
    combobox6 = &FStandIns->combobox6;
    combobox7 = &FStandIns->combobox7;
    OxSelectDirectory1 = &FStandIns->OxSelectDirectory1;

    OxCreateProcess1 = new TOxCreateProcess(this);
    OxCreateProcess1->SetName("OxCreateProcess1");
    // Standard error shares the pipe: the player writes some of its report there.
    OxCreateProcess1->SetConsoleOptions({coOwnerData, coRedirect});
    OxCreateProcess1->OnRead = [this](TObject* Sender, const std::string& S, bool StartsOnNewLine, bool EndsLine) {
        OxCreateProcess1Read(Sender, S, StartsOnNewLine, EndsLine);
    };
    OxCreateProcess1->OnTerminate = [this](TObject* Sender, DWORD ExitCode) { OxCreateProcess1Terminate(Sender, ExitCode); };

    FRunControl = std::make_unique<TRunControl>(
        *OxCreateProcess1, RunState);
    FRunControl->OnStatus = [this](const std::string& Text) { SetStatusText(Text); };

    ScanTimer = new TTimer(this);
    ScanTimer->SetName("ScanTimer");
    ScanTimer->SetEnabled(false);
    ScanTimer->SetInterval(2000);
    ScanTimer->OnTimer = [this](TObject* Sender) { ScanTimerTimer(Sender); };

    converttimer = new TTimer(this);
    converttimer->SetName("converttimer");
    converttimer->SetEnabled(false);
    converttimer->SetInterval(1000);
    converttimer->OnTimer = [this](TObject* Sender) { converttimerTimer(Sender); };

    WorkFolder = ::WorkFolder();
    ReadStoredForm();
}

TForm1::~TForm1()
{
    // The runner must not call back into a half-destroyed window.
    if (OxCreateProcess1) {
        OxCreateProcess1->OnRead = nullptr;
        OxCreateProcess1->OnTerminate = nullptr;
        if (OxCreateProcess1->Waiting()) {
            try {
                OxCreateProcess1->Terminate();
            } catch (const Exception&) {
            }
            OxCreateProcess1->StopWaiting();
        }
    }
    // The components go while the window's own parts still exist: a handler bound by the stored
    // form may still be called while its control is freed.
    Destroying();
    DestroyComponents();
}

void TForm1::SetStatusText(const std::string& Text)
{
    status->SetProgressText(Text);
}

void TForm1::SetSourceSelected(int Row, const std::string& Value)
{
    StringGrid1->SetCells(SourceRecord::Selected, Row, Value);
    if (OnSelectionChanged)
        OnSelectionChanged(Row, Value);
}

void TForm1::AddItem(int Row)
{
    // During a scan round the row waits for its picture, made beside the next identifications.
    if (FScanAhead && FScanAhead->HoldRow(Row))
        return;
    if (OnAddItem)
        OnAddItem(Row);
}

void TForm1::setProgress(int Row, int Position)
{
    if (OnSetProgress) {
        OnSetProgress(Row, Position);
        return;
    }
    RunState.CurrentPos = std::clamp(Position, 0, std::max(RunState.CurrentTotal, 0));
}

std::string TForm1::VolumeTitle(const TOpticalVolume& Volume) const
{
    std::string title = Volume.Label.empty() ? GetVolumeTitle(Volume.RootPath) : CleanTitleText(Volume.Label);
    if (const int star = Pos('*', title); star > 0)
        Delete(title, star, 1);
    return title;
}

void TForm1::RunAndWait(const std::string& CommandLine)
{
    RunState.GrabMode = 0;
    if (FScanAhead && FScanAhead->Replay(CommandLine))
        return;
    FSystem.RunTool(*this, CommandLine);
}

void TForm1::EndIdentifyRun()
{
    // Sent from inside the line handler: only the signal goes out here; the runner reports the end
    // once the rest of the output is delivered, and the waiting caller goes on then.
    if (!OxCreateProcess1->Waiting() || OxCreateProcess1->ProcessId() == 0)
        return;
    try {
        OxCreateProcess1->Terminate();
    } catch (const Exception&) {
        // It ended on its own in the meantime.
    }
}
