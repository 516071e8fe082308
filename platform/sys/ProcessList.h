#pragma once
// The running processes, read from /proc, and ending a process by id. The converter finds leftover
// tools by image name and ends them; so that this can never end someone else's program, the search by
// name only ever finds this user's processes that descend from this program.
#include "platform/rtl/Types.h"

#include <sys/types.h>

#include <string>
#include <vector>

class TStrings;

constexpr DWORD kNoProcess = 0xFFFFFFFF;

// TerminateApp results.
constexpr int taFailed = 0;     // own process, gone already, or not ours to signal
constexpr int taEnded = 1;      // ended by itself within the time-out after SIGTERM
constexpr int taKilled = 2;     // ended with SIGKILL

struct TProcessEntry {
    pid_t Pid = 0;
    pid_t ParentPid = 0;
    uid_t Uid = 0;
    bool Zombie = false;
    // The executable's full path ("/usr/bin/mplayer"); for another user's process, whose executable
    // link cannot be read, the first word of its command line or its short name.
    std::string Path;
    // The last component of Path.
    std::string BaseName;
};

// Every process /proc shows, in its order (ascending ids).
std::vector<TProcessEntry> EnumerateProcesses();

// Appends one entry per process, its name (base name, or full path with FullPath) with the process id
// in the object slot. False when /proc cannot be read, and the list is unchanged then.
bool RunningProcessesList(TStrings* List, bool FullPath);

// The process's base name or full path; empty when there is no such process.
std::string ProcessFileName(DWORD ProcessID, bool FullPath);

// The first of this user's running processes that descend from this program whose image is
// ProcessName, compared without regard to case; kNoProcess when none. A trailing ".exe" of the asked
// name is not part of the Linux name; a name with a "/" is compared with the full path. Ended
// processes that wait to be reaped are not found.
DWORD GetPidFromProcessName(const std::string& ProcessName);

// Asks the process to end (SIGTERM), waits up to Timeout ms, then ends it with SIGKILL. Works through
// a pidfd, so the signals cannot reach a new process that got the same id meanwhile.
int TerminateApp(DWORD ProcessID, DWORD Timeout);

// There is no Windows version to classify here: always 0 (unknown).
inline int GetWindowsVersion() { return 0; }
