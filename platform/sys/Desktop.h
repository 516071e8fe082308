#pragma once
// What the converter asks of the desktop: opening a file, URL or folder in the user's program for it,
// and the stand-in for a service that has no counterpart here.
#include <string>

// Opens Target with xdg-open, started detached: what the opener then makes of the target is not looked
// at. False when the opener could not be started at all (not installed), so the caller can say so.
bool OpenWithDesktop(const std::string& Target);

// The maker's library call made once at start-up; does nothing and returns 0.
int ExtractPlay();
