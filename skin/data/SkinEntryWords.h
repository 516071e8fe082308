#pragma once
// The word-valued keys of the skin entries: the placement of a strip of frames, the kind of a
// regulator or a gauge, and the window command of a caption button. Each word is compared exactly
// (letter case counts), as the stored skins write them.
#include <string>

class TMemIniFile;

// Frames of a strip: side by side, or one above the other.
constexpr int fpHorizontal = 0;
constexpr int fpVertical = 1;

// Regulators: turned, horizontal or vertical.
constexpr int rkRound = 0;
constexpr int rkHorizontal = 1;
constexpr int rkVertical = 2;

// Gauges on the window frame.
constexpr int gkHorizontal = 0;
constexpr int gkVertical = 1;

// Window commands of caption buttons and animations.
constexpr int cmClose = 0;
constexpr int cmMaximize = 1;
constexpr int cmMinimize = 2;
constexpr int cmSysMenu = 3;
constexpr int cmDefault = 4;
constexpr int cmRollUp = 5;
constexpr int cmMinimizeToTray = 6;

// "fphorizontal" (also for a missing key) gives fpHorizontal; any other text fpVertical.
int IniReadFramesPlacement(TMemIniFile& ini, const std::string& section, const std::string& ident);
void IniWriteFramesPlacement(TMemIniFile& ini, const std::string& section, const std::string& ident, int value);

// "rkround" (also for a missing key), "rkhorizontal"; any other text rkVertical.
int IniReadRegulatorKind(TMemIniFile& ini, const std::string& section, const std::string& ident);
void IniWriteRegulatorKind(TMemIniFile& ini, const std::string& section, const std::string& ident, int value);

// "gkhorizontal" (also for a missing key); any other text gkVertical.
int IniReadGaugeKind(TMemIniFile& ini, const std::string& section, const std::string& ident);
void IniWriteGaugeKind(TMemIniFile& ini, const std::string& section, const std::string& ident, int value);

// The seven command words "cmclose" .. "cmminimizetotray". The reader knows the first six; every other
// text, "cmminimizetotray" included, gives cmMinimizeToTray, as skins written for this format expect
// (a word in capitals such as "CMCLOSE" therefore minimizes to the tray).
bool IsSkinCommandWord(const std::string& text);
int SkinCommandFromWord(const std::string& text);
std::string SkinCommandWord(int command);
int IniReadSkinCommand(TMemIniFile& ini, const std::string& section, const std::string& ident);
void IniWriteSkinCommand(TMemIniFile& ini, const std::string& section, const std::string& ident, int command);
