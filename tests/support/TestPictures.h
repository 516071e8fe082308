#pragma once
// Helpers for tests that look at pixels: compare a surface with a picture written as text, and save a
// surface as a BMP file so that a person can look at it.
#include <map>
#include <string>
#include <vector>

#include "platform/gfx/TSurface.h"

// Compares the area of `surface` starting at (x, y) with `rows`, one string per row, one character per
// pixel, each character looked up in `legend` (colour as 0x00BBGGRR, alpha ignored); a character not in
// the legend (such as '?') matches anything. Returns "" when all match, else a description of the first
// mismatches and of the area as found (so a test can print it).
std::string ComparePixels(const TSurface& surface, int x, int y, const std::vector<std::string>& rows,
    const std::map<char, COLORREF>& legend);

// The area as text with the legend (a pixel not in the legend shows as '?'); for messages.
std::string PixelsAsText(const TSurface& surface, const TRect& area, const std::map<char, COLORREF>& legend);

// Saves the surface as a 32-bit BMP named `name` (".bmp" added when missing) in `directory`, creating the
// directory when needed; returns the full path, "" when it could not be written.
std::string SaveTestPicture(const TSurface& surface, const std::string& directory, const std::string& name);

#ifdef OMBRIX_TEST_PICTURES
// Saves under build/test-pictures/ (the directory the test build names).
inline std::string SaveTestPicture(const TSurface& surface, const std::string& name)
{
    return SaveTestPicture(surface, OMBRIX_TEST_PICTURES, name);
}
#endif
