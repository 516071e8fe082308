#pragma once
// The two general containers under the string grid's cell store: a two-level pointer table where
// ranges never written cost nothing, and a list with a count on top of it. Both hold pointer-sized
// items they do not own; whoever stores an item frees it.
#include <functional>
#include <memory>
#include <vector>

// Section size of a sparse array: 16 entries (small) or 256 entries (large).
enum class SparseQuantum { Small, Large };

// Visitor of ForEachItem: gets (index, item) for every stored item in index order; a non-zero result
// stops the walk and is handed back.
using TSparseVisitor = std::function<int(int Index, void* Item)>;

class TSparsePointerArray {
public:
    explicit TSparsePointerArray(SparseQuantum Quantum);
    ~TSparsePointerArray();
    TSparsePointerArray(const TSparsePointerArray&) = delete;
    TSparsePointerArray& operator=(const TSparsePointerArray&) = delete;

    // nil for an index never written (or negative, or beyond the storable range).
    void* ItemAt(int Index) const;
    // The slot of the item, made when needed. Raises EListError for an index outside 0..MaxIndex():
    // a write must never land on another index than the one asked for.
    void** SlotAt(int Index);
    void StoreAt(int Index, void* Item);
    int ForEachItem(const TSparseVisitor& Visitor) const;
    // Frees every section: the array is empty again, with its quantum.
    void Clear();

    int HighBound() const { return FHighBound; }
    SparseQuantum Quantum() const { return FQuantum; }
    // The largest index the directory can address: 65535 sections of the section size, less one.
    int MaxIndex() const { return MaxIndexFor(FQuantum); }
    static int MaxIndexFor(SparseQuantum Quantum);

private:
    void RecalcHighBound();

    SparseQuantum FQuantum;
    int FSectionShift;
    int FIndexMask;
    int FSectionSize;
    // One entry per section; nil until the first write into it. Sections are freed only with the array.
    std::vector<std::unique_ptr<void*[]>> FDirectory;
    int FHighBound = -1;
    // Last lookup, so repeated reads of one index cost a comparison.
    mutable int FCacheIndex = -1;
    mutable void* FCacheValue = nullptr;
};

class TSparseList {
public:
    explicit TSparseList(SparseQuantum Quantum);
    virtual ~TSparseList();
    TSparseList(const TSparseList&) = delete;
    TSparseList& operator=(const TSparseList&) = delete;

    // No upper bound on reads: an index at or beyond Count reads nil. A negative index raises.
    void* Get(int Index) const;
    void Put(int Index, void* Item);
    void* operator[](int Index) const { return Get(Index); }

    // One more than the highest index holding an item, adjusted by Insert and Delete.
    int Count() const { return FCount; }
    SparseQuantum Quantum() const { return FQuantum; }
    int MaxIndex() const { return TSparsePointerArray::MaxIndexFor(FQuantum); }

    void Clear();
    void Delete(int Index);
    void Insert(int Index, void* Item);
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    int ForEachItem(const TSparseVisitor& Visitor) const;

protected:
    // Raises EListError "List index out of bounds (%d)".
    [[noreturn]] virtual void Error() const;

private:
    void CheckIndex(int Index) const;

    SparseQuantum FQuantum;
    // Held in place: a cell read walks one pointer less.
    TSparsePointerArray FList;
    int FCount = 0;
};
