#pragma once
// The converter composes every console-tool run as one command-line string (the text it shows), and
// no shell ever reads it. QuoteArg and SplitCommandLine are the only two places that know the rules, so
// whatever QuoteArg produces, SplitCommandLine gives back unchanged:
//   - blanks, tabs, CR and LF outside double quotes separate arguments;
//   - a double quote opens or closes a quoted stretch, in which blanks are ordinary characters;
//   - n backslashes followed by a double quote stand for n/2 backslashes, and, when n is odd, for a
//     literal double quote; backslashes anywhere else are ordinary characters;
//   - nothing else is special: "$", backquotes, "*", "'" and newlines inside quotes are kept as they are.
#include <string>
#include <vector>

// The argument between double quotes, with every double quote and the backslashes before it escaped
// ("C:\a b\" -> "\"C:\\a b\\\\\""). Put every file name of a command line through this.
std::string QuoteArg(const std::string& Arg);

// The argument vector of a command line by the rules above. "" yields an empty argument.
std::vector<std::string> SplitCommandLine(const std::string& CommandLine);
