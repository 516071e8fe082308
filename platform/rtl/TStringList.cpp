#include "platform/rtl/TStringList.h"

#include <algorithm>
#include <numeric>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TStream.h"

// --- TStrings ----------------------------------------------------------------------------------

void TStrings::ErrorIndex(int index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStrings::Error(const std::string& msg)
{
    throw EListError(msg);
}

void TStrings::Put(int index, const std::string& s)
{
    void* object = GetObject(index);
    Delete(index);
    InsertObject(index, s, object);
}

void* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, void*) {}
void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const { return CompareText(a, b); }

int TStrings::Add(const std::string& s)
{
    int index = GetCount();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, void* object)
{
    int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::InsertObject(int index, const std::string& s, void* object)
{
    Insert(index, s);
    PutObject(index, object);
}

void TStrings::AddStrings(const TStrings& strings)
{
    // Copy first: strings may be this very list.
    std::vector<std::pair<std::string, void*>> items;
    items.reserve(static_cast<size_t>(strings.Count()));
    for (int i = 0; i < strings.Count(); ++i) {
        items.emplace_back(strings.Get(i), strings.GetObject(i));
    }
    BeginUpdate();
    try {
        for (auto& [s, object] : items) {
            AddObject(s, object);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Assign(const TStrings& source)
{
    if (&source == this) {
        return;
    }
    BeginUpdate();
    try {
        Clear();
        FNameValueSeparator = source.FNameValueSeparator;
        AddStrings(source);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Exchange(int index1, int index2)
{
    BeginUpdate();
    try {
        std::string s1 = Get(index1);
        void* o1 = GetObject(index1);
        Put(index1, Get(index2));
        PutObject(index1, GetObject(index2));
        Put(index2, s1);
        PutObject(index2, o1);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex) {
        return;
    }
    if (newIndex < 0 || newIndex >= GetCount()) {
        ErrorIndex(newIndex);
    }
    BeginUpdate();
    try {
        std::string s = Get(curIndex);
        void* object = GetObject(curIndex);
        Delete(curIndex);
        InsertObject(newIndex, s, object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::IndexOf(const std::string& s) const
{
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        if (CompareStrings(Get(i), s) == 0) {
            return i;
        }
    }
    return -1;
}

int TStrings::IndexOfName(const std::string& name) const
{
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        std::string s = Get(i);
        size_t p = s.find(FNameValueSeparator);
        if (p != std::string::npos && CompareStrings(s.substr(0, p), name) == 0) {
            return i;
        }
    }
    return -1;
}

int TStrings::IndexOfObject(const void* object) const
{
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        if (GetObject(i) == object) {
            return i;
        }
    }
    return -1;
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount == 0) {
        SetUpdateState(true);
    }
    ++FUpdateCount;
}

void TStrings::EndUpdate()
{
    if (FUpdateCount == 0) {
        return;
    }
    --FUpdateCount;
    if (FUpdateCount == 0) {
        SetUpdateState(false);
    }
}

std::string TStrings::GetText() const
{
    const int count = GetCount();
    std::string r;
    for (int i = 0; i < count; ++i) {
        r += Get(i);
        r += "\r\n";
    }
    return r;
}

void TStrings::SetText(const std::string& text)
{
    BeginUpdate();
    try {
        Clear();
        const size_t n = text.size();
        size_t start = 0;
        for (size_t i = 0; i < n; ++i) {
            if (text[i] == '\r' || text[i] == '\n') {
                Add(text.substr(start, i - start));
                if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') {
                    ++i;
                }
                start = i + 1;
            }
        }
        if (start < n) {
            Add(text.substr(start));
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}


std::string TStrings::Names(int index) const
{
    std::string s = Get(index);
    size_t p = s.find(FNameValueSeparator);
    return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::Values(const std::string& name) const
{
    int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

std::string TStrings::ValueFromIndex(int index) const
{
    std::string s = Get(index);
    size_t p = s.find(FNameValueSeparator);
    return p == std::string::npos ? std::string() : s.substr(p + 1);
}

void TStrings::LoadFromStream(TStream& stream)
{
    int64_t size = stream.Size() - stream.Position();
    std::string data(static_cast<size_t>(std::max<int64_t>(size, 0)), '\0');
    stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    if (data.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        data.erase(0, 3);
    }
    SetText(data);
}

void TStrings::SaveToStream(TStream& stream) const
{
    std::string text = GetText();
    stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName)
{
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    try {
        LoadFromStream(stream);
    } catch (EReadError& e) {
        e.SetMessage(e.Message() + " \"" + fileName + "\"");
        throw;
    }
}

void TStrings::SaveToFile(const std::string& fileName) const
{
    TFileStream stream(fileName, fmCreate);
    try {
        SaveToStream(stream);
    } catch (EWriteError& e) {
        e.SetMessage(e.Message() + " \"" + fileName + "\"");
        throw;
    }
}

// --- TStringList -------------------------------------------------------------------------------

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= GetCount()) {
        ErrorIndex(index);
    }
}

std::string TStringList::Get(int index) const
{
    CheckIndex(index);
    return FList[static_cast<size_t>(index)].FString;
}

void TStringList::Put(int index, const std::string& s)
{
    if (FSorted) {
        Error("Operation not allowed on sorted list");
    }
    CheckIndex(index);
    Changing();
    FList[static_cast<size_t>(index)].FString = s;
    Changed();
}

void* TStringList::GetObject(int index) const
{
    CheckIndex(index);
    return FList[static_cast<size_t>(index)].FObject;
}

void TStringList::PutObject(int index, void* object)
{
    CheckIndex(index);
    Changing();
    FList[static_cast<size_t>(index)].FObject = object;
    Changed();
}

void TStringList::Insert(int index, const std::string& s)
{
    if (FSorted) {
        Error("Operation not allowed on sorted list");
    }
    if (index < 0 || index > GetCount()) {
        ErrorIndex(index);
    }
    InsertItem(index, s, nullptr);
}

void TStringList::InsertItem(int index, const std::string& s, void* object)
{
    Changing();
    FList.insert(FList.begin() + index, TStringItem{s, object});
    Changed();
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    Changing();
    FList.erase(FList.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (FList.empty()) {
        return;
    }
    Changing();
    FList.clear();
    Changed();
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating) {
        Changing();
    } else {
        Changed();
    }
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging) {
        OnChanging(this);
    }
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange) {
        OnChange(this);
    }
}

int TStringList::Add(const std::string& s) { return AddObject(s, nullptr); }

int TStringList::AddObject(const std::string& s, void* object)
{
    int index = GetCount();
    if (FSorted && Find(s, index)) {
        return index;
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(FList[static_cast<size_t>(index1)], FList[static_cast<size_t>(index2)]);
    Changed();
}

int TStringList::IndexOf(const std::string& s) const
{
    if (!FSorted) {
        return TStrings::IndexOf(s);
    }
    int index;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(const std::string& s, int& index) const
{
    auto it = std::lower_bound(FList.begin(), FList.end(), s,
                               [this](const TStringItem& item, const std::string& v) { return CompareStrings(item.FString, v) < 0; });
    index = static_cast<int>(it - FList.begin());
    return it != FList.end() && CompareStrings(it->FString, s) == 0;
}

void TStringList::Sort()
{
    CustomSort([](TStringList* list, int a, int b) {
        return list->CompareStrings(list->FList[static_cast<size_t>(a)].FString, list->FList[static_cast<size_t>(b)].FString);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& compare)
{
    if (FSorted || GetCount() < 2) {
        return;
    }
    Changing();
    // Sort a permutation so that compare always sees the list's indices as they were.
    std::vector<int> order(FList.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(this, a, b) < 0; });
    std::vector<TStringItem> sorted;
    sorted.reserve(FList.size());
    for (int i : order) {
        sorted.push_back(std::move(FList[static_cast<size_t>(i)]));
    }
    FList = std::move(sorted);
    Changed();
}

void TStringList::SetSorted(bool value)
{
    if (FSorted == value) {
        return;
    }
    if (value) {
        Sort();
    }
    FSorted = value;
}

void TStringList::SetCapacity(int value)
{
    if (value > GetCount()) {
        FList.reserve(static_cast<size_t>(value));
    }
}

int FindStringFrom(const TStrings& Strings, int StartIndex, const std::function<bool(const std::string&)>& Matches)
{
    const int count = Strings.Count();
    const int first = StartIndex + 1 >= 0 && StartIndex + 1 < count ? StartIndex + 1 : 0;
    for (int visited = 0; visited < count; ++visited) {
        const int i = (first + visited) % count;
        if (Matches(Strings.Strings(i)))
            return i;
    }
    return -1;
}
