#include "skin/grids/TStringSparseList.h"

#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "platform/rtl/TStream.h"
#include "platform/vcl/TReader.h"

namespace {

// The stored property is a little-endian record whatever machine writes it.
void WriteInt32(TStream& Stream, std::int32_t Value)
{
    const auto u = static_cast<std::uint32_t>(Value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                                    static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
    Stream.WriteBuffer(bytes, 4);
}

std::int32_t ReadInt32(TStream& Stream)
{
    unsigned char bytes[4];
    Stream.ReadBuffer(bytes, 4);
    const std::uint32_t u = bytes[0] | (std::uint32_t(bytes[1]) << 8) | (std::uint32_t(bytes[2]) << 16) |
        (std::uint32_t(bytes[3]) << 24);
    return static_cast<std::int32_t>(u);
}

[[noreturn]] void RaiseBadList()
{
    throw EReadError("Stream read error");
}

} // namespace

TStringSparseList::TStringSparseList(SparseQuantum Quantum) : FList(Quantum) {}

TStringSparseList::~TStringSparseList()
{
    FList.ForEachItem([](int, void* item) {
        delete static_cast<TStringItem*>(item);
        return 0;
    });
}

void TStringSparseList::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TStringSparseList::Error()
{
    throw EStringSparseListError("PutObject to undefined item");
}

std::string TStringSparseList::Get(int Index) const
{
    const TStringItem* item = ItemAt(Index);
    return item ? item->FString : std::string();
}

int TStringSparseList::GetCount() const
{
    return FList.Count();
}

void* TStringSparseList::GetObject(int Index) const
{
    const TStringItem* item = ItemAt(Index);
    return item ? item->FObject : nullptr;
}

void TStringSparseList::Put(int Index, const std::string& S)
{
    TStringItem* old = ItemAt(Index);
    void* object = old ? old->FObject : nullptr;
    if (S.empty() && !object) {
        FList.Put(Index, nullptr); // the cell ceases to exist
    } else {
        auto fresh = std::make_unique<TStringItem>(TStringItem{S, object});
        FList.Put(Index, fresh.get());
        fresh.release();
    }
    delete old;
    Changed();
}

void TStringSparseList::PutObject(int Index, void* Object)
{
    if (TStringItem* item = ItemAt(Index)) {
        item->FObject = Object;
    } else if (Object) {
        auto fresh = std::make_unique<TStringItem>(TStringItem{std::string(), Object});
        FList.Put(Index, fresh.get());
        fresh.release();
    }
    Changed();
}

void TStringSparseList::Insert(int Index, const std::string& S)
{
    auto fresh = std::make_unique<TStringItem>(TStringItem{S, nullptr});
    FList.Insert(Index, fresh.get());
    fresh.release();
    Changed();
}

void TStringSparseList::Delete(int Index)
{
    if (Index < 0 || Index >= FList.Count())
        return;
    delete ItemAt(Index);
    FList.Delete(Index);
    Changed();
}

void TStringSparseList::Exchange(int Index1, int Index2)
{
    FList.Exchange(Index1, Index2);
}

void TStringSparseList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    FList.Move(CurIndex, NewIndex);
    Changed();
}

void TStringSparseList::Clear()
{
    FList.ForEachItem([](int, void* item) {
        delete static_cast<TStringItem*>(item);
        return 0;
    });
    FList.Clear();
    Changed();
}

int TStringSparseList::StoredCount() const
{
    int n = 0;
    FList.ForEachItem([&n](int, void*) {
        ++n;
        return 0;
    });
    return n;
}

int TStringSparseList::ForEachLine(
    const std::function<int(int Index, const std::string& Text, void* Object)>& Visitor) const
{
    return FList.ForEachItem([&Visitor](int index, void* item) {
        const auto* line = static_cast<const TStringItem*>(item);
        return Visitor(index, line->FString, line->FObject);
    });
}

void TStringSparseList::WriteList(TStream& Stream) const
{
    WriteInt32(Stream, StoredCount());
    FList.ForEachItem([&Stream](int index, void* item) {
        const auto& text = static_cast<const TStringItem*>(item)->FString;
        WriteInt32(Stream, index);
        WriteInt32(Stream, static_cast<std::int32_t>(text.size()));
        Stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
        return 0;
    });
}

void TStringSparseList::ReadList(TStream& Stream)
{
    // Everything is read and checked first, so a broken stream leaves the list as it was.
    const std::int64_t available = Stream.Size() - Stream.Position();
    const std::int32_t count = ReadInt32(Stream);
    if (count < 0 || static_cast<std::int64_t>(count) * 8 > available)
        RaiseBadList();
    std::vector<std::pair<int, std::string>> lines;
    lines.reserve(static_cast<std::size_t>(count));
    int last = -1;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t index = ReadInt32(Stream);
        const std::int32_t length = ReadInt32(Stream);
        // Indexes come in ascending order, as written; anything else is not a stream of ours.
        if (index <= last || index > FList.MaxIndex() || length < 0 ||
            length > Stream.Size() - Stream.Position())
            RaiseBadList();
        std::string text(static_cast<std::size_t>(length), '\0');
        Stream.ReadBuffer(text.data(), length);
        lines.emplace_back(index, std::move(text));
        last = index;
    }
    BeginUpdate();
    try {
        Clear();
        for (auto& [index, text] : lines)
            Insert(index, text);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStringSparseList::DefineProperties(TFiler* Filer)
{
    Filer->DefineBinaryProperty(
        "List", [this](TStream& Stream) { ReadList(Stream); }, [this](TStream& Stream) { WriteList(Stream); },
        StoredCount() > 0);
}
