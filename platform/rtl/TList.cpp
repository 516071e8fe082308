#include "platform/rtl/TList.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"

namespace {

[[noreturn]] void ListError(const char* what, int index)
{
    throw EListError(std::string(what) + " (" + std::to_string(index) + ")");
}

} // namespace

void TList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count()) {
        ListError("List index out of bounds", index);
    }
}

int TList::Add(void* item)
{
    FList.push_back(item);
    return Count() - 1;
}

void TList::Insert(int index, void* item)
{
    if (index < 0 || index > Count()) {
        ListError("List index out of bounds", index);
    }
    FList.insert(FList.begin() + index, item);
}

void TList::Delete(int index)
{
    CheckIndex(index);
    FList.erase(FList.begin() + index);
}

int TList::Remove(void* item)
{
    int i = IndexOf(item);
    if (i >= 0) {
        Delete(i);
    }
    return i;
}

void* TList::Extract(void* item)
{
    return Remove(item) >= 0 ? item : nullptr;
}

int TList::IndexOf(const void* item) const
{
    auto it = std::find(FList.begin(), FList.end(), item);
    return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Clear()
{
    FList.clear();
    FList.shrink_to_fit();
}

void TList::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(FList[static_cast<size_t>(index1)], FList[static_cast<size_t>(index2)]);
}

void TList::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex) {
        return;
    }
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    void* item = FList[static_cast<size_t>(curIndex)];
    FList.erase(FList.begin() + curIndex);
    FList.insert(FList.begin() + newIndex, item);
}

void TList::Sort(const TListSortCompare& compare)
{
    std::stable_sort(FList.begin(), FList.end(), [&](void* a, void* b) { return compare(a, b) < 0; });
}

void* TList::First() const { return Items(0); }
void* TList::Last() const { return Items(Count() - 1); }

void TList::SetCount(int value)
{
    if (value < 0) {
        ListError("List count out of bounds", value);
    }
    FList.resize(static_cast<size_t>(value), nullptr);
}

void TList::SetCapacity(int value)
{
    if (value < Count()) {
        ListError("List capacity out of bounds", value);
    }
    FList.reserve(static_cast<size_t>(value));
}

void* TList::Items(int index) const
{
    CheckIndex(index);
    return FList[static_cast<size_t>(index)];
}

void TList::SetItems(int index, void* item)
{
    CheckIndex(index);
    FList[static_cast<size_t>(index)] = item;
}
