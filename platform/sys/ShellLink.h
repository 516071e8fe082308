#pragma once
// Shell shortcut files (".lnk"), read straight from their bytes: a fixed header, an optional list of
// shell item identifiers, and the link information that holds the local path of the target. Nothing
// of the system that made the file is needed to read it.
#include <cstddef>
#include <string>

// The local target path stored in the shortcut Bytes: the local base path followed by the common
// path suffix, the Unicode forms when the file has them, "\" written as "/". The empty text for
// anything that is not a whole, well-formed shortcut with a local path (a damaged file, another
// kind of file, a shortcut to a network share only).
std::string ShellLinkTarget(const std::string& Bytes);

// The same for the file at Path; "" when it cannot be read or is larger than any shortcut is.
std::string ResolveShellLink(const std::string& Path);
