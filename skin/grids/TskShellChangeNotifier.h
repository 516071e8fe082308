#pragma once
// Tells its owner, on the GUI thread, when something changes in a folder (and, with WatchSubTree,
// in the folders below it). A worker thread waits for the file system's change events; nothing is
// watched until OnChange is assigned.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/rtl/Types.h"
#include "platform/vcl/TComponent.h"

enum TNotifyFilter { nfFileNameChange, nfDirNameChange, nfAttributeChange, nfSizeChange, nfWriteChange, nfSecurityChange };
using TNotifyFilters = TSet<TNotifyFilter>;

// The change-filter bits of a set: file name 1, directory name 2, attributes 4, size 8, last
// write 16, security 256.
unsigned NotifyFilterBits(TNotifyFilters Filters);

class TskShellChangeThread;

class TskCustomShellChangeNotifier : public TComponent {
public:
    explicit TskCustomShellChangeNotifier(TComponent* AOwner);
    ~TskCustomShellChangeNotifier() override;

    TNotifyFilters NotifyFilters() const { return FFilters; }
    void SetNotifyFilters(TNotifyFilters Value);
    const std::string& Root() const { return FRoot; }
    void SetRoot(const std::string& Value);
    bool WatchSubTree() const { return FWatchSubTree; }
    void SetWatchSubTree(bool Value);
    // Assigning a handler starts the watch.
    const std::function<void()>& OnChange() const { return FOnChange; }
    void SetOnChange(std::function<void()> Value);

private:
    void Restart();

    TNotifyFilters FFilters{nfFileNameChange, nfDirNameChange};
    std::string FRoot;
    bool FWatchSubTree = true;
    std::function<void()> FOnChange;
    std::unique_ptr<TskShellChangeThread> FThread;
    HWND FWindow = 0;
};

class TskShellChangeNotifier : public TskCustomShellChangeNotifier {
public:
    using TskCustomShellChangeNotifier::TskCustomShellChangeNotifier;
};

// Turns a shell view's watch on the folder it shows on or off. On: a notifier owned by Owner watches Root
// (not the folders below it; an empty Root keeps the notifier's own) and calls OnChange. Off: the one
// there is goes.
void SwitchFolderWatch(TComponentLink<TskShellChangeNotifier>& Notifier, TComponent* Owner, bool On,
                       const std::string& Root, std::function<void()> OnChange);
