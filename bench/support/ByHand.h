#pragma once
// The floor a benchmark compares the program against: a console tool started directly and its output
// read, as the program reads it (standard output and error on one pipe, every byte taken), without any
// of the program's own machinery.
#include <functional>
#include <string>

// Runs CommandLine (split by the program's own rules, no shell) and reads its output until the end, or
// until StopWhen (if given) says yes to everything read so far; the tool is then killed. Returns the
// bytes read; an empty string when the tool could not be started.
std::string RunByHand(const std::string& CommandLine,
                      const std::function<bool(const std::string& Seen)>& StopWhen = nullptr);
