#pragma once
// Output routing and the progress display: what each line of a running tool is for, the position a
// progress line gives, and the status text and title shown each second (TForm1::OxCreateProcess1Read,
// TForm1::GetLine, TForm1::converttimerTimer).
#include <string>

struct TRunState;

// True when a line is a progress line of mencoder ("os:" and "Trem:"), ffmpeg ("time=" and "size=")
// or the media script ("ncoded:" and "Elapsed").
bool IsProgressLine(const std::string& Line);
// The position text of a progress line, cut out as each tool writes it ("" when none).
std::string ProgressPositionText(const std::string& Line);
// The position in seconds a position text gives: a plain number, or "h:mm:ss.cc" as ffmpeg writes
// it. False when it is neither.
bool ProgressSeconds(const std::string& Text, double& Seconds);

// The job's position (in seconds of its length) that a position within the running step gives.
double JobPosition(const TRunState& State, double StepSeconds);
// What a step costs against the encode of the same length: a step that copies the picture and only
// encodes the sound reads the whole file but encodes little (about as long as the picture's encode
// on the usual profiles); every other step decodes and encodes the picture.
double StepCost(const std::string& CommandLine);
