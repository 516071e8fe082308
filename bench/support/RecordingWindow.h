#pragma once
// The converter's main window as a user starts it, for the benchmarks that compare what it does with the
// same tool runs made by hand: it says which runs it made.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/TTestSystemServices.h"

class TForm1;

// The stored form and its queue on System, which lists no optical drives from then on (the benchmarks
// bring their own sources) and must outlive the window. Recorded is called with the window at the end
// of every tool run the window makes, before the window's own handling of that end.
std::unique_ptr<TForm1> MakeRecordingWindow(TTestSystemServices& System, std::function<void(TForm1&)> Recorded);

// HOME (and with it the work folder) in Dir/home, the XDG folders its defaults, the window headless: the
// figures are of identification, not of painting.
void UseScratchHome(const std::string& Dir);

// One tool run the window made.
struct TToolRun {
    std::string CommandLine;
    bool StopsAtStatusLine = false; // a player run the window ends at its first status line
};

// The run made by hand as the window made it: a player run read until its first status line and then
// stopped, any other run to its end.
void RunByHandAsRecorded(const TToolRun& Run);

// The thumbnails of earlier scans are kept in the work folder and reused; a timed scan makes its pictures
// afresh, and so do the runs by hand. The folder stays: the program makes it before its first grab, and
// the grab by hand writes into it.
void ForgetThumbnails(const std::string& WorkFolder);

// The window made fresh (a window does not identify a source twice), its making not timed, its
// thumbnails forgotten; records the runs of its own runner.
struct TRecordingWindow {
    TTestSystemServices System;
    std::unique_ptr<TForm1> Form;
    std::vector<TToolRun> Runs;

    TRecordingWindow();
    // Drops Name and lets the scan timer fire, as a user's drop goes; the seconds until the scan is over.
    double Drop(const std::string& Name);
    // "" when the window has Expected queue rows, each with its thumbnail; else what is missing.
    std::string Check(int Expected) const;
};
