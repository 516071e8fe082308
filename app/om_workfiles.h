#pragma once
// The files a conversion writes on its way to a finished one.
//
// In the destination every tool writes a working name of this run's own; only a file the judge passed
// is renamed to its final name (a rename inside one folder, so the final name is never half there).
// A file under a final name is therefore whole, whatever ended the program, and a working file a
// killed run left holds no final name the next run would have to avoid.
//
// In the work folder every scratch file of a run lies in a folder of that run's own, "temp/run-<id>-
// <start>/" (the process id and when it started), so copies of the program that run at once never
// share one; the next start removes the folders of runs that are gone.
#include <string>

// The working name of an output: "<name> (converting <id>).<ext>" beside it; with a counter after the
// id when a file of that name is there (left by a killed run whose id this one got again).
std::string WorkingOutputPath(const std::string& FinalPath);

// Gives a judged-whole working file its final name. When that name was taken in the meantime (another
// copy of the program, the user), the file gets the first free "<name>(n).<ext>" instead: nothing is
// ever replaced. Returns the name it got; "" when it could not be renamed (it stays where it is).
std::string GiveFinalName(const std::string& WorkingPath, const std::string& FinalPath);

// Moves an unfinished output (at Path) off to a name that says so, "<final name> (incomplete).<ext>"
// with a counter when that is taken, so nothing the tools wrote is lost and the final name stays free;
// an empty file is removed (it holds nothing). Returns the new path ("" when the file was removed or
// was not there).
std::string SetAsideIncomplete(const std::string& Path, const std::string& FinalPath);

// This run's scratch folder below WorkFolder (with a trailing "/"), made when it is not there.
std::string RunScratchFolder(const std::string& WorkFolder);

// Removes this run's scratch folder and what is left in it.
void RemoveRunScratch(const std::string& WorkFolder);

// Removes the scratch folders of runs that are gone, with what they hold. Only the program's own
// folders (named as RunScratchFolder names them, directly in "temp/") are looked at, and one whose
// process still runs stays. Returns how many were removed.
int RemoveScratchOfEndedRuns(const std::string& WorkFolder);

// How many other copies of the program run now on this work folder (their scratch folders are live).
int OtherLiveRuns(const std::string& WorkFolder);
