#pragma once
// Which file a piece of loaded code comes from, and the version that file carries. Linux programs
// and libraries have no version record inside them; a shared library states its version in its
// real file name ("libz.so.1.2.13", reached through the "libz.so.1" link), and that is what is
// read here. A file with no numbers after ".so." has no version.
#include <cstdint>
#include <string>

// A loaded module is known by the address it is mapped at.
using TModuleHandle = const void*;

// The module holding Address (code or data of a loaded program or library); nullptr when no
// loaded module holds it.
TModuleHandle ModuleOfAddress(const void* Address);
// The full path of a module's file; nullptr asks for the running program. Empty when unknown.
std::string ModuleFileName(TModuleHandle Module = nullptr);

// The four parts of a file version, as a version record holds them.
struct TFileVersion {
    std::uint16_t Major = 0;
    std::uint16_t Minor = 0;
    std::uint16_t Release = 0;
    std::uint16_t Build = 0;
};

// The version in the real name of FileName (after following its links): up to four numbers after
// ".so.". False when the file does not exist or its name carries none.
bool GetFileVersion(const std::string& FileName, TFileVersion& Version);
