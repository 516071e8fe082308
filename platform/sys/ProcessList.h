#pragma once
// The running processes, read from the kernel's process table (/proc), finding one by its image
// name, and ending a process by id: first asked politely, then by force. The converter itself ends
// only the children it started, by their pid; these serve whoever needs to look beyond them.
#include "platform/rtl/Types.h"

#include <string>

class TStrings;

// GetPidFromProcessName's answer when no process has the name.
constexpr DWORD kNoProcess = 0xFFFFFFFF;

// TerminateApp results.
constexpr int taFailed = 0; // own process, no such process, or not ours to signal
constexpr int taEnded = 1;  // ended by itself within the time-out after it was asked to (SIGTERM)
constexpr int taKilled = 2; // ended by force (SIGKILL)

// Appends one entry per running process in the kernel's order (ascending ids): its image name (base
// name, or full path with FullPath) with the process id in the object slot. A process whose image
// cannot be read (another user's, or a kernel thread) is listed under the kernel's short name for it.
// Processes that have ended and wait to be reaped are not running and not listed. False when the
// process table cannot be read; the list is left as it was then.
bool RunningProcessesList(TStrings* List, bool FullPath);

// The image of a process: its base name or full path; empty when there is no such process or its
// image may not be read.
std::string ProcessFileName(DWORD ProcessID, bool FullPath);

// When a running process started, as the kernel counts it (clock ticks since boot): an id is given
// again after its process ended, the id with this mark names one process. "" when there is no such
// process or it has ended.
std::string ProcessStartMark(DWORD ProcessID);

// The id of the first running process whose image is ProcessName, compared without regard to case;
// kNoProcess when none. A name with a folder ("/") is compared with the full path, any other with the
// base name. A trailing ".exe" may be given: Linux images have none.
DWORD GetPidFromProcessName(const std::string& ProcessName);

// Asks the process to end (SIGTERM), waits up to Timeout ms for it to end, then ends it with
// SIGKILL. Works through a pidfd, so a signal can never reach a new process that got the same id.
int TerminateApp(DWORD ProcessID, DWORD Timeout);

// The system the program runs on, classified among the Windows releases (0 = unknown, 1 Windows 95
// ... 16 Windows Server 2008). This kernel is none of them, so the value is wvUnknown; what the
// system can tell of itself is its kernel's name and release (GetOSVersionRecord).
enum TWindowsVersion : int {
    wvUnknown,
    wvWin95,
    wvWin95OSR2,
    wvWin98,
    wvWin98SE,
    wvWinME,
    wvWinNT31,
    wvWinNT35,
    wvWinNT351,
    wvWinNT4,
    wvWin2000,
    wvWinXP,
    wvWin2003,
    wvWinXP64,
    wvWin2003R2,
    wvWinVista,
    wvWin2008
};

// The version record: the kernel's name ("Linux") and release ("6.1.0-18-amd64") as uname gives them.
struct TOSVersionRecord {
    std::string SystemName;
    std::string Release;
};
TOSVersionRecord GetOSVersionRecord();

// Computed once, on first use.
TWindowsVersion GetWindowsVersion();

// One flag per version; the NT 3 releases also set NT3, NT 3.51 also NT35, and NT tells the NT line
// (NT 3.1 onwards) from the 9x line.
struct TWindowsVersionFlags {
    bool Win95 = false, Win95OSR2 = false, Win98 = false, Win98SE = false, WinME = false;
    bool WinNT3 = false, WinNT31 = false, WinNT35 = false, WinNT351 = false, WinNT4 = false;
    bool Win2000 = false, WinXP = false, Win2003 = false, WinXP64 = false, Win2003R2 = false;
    bool WinVista = false, Win2008 = false;
    bool WinNT = false;
};
TWindowsVersionFlags WindowsVersionFlags(TWindowsVersion Version);
// The flags of this system's version, computed once.
const TWindowsVersionFlags& WindowsVersion();
