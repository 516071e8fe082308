#pragma once
// A string list whose lines live in a sparse list: only lines that hold text or an object cost
// memory, any non-negative index can be read (an unwritten one reads ""), and writing "" to a line
// without an object removes it. One row of a string grid is one of these, indexed by column.
#include <functional>
#include <string>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TStringList.h"
#include "skin/grids/SparseStore.h"

class TFiler;
class TStream;

class EStringSparseListError : public Exception { using Exception::Exception; };

class TStringSparseList : public TStrings {
public:
    explicit TStringSparseList(SparseQuantum Quantum);
    ~TStringSparseList() override;

    std::string Get(int Index) const override;
    int GetCount() const override;
    void Put(int Index, const std::string& S) override;
    void* GetObject(int Index) const override;
    void PutObject(int Index, void* Object) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    // Swaps two lines without telling OnChange.
    void Exchange(int Index1, int Index2) override;
    // Moves one line (text and object); the lines between shift by one.
    void Move(int CurIndex, int NewIndex) override;

    SparseQuantum Quantum() const { return FList.Quantum(); }
    // Number of lines that hold text or an object.
    int StoredCount() const;
    // Visits the stored lines in index order with (index, text, object); a non-zero result stops.
    int ForEachLine(const std::function<int(int Index, const std::string& Text, void* Object)>& Visitor) const;

    // The stored property "List": the number of stored lines, then exactly that many pairs of
    // index (32-bit) and text (32-bit byte length, then the bytes), in index order. The count is
    // the stored lines, not Count, so a reader never runs out of step with the pairs that follow.
    void WriteList(TStream& Stream) const;
    // Reads what WriteList wrote, inserting each text at its index with no object. Raises
    // EReadError on a truncated or inconsistent stream, before changing anything.
    void ReadList(TStream& Stream);
    // Declares "List" to a form filer (as binary data; stored only when a line is).
    void DefineProperties(TFiler* Filer);

    std::function<void(TStrings* Sender)> OnChange;

protected:
    virtual void Changed();
    // Raises EStringSparseListError "PutObject to undefined item".
    [[noreturn]] virtual void Error();

private:
    struct TStringItem {
        std::string FString;
        void* FObject = nullptr;
    };
    TStringItem* ItemAt(int Index) const { return static_cast<TStringItem*>(FList.Get(Index)); }

    TSparseList FList;
};
