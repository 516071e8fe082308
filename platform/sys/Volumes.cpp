#include "platform/sys/Volumes.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <linux/magic.h>
#include <linux/netlink.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>
#include <thread>

namespace {

struct TMount {
    std::string device;
    std::string mountPoint;
    std::string fileSystem;
};

// Mount points in the mount table have blanks, tabs, newlines and backslashes as octal escapes.
std::string Unescape(const std::string& s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && std::isdigit(static_cast<unsigned char>(s[i + 1]))) {
            out += static_cast<char>(std::strtol(s.substr(i + 1, 3).c_str(), nullptr, 8));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

// The label links name labels with \xHH escapes ("My\x20Film").
std::string UnescapeHex(const std::string& s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x') {
            out += static_cast<char>(std::strtol(s.substr(i + 2, 2).c_str(), nullptr, 16));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string WithSlash(std::string path)
{
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    return path;
}

std::vector<TMount> ReadMounts(const std::string& mountInfo)
{
    std::vector<TMount> mounts;
    std::ifstream in(mountInfo);
    std::string line;
    while (std::getline(in, line)) {
        // id parent major:minor root mount-point options [optional fields...] - fstype source options
        std::istringstream fields(line);
        std::string id, parent, dev, root, mountPoint, options, word;
        if (!(fields >> id >> parent >> dev >> root >> mountPoint >> options)) {
            continue;
        }
        while (fields >> word && word != "-") {
        }
        TMount m;
        if (!(fields >> m.fileSystem >> m.device)) {
            continue;
        }
        m.mountPoint = Unescape(mountPoint);
        m.device = Unescape(m.device);
        mounts.push_back(std::move(m));
    }
    return mounts;
}

TVolumeKind KindOf(const TMount& m, const std::string& root)
{
    const std::string& t = m.fileSystem;
    if (t == "iso9660" || t == "udf")
        return TVolumeKind::Optical;
    if (t == "nfs" || t == "nfs4" || t == "cifs" || t == "smb3" || t == "smbfs" || t == "9p" || t == "davfs"
        || t.rfind("fuse.sshfs", 0) == 0 || t == "fuse.davfs2")
        return TVolumeKind::Network;
    // What the system keeps for itself (kernel views, memory file systems, containers' layers).
    if (t == "proc" || t == "sysfs" || t == "tmpfs" || t == "devtmpfs" || t == "devpts" || t == "cgroup" || t == "cgroup2"
        || t == "overlay" || t == "mqueue" || t == "securityfs" || t == "debugfs" || t == "tracefs" || t == "pstore"
        || t == "bpf" || t == "hugetlbfs" || t == "configfs" || t == "fusectl" || t == "binfmt_misc" || t == "autofs"
        || t == "nsfs" || t == "ramfs" || t == "efivarfs")
        return TVolumeKind::System;
    // Where desktops mount what is plugged in.
    if (root.rfind("/media/", 0) == 0 || root.rfind("/run/media/", 0) == 0 || root.rfind("/mnt/", 0) == 0)
        return TVolumeKind::Removable;
    return TVolumeKind::Fixed;
}

std::string RealPath(const std::string& path)
{
    char buf[PATH_MAX];
    return realpath(path.c_str(), buf) ? std::string(buf) : path;
}

std::string LabelFromLinks(const std::string& device, const std::string& byLabel)
{
    std::string real = RealPath(device);
    DIR* dir = opendir(byLabel.c_str());
    if (!dir) {
        return {};
    }
    std::string label;
    while (dirent* d = readdir(dir)) {
        std::string name = d->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        if (RealPath(byLabel + "/" + name) == real) {
            label = UnescapeHex(name);
            break;
        }
    }
    closedir(dir);
    return label;
}

std::string LabelOf(const std::string& device, const TVolumeSources& sources)
{
    std::string label = LabelFromLinks(device, sources.ByLabel);
    return label.empty() ? ReadIso9660Label(device) : label;
}

std::string ReadSmallFile(const std::string& path)
{
    std::ifstream in(path);
    std::string s;
    std::getline(in, s);
    return s;
}

bool IsOptical(const std::string& fileSystem)
{
    return fileSystem == "iso9660" || fileSystem == "udf";
}

} // namespace

std::string ReadIso9660Label(const std::string& DeviceOrImage)
{
    // O_NONBLOCK: opening an empty drive must not wait for the tray.
    int fd = ::open(DeviceOrImage.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return {};
    }
    unsigned char pvd[2048];
    ssize_t got = pread(fd, pvd, sizeof pvd, 16 * 2048);
    ::close(fd);
    // The primary volume descriptor: type 1, "CD001", and the volume identifier at bytes 40..71.
    if (got != static_cast<ssize_t>(sizeof pvd) || pvd[0] != 1 || std::string(reinterpret_cast<char*>(pvd + 1), 5) != "CD001") {
        return {};
    }
    std::string label(reinterpret_cast<char*>(pvd + 40), 32);
    std::size_t end = label.find_last_not_of(std::string(" \0", 2));
    return end == std::string::npos ? std::string() : label.substr(0, end + 1);
}

std::vector<TOpticalVolume> GetOpticalVolumes(const TVolumeSources& Sources)
{
    std::vector<TOpticalVolume> result;
    std::vector<std::string> mountedDevices;
    for (const TMount& m : ReadMounts(Sources.MountInfo)) {
        if (!IsOptical(m.fileSystem)) {
            continue;
        }
        TOpticalVolume v;
        v.Device = m.device;
        v.RootPath = WithSlash(m.mountPoint);
        v.FileSystem = m.fileSystem;
        v.Label = LabelOf(m.device, Sources);
        v.Ready = true;
        result.push_back(std::move(v));
        mountedDevices.push_back(m.device);
    }
    std::vector<std::string> drives;
    if (DIR* dir = opendir(Sources.SysBlock.c_str())) {
        while (dirent* d = readdir(dir)) {
            std::string name = d->d_name;
            if (name.rfind("sr", 0) == 0) {
                drives.push_back(name);
            }
        }
        closedir(dir);
    }
    std::sort(drives.begin(), drives.end());
    for (const std::string& name : drives) {
        std::string device = "/dev/" + name;
        if (std::find(mountedDevices.begin(), mountedDevices.end(), device) != mountedDevices.end()) {
            continue;
        }
        TOpticalVolume v;
        v.Device = device;
        // The size in sectors is 0 while the drive is empty.
        v.Ready = std::strtoll(ReadSmallFile(Sources.SysBlock + "/" + name + "/size").c_str(), nullptr, 10) > 0;
        result.push_back(std::move(v));
    }
    return result;
}

std::string VolumeLabel(const std::string& RootPath, const TVolumeSources& Sources)
{
    if (RootPath.empty()) {
        return {};
    }
    std::string root = WithSlash(RootPath);
    std::string label;
    bool found = false;
    // The last mount at a point is the one in effect.
    for (const TMount& m : ReadMounts(Sources.MountInfo)) {
        if (WithSlash(m.mountPoint) == root) {
            label = m.device;
            found = true;
        }
    }
    return found ? LabelOf(label, Sources) : std::string();
}

struct TVolumeWatcher::TImpl {
    TChangeEvent onChange;
    TVolumeSources sources;
    int rescanMs = 2000;
    int wake = -1;
    std::atomic<bool> stop{false};
    std::thread thread;
    // What the last look found; taken first in the constructor, so that a change made right after
    // construction is reported.
    std::vector<TOpticalVolume> known;

    void Run()
    {
        // The kernel's mount table signals a change by POLLPRI on an open descriptor of it; a plain file
        // standing in for it signals nothing.
        int table = ::open(sources.MountInfo.c_str(), O_RDONLY | O_CLOEXEC);
        struct statfs tableFs {};
        const bool tableSignals = table >= 0 && fstatfs(table, &tableFs) == 0 && tableFs.f_type == PROC_SUPER_MAGIC;
        const int devices = OpenBlockDeviceEvents();
        while (!stop.load()) {
            pollfd fds[3] = {{wake, POLLIN, 0}, {table, POLLPRI, 0}, {devices, POLLIN, 0}};
            int r = poll(fds, 3, LookAgainAfterMs(tableSignals && devices >= 0));
            if (r < 0 && errno != EINTR) {
                break;
            }
            if (fds[0].revents & POLLIN) {
                std::uint64_t n;
                (void)!::read(wake, &n, sizeof n);
            }
            const bool woken = r <= 0 || (fds[0].revents | fds[1].revents) != 0 || ((fds[2].revents & POLLIN) && BlockDeviceEvent(devices));
            if (stop.load()) {
                break;
            }
            if (!woken) {
                continue;
            }
            std::vector<TOpticalVolume> now = GetOpticalVolumes(sources);
            for (const TOpticalVolume& v : known) {
                if (std::find(now.begin(), now.end(), v) == now.end() && onChange) {
                    onChange(v, false);
                }
            }
            for (const TOpticalVolume& v : now) {
                if (std::find(known.begin(), known.end(), v) == known.end() && onChange) {
                    onChange(v, true);
                }
            }
            known = std::move(now);
        }
        for (int fd : {table, devices}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }

    // How long to sleep before looking without being told (-1: until told). A drive with nothing
    // mounted can take a medium without any notice, so it is looked at on the clock; so is everything
    // when no notice can come. Otherwise the thread sleeps, and an idle program is not woken for it.
    int LookAgainAfterMs(bool Notified) const
    {
        const bool emptyDrive = std::any_of(known.begin(), known.end(), [](const TOpticalVolume& v) { return v.RootPath.empty(); });
        return Notified && !emptyDrive ? -1 : rescanMs;
    }

    // The kernel's announcements of devices that come and go (a drive plugged in later); -1 when the
    // system does not give them to this program.
    static int OpenBlockDeviceEvents()
    {
        int fd = ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_KOBJECT_UEVENT);
        if (fd < 0) {
            return -1;
        }
        sockaddr_nl address{};
        address.nl_family = AF_NETLINK;
        // Group 1: the kernel's own announcements.
        address.nl_groups = 1;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(fd);
            return -1;
        }
        return fd;
    }

    // Reads the waiting announcements; true when one of them is about a block device.
    static bool BlockDeviceEvent(int Fd)
    {
        bool block = false;
        char buffer[8192];
        ssize_t got;
        // Non-blocking: the loop ends when nothing more waits.
        while ((got = ::recv(Fd, buffer, sizeof buffer, 0)) > 0) {
            // Fields are "NAME=value" strings one after another, each ended by a zero byte.
            const std::string_view message(buffer, static_cast<std::size_t>(got));
            block = block || message.find(std::string_view("\0SUBSYSTEM=block\0", 18)) != std::string_view::npos;
        }
        return block;
    }
};

TVolumeWatcher::TVolumeWatcher(TChangeEvent OnChange, const TVolumeSources& Sources, int RescanMs)
    : FImpl(std::make_unique<TImpl>())
{
    FImpl->onChange = std::move(OnChange);
    FImpl->sources = Sources;
    FImpl->rescanMs = RescanMs > 0 ? RescanMs : 2000;
    FImpl->wake = eventfd(0, EFD_CLOEXEC);
    FImpl->known = GetOpticalVolumes(FImpl->sources);
    FImpl->thread = std::thread([impl = FImpl.get()] { impl->Run(); });
}

TVolumeWatcher::~TVolumeWatcher()
{
    FImpl->stop.store(true);
    Rescan();
    FImpl->thread.join();
    if (FImpl->wake >= 0) {
        ::close(FImpl->wake);
    }
}

void TVolumeWatcher::Rescan()
{
    std::uint64_t one = 1;
    (void)!::write(FImpl->wake, &one, sizeof one);
}

std::vector<TMountedVolume> GetMountedVolumes(const TVolumeSources& Sources)
{
    std::vector<TMountedVolume> volumes;
    for (const TMount& m : ReadMounts(Sources.MountInfo)) {
        TMountedVolume v;
        v.RootPath = WithSlash(m.mountPoint);
        v.Source = m.device;
        v.FileSystem = m.fileSystem;
        v.Kind = KindOf(m, v.RootPath);
        volumes.push_back(std::move(v));
    }
    return volumes;
}

long long VolumeFreeBytes(const std::string& Path)
{
    struct statvfs st {};
    if (Path.empty() || ::statvfs(Path.c_str(), &st) != 0)
        return -1;
    // The blocks kept for the administrator are ours too when we are the administrator.
    const unsigned long long blocks = ::geteuid() == 0 ? st.f_bfree : st.f_bavail;
    return static_cast<long long>(blocks * st.f_frsize);
}
