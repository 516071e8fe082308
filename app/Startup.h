#pragma once
// The program block: splash, the main and preview windows, the message loop, and the end.
#include <functional>

class TForm1;

// The main window, once the program block has made it (null before and after).
extern TForm1* Form1;

struct TStartOptions {
    // How long the splash stays before the windows are made; the thread blocks meanwhile, as it
    // always has. Tests give 0.
    int SplashMs = 5000;
    // Called once the windows exist, before the message loop starts (tests close the window here).
    std::function<void(TForm1& Main)> OnReady;
};

// Runs the program until the main window closes; returns the exit code.
int RunProgram(const TStartOptions& Options = {});
