#pragma once
// Optical volumes: what plays the part of the disc drives. A volume is a mounted iso9660 or udf file
// system (a disc, or a disc image mounted through a loop device), whose mount point is its root path,
// or an optical drive (/sys/block/sr*) with nothing mounted, which has no root path. The watcher
// reports volumes that come and go; the main window gets them as the device-change message.
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TOpticalVolume {
    // "/dev/sr0", "/dev/loop3"...
    std::string Device;
    // The mount point with a trailing "/"; empty for a drive with nothing mounted.
    std::string RootPath;
    // "iso9660" or "udf"; empty for a drive with nothing mounted.
    std::string FileSystem;
    // The volume label; empty when it cannot be read.
    std::string Label;
    // Mounted, or a drive that holds a medium.
    bool Ready = false;

    bool operator==(const TOpticalVolume&) const = default;
};

// Where the facts come from; tests point these at files of their own.
struct TVolumeSources {
    std::string MountInfo = "/proc/self/mountinfo";
    std::string SysBlock = "/sys/block";
    std::string ByLabel = "/dev/disk/by-label";
};

// What a mounted file system is to the user, judged from the mount table alone (a network mount is
// never touched to find out).
enum class TVolumeKind { Fixed, Optical, Removable, Network, System };

struct TMountedVolume {
    // The mount point with a trailing "/".
    std::string RootPath;
    // What is mounted: "/dev/sdb1", "//server/share", "host:/export"...
    std::string Source;
    std::string FileSystem;
    TVolumeKind Kind = TVolumeKind::Fixed;
};

// Every mounted file system in mount order.
std::vector<TMountedVolume> GetMountedVolumes(const TVolumeSources& Sources = {});

// The mounted optical volumes in mount order, then the drives with nothing mounted.
std::vector<TOpticalVolume> GetOpticalVolumes(const TVolumeSources& Sources = {});

// The label of the volume mounted exactly at RootPath (trailing "/" optional), of any file system;
// empty when RootPath is no mount point or the volume has no readable label.
std::string VolumeLabel(const std::string& RootPath, const TVolumeSources& Sources = {});

// The label in an ISO 9660 primary volume descriptor of a device or image file, trimmed; empty when
// there is none (or it cannot be read).
std::string ReadIso9660Label(const std::string& DeviceOrImage);

// The bytes this program may still write on the volume that holds Path (a file or folder); -1 when
// that cannot be known.
long long VolumeFreeBytes(const std::string& Path);

// Watches the optical volumes on a thread of its own. OnChange runs on that thread, once per volume
// that went (Arrived false) or came (Arrived true), removals first; hand it over to the GUI thread by
// posting. The mount table is watched through the kernel's change notification, and drives (a medium
// put in without being mounted) are looked at every RescanMs milliseconds.
class TVolumeWatcher {
public:
    using TChangeEvent = std::function<void(const TOpticalVolume& Volume, bool Arrived)>;

    explicit TVolumeWatcher(TChangeEvent OnChange, const TVolumeSources& Sources = {}, int RescanMs = 2000);
    ~TVolumeWatcher();
    TVolumeWatcher(const TVolumeWatcher&) = delete;
    TVolumeWatcher& operator=(const TVolumeWatcher&) = delete;

    // Looks again at once (the thread also does so by itself).
    void Rescan();

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};
