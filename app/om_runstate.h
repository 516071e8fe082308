#pragma once
// The main window's run state: the flags of the tool runs and the counters of the conversion that
// runs. The window owns one (TForm1::RunState); the handlers of the window, the units it hands itself
// to and the run control (by reference) all read and write that one, so a second window, a test's
// own for instance, starts from a state of its own.
#include <string>

struct TRunState {
    // Flags: -1 on, 0 off.
    int ToolRunning = 0;
    int Converting = 0;
    int Scanning = 0;
    int GrabMode = 0;
    int AbortRequested = 0;
    int SkipRequested = 0;
    // A scan round runs, from its first name to its last row (Scanning may drop in between, when a
    // tool cannot be started): no queue starts and no second round begins meanwhile.
    bool ScanRound = false;

    std::string ScanKind; // "video" or "dvd" while identifying
    int ScanRow = 0;      // the source-table row the identify parser fills
    int PreviewAspectWidth = 0;
    int PreviewAspectHeight = 0;
    std::string MainTitle = "Ombrix Free 1.3";
    int MinTitleLength = 800; // seconds; a DVD title is imported only when strictly longer

    // Progress of the running conversion.
    std::string PendingProgressLine;
    int CurrentJob = 0; // source-table row of the job being converted
    int CurrentPos = 0;
    int CurrentTotal = 0;
    int LastPos = 0;
    double SpeedSum = 0;
    int SpeedTicks = 0;
    int QueueTotal = 0;
    // A job of several steps shows one position: the steps before the running one count for
    // StepStart of its length, the running one for StepShare (shares of what the job costs).
    double StepStart = 0;
    double StepShare = 1;
    std::string JobCounterText;
};
