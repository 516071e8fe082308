#pragma once
// TList: a list of untyped pointers, as the component library keeps its child lists. Index
// errors raise EListError "List index out of bounds (%d)".
#include <functional>
#include <vector>

using TListSortCompare = std::function<int(void* item1, void* item2)>;

class TList {
public:
    TList() = default;
    virtual ~TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;

    int Add(void* item);                  // returns the new index
    void Insert(int index, void* item);   // index may be Count
    void Delete(int index);
    int Remove(void* item);               // removes the first occurrence; its old index or -1
    void* Extract(void* item);            // as Remove, returns the item or nullptr
    int IndexOf(const void* item) const;  // -1 when absent
    void Clear();
    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    void Sort(const TListSortCompare& compare);  // stable
    void* First() const;                  // EListError when empty
    void* Last() const;

    int Count() const { return static_cast<int>(FList.size()); }
    void SetCount(int value);             // grows with nullptr items
    int Capacity() const { return static_cast<int>(FList.capacity()); }
    void SetCapacity(int value);
    void* Items(int index) const;
    void SetItems(int index, void* item);
    void* operator[](int index) const { return Items(index); }
    const std::vector<void*>& List() const { return FList; }

private:
    void CheckIndex(int index) const;
    std::vector<void*> FList;
};
