#include "skin/grids/SparseStore.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"

namespace {

// The directory count of the stored layout is 16 bits wide: sections 0..65534 exist, so a directory
// never holds more than 65535 slots. Indexes past that are refused instead of wrapping onto a low
// section (which would overwrite other items and make the write unreadable).
constexpr int MaxSections = 65535;

const char* const SListIndexError = "List index out of bounds (%d)";

[[noreturn]] void RaiseIndexError()
{
    throw EListError(SListIndexError);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TSparsePointerArray

TSparsePointerArray::TSparsePointerArray(SparseQuantum Quantum)
    : FQuantum(Quantum),
      FSectionShift(Quantum == SparseQuantum::Small ? 4 : 8),
      FIndexMask(Quantum == SparseQuantum::Small ? 15 : 255),
      FSectionSize(Quantum == SparseQuantum::Small ? 16 : 256)
{
}

TSparsePointerArray::~TSparsePointerArray() = default;

int TSparsePointerArray::MaxIndexFor(SparseQuantum Quantum)
{
    return MaxSections * (Quantum == SparseQuantum::Small ? 16 : 256) - 1;
}

void* TSparsePointerArray::ItemAt(int Index) const
{
    if (Index == FCacheIndex && Index >= 0)
        return FCacheValue;
    void* item = nullptr;
    if (Index >= 0) {
        const auto section = static_cast<std::size_t>(Index >> FSectionShift);
        if (section < FDirectory.size() && FDirectory[section])
            item = FDirectory[section][Index & FIndexMask];
    }
    FCacheIndex = Index;
    FCacheValue = item;
    return item;
}

void** TSparsePointerArray::SlotAt(int Index)
{
    if (Index < 0 || Index > MaxIndex())
        RaiseIndexError();
    const auto section = static_cast<std::size_t>(Index >> FSectionShift);
    if (section >= FDirectory.size())
        FDirectory.resize(section + 1);
    if (!FDirectory[section])
        FDirectory[section].reset(new void*[FSectionSize]()); // zero-filled: every item nil
    if (Index > FHighBound)
        FHighBound = Index;
    // The caller writes through the slot, so the cached value may be stale from here on.
    FCacheIndex = -1;
    return &FDirectory[section][Index & FIndexMask];
}

void TSparsePointerArray::StoreAt(int Index, void* Item)
{
    if (!Item && !ItemAt(Index))
        return; // clearing a cell that does not exist makes no section
    *SlotAt(Index) = Item;
    if (!Item)
        RecalcHighBound();
}

int TSparsePointerArray::ForEachItem(const TSparseVisitor& Visitor) const
{
    for (std::size_t s = 0; s < FDirectory.size(); ++s) {
        const auto& section = FDirectory[s];
        if (!section)
            continue;
        for (int e = 0; e < FSectionSize; ++e) {
            if (void* item = section[e]) {
                const int result = Visitor(static_cast<int>(s << FSectionShift) + e, item);
                if (result != 0)
                    return result;
            }
        }
    }
    return 0;
}

void TSparsePointerArray::Clear()
{
    FDirectory.clear();
    FHighBound = -1;
    FCacheIndex = -1;
    FCacheValue = nullptr;
}

void TSparsePointerArray::RecalcHighBound()
{
    // The highest stored index at or below the old bound; searched downwards, which finds the same
    // index as a walk upwards but stops at once in the usual case of a filled top.
    if (FHighBound < 0)
        return;
    for (int s = FHighBound >> FSectionShift; s >= 0; --s) {
        const auto& section = FDirectory[static_cast<std::size_t>(s)];
        if (!section)
            continue;
        const int top = (s == (FHighBound >> FSectionShift)) ? (FHighBound & FIndexMask) : FSectionSize - 1;
        for (int e = top; e >= 0; --e) {
            if (section[e]) {
                FHighBound = (s << FSectionShift) + e;
                return;
            }
        }
    }
    FHighBound = -1;
}

// ---------------------------------------------------------------------------------------------
// TSparseList

TSparseList::TSparseList(SparseQuantum Quantum)
    : FQuantum(Quantum), FList(Quantum)
{
}

TSparseList::~TSparseList() = default;

void TSparseList::Error() const
{
    RaiseIndexError();
}

void TSparseList::CheckIndex(int Index) const
{
    if (Index < 0 || Index > MaxIndex())
        Error();
}

void* TSparseList::Get(int Index) const
{
    if (Index < 0)
        Error();
    return FList.ItemAt(Index);
}

void TSparseList::Put(int Index, void* Item)
{
    CheckIndex(Index);
    FList.StoreAt(Index, Item);
    FCount = FList.HighBound() + 1;
}

void TSparseList::Insert(int Index, void* Item)
{
    CheckIndex(Index);
    // Everything from Index up moves one place; refuse before touching anything when the top item
    // would leave the storable range.
    if (std::max(FCount, Index) > MaxIndex())
        Error();
    for (int k = FCount; k > Index; --k)
        FList.StoreAt(k, FList.ItemAt(k - 1));
    FList.StoreAt(Index, Item);
    if (Index > FCount)
        FCount = Index;
    ++FCount;
}

void TSparseList::Delete(int Index)
{
    if (Index < 0 || Index >= FCount)
        return;
    for (int k = Index; k < FCount - 1; ++k)
        FList.StoreAt(k, FList.ItemAt(k + 1));
    FList.StoreAt(FCount - 1, nullptr);
    --FCount;
}

void TSparseList::Exchange(int Index1, int Index2)
{
    void* item1 = Get(Index1);
    void* item2 = Get(Index2);
    Put(Index1, item2);
    Put(Index2, item1);
}

void TSparseList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    void* item = Get(CurIndex);
    Delete(CurIndex);
    Insert(NewIndex, item);
}

void TSparseList::Clear()
{
    FList.Clear();
    FCount = 0;
}

int TSparseList::ForEachItem(const TSparseVisitor& Visitor) const
{
    return FList.ForEachItem(Visitor);
}
