#pragma once
// What every benchmark program shares: its own main, which first says loudly when the figures cannot be
// trusted (an unoptimised or sanitised build), and a scratch folder of its own for the files it makes.
#include <string>

// True when this build's figures mean something: compiled with optimisation and without sanitisers.
bool BenchBuildIsOptimised();
// The warning main prints to stderr before the first benchmark when BenchBuildIsOptimised() is false.
std::string BenchBuildWarning();

// The program's own scratch folder, made on first use under $TMPDIR (else /tmp) with a unique name and
// removed with everything in it when the program ends; two benchmarks running at once never share a file.
const std::string& BenchFolder();
