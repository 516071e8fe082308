#pragma once
// The skins built into the program. The build packs each skin under skins/ into a compressed skin file
// and compiles its bytes in (cmake/Skins.cmake); here they are found by name ("OmbrixSlate") and handed
// to the skin components, so that no skin file is read at run time.
#include <string>
#include <vector>

class TskCompressedStoredSkin;
class TskSkinData;

// The name of the program's own skin.
inline const char* const DefaultBuiltInSkin = "OmbrixSlate";

// Keeps the bytes of a compressed skin file under Name (the generated registration calls this). A second
// registration of the same name replaces the first. Returns true.
bool RegisterBuiltInSkin(const std::string& Name, const std::string& SkinFile);

// The compressed skin file registered under Name (compared without regard to case); nullptr when none.
const std::string* FindBuiltInSkin(const std::string& Name);

// The names of the built-in skins, in registration order.
std::vector<std::string> BuiltInSkinNames();

// Fills Stored with the built-in skin Name. Returns false, leaving Stored empty, when there is no such
// skin or its bytes are not a compressed skin file.
bool LoadBuiltInSkin(TskCompressedStoredSkin& Stored, const std::string& Name = DefaultBuiltInSkin);

// Gives SkinData the built-in skin Name: fills the component's stored skin (one is made, owned by the
// skin data component, when it has none) and loads it, which tells every form of the new skin. Returns
// false when there is no such skin; the skin data component then keeps what it had.
bool LoadBuiltInSkin(TskSkinData& SkinData, const std::string& Name = DefaultBuiltInSkin);
