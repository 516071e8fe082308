#pragma once
// What the converter asks of the desktop: opening a file, URL or folder in the user's program for it,
// and the stand-in for a service that has no counterpart here.
#include <functional>
#include <string>

// Opens Target with xdg-open, without waiting for it. False when the opener could not be started at
// all (not installed), so the caller can say so. OnEnded, when given, gets the opener's exit code once
// it has ended, on a thread of its own: an opener that finds no program for the target exits non-zero
// (where the desktop has no opener service of its own, xdg-open runs the program and ends with it).
bool OpenWithDesktop(const std::string& Target, std::function<void(unsigned ExitCode)> OnEnded = {});

// The maker's library call made once at start-up; does nothing and returns 0.
int ExtractPlay();
