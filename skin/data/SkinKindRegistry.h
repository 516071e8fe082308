#pragma once
// The kind words of [SKINCONTROLS] and [SKINOBJECTS] and the entry class each one creates. The loader
// of TskSkinData asks here for a new entry of a kind; the entry classes register their factories.
//
// Only the kind words a skin may use are known here (compared exactly, case matters). A known word
// whose class has not registered yet creates the family's base entry, so a skin still loads all its
// entries; a word that is no kind at all creates nothing and the loader skips the entry.
//
// Registering: the entry units register every kind from a static initializer of a unit that is always
// linked (TskDataSkinControl.cpp is: the fallback below uses its class). A static library drops units
// nobody refers to, together with their static initializers, so per-class registrars would be lost.
// The tables are built on first use, so registration order against other initializers does not matter.
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TskDataSkinControl;
class TskDataSkinObject;

using TskSkinControlFactory = std::function<std::unique_ptr<TskDataSkinControl>(const std::string& IDName)>;
using TskSkinObjectFactory = std::function<std::unique_ptr<TskDataSkinObject>(const std::string& IDName)>;

// Returns false (and registers nothing) when the word is not a kind of the section.
bool RegisterSkinControlKind(const std::string& Kind, TskSkinControlFactory Factory);
bool RegisterSkinObjectKind(const std::string& Kind, TskSkinObjectFactory Factory);

// A new entry named IDName for the kind, or nullptr when the word is not a kind of the section.
std::unique_ptr<TskDataSkinControl> CreateSkinControlEntry(const std::string& Kind, const std::string& IDName);
std::unique_ptr<TskDataSkinObject> CreateSkinObjectEntry(const std::string& Kind, const std::string& IDName);

// The kind words of each section, in their stored order.
const std::vector<std::string>& SkinControlKinds();
const std::vector<std::string>& SkinObjectKinds();
