#include "platform/sys/Volumes.h"

#include <gtest/gtest.h>

#include "tests/support/TScratchFolder.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <thread>

namespace fs = std::filesystem;

namespace {

// A fake mount table, /sys/block and label folder in a temporary folder.
class VolumesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        src.MountInfo = root + "/mountinfo";
        src.SysBlock = root + "/block";
        src.ByLabel = root + "/by-label";
        fs::create_directories(src.SysBlock);
        fs::create_directories(src.ByLabel);
        WriteMounts("");
    }

    void WriteMounts(const std::string& lines) { std::ofstream(src.MountInfo) << "26 1 254:1 / / rw - ext4 /dev/vda rw\n" << lines; }
    void AddDrive(const std::string& name, const std::string& sectors)
    {
        fs::create_directories(src.SysBlock + "/" + name);
        std::ofstream(src.SysBlock + "/" + name + "/size") << sectors << "\n";
    }
    // An image file with an ISO 9660 primary volume descriptor.
    std::string MakeIso(const std::string& name, const std::string& label)
    {
        std::string path = root + "/" + name;
        std::string data(17 * 2048, '\0');
        data[16 * 2048] = 1;
        data.replace(16 * 2048 + 1, 5, "CD001");
        std::string id = label + std::string(32 - label.size(), ' ');
        data.replace(16 * 2048 + 40, 32, id);
        std::ofstream(path, std::ios::binary) << data;
        return path;
    }

    TScratchFolder scratch;
    std::string root = scratch.Path();
    TVolumeSources src;
};

} // namespace

TEST_F(VolumesTest, MountedDiscsAndEmptyDrivesAreListed)
{
    std::string iso = MakeIso("film.iso", "MY_FILM");
    WriteMounts("40 26 7:0 / /media/u/MY\\040FILM ro - iso9660 " + iso + " ro\n"
                "41 26 11:0 / /media/dvd ro,relatime shared:5 - udf /dev/sr1 ro\n"
                "42 26 0:50 / /mnt/data rw - ext4 /dev/sdb1 rw\n");
    AddDrive("sr0", "0");
    AddDrive("sr1", "8000000");
    fs::create_symlink("../sr1-fake", src.ByLabel + "/DVD\\x20VOLUME");
    std::ofstream(root + "/sr1-fake") << "x";
    auto volumes = GetOpticalVolumes(src);
    ASSERT_EQ(volumes.size(), 3u);
    EXPECT_EQ(volumes[0].RootPath, "/media/u/MY FILM/");
    EXPECT_EQ(volumes[0].FileSystem, "iso9660");
    EXPECT_EQ(volumes[0].Label, "MY_FILM");
    EXPECT_TRUE(volumes[0].Ready);
    EXPECT_EQ(volumes[1].Device, "/dev/sr1");
    EXPECT_EQ(volumes[1].RootPath, "/media/dvd/");
    EXPECT_EQ(volumes[2].Device, "/dev/sr0");
    EXPECT_EQ(volumes[2].RootPath, "");
    EXPECT_FALSE(volumes[2].Ready);
}

TEST_F(VolumesTest, LabelOnlyForExactMountPoint)
{
    std::string iso = MakeIso("film.iso", "HOLIDAY");
    WriteMounts("40 26 7:0 / /media/disc ro - iso9660 " + iso + " ro\n");
    EXPECT_EQ(VolumeLabel("/media/disc", src), "HOLIDAY");
    EXPECT_EQ(VolumeLabel("/media/disc/", src), "HOLIDAY");
    EXPECT_EQ(VolumeLabel("/media/disc/VIDEO_TS", src), "");
    EXPECT_EQ(VolumeLabel("", src), "");
}

TEST_F(VolumesTest, NonIsoDataHasNoLabel)
{
    std::string junk = root + "/junk.bin";
    std::ofstream(junk) << std::string(40000, 'x');
    EXPECT_EQ(ReadIso9660Label(junk), "");
    EXPECT_EQ(ReadIso9660Label(root + "/missing"), "");
}

TEST_F(VolumesTest, GarbledMountTableLinesAreSkipped)
{
    WriteMounts("garbage\n40 26 7:0 / /x ro - iso9660\n\n");
    EXPECT_TRUE(GetOpticalVolumes(src).empty());
}

TEST_F(VolumesTest, WatcherReportsArrivalAndRemoval)
{
    std::mutex m;
    std::condition_variable cv;
    std::vector<std::pair<std::string, bool>> events;
    TVolumeWatcher watcher(
        [&](const TOpticalVolume& v, bool arrived) {
            std::lock_guard lock(m);
            events.emplace_back(v.RootPath, arrived);
            cv.notify_all();
        },
        src, 50);
    auto waitFor = [&](std::size_t n) {
        std::unique_lock lock(m);
        return cv.wait_for(lock, std::chrono::seconds(5), [&] { return events.size() >= n; });
    };
    std::string iso = MakeIso("a.iso", "A");
    WriteMounts("40 26 7:0 / /media/a ro - iso9660 " + iso + " ro\n");
    watcher.Rescan();
    ASSERT_TRUE(waitFor(1));
    WriteMounts("");
    ASSERT_TRUE(waitFor(2));
    std::lock_guard lock(m);
    EXPECT_EQ(events[0], std::make_pair(std::string("/media/a/"), true));
    EXPECT_EQ(events[1], std::make_pair(std::string("/media/a/"), false));
}

namespace {

std::vector<std::string> ThreadsOfThisProcess()
{
    std::vector<std::string> ids;
    for (const fs::directory_entry& e : fs::directory_iterator("/proc/self/task"))
        ids.push_back(e.path().filename().string());
    std::sort(ids.begin(), ids.end());
    return ids;
}

// How often the thread went to sleep and was woken again, by the kernel's count.
long Wakeups(const std::string& Thread)
{
    std::ifstream in("/proc/self/task/" + Thread + "/status");
    long total = 0;
    for (std::string line; std::getline(in, line);)
        if (line.find("ctxt_switches:") != std::string::npos)
            total += std::stol(line.substr(line.find(':') + 1));
    return total;
}

} // namespace

// On the kernel's mount table, which tells of its changes, the watcher sleeps while no drive stands
// empty; with an empty drive it still looks on the clock, so a medium put in without being mounted comes.
TEST_F(VolumesTest, WatcherOnTheKernelsTable_SleepsUnlessADriveStandsEmpty)
{
    src.MountInfo = "/proc/self/mountinfo";
    {
        const std::vector<std::string> before = ThreadsOfThisProcess();
        TVolumeWatcher watcher(nullptr, src, 10);
        std::vector<std::string> added;
        const std::vector<std::string> after = ThreadsOfThisProcess();
        std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
        ASSERT_EQ(added.size(), 1u);
        const long start = Wakeups(added[0]);
        // Thirty looks on the clock would fall in this span; a device announced meanwhile may wake it once or twice.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_LE(Wakeups(added[0]) - start, 3) << "the watcher wakes with nothing to look at";
    }

    AddDrive("sr0", "0");
    std::mutex m;
    std::condition_variable cv;
    bool medium = false;
    TVolumeWatcher watcher(
        [&](const TOpticalVolume& v, bool arrived) {
            std::lock_guard lock(m);
            medium = medium || (arrived && v.Device == "/dev/sr0" && v.Ready);
            cv.notify_all();
        },
        src, 10);
    AddDrive("sr0", "8000000");
    std::unique_lock lock(m);
    EXPECT_TRUE(cv.wait_for(lock, std::chrono::seconds(10), [&] { return medium; })) << "a medium put into an empty drive was not seen";
}
