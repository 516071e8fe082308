#pragma once
// What the converter asks of the desktop: opening a file, URL or folder in the user's program for it,
// and the stand-in for a service that has no counterpart here.
#include <string>

// Opens Target with xdg-open. Started detached, and the outcome is not looked at (the converter never
// does): a missing xdg-open or a target it cannot open changes nothing in the program.
void OpenWithDesktop(const std::string& Target);

// The maker's library call made once at start-up; does nothing and returns 0.
int ExtractPlay();
