#pragma once
// Connects the kind words of [SKINCONTROLS] and [SKINOBJECTS] with the entry classes, so that a skin
// loads every entry into its real class.
#include <string>

class TskDataSkinControl;
class TskDataSkinObject;

// Registers the factory of every control and object kind with the kind registry (called at start-up by
// RegisterSkinDataClasses; until then a skin loads every entry into the base class). Safe to call more
// than once.
void RegisterSkinEntryClasses();

// The class name of an entry, as "TskDataSkinListBox", for listings of a loaded skin.
std::string SkinEntryClassName(const TskDataSkinControl& Entry);
std::string SkinEntryClassName(const TskDataSkinObject& Entry);
