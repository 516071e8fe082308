#include "skin/grids/TskShellChangeNotifier.h"

#include <dirent.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "platform/sys/Folders.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Messages.h"
#include "process/OxUtils.h"

namespace {

constexpr UINT WM_SHELLCHANGED = WM_USER + 0x51;
// A subtree watch stops adding folders here: watching a whole disk is not what a folder view needs.
constexpr int kMaxWatchedFolders = 2000;

std::uint32_t InotifyMask(unsigned Bits)
{
    std::uint32_t mask = 0;
    if (Bits & (1u | 2u))
        mask |= IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
    if (Bits & (4u | 256u))
        mask |= IN_ATTRIB;
    if (Bits & (8u | 16u))
        mask |= IN_MODIFY | IN_CLOSE_WRITE;
    return mask;
}

} // namespace

unsigned NotifyFilterBits(TNotifyFilters Filters)
{
    unsigned bits = 0;
    if (Filters.Contains(nfFileNameChange)) bits |= 1;
    if (Filters.Contains(nfDirNameChange)) bits |= 2;
    if (Filters.Contains(nfAttributeChange)) bits |= 4;
    if (Filters.Contains(nfSizeChange)) bits |= 8;
    if (Filters.Contains(nfWriteChange)) bits |= 16;
    if (Filters.Contains(nfSecurityChange)) bits |= 256;
    return bits;
}

// The worker: one inotify instance over the root (and its folders), woken by a change or by Stop.
class TskShellChangeThread {
public:
    TskShellChangeThread(HWND Window, const std::string& Path, bool SubTree, unsigned Bits)
    {
        FNotify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        FStop = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (FNotify < 0 || FStop < 0)
            return;
        const std::uint32_t mask = InotifyMask(Bits);
        int watched = 0;
        Watch(Path, SubTree, mask, watched);
        FThread = std::thread([this, Window] { Run(Window); });
    }
    ~TskShellChangeThread()
    {
        if (FThread.joinable()) {
            const std::uint64_t one = 1;
            (void)!::write(FStop, &one, sizeof one);
            FThread.join();
        }
        if (FNotify >= 0)
            ::close(FNotify);
        if (FStop >= 0)
            ::close(FStop);
    }
    bool Running() const { return FThread.joinable(); }

private:
    void Watch(const std::string& Path, bool SubTree, std::uint32_t Mask, int& Watched)
    {
        if (Watched >= kMaxWatchedFolders || inotify_add_watch(FNotify, Path.c_str(), Mask | IN_ONLYDIR) < 0)
            return;
        ++Watched;
        if (!SubTree)
            return;
        DIR* dir = ::opendir(Path.c_str());
        if (!dir)
            return;
        std::vector<std::string> folders;
        while (dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (e->d_type == DT_DIR && name != "." && name != "..")
                folders.push_back((Path == "/" ? "" : Path) + "/" + name);
        }
        ::closedir(dir);
        for (const std::string& f : folders)
            Watch(f, true, Mask, Watched);
    }

    void Run(HWND Window)
    {
        for (;;) {
            pollfd fds[2] = {{FStop, POLLIN, 0}, {FNotify, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            if (fds[0].revents)
                return;
            if (fds[1].revents) {
                char buffer[8192];
                while (::read(FNotify, buffer, sizeof buffer) > 0) {
                }
                // A post to a window already gone is dropped by the window layer.
                PostMessage(Window, WM_SHELLCHANGED, 0, 0);
            }
        }
    }

    int FNotify = -1;
    int FStop = -1;
    std::thread FThread;
};

TskCustomShellChangeNotifier::TskCustomShellChangeNotifier(TComponent* AOwner) : TComponent(AOwner)
{
    FRoot = UserHomeFolder().empty() ? "/" : UserHomeFolder();
}

TskCustomShellChangeNotifier::~TskCustomShellChangeNotifier()
{
    FThread.reset();
    if (FWindow)
        DeallocateHWndEx(FWindow);
}

void TskCustomShellChangeNotifier::SetNotifyFilters(TNotifyFilters Value)
{
    FFilters = Value;
    Restart();
}

void TskCustomShellChangeNotifier::SetRoot(const std::string& Value)
{
    FRoot = Value;
    Restart();
}

void TskCustomShellChangeNotifier::SetWatchSubTree(bool Value)
{
    FWatchSubTree = Value;
    Restart();
}

void TskCustomShellChangeNotifier::SetOnChange(std::function<void()> Value)
{
    FOnChange = std::move(Value);
    if (!FThread)
        Restart();
}

void TskCustomShellChangeNotifier::Restart()
{
    FThread.reset();
    if (!FOnChange)
        return;
    if (!FWindow)
        FWindow = AllocateHWndEx([this](TMessage& Message) {
            if (Message.Msg == WM_SHELLCHANGED && FOnChange)
                FOnChange();
        });
    FThread = std::make_unique<TskShellChangeThread>(FWindow, FRoot, FWatchSubTree, NotifyFilterBits(FFilters));
}

void SwitchFolderWatch(TComponentLink<TskShellChangeNotifier>& Notifier, TComponent* Owner, bool On,
                       const std::string& Root, std::function<void()> OnChange)
{
    if (!On) {
        TskShellChangeNotifier* notifier = Notifier;
        Notifier = nullptr;
        if (notifier != nullptr)
            notifier->Free();
        return;
    }
    Notifier = new TskShellChangeNotifier(Owner);
    Notifier->SetWatchSubTree(false);
    if (!Root.empty())
        Notifier->SetRoot(Root);
    Notifier->SetOnChange(std::move(OnChange));
}
