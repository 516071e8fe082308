#pragma once
// A display of the benchmark's own, so that a figure of a window includes the copy of its picture to the
// screen as the program people run does it: an Xvfb server started for the program (it picks a free
// display number itself), with the real-window backend on it. Without Xvfb the windows stay in memory
// and the figures lack that copy; Kind() says which it is.
#include <string>

#include "platform/sys/Spawn.h"

// An Xvfb server of the benchmark's own with a screen of Width x Height; it picks a free display number
// itself. Name() is ":N", or empty when Xvfb is missing or did not start.
class TBenchXServer {
public:
    TBenchXServer(int Width, int Height);
    ~TBenchXServer();
    TBenchXServer(const TBenchXServer&) = delete;
    TBenchXServer& operator=(const TBenchXServer&) = delete;

    const std::string& Name() const { return FName; }

private:
    TChildProcess FServer;
    std::string FName;
};

class TBenchDisplay {
public:
    // Starts Xvfb with a screen of Width x Height and makes the real-window backend the program's
    // backend. Call before any window is made.
    TBenchDisplay(int Width, int Height);
    ~TBenchDisplay();
    TBenchDisplay(const TBenchDisplay&) = delete;
    TBenchDisplay& operator=(const TBenchDisplay&) = delete;

    // "sdl on Xvfb :N" or "headless (no copy to a screen)".
    const std::string& Kind() const { return FKind; }
    bool OnScreen() const { return FOnScreen; }

private:
    TBenchXServer FServer;
    bool FOnScreen = false;
    std::string FKind = "headless (no copy to a screen)";
};

// Dispatches every waiting message, paints and hands the pictures to the display, as one turn of the
// program's message loop does.
void BenchProcessMessages();
