#pragma once
// Starting child processes from an argument vector. No shell ever runs: the program is executed
// directly, the parent's descriptors are never inherited (only the three the request names become the
// child's 0, 1 and 2), and a failed start (a missing program, a bad working folder) raises in the parent
// instead of showing up later as an odd exit code.
#include "platform/sys/TOwnedFd.h"

#include <sys/types.h>

#include <string>
#include <vector>

struct TSpawnRequest {
    // A path, or a bare name looked up on PATH.
    std::string Program;
    // The argument vector, Args[0] included. Empty means { Program }.
    std::vector<std::string> Args;
    // Working folder of the child; empty keeps the parent's.
    std::string Directory;
    // NAME=value lines; empty means the parent's environment.
    std::vector<std::string> Environment;
    // Descriptors that become the child's standard input, output and error; -1 keeps the parent's.
    int StdIn = -1;
    int StdOut = -1;
    int StdErr = -1;
    // The child leads a process group of its own, so that it and everything it starts can be
    // interrupted or ended together without touching this program.
    bool NewProcessGroup = true;
    // The child leads a session of its own (and so a group of its own): what it starts lives on
    // apart from this program's terminal.
    bool NewSession = false;
    // Nice increment for the child (0 = unchanged).
    int Nice = 0;
    // The child is killed when the spawning thread ends (a tool never outlives the program that
    // drives it, even one killed outright). Spawn from a thread that lives as long as the program.
    bool EndWithParent = false;
};

// One started child. It keeps a pidfd for the whole of its life and leaves the child unreaped until
// Reap, so neither the pid nor the process group id can be reused by an unrelated process while this
// object may still signal them. Move-only; a child that was never reaped is handed to a background
// reaper when the object goes, so that it never lingers as a zombie.
class TChildProcess {
public:
    TChildProcess() = default;
    TChildProcess(pid_t Pid, int PidFd);
    TChildProcess(TChildProcess&& Other) noexcept;
    TChildProcess& operator=(TChildProcess&& Other) noexcept;
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;
    ~TChildProcess();

    pid_t Pid() const { return FPid; }
    // Readable (poll POLLIN) once the child has ended; -1 when there is no child.
    int PidFd() const { return FPidFd.Get(); }
    bool Assigned() const { return FPid > 0; }

    // False when there is no child or it has already been reaped. Sent through the pidfd, so it can
    // never reach another process that got the same pid.
    bool Signal(int Sig) const;
    // The signal to the child's whole process group (the child and what it started). Only while the
    // child is unreaped, because only then is its group id certain to be still its own. The child
    // gets it exactly once, whether or not it has left the group.
    bool SignalGroup(int Sig) const;
    // True once the child has ended (it may still be unreaped).
    bool HasEnded() const;
    // Waits for the child's end (or only looks, when Block is false) without reaping it; the raw wait
    // status (as waitpid gives it) or -1 when it has not ended.
    int PeekStatus(bool Block) const;
    // Waits for and reaps the child; returns the raw wait status. The object is empty afterwards.
    int Reap();
    // Gives the child up: a background reaper collects it when it ends. The object is empty afterwards.
    void Release();

private:
    pid_t FPid = 0;
    TOwnedFd FPidFd;
};

// Starts the child. Raises EOSError with the child's errno when the program cannot be started.
TChildProcess SpawnProcess(const TSpawnRequest& Request);

// Starts a program that nobody waits for (a file manager, a browser): it gets a session of its own and
// is reaped at once by an intermediate process, so it outlives this program and leaves no zombie.
// Raises EOSError when it cannot be started.
void SpawnDetached(const TSpawnRequest& Request);

// The exit code as this program reports it: the exit status, or 128 + the signal number for a child
// killed by a signal (the shells' convention).
unsigned ExitCodeFromStatus(int WaitStatus);

// True for a regular file this user may execute (a folder is not a program).
bool IsExecutableFile(const std::string& Path);

// Full path of a bare name on PATH (the name itself when it contains "/"); empty when not found.
std::string FindOnPath(const std::string& Name);

// A pipe whose ends are close-on-exec, so no other child started meanwhile by another thread inherits
// them. Raises EOSError on failure. Fds[0] is the read end.
void MakePipe(int Fds[2]);

// Writing to a pipe whose reader has gone must give EPIPE instead of killing the whole program; called
// once, by everything that writes to children.
void IgnoreSigPipe();
