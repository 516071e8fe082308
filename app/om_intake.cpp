#include "app/om_intake.h"

#include "app/TSystemServices.h"
#include "app/Unit1.h"
#include "app/om_functions.h"
#include "app/om_tables.h"
#include "app/om_text.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStringList.h"
#include "platform/vcl/TTimer.h"
#include "platform/win/Input.h"
#include "platform/win/Messages.h"
#include "platform/win/MessageQueue.h"
#include "skin/grids/TskSkinStringGrid.h"

#include <deque>
#include <mutex>
#include <utility>

std::string RepairFolderPath(const std::string& Folder)
{
    std::string path;
    path.reserve(Folder.size() + 1);
    for (char c : Folder)
        if (!(c == '/' && !path.empty() && path.back() == '/'))
            path += c;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

bool IsOnVolume(const std::string& Path, const std::string& Root)
{
    if (Path.empty() || Root.empty())
        return false;
    const std::string root = WithTrailingSlash(Root);
    const std::string path = WithTrailingSlash(Path);
    return path.compare(0, root.size(), root) == 0;
}

// ---------------------------------------------------------------------------------------------
// TForm1: intake

void TForm1::WMDropFiles(TMessage& Msg)
{
    const HDROP drop = static_cast<HDROP>(Msg.WParam);
    // The names come whole, whatever their length.
    const std::vector<std::string> names = DragQueryFiles(drop);
    DragFinish(drop);
    DropFiles(names);
}

void TForm1::DropFiles(const std::vector<std::string>& Names)
{
    for (const std::string& name : Names)
        if (!Trim(name).empty())
            ListBox1->Add(name);
    const int count = ListBox1->Count();
    if (count >= 1) {
        SetStatusText(IntToStr(count) + (count == 1 ? " item added" : " items added"));
        ScanTimer->SetEnabled(true);
    }
}

void TForm1::skSkinSpeedButton5Click(TObject*)
{
    oxOpenDialog1->SetTitle("Select File(s)");
    oxOpenDialog1->SetFileName("Filename");
    if (OxSelectDirectory1->Directory().empty())
        OxSelectDirectory1->SetDirectory(GetMyDocumentsFolder());
    oxOpenDialog1->SetInitialDir(OxSelectDirectory1->Directory());
    if (!oxOpenDialog1->Execute())
        return;
    const std::vector<std::string> files = oxOpenDialog1->Files();
    for (const std::string& file : files)
        ListBox1->Add(file);
    if (!files.empty())
        OxSelectDirectory1->SetDirectory(ExtractFilePath(files.front()));
    ScanTimer->SetEnabled(true);
}

void TForm1::skSkinSpeedButton4Click(TObject*)
{
    OxSelectDirectory1->SetTitle("Select folder containing video files");
    if (OxSelectDirectory1->Directory().empty())
        OxSelectDirectory1->SetDirectory(GetMyDocumentsFolder());
    if (!OxSelectDirectory1->Execute())
        return;
    const std::string folder = OxSelectDirectory1->Directory();
    if (Trim(folder).empty())
        return;
    ListBox1->Add(RepairFolderPath(folder));
    ScanTimer->SetEnabled(true);
}

void TForm1::ScanDVDs()
{
    SetStatusText("Checking for DVDs");
    std::vector<TOpticalVolume> volumes;
    try {
        volumes = FSystem.OpticalVolumes();
    } catch (const Exception&) {
        // No drive list: nothing to search.
    }
    for (const TOpticalVolume& volume : volumes) {
        try {
            if (!volume.Ready || volume.RootPath.empty() || !IsDvdFolder(volume.RootPath))
                continue;
            SetStatusText(VolumeTitle(volume) + " added");
            ListBox1->Add(volume.RootPath);
            ScanTimer->SetEnabled(true);
        } catch (const Exception&) {
            // One unreadable drive must not end the search.
        }
    }
    SetStatusText("");
}

void TForm1::WMDeviceChange(TMessage& Msg)
{
    const auto* volume = reinterpret_cast<const TOpticalVolume*>(Msg.LParam);
    if (!volume) {
        TakeVolumeChange();
        return;
    }
    if (Msg.WParam == DBT_DEVICEARRIVAL)
        DeviceChange(*volume, true);
    else if (Msg.WParam == DBT_DEVICEREMOVECOMPLETE)
        DeviceChange(*volume, false);
}

void TForm1::DeviceChange(const TOpticalVolume& Volume, bool Arrived)
{
    TskSkinStringGrid& g = *StringGrid1;
    const std::string& root = Volume.RootPath;
    if (Arrived) {
        if (!Volume.Ready || root.empty() || !IsDvdFolder(root))
            return;
        const std::string label = VolumeTitle(Volume);
        const std::string lowerLabel = LowerCase(label);
        // The disc's titles already in the table are wanted again; converted ones stay done.
        for (int r = 0; r < g.RowCount(); ++r) {
            if (g.Cells(SourceRecord::Kind, r) != "DVD" || !IsOnVolume(g.Cells(SourceRecord::SourcePath, r), root))
                continue;
            if (!Contains(" " + LowerCase(g.Cells(SourceRecord::Title, r)), lowerLabel))
                continue;
            if (g.Cells(SourceRecord::Selected, r) != "Done")
                SetSourceSelected(r, "YES");
        }
        SetStatusText(label + " added");
        ListBox1->Add(root);
        ScanTimer->SetEnabled(true);
        return;
    }

    // An empty drive that leaves the list has just been given a disc: nothing was removed.
    if (root.empty() && !Volume.Ready)
        return;
    SetStatusText("Drive " + (root.empty() ? Volume.Device : root) + " removed");
    if (root.empty())
        return;
    for (int r = 0; r < g.RowCount(); ++r)
        if (g.Cells(SourceRecord::Kind, r) == "DVD" && IsOnVolume(g.Cells(SourceRecord::SourcePath, r), root) &&
            g.Cells(SourceRecord::Selected, r) != "Done")
            SetSourceSelected(r, "No");
    for (TStrings* list : {dvdbox, ListBox1})
        for (int i = 0; i < list->Count(); ++i)
            if (!list->Strings(i).empty() && WithTrailingSlash(list->Strings(i)) == WithTrailingSlash(root))
                list->SetStrings(i, "");
}

// ---------------------------------------------------------------------------------------------
// TForm1: the window's messages

// Volumes the watcher reported, waiting for the window's thread. The watcher's thread never touches
// the tables: it leaves the volume here and posts one device-change message per volume, and the
// window takes the oldest volume for each message it handles.
struct TForm1::TVolumeMail {
    std::mutex Lock;
    HWND Window = 0; // 0 while the window has no handle: nothing is taken in then
    std::deque<std::pair<TOpticalVolume, bool>> Changes;
};

std::shared_ptr<TForm1::TVolumeMail> TForm1::NewVolumeMail()
{
    return std::make_shared<TVolumeMail>();
}

bool TForm1::PostVolumeChange(const TOpticalVolume& Volume, bool Arrived)
{
    TVolumeMail& mail = *FVolumeMail;
    // Under the lock, so that the messages come in the order the volumes were left.
    std::lock_guard<std::mutex> hold(mail.Lock);
    if (mail.Window == 0)
        return false;
    mail.Changes.emplace_back(Volume, Arrived);
    if (!PostMessage(mail.Window, WM_DEVICECHANGE, Arrived ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE, 0)) {
        // The window went in the meantime: no message will ever come for this volume.
        mail.Changes.pop_back();
        return false;
    }
    return true;
}

void TForm1::TakeVolumeChange()
{
    std::pair<TOpticalVolume, bool> change;
    {
        std::lock_guard<std::mutex> hold(FVolumeMail->Lock);
        if (FVolumeMail->Changes.empty())
            return;
        change = std::move(FVolumeMail->Changes.front());
        FVolumeMail->Changes.pop_front();
    }
    DeviceChange(change.first, change.second);
}

void TForm1::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_DROPFILES:
        WMDropFiles(Message);
        return;
    case WM_DEVICECHANGE:
        WMDeviceChange(Message);
        return;
    default:
        if (!TakeOpenerFailed(Message))
            TForm::WndProc(Message);
    }
}

void TForm1::CreateWnd()
{
    TForm::CreateWnd();
    DragAcceptFiles(Handle(), TRUE);
    {
        std::lock_guard<std::mutex> hold(FVolumeMail->Lock);
        FVolumeMail->Window = Handle();
    }
    // The watcher's thread only ever leaves volumes in the mailbox and posts to the window.
    FVolumeWatcher =
        FSystem.WatchVolumes([this](const TOpticalVolume& Volume, bool Arrived) { PostVolumeChange(Volume, Arrived); });
}

void TForm1::DestroyWnd()
{
    // Stopped first: once the handle is gone, no thread may post for it.
    FVolumeWatcher.reset();
    {
        std::lock_guard<std::mutex> hold(FVolumeMail->Lock);
        FVolumeMail->Window = 0;
        // Their messages die with the window.
        FVolumeMail->Changes.clear();
    }
    TForm::DestroyWnd();
}
