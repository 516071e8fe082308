#include "skin/data/SkinBudget.h"

#include <algorithm>

namespace {

// A string and the list slot it sits in; measured on the lists a skin keeps (TStringList items).
constexpr std::int64_t ValueCost = 64;
// An ini line kept twice (the unpacked skin's lines and the ini read from them) and its key's index slot.
constexpr std::int64_t IniLineCost = 192;
constexpr std::int64_t BytesPerPixel = 4;

} // namespace

void TskSkinBudget::Charge(std::int64_t Bytes)
{
    if (Bytes > MaxSkinMemory - FSpent)
        throw ESkinTooLarge("The skin needs more than " + std::to_string(MaxSkinMemory / (1024 * 1024)) +
                            " MB of memory for its pictures, lists and texts together");
    FSpent += std::max<std::int64_t>(Bytes, 0);
}

void TskSkinBudget::ChargePicture(std::int64_t Width, std::int64_t Height)
{
    const std::int64_t w = std::max<std::int64_t>(Width, 0);
    const std::int64_t h = std::max<std::int64_t>(Height, 0);
    // Sides straight from a file's header may be anything: past the budget before the product overflows.
    if (w != 0 && h > MaxSkinMemory / BytesPerPixel / w)
        Charge(MaxSkinMemory + 1);
    else
        Charge(w * h * BytesPerPixel);
}

void TskSkinBudget::ChargeIniText(const std::string& Text)
{
    // The lines TStringList::SetText makes of it: each CR LF, CR or LF ends one.
    std::int64_t lines = 1;
    for (std::size_t i = 0; i < Text.size(); ++i)
        if (Text[i] == '\n' || (Text[i] == '\r' && (i + 1 == Text.size() || Text[i + 1] != '\n')))
            ++lines;
    // A text is at most the packed image's size, so the product stays far inside 64 bits.
    Charge(lines * IniLineCost + 2 * static_cast<std::int64_t>(Text.size()));
}

void TskSkinBudget::ChargeValue(std::size_t Length)
{
    Charge(ValueCost + static_cast<std::int64_t>(std::min<std::size_t>(Length, MaxSkinMemory + 1)));
}

std::string TskBudgetIniFile::ReadString(const std::string& section, const std::string& ident,
                                         const std::string& def) const
{
    std::string value = TMemIniFile::ReadString(section, ident, def);
    FBudget.ChargeValue(value.size());
    return value;
}
