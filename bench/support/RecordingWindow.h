#pragma once
// The converter's main window as a user starts it, for the benchmarks that compare what it does with the
// same tool runs made by hand: it says which runs it made.
#include <functional>
#include <memory>

class TForm1;

// The stored form and its queue, with no optical drives listed (the benchmarks bring their own sources).
// Recorded is called with the window at the end of every tool run the window makes, before the
// window's own handling of that end.
std::unique_ptr<TForm1> MakeRecordingWindow(std::function<void(TForm1&)> Recorded);
