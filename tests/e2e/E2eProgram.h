#pragma once
// The real program as a person starts it: build/ombrix on a test display, in a scratch user's home
// (HOME and the XDG folders), with the clips that person wants to convert. Also the few facts only the
// system can tell about it from outside: whether it still runs, its processor use, its child tools.
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "E2eDisplay.h"
#include "tests/support/TScratchFolder.h"

// A scratch user: everything the program reads and writes lies below Root, removed at the end (kept for
// every journey when OMBRIX_E2E_KEEP is set).
struct TE2eHome {
    TE2eHome();
    ~TE2eHome();
    TE2eHome(const TE2eHome&) = delete;
    TE2eHome& operator=(const TE2eHome&) = delete;

    TScratchFolder Folder;
    std::string Root = Folder.Path();
    std::string Documents() const { return Root + "/Documents"; }
    std::string DataHome() const { return Root + "/.local/share"; }
    std::string WorkFolder() const { return DataHome() + "/Ombrix3"; }
    std::string SettingsFile() const { return WorkFolder() + "/settings.omr"; }
    // What the program wrote on its standard output and error.
    std::string LogFile() const { return Root + "/program.log"; }
    // Where the program puts its outputs unless told otherwise.
    std::string DefaultDestination() const { return Documents() + "/Ombrix"; }
};

// A generated test clip (colour bars with a running counter, and a tone) of Seconds, made once per build
// folder and shared by the tests; returns its path. Noisy clips are large enough for the program to take
// them (it leaves files of about a megabyte or less alone) though they are short. Size is the picture's
// width "x" height.
std::string TestClip(int Seconds, bool Noisy, const std::string& Size = "320x240");
// Copies a clip into Folder under Name; returns the new path.
std::string PlaceClip(const std::string& Clip, const std::string& Folder, const std::string& Name);

// Runs a command line tool to its end and returns what it wrote on its standard output.
std::string RunTool(const std::vector<std::string>& Args, int* ExitCode = nullptr);

// What ffprobe says of a video file.
struct TProbe {
    bool Valid = false;
    std::string VideoCodec;
    std::string AudioCodec;
    int Width = 0;
    int Height = 0;
    long Frames = 0;   // counted, not taken from the header
    double Duration = 0;
};
TProbe Probe(const std::string& File);

// Regular files in Folder (names only), sorted.
std::vector<std::string> FilesIn(const std::string& Folder);
std::vector<std::string> ReadLines(const std::string& File);

class TE2eProgram {
public:
    TE2eProgram(const TE2eDisplay& Display, const TE2eHome& Home) : FDisplay(Display), FHome(Home) {}
    ~TE2eProgram();

    // Starts build/ombrix. Without Splash the splash's wait is shortened, for the journeys that are not
    // about it.
    bool Start(bool Splash = false);
    // Starts the suite's form host (tests/e2e/E2eFormHost.cpp) on Form: a file name under tests/e2e/forms,
    // or a path. Skin, when given, is a built-in skin's name, a skin ini or a compressed skin file. The
    // host writes a line for each handler of the form that runs ("click mnuOpen") into LogFile().
    bool StartFormHost(const std::string& Form, const std::string& Skin = "");
    static std::string FormFile(const std::string& Form);
    pid_t Pid() const { return FPid; }
    // True while the process lives (a process that ended is reaped here).
    bool Running();
    // Waits for the process to end by itself; its exit status, or nullopt when it did not end in time.
    std::optional<int> WaitForExit(std::chrono::milliseconds Limit = 20s);
    // Ends the process when it still runs (a journey that failed half-way).
    void Kill();

    // Processes whose parent is the program (the tools it runs), by name.
    std::vector<std::string> Children() const;
    // Whether one of those tools runs now.
    bool RunsAnyOf(const std::vector<std::string>& Tools) const;

    // The main window once it is up and painted (its caption bar is not blank).
    std::optional<TScreenWindow> WaitForMainWindow(std::chrono::milliseconds Limit = 30s) const;

private:
    bool Spawn(const std::vector<std::string>& Args, bool Splash);

    const TE2eDisplay& FDisplay;
    const TE2eHome& FHome;
    pid_t FPid = 0;
    int FExitStatus = -1;
};

// The share of one processor each process used over the same Span, in percent, from the kernel's
// scheduler (all its threads); -1 for a process that is gone.
std::vector<double> CpuPercent(const std::vector<pid_t>& Pids, std::chrono::milliseconds Span);
