#include "app/om_scan.h"

#include "app/TSystemServices.h"
#include "app/Unit1.h"
#include "app/om_buttons.h"
#include "app/om_dvdscan.h"
#include "app/om_functions.h"
#include "app/om_runcontrol.h"
#include "app/om_scanahead.h"
#include "app/om_tables.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/ScopeGuards.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TTimer.h"
#include "skin/grids/TskSkinStringGrid.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool IsFileReadable(const std::string& Path)
{
    // Read access is all identification needs: read-only files and read-only media are sources too.
    const int fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

namespace {

// The items of a list, taken before the list is changed.
std::vector<std::string> Items(const TStrings& List)
{
    std::vector<std::string> items;
    items.reserve(List.Count());
    for (int i = 0; i < List.Count(); ++i)
        items.push_back(List.Strings(i));
    return items;
}

void AddOnce(TStrings& List, const std::string& Item)
{
    if (NotInList(Item, List))
        List.Add(Item);
}

std::string WithoutFirstStar(std::string Name)
{
    if (const int star = Pos('*', Name); star > 0)
        Delete(Name, star, 1);
    return Name;
}

// The records of the table (a row still without its id is a placeholder, not a source).
int SourceCount(const TskSkinStringGrid& Grid)
{
    int n = 0;
    for (int r = 0; r < Grid.RowCount(); ++r)
        n += Grid.Cells(SourceRecord::RowId, r).empty() ? 0 : 1;
    return n;
}

// Something that is there but is no regular file or folder (a pipe, a socket, a device).
bool IsSpecialFile(const std::string& Path)
{
    struct stat st {};
    return ::stat(Path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

constexpr const char* NotARegularFile = "not a regular file";

constexpr const char* KnownVideoExtensions[] = {"avi", "tp", "ts", "qt", "mpg", "3gpp", "flv", "mod", "mov", "mp4", "mkv", "mpeg"};

} // namespace

bool IsConvertibleFile(const std::string& File, const TStrings& VideoExtensions)
{
    const std::string ext = GetExtensionNoDot(File);
    bool known = ext == "vob";
    for (const char* k : KnownVideoExtensions)
        known = known || ext == k;
    return known || IsVideoExtension(File, VideoExtensions);
}

void TForm1::ScanTimerTimer(TObject*)
{
    SetCaption(RunState.MainTitle);
    if (RunState.Converting != 0 || RunState.ToolRunning != 0 || RunState.Scanning != 0 || RunState.ScanRound ||
        ListBox1->Count() < 1)
        return;
    const TValueGuard round(RunState.ScanRound);
    // The work panel covers the queue while the round runs, and the window comes forward to show it.
    auto* workPanel = dynamic_cast<TControl*>(FindComponent("textpanel"));
    bool workPanelWasInFront = false;
    if (workPanel) {
        TWinControl* parent = workPanel->Parent();
        workPanelWasInFront = parent && parent->ControlCount() > 0 &&
                              parent->Controls(parent->ControlCount() - 1) == workPanel;
        workPanel->BringToFront();
    }
    // While it covers the queue it says what goes on, and Start waits for the round to end: the
    // queue is being changed under it.
    auto* const label = dynamic_cast<TControl*>(FindComponent("textlabel"));
    IOmButton* const start = skSkinSpeedButton1;
    const bool startWasEnabled = start && start->Enabled();
    const TScopeExit dropTextBack([label, dropText = label ? label->Caption() : std::string()] {
        if (label)
            label->SetCaption(dropText);
    });
    if (label)
        label->SetCaption("Scanning the new videos, please wait");
    if (start)
        start->SetEnabled(false);
    BringToFront();
    ScanTimer->SetEnabled(false);
    RunState.Scanning = -1;
    FSkipped.clear();
    ListBox2->Clear();
    if (auto* sorted = dynamic_cast<TStringList*>(ListBox2))
        sorted->SetSorted(false);
    ListBox2->AddStrings(*ListBox1);
    if (auto* sorted = dynamic_cast<TStringList*>(ListBox2))
        sorted->SetSorted(true);
    ListBox1->Clear();
    try {
        ScanList(*ListBox2);
    } catch (...) {
        // The chain must be ready for the next names whatever went wrong.
        RunState.Scanning = 0;
        if (start)
            start->SetEnabled(startWasEnabled || SourceCount(*StringGrid1) > 0);
        throw;
    }
    for (TStrings* list : {filelist, filelist2, folderlist, folderlist2, videobox, dvdbox, voblist})
        list->Clear();
    RunState.Scanning = 0;
    StringGrid1->SetRow(0);
    SetCaption(RunState.MainTitle);
    // Names that brought no source leave the window as it was: no empty queue, no Start for nothing.
    if (SourceCount(*StringGrid1) > 0) {
        if (OnScanFinished)
            OnScanFinished();
    } else {
        if (start)
            start->SetEnabled(startWasEnabled);
        if (workPanel && !workPanelWasInFront)
            workPanel->SendToBack();
    }
}

void TForm1::NoteSkipped(const std::string& Name, const std::string& Why)
{
    FSkipped.emplace_back(Name, Why);
    SetStatusText(SkippedText());
}

std::string TForm1::SkippedText() const
{
    // The names are grouped by their reason, reasons in the order they were first met.
    std::vector<std::pair<std::string, std::string>> groups; // reason, names
    for (const auto& skipped : FSkipped) {
        const std::string& why = skipped.second;
        auto group = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == why; });
        if (group == groups.end())
            groups.emplace_back(why, skipped.first);
        else
            group->second += ", " + skipped.first;
    }
    std::string text;
    for (const auto& [why, names] : groups)
        text += (text.empty() ? "Skipped " : "; ") + names + " (" + why + ")";
    return text;
}

void TForm1::ScanList(TStrings& Names)
{
    for (std::string name : Items(Names)) {
        // A pipe or a device is never read: a pipe named like a shortcut would hold the round for good.
        if (IsSpecialFile(name)) {
            NoteSkipped(ExtractFileName(name), NotARegularFile);
            continue;
        }
        if (LowerCase(ExtractFileExt(name)) == ".lnk")
            name = ResolveShortcut(name);
        if (Trim(name).empty())
            continue;
        // A name the user gave that brings nothing says why; a folder's other files pass unremarked.
        if (IsDvdSource(name))
            voblist->Add(WithoutFirstStar(name));
        else if (DirectoryExists(name))
            folderlist->Add(name);
        else if (!FileExists(name))
            NoteSkipped(ExtractFileName(name), "not found");
        else if (IsSpecialFile(name))
            NoteSkipped(ExtractFileName(name), NotARegularFile);
        else if (!IsConvertibleFile(name, *subVid))
            NoteSkipped(ExtractFileName(name), "not a video type this program converts");
        else
            filelist->Add(name);
    }
    Names.Clear();
    ScanFolders(*folderlist);
}

void TForm1::ScanFolders(TStrings& Folders)
{
    const std::vector<std::string> folders = Items(Folders);
    for (const std::string& folder : folders) {
        FindFiles(folder, "*.*", *filelist2);
        filelist->AddStrings(*filelist2);
    }
    for (const std::string& folder : folders)
        folderlist2->Add(folder);
    folderlist->Clear();
    ScanFiles(*filelist);
}

void TForm1::ScanFiles(TStrings& Files)
{
    for (const std::string& file : Items(Files)) {
        if (GetExtensionNoDot(file) == "vob")
            AddOnce(*voblist, file);
        else if (IsConvertibleFile(file, *subVid))
            AddOnce(*videobox, file);
    }
    filelist->Clear();
    ScanDVD(*voblist);
}

void TForm1::ScanDVD(TStrings& Candidates)
{
    for (const std::string& q : Items(Candidates)) {
        if (IsDvdSource(q))
            AddOnce(*dvdbox, NormaliseLocation(q));
        if (GetExtensionNoDot(q) == "vob") {
            // A disc's VOB files lie beside its IFO files; a VOB elsewhere (next to a DVD folder, say)
            // is a video file of its own.
            const std::string folder = ExtractFilePath(q);
            const bool dvd = HoldsIfoFiles(folder);
            if (!dvd)
                AddOnce(*videobox, q);
            else
                AddOnce(*dvdbox, NormaliseLocation(StripVideoTs(folder)));
        }
    }
    voblist->Clear();
    for (const std::string& location : Items(*dvdbox))
        if (!Trim(location).empty())
            Detect("dvd", location);
    const std::vector<std::string> videos = Items(*videobox);
    // The files' tool runs are made side by side ahead of the chain, where the system can run them so.
    std::unique_ptr<TScanAhead> ahead = FSystem.RunsToolsAhead() ? std::make_unique<TScanAhead>(*this, videos) : nullptr;
    const TValueGuard seat(FScanAhead, ahead.get());
    for (const std::string& file : videos) {
        if (ahead && ahead->Stopped())
            break;
        if (IsNonEmptyFile(file))
            Detect("vid", file);
        else if (FileExists(file))
            NoteSkipped(ExtractFileName(file), IsSpecialFile(file) ? NotARegularFile : "too small");
        if (ahead)
            ahead->BuildReadyRows();
    }
    if (ahead)
        ahead->Finish();
    // The skipped files are the one thing worth leaving on the status line.
    SetStatusText(SkippedText());
    RunState.Scanning = 0;
}

void TForm1::Detect(const std::string& Kind, const std::string& Name)
{
    if (!NotYetScanned(Name, Kind, *StringGrid1))
        return;
    RunControl().WaitForTool();
    RunState.GrabMode = 0;
    if (Kind == "dvd") {
        const std::string title = GetVolumeTitle(Name);
        SetStatusText("Scanning " + title);
        IdentifyDvd(Name, title);
        return;
    }
    if (Kind != "vid")
        return;
    const std::string fileName = ExtractFileName(Name);
    if (!IsFileReadable(Name)) {
        NoteSkipped(fileName, "cannot be read");
        return;
    }
    if (FScanAhead ? FScanAhead->InUse(Name) : IsFileInUse(Name)) {
        NoteSkipped(fileName, "in use");
        return;
    }
    SetStatusText("Scanning " + fileName);
    IdentifyVideoFile(Name);
}
