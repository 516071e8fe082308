#pragma once
// What one skin may take in memory, counted as it loads: its pictures as they are drawn (four bytes a
// pixel), the lines of its ini, and every value its entries read and keep (list lines, names, texts),
// all against one budget. A skin of a few hundred bytes can ask for pictures of gigabytes or for
// millions of list lines, one list after another; such a skin is refused whole, before the memory is
// taken, with a message that says why.
#include <cstdint>
#include <string>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/IniFiles.h"

// The stored skins take a few megabytes; a skin of pictures the size of a large screen still fits.
constexpr std::int64_t MaxSkinMemory = 256 * 1024 * 1024;

// A skin past MaxSkinMemory.
class ESkinTooLarge : public Exception {
public:
    using Exception::Exception;
};

class TskSkinBudget {
public:
    // Counts Bytes in; raises ESkinTooLarge, counting nothing, when the total would pass MaxSkinMemory.
    void Charge(std::int64_t Bytes);
    // A picture of Width x Height pixels (sides taken as at least 0).
    void ChargePicture(std::int64_t Width, std::int64_t Height);
    // Ini text as a load holds it: its lines in the unpacked skin, their copy in the ini the entries read,
    // and the index of its keys. Charged before the text is split: millions of short lines pack into a
    // few kilobytes.
    void ChargeIniText(const std::string& Text);
    // One value read from the skin's ini and kept: a string, and the list slot it may sit in.
    void ChargeValue(std::size_t Length);
    std::int64_t Spent() const { return FSpent; }

private:
    std::int64_t FSpent = 0;
};

// The ini a skin's entries are read from. Each value read from it is charged to the budget, since the
// entries keep what they read; so a skin whose entries name one huge list many times is refused instead
// of being held many times over.
class TskBudgetIniFile : public TMemIniFile {
public:
    explicit TskBudgetIniFile(TskSkinBudget& Budget) : FBudget(Budget) {}

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& def) const override;

private:
    TskSkinBudget& FBudget;
};
